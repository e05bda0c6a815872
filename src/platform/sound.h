#pragma once

#include <chrono>

namespace platform {

// The computer's beep.
class Sound {
  public:
    virtual ~Sound() = default;
    // Beeps at `hertz` for `length`; returns when the beep has ended.
    virtual void Beep(int hertz, std::chrono::milliseconds length) = 0;
};

Sound& TheSound();
// Installs `sound` (not owned), nullptr restoring the system's; returns the sound it replaces.
Sound* InstallSound(Sound* sound);

}  // namespace platform
