#include "mining/batch_mining.h"

#include <gtest/gtest.h>

#include "support/recording_power.h"

namespace {

TEST(ShutdownMachine, EachModeAsksThePowerLayerForItsActionAndOtherModesForNothing) {
    using platform::PowerAction;
    const struct {
        qint16 mode;
        QList<PowerAction> actions;
    } cases[] = {{1, {PowerAction::ShutDown}},
                 {2, {PowerAction::Restart}},
                 {3, {PowerAction::PowerOff}},
                 {0, {}},
                 {4, {}},
                 {-1, {}}};
    for (const auto& c : cases) {
        testing_support::RecordingPower power;
        power.succeed = false;  // a refusal goes unreported
        mining::ShutdownMachine(c.mode);
        EXPECT_EQ(power.actions, c.actions) << c.mode;
    }
}

}  // namespace
