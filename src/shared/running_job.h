#pragma once

#include <QString>

// The long jobs whose loops are on the stack. A job waits for pages in nested event loops, so a
// job started meanwhile runs inside that wait and holds the first one up until it has ended
// (a pause of the first would take effect only then): jobs therefore run one at a time.
namespace jobs {

// A job's loop runs for the object's lifetime; `name` is what the user calls the job.
class Running {
  public:
    explicit Running(QString name);
    ~Running();
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    const QString& Name() const { return name_; }

  private:
    QString name_;
    Running* outer_;
};

// Whether a job runs.
bool AnyRunning();

// Refuses a job's start while another job runs: tells the user which one runs and returns
// true; returns false, telling nothing, when none runs.
bool RefuseStartWhileBusy();

}  // namespace jobs
