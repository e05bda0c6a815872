#pragma once

#include <QStringList>

#include "platform/shell.h"

namespace testing_support {

// A shell double: records what would have been opened, started or edited, and succeeds unless
// told to fail.
class RecordingShell final : public platform::Shell {
  public:
    RecordingShell() : previous_(platform::InstallShell(this)) {}
    ~RecordingShell() { platform::InstallShell(previous_); }

    bool Open(const QString& target, QWidget*) override {
        opened << target;
        return succeed;
    }
    bool StartProgram(const QString& path, platform::ShowStyle style) override {
        started << path;
        styles << style;
        return succeed;
    }
    bool EditTextFile(const QString& path) override {
        edited << path;
        return succeed;
    }

    bool succeed = true;
    QStringList opened;
    QStringList started;
    QList<platform::ShowStyle> styles;
    QStringList edited;

  private:
    platform::Shell* previous_;
};

}  // namespace testing_support
