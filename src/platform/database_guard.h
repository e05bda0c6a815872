#pragma once

struct sqlite3;

// A thin layer over the library's own file access that notices what other programs do to an
// open database file without taking the library's locks: bytes written over it in place, the
// file cut short, moved, deleted or replaced. The library's locks keep out every program that
// takes them; this keeps the program from laying its pages, or playing its journal, over a file
// that changed under a job.
//
// It watches each file through the kernel's file-change notices, never through a descriptor
// of its own on the file (closing one would drop the process's locks). A change made while a
// connection of this process holds the file (a job under way) is a change under the job: from
// then on nothing more is written into that file, its rollback included, and the job's journal
// is taken away from the path, so that no program plays it into whatever file stands there. A
// change between jobs is the user's own (a backup put back, say): the next job reads the file
// afresh, even when the new bytes carry the header of the old ones. A file that shares a
// write-ahead log with other programs is left to the log's locks.
namespace platform::database_guard {

// The name under which the layer is registered with the library: open files through it.
const char* VfsName();

enum class Change {
    None,
    Rewritten,  // written over or cut short in place: nothing more goes into it
    Moved,      // moved, deleted or replaced: the job's own file, no longer at the path
};

// The watch on the main file of `db`, valid while that file is open; none for a file opened
// otherwise.
struct WatchedFile;
WatchedFile* WatchOf(sqlite3* db);

// What happened to the file under a job of this process, as far as noticed so far: no system
// call, for a check before every statement. It stays so until the file is closed.
Change ChangeUnderJob(const WatchedFile* file);

// Reads the notices that came since the last look, then answers as ChangeUnderJob.
Change LookAgain(WatchedFile* file);

}  // namespace platform::database_guard
