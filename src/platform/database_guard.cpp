#include "platform/database_guard.h"

#include <sqlite3.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace platform::database_guard {

// One database file (an inode) that connections of this process have open.
struct WatchedFile {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    int watch = -1;  // the kernel's watch on the inode; -1 when none could be set
    int references = 0;
    int holders = 0;             // open files of it holding at least a shared lock
    int logMappings = 0;         // open files of it that share a write-ahead log's index
    int changesBetweenJobs = 0;  // counted, so that every open file of it learns of each
    Change change = Change::None;
    // The journal of the job under way, as it stood when it was made.
    std::string journal;
    dev_t journalDevice = 0;
    ino_t journalInode = 0;
    bool journalOpen = false;
    bool journalTakenAway = false;
};

namespace {

constexpr char kName[] = "tarnwick-guard";

enum class Kind { Main, Journal, Other };

// The layer's file: its own fields, then the library's file, which does the work.
struct GuardedFile {
    sqlite3_file base;
    Kind kind;
    WatchedFile* watched;
    int lock;
    int changesSeen;  // the file's changes between jobs that this one has learnt of
    bool readAfresh;  // the hold that began found a change since the last one
    sqlite3_file* Real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

struct Registry {
    std::mutex mutex;
    int notices = -1;  // the kernel's notice channel, shared by every watch
    std::unordered_map<int, WatchedFile*> byWatch;
    std::unordered_map<std::string, std::unique_ptr<WatchedFile>> byInode;  // "device:inode"
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

sqlite3_vfs* Lower(sqlite3_vfs* vfs) {
    return static_cast<sqlite3_vfs*>(vfs->pAppData);
}

std::string InodeKey(dev_t device, ino_t inode) {
    return std::to_string(device) + ':' + std::to_string(inode);
}

bool SameFile(const std::string& path, dev_t device, ino_t inode) {
    struct stat now {};
    return ::stat(path.c_str(), &now) == 0 && now.st_dev == device && now.st_ino == inode;
}

// Takes the job's journal away from the path, so that no program finds it beside whatever file
// stands there: the library keeps reading it through its own descriptor for the rollback.
void TakeJournalAway(WatchedFile& file) {
    if (!file.journalOpen || file.journalTakenAway) return;
    if (SameFile(file.journal, file.journalDevice, file.journalInode))
        ::unlink(file.journal.c_str());
    file.journalTakenAway = true;
}

void NoteChange(WatchedFile& file, Change change) {
    if (file.change == Change::None) file.change = change;
    TakeJournalAway(file);
}

// Reads the notices that came. `ownWrite` is the file whose write just returned: its
// modifications are its own.
void ReadNotices(Registry& registry, const WatchedFile* ownWrite = nullptr) {
    if (registry.notices < 0) return;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(registry.notices, buffer, sizeof buffer);
        if (got <= 0) return;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            // Notices were lost: whatever they said may have happened to any file.
            if (event->mask & IN_Q_OVERFLOW) {
                for (auto& [key, file] : registry.byInode) {
                    if (file->logMappings > 0) continue;
                    if (file->holders == 0)
                        ++file->changesBetweenJobs;
                    else
                        NoteChange(*file, Change::Rewritten);
                }
                continue;
            }
            const auto found = registry.byWatch.find(event->wd);
            if (found == registry.byWatch.end()) continue;
            WatchedFile& file = *found->second;
            if (file.logMappings > 0) continue;  // the log's own locks order its writers
            const bool modified = event->mask & IN_MODIFY;
            if (modified && &file == ownWrite) continue;
            // A change of attributes is a move only when the path no longer leads to the file
            // (an unlink drops its link count); a change of mode or times is no change of bytes.
            const bool moved = (event->mask & (IN_MOVE_SELF | IN_DELETE_SELF | IN_ATTRIB)) &&
                               !SameFile(file.path, file.device, file.inode);
            if (!modified && !moved) continue;
            if (file.holders == 0)
                ++file.changesBetweenJobs;
            else
                NoteChange(file, moved ? Change::Moved : Change::Rewritten);
        }
    }
}

WatchedFile* Watch(Registry& registry, const char* path, sqlite3_file* real) {
    struct stat opened {};
    if (::stat(path, &opened) != 0) return nullptr;
    std::unique_ptr<WatchedFile>& slot = registry.byInode[InodeKey(opened.st_dev, opened.st_ino)];
    if (!slot) {
        slot = std::make_unique<WatchedFile>();
        slot->path = path;
        slot->device = opened.st_dev;
        slot->inode = opened.st_ino;
        if (registry.notices < 0) registry.notices = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (registry.notices >= 0)
            slot->watch = ::inotify_add_watch(
                registry.notices, path, IN_MODIFY | IN_ATTRIB | IN_MOVE_SELF | IN_DELETE_SELF);
        // The path may have led elsewhere by the time the watch was set.
        int moved = 0;
        real->pMethods->xFileControl(real, SQLITE_FCNTL_HAS_MOVED, &moved);
        if (moved) slot->change = Change::Moved;
        if (slot->watch >= 0) registry.byWatch[slot->watch] = slot.get();
    }
    ++slot->references;
    return slot.get();
}

void Unwatch(Registry& registry, WatchedFile* file) {
    if (--file->references > 0) return;
    if (file->watch >= 0) {
        ::inotify_rm_watch(registry.notices, file->watch);
        registry.byWatch.erase(file->watch);
    }
    registry.byInode.erase(InodeKey(file->device, file->inode));
}

WatchedFile* MainFileOfJournal(Registry& registry, const char* journal) {
    const char* database = sqlite3_filename_database(journal);
    for (auto& [key, file] : registry.byInode)
        if (file->path == database) return file.get();
    return nullptr;
}

GuardedFile* Guarded(sqlite3_file* file) {
    return reinterpret_cast<GuardedFile*>(file);
}

// Whether the main file may take a write now: not once it was written over under the job.
bool MayWrite(GuardedFile* self) {
    if (self->kind != Kind::Main || !self->watched) return true;
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    ReadNotices(registry);
    return self->watched->change != Change::Rewritten;
}

void AfterOwnWrite(GuardedFile* self) {
    if (self->kind != Kind::Main || !self->watched) return;
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    ReadNotices(registry, self->watched);
}

int Close(sqlite3_file* file) {
    GuardedFile* self = Guarded(file);
    const int closed = self->Real()->pMethods->xClose(self->Real());
    if (self->watched) {
        Registry& registry = TheRegistry();
        const std::lock_guard lock(registry.mutex);
        if (self->kind == Kind::Main) {
            if (self->lock > SQLITE_LOCK_NONE) --self->watched->holders;
            Unwatch(registry, self->watched);
        } else if (self->kind == Kind::Journal) {
            self->watched->journalOpen = false;
        }
    }
    return closed;
}

// The header's version field, which the library reads as a hold begins to learn whether its
// cached pages still hold.
constexpr sqlite3_int64 kVersionOffset = 24;
constexpr int kVersionSize = 16;

int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
    GuardedFile* self = Guarded(file);
    const int read = self->Real()->pMethods->xRead(self->Real(), buffer, amount, offset);
    // Changed since the last hold, perhaps by a copy whose header matches: the library is shown
    // another version, so that it reads every page afresh.
    if (self->readAfresh && offset == kVersionOffset && amount == kVersionSize) {
        self->readAfresh = false;
        if (read == SQLITE_OK) static_cast<unsigned char*>(buffer)[0] ^= 0xff;
    }
    return read;
}

