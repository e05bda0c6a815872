#include "platform/sound.h"

#include <QApplication>

#include "platform/wait.h"

namespace platform {
namespace {

// The desktop's bell has no pitch of its own; the beep still lasts as long as asked, while
// the program keeps handling its events.
class SystemSound final : public Sound {
  public:
    void Beep(int, std::chrono::milliseconds length) override {
        QApplication::beep();
        Pause(length);
    }
};

SystemSound& System() {
    static SystemSound sound;
    return sound;
}

Sound* installed = nullptr;

}  // namespace

Sound& TheSound() {
    return installed ? *installed : System();
}

void InstallSound(Sound* sound) {
    installed = sound;
}

}  // namespace platform
