#include "platform/power.h"
#include "platform/replaceable.h"

#include <QProcess>
#include <QStringList>

namespace platform {
namespace {

class SystemPower final : public Power {
  public:
    bool Act(PowerAction action) override {
#ifdef Q_OS_WIN
        const QString flag = action == PowerAction::Restart    ? QStringLiteral("/r")
                             : action == PowerAction::PowerOff ? QStringLiteral("/p")
                                                               : QStringLiteral("/s");
        return QProcess::startDetached(QStringLiteral("shutdown"),
                                       {flag, QStringLiteral("/t"), QStringLiteral("0")});
#else
        const QString verb =
            action == PowerAction::Restart ? QStringLiteral("reboot") : QStringLiteral("poweroff");
        return QProcess::startDetached(QStringLiteral("systemctl"), {verb});
#endif
    }
};

Replaceable<Power, SystemPower> thePower;

}  // namespace

Power& ThePower() {
    return thePower.Get();
}

Power* InstallPower(Power* power) {
    return thePower.Install(power);
}

}  // namespace platform
