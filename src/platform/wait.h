#pragma once

#include <chrono>
#include <functional>

namespace platform {

// Lets the program handle its pending events once, without waiting.
void DoEvents();

// Lets the program draw what changed and handle its other pending events once, leaving the
// user's input for later: a long step shows its progress without being re-entered.
void ShowPendingChanges();

// Waits in the event loop until `done` holds or `timeout` has passed on the clock in force;
// returns whether `done` held. `done` is checked before the first sleep and after every event.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Waits `duration` on the clock in force while the program keeps handling its events.
void Pause(std::chrono::milliseconds duration);

}  // namespace platform