int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
    GuardedFile* self = Guarded(file);
    if (!MayWrite(self)) return SQLITE_IOERR_WRITE;
    const int written = self->Real()->pMethods->xWrite(self->Real(), buffer, amount, offset);
    AfterOwnWrite(self);
    return written;
}

int Truncate(sqlite3_file* file, sqlite3_int64 size) {
    GuardedFile* self = Guarded(file);
    if (!MayWrite(self)) return SQLITE_IOERR_TRUNCATE;
    const int cut = self->Real()->pMethods->xTruncate(self->Real(), size);
    AfterOwnWrite(self);
    return cut;
}

int Sync(sqlite3_file* file, int flags) {
    GuardedFile* self = Guarded(file);
    if (!MayWrite(self)) return SQLITE_IOERR_FSYNC;
    return self->Real()->pMethods->xSync(self->Real(), flags);
}

int FileSize(sqlite3_file* file, sqlite3_int64* size) {
    sqlite3_file* real = Guarded(file)->Real();
    return real->pMethods->xFileSize(real, size);
}

int Lock(sqlite3_file* file, int level) {
    GuardedFile* self = Guarded(file);
    const int locked = self->Real()->pMethods->xLock(self->Real(), level);
    if (locked == SQLITE_OK && self->lock == SQLITE_LOCK_NONE && self->watched) {
        Registry& registry = TheRegistry();
        const std::lock_guard lock(registry.mutex);
        // What came before the hold was done between jobs.
        ReadNotices(registry);
        ++self->watched->holders;
        self->readAfresh = self->changesSeen != self->watched->changesBetweenJobs;
        self->changesSeen = self->watched->changesBetweenJobs;
    }
    if (locked == SQLITE_OK) self->lock = level;
    return locked;
}

