#include "shell/autorun.h"

#include <QDir>

#include "platform/program_folder.h"
#include "shared/registry_store.h"

namespace {

const QString kOff = QStringLiteral(" ");

}  // namespace

QString AutorunLauncherPath() {
    return platform::ProgramFolder() + QStringLiteral("/autorun.exe");
}

QString AutorunValue() {
    return mReg::GetConfigValue(platform::Hive::LocalMachine, mReg::RunKey, mReg::AutorunValueName);
}

bool AutorunRegistered() {
    return QDir::fromNativeSeparators(AutorunValue().trimmed())
               .compare(AutorunLauncherPath(), Qt::CaseInsensitive) == 0;
}

void SetAutorun(bool on) {
    const QString value = on ? AutorunLauncherPath() : kOff;
    if (AutorunValue() == value) return;
    // The Run key exists on every Windows machine; here it is made on first use.
    mReg::CreateConfigKey(platform::Hive::LocalMachine, mReg::RunKey);
    mReg::SetConfigValue(platform::Hive::LocalMachine, mReg::RunKey, mReg::AutorunValueName, value);
}
