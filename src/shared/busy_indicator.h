#pragma once

#include <QString>
#include <functional>

// The job state shown in panel 1 of the main window's status bar: "进行中..." while a job runs,
// "已暂停" after a pause, "就绪" when idle. Jobs write it for the user to read; it is display
// only: whether a job runs is the job's own state (running_job.h and each job's flags).
namespace BusyIndicator {

inline const QString kRunning = QStringLiteral("进行中...");
inline const QString kPaused = QStringLiteral("已暂停");
inline const QString kReady = QStringLiteral("就绪");
inline const QString kStopping = QStringLiteral("正在停止...");

// Shows the state through `show` from now on (the main window's status panel 1), starting
// with the state as it stands; an empty function shows it nowhere.
void Attach(std::function<void(const QString&)> show);
QString Text();
void Set(const QString& text);

}  // namespace BusyIndicator
