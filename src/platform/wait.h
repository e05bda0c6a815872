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

// Marks, for its lifetime, that code below it on the stack handles events in a loop of its
// own (a wait, DoEvents, a prompt, a modal dialog): whatever that code holds must outlive the
// loop, so nothing a user does meanwhile may free it.
class NestedLoop {
  public:
    NestedLoop();
    ~NestedLoop();
    NestedLoop(const NestedLoop&) = delete;
    NestedLoop& operator=(const NestedLoop&) = delete;
};

// Whether a nested loop runs: some code waits below the event being handled.
bool InNestedLoop();

// Runs `step` at once when no nested loop runs; otherwise from the program's own event loop
// once the outermost nested loop has returned, when no code that waited is left on the stack.
void WhenNoNestedLoop(std::function<void()> step);

}  // namespace platform
