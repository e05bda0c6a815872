#pragma once

#include <QList>
#include <utility>

#include "platform/sound.h"

namespace testing_support {

// A sound double: records every beep (pitch, length) and returns at once.
class RecordingSound final : public platform::Sound {
  public:
    RecordingSound() : previous_(platform::InstallSound(this)) {}
    ~RecordingSound() { platform::InstallSound(previous_); }

    void Beep(int hertz, std::chrono::milliseconds length) override {
        beeps << std::make_pair(hertz, length);
    }

    QList<std::pair<int, std::chrono::milliseconds>> beeps;

  private:
    platform::Sound* previous_;
};

}  // namespace testing_support
