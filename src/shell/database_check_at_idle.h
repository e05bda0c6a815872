#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>

#include "platform/database_check.h"

// The run's one full check of db.db: begun once the start-up's window stands idle, it copies the
// file a slice at a time between the window's own work, checks the copy in a thread of its own,
// and tells the user once when the file is damaged. Jobs go on meanwhile as the library allows.
class DatabaseCheckAtIdle : public QObject {
  public:
    explicit DatabaseCheckAtIdle(QObject* parent = nullptr);
    ~DatabaseCheckAtIdle() override;

    // Begins the check after kAfterStart, on the shared connection; once in a run.
    void Begin();
    // Runs the whole check at once and tells its outcome, as the timers would.
    void RunToEnd();

    // How long after the start-up the check begins: the window has painted and settled.
    static constexpr std::chrono::milliseconds kAfterStart{3000};

  private:
    void Start();
    // The next slice of the copy, or a look at the check of the copy, or the outcome told.
    void Tick();
    void Tell();

    QTimer timer_;
    std::unique_ptr<platform::FullCheck> check_;
    bool begun_ = false;
};
