#pragma once

#include <QList>

#include "platform/power.h"

namespace testing_support {

// A power double: records what the program asked for and never touches the machine.
class RecordingPower final : public platform::Power {
  public:
    RecordingPower() : previous_(platform::InstallPower(this)) {}
    ~RecordingPower() { platform::InstallPower(previous_); }

    bool Act(platform::PowerAction action) override {
        actions << action;
        return succeed;
    }

    bool succeed = true;
    QList<platform::PowerAction> actions;

  private:
    platform::Power* previous_;
};

}  // namespace testing_support
