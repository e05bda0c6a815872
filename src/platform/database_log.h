#pragma once

#include <QString>

// A write-ahead log beside a database file, looked at before the file is opened. The program
// never writes one, but a file may arrive with one (left by another program, or by an earlier
// version of this one, killed or copied while it ran), and the library replays any log it finds
// beside a file into that file at its first read: a log must be the file's own to be replayed.
namespace platform::database_log {

enum class LogVerdict {
    Replay,       // none, or the file's own: the open replays it
    SetAside,     // not the file's, or it could not be checked; moved aside under a name of its own
    HeldByOther,  // another program's live log that is not this file's: the file cannot be opened
    Unmovable,    // to be set aside, and it cannot be moved
};

// Why a log was set aside.
enum class AsideReason {
    NotTheFiles,  // it would make a sound file unsound, or the file keeps no log at all
    Unchecked,    // no copy could be made to check it on, so it was not trusted
};

struct LogCheck {
    LogVerdict verdict = LogVerdict::Replay;
    QString setAsideTo;  // where a log set aside went
    AsideReason reason = AsideReason::NotTheFiles;
};

// Decides about the log beside the database file at `path`. It reads the file and its log
// through descriptors of its own: call it only while no connection of this process has the
// file open.
LogCheck PrepareLog(const QString& path);

}  // namespace platform::database_log
