#pragma once

#include <QString>

// The write-ahead log beside a database file, looked at before the file is opened: a log the
// library would replay into the file at its first read must be the file's own.
namespace platform::database_log {

enum class LogVerdict {
    Replay,       // none, or the file's own: the open replays it
    SetAside,     // not the file's; moved aside under a name of its own
    HeldByOther,  // another program's live log that is not this file's: the file cannot be opened
    Unmovable,    // not the file's, and it cannot be moved aside
};

struct LogCheck {
    LogVerdict verdict = LogVerdict::Replay;
    QString setAsideTo;  // where a log set aside went
};

// Decides about the log beside the database file at `path`. It reads the file and its log
// through descriptors of its own: call it only while no connection of this process has the
// file open.
LogCheck PrepareLog(const QString& path);

}  // namespace platform::database_log
