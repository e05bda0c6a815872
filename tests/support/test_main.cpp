#include <gtest/gtest.h>

#include <QApplication>

#include "platform/power.h"

namespace {

// A test that forgets its power double fails here instead of switching the machine off.
class RefusingPower final : public platform::Power {
  public:
    bool Act(platform::PowerAction) override {
        ADD_FAILURE() << "a test asked to switch the machine off without a power double";
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Window tests never need a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RefusingPower refusingPower;
    platform::InstallPower(&refusingPower);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
