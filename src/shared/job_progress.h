#pragma once

#include <QString>
#include <functional>

// Panels 2 and 3 of the main window's status bar: the running count and the current item of a
// job. Jobs write them while they run and empty them at their end.
namespace JobProgress {

// Shows the two texts through `show` from now on (the main window's panels 2 and 3), starting
// with the texts as they stand; an empty function shows them nowhere.
void Attach(std::function<void(const QString& count, const QString& item)> show);
void Set(const QString& count, const QString& item);
void Clear();
QString CountText();
QString ItemText();

}  // namespace JobProgress
