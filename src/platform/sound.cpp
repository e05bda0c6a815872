#include "platform/sound.h"
#include "platform/replaceable.h"

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

Replaceable<Sound, SystemSound> theSound;

}  // namespace

Sound& TheSound() {
    return theSound.Get();
}

Sound* InstallSound(Sound* sound) {
    return theSound.Install(sound);
}

}  // namespace platform
