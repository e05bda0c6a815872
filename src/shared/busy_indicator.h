#pragma once

#include <QString>
#include <functional>

// The program-wide job state shown in panel 1 of the main window's status bar: "进行中..."
// while a job runs, "已暂停" after a pause, "就绪" when idle. Jobs write it; the toolbar, the
// exporter and the list sorts read it before they act.
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
// Whether a job runs: the panel reads "进行中..." (or "正在停止...").
bool JobRunning();

}  // namespace BusyIndicator