int Unlock(sqlite3_file* file, int level) {
    GuardedFile* self = Guarded(file);
    if (level == SQLITE_LOCK_NONE && self->lock > SQLITE_LOCK_NONE && self->watched) {
        Registry& registry = TheRegistry();
        const std::lock_guard lock(registry.mutex);
        // What came during the hold was done under the job.
        ReadNotices(registry);
        --self->watched->holders;
        self->readAfresh = false;
    }
    const int unlocked = self->Real()->pMethods->xUnlock(self->Real(), level);
    if (unlocked == SQLITE_OK || level == SQLITE_LOCK_NONE) self->lock = level;
    return unlocked;
}

int CheckReservedLock(sqlite3_file* file, int* out) {
    sqlite3_file* real = Guarded(file)->Real();
    return real->pMethods->xCheckReservedLock(real, out);
}

int FileControl(sqlite3_file* file, int op, void* arg) {
    sqlite3_file* real = Guarded(file)->Real();
    return real->pMethods->xFileControl(real, op, arg);
}

int SectorSize(sqlite3_file* file) {
    sqlite3_file* real = Guarded(file)->Real();
    return real->pMethods->xSectorSize(real);
}

int DeviceCharacteristics(sqlite3_file* file) {
    sqlite3_file* real = Guarded(file)->Real();
    return real->pMethods->xDeviceCharacteristics(real);
}

int ShmMap(sqlite3_file* file, int page, int size, int extend, void volatile** out) {
    GuardedFile* self = Guarded(file);
    const int mapped = self->Real()->pMethods->xShmMap(self->Real(), page, size, extend, out);
    if (mapped == SQLITE_OK && page == 0 && self->watched) {
        const std::lock_guard lock(TheRegistry().mutex);
        ++self->watched->logMappings;
    }
    return mapped;
}

int ShmLock(sqlite3_file* file, int offset, int n, int flags) {
    sqlite3_file* real = Guarded(file)->Real();
    return real->pMethods->xShmLock(real, offset, n, flags);
}

void ShmBarrier(sqlite3_file* file) {
    sqlite3_file* real = Guarded(file)->Real();
    real->pMethods->xShmBarrier(real);
}

