#include "shared/job_progress.h"

namespace JobProgress {
namespace {

QString count;
QString item;
std::function<void(const QString&, const QString&)> display;

}  // namespace

void Attach(std::function<void(const QString& count, const QString& item)> show) {
    display = std::move(show);
    if (display) display(count, item);
}

void Set(const QString& countText, const QString& itemText) {
    count = countText;
    item = itemText;
    if (display) display(count, item);
}

void Clear() {
    Set(QString(), QString());
}

QString CountText() {
    return count;
}

QString ItemText() {
    return item;
}

}  // namespace JobProgress
