#pragma once

#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

struct sqlite3;
struct sqlite3_backup;

namespace platform {

class Connection;

// A check of the whole database file, made once in a run without holding up the window or
// other programs for long. The open connection copies the file a slice at a time, between jobs
// and never waiting for another program's lock (nothing else opens the file while it is open);
// the library's full integrity check then reads the copy in a thread of its own. It finds what
// the open's few pages cannot show: a wrong pointer inside a table, an index that no longer
// matches its table. A free page that nothing uses is no damage.
class FullCheck {
  public:
    enum class Outcome {
        Pending,  // copying, or checking the copy
        Sound,
        Damaged,    // Findings() says where
        Unchecked,  // no copy could be made (a full temporary folder, say)
    };

    explicit FullCheck(Connection& connection);
    ~FullCheck();
    FullCheck(const FullCheck&) = delete;
    FullCheck& operator=(const FullCheck&) = delete;

    // Copies the next slice of the file, when no job is under way and no other program holds
    // the file; once the copy is whole, its check begins. Whether more steps are needed.
    bool Step();
    Outcome Result() const { return outcome_; }
    // The library's findings for a damaged file, a line each.
    QString Findings() const;
    // Waits until the check of the copy has ended.
    void WaitForCheck();

  private:
    friend class Connection;
    // The connection is about to close its file: a copy under way is dropped, and begun again
    // on the file the connection opens next.
    void SourceClosing();
    // The connection ends its use of the file (the program's end closes it), or is going
    // itself: nothing more is copied or checked, and no copy is left behind, even when the
    // process then ends without its destructors.
    void Abandon();
    void SourceGone();
    void DropCopy();
    void CheckCopy(const QString& copy);

    Connection* connection_;  // none once the connection is gone
    std::unique_ptr<QTemporaryDir> folder_;
    sqlite3* copy_ = nullptr;
    sqlite3_backup* backup_ = nullptr;
    std::atomic<Outcome> outcome_{Outcome::Pending};
    bool checking_ = false;
    std::thread checker_;
    mutable std::mutex mutex_;  // guards what the checker shares: its handle and its findings
    sqlite3* checkerDb_ = nullptr;
    bool stopping_ = false;
    QString findings_;
};

}  // namespace platform