int ShmUnmap(sqlite3_file* file, int deleteFlag) {
    GuardedFile* self = Guarded(file);
    if (self->watched && self->watched->logMappings > 0) {
        const std::lock_guard lock(TheRegistry().mutex);
        --self->watched->logMappings;
    }
    return self->Real()->pMethods->xShmUnmap(self->Real(), deleteFlag);
}

int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** out) {
    sqlite3_file* real = Guarded(file)->Real();
    return real->pMethods->xFetch(real, offset, amount, out);
}

int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) {
    sqlite3_file* real = Guarded(file)->Real();
    return real->pMethods->xUnfetch(real, offset, page);
}

const sqlite3_io_methods kMethods = {
    3,
    Close,
    Read,
    Write,
    Truncate,
    Sync,
    FileSize,
    Lock,
    Unlock,
    CheckReservedLock,
    FileControl,
    SectorSize,
    DeviceCharacteristics,
    ShmMap,
    ShmLock,
    ShmBarrier,
    ShmUnmap,
    Fetch,
    Unfetch,
};

int Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    GuardedFile* self = Guarded(file);
    std::memset(self, 0, sizeof(GuardedFile));
    const int opened = Lower(vfs)->xOpen(Lower(vfs), name, self->Real(), flags, outFlags);
    if (opened != SQLITE_OK) return opened;
    self->base.pMethods = &kMethods;
    self->kind = (flags & SQLITE_OPEN_MAIN_DB)        ? Kind::Main
                 : (flags & SQLITE_OPEN_MAIN_JOURNAL) ? Kind::Journal
                                                      : Kind::Other;
    if (!name || self->kind == Kind::Other) return SQLITE_OK;
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    if (self->kind == Kind::Main) {
        self->watched = Watch(registry, name, self->Real());
        if (self->watched) self->changesSeen = self->watched->changesBetweenJobs;
    } else if ((self->watched = MainFileOfJournal(registry, name))) {
        WatchedFile& main = *self->watched;
        struct stat journal {};
        ::stat(name, &journal);
        main.journal = name;
        main.journalDevice = journal.st_dev;
        main.journalInode = journal.st_ino;
        main.journalOpen = true;
        main.journalTakenAway = false;
        // A job that begins after its file changed under an earlier one leaves no journal
        // beside the path either.
        if (main.change != Change::None) TakeJournalAway(main);
    }
    return SQLITE_OK;
}

int Delete(sqlite3_vfs* vfs, const char* name, int syncDirectory) {
    {
        Registry& registry = TheRegistry();
        const std::lock_guard lock(registry.mutex);
        // A journal taken away is gone already: whatever stands at its path now is another's.
        for (auto& [key, file] : registry.byInode)
            if (file->journalTakenAway && file->journal == name) return SQLITE_OK;
    }
    return Lower(vfs)->xDelete(Lower(vfs), name, syncDirectory);
}

sqlite3_vfs* Register() {
    static sqlite3_vfs guard = [] {
        sqlite3_vfs* lower = sqlite3_vfs_find(nullptr);
        sqlite3_vfs layer = *lower;
        layer.szOsFile = static_cast<int>(sizeof(GuardedFile)) + lower->szOsFile;
        layer.zName = kName;
        layer.pAppData = lower;
        layer.pNext = nullptr;
        layer.xOpen = Open;
        layer.xDelete = Delete;
        return layer;
    }();
    static const bool registered = (sqlite3_vfs_register(&guard, 0), true);
    (void)registered;
    return &guard;
}

}  // namespace

const char* VfsName() {
    return Register()->zName;
}

WatchedFile* WatchOf(sqlite3* db) {
    sqlite3_file* file = nullptr;
    if (!db || sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        !file || file->pMethods != &kMethods)
        return nullptr;
    return Guarded(file)->watched;
}

Change ChangeUnderJob(const WatchedFile* file) {
    return file ? file->change : Change::None;
}

Change LookAgain(WatchedFile* file) {
    if (!file) return Change::None;
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    ReadNotices(registry);
    return file->change;
}

}  // namespace platform::database_guard
