#pragma once

#include <QString>

// The logs beside a database file, looked at before the file is opened: the rollback journal
// that a killed job leaves behind, and a write-ahead log, which the program never writes but a
// file may arrive with (left by another program, or by an earlier version of this one, killed
// or copied while it ran). The library plays any log it finds beside a file into that file at
// its first read, whichever file stands there: a log must be the file's own to be played.
namespace platform::database_log {

enum class LogVerdict {
    Replay,       // none, or the file's own: the open replays it
    SetAside,     // not the file's, or it could not be checked; moved aside under a name of its own
    HeldByOther,  // another program's live log that is not this file's: the file cannot be opened
    Unmovable,    // to be set aside, and it cannot be moved
};

// Why a log was set aside.
enum class AsideReason {
    NotTheFiles,  // another file's: its pages or header do not fit, or it would make a sound
                  // file unsound
    Unchecked,    // no copy could be made to check it on, so it was not trusted
};

struct LogCheck {
    LogVerdict verdict = LogVerdict::Replay;
    QString setAsideTo;  // where a log set aside went; both, a line each, when both were
    AsideReason reason = AsideReason::NotTheFiles;
};

// Decides about the journal and the write-ahead log beside the database file at `path`. It
// reads the file and its logs through descriptors of its own: call it only while no connection
// of this process has the file open.
LogCheck PrepareLog(const QString& path);

}  // namespace platform::database_log
