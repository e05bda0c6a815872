#include "platform/paint_pacer.h"

#include <QPointer>
#include <QWidget>

#include "platform/clock.h"
#include "platform/wait.h"

namespace platform {

PaintPacer::PaintPacer(QWidget* widget, std::function<void()> shown)
    : widget_(widget), shown_(std::move(shown)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &PaintPacer::Check);
}

void PaintPacer::Changed() {
    const qint64 now = TheClock().NowMSecs();
    const qint64 since = now - shownAt_;
    // A clock set back shows at once rather than holding until it catches up.
    const bool due = since >= kPaintInterval.count() || since < 0;
    if (holding_) {
        if (due) Show(now);
        return;
    }
    if (due) {
        shownAt_ = now;
        return;
    }
    holding_ = true;
    widget_->setUpdatesEnabled(false);
    // Looked at when events are next handled: by then either a job waits below (and the
    // interval decides) or the program's own loop runs (and the changes show).
    timer_.start(0);
}

void PaintPacer::Check() {
    if (!holding_) return;
    const qint64 now = TheClock().NowMSecs();
    const qint64 left = shownAt_ + kPaintInterval.count() - now;
    if (!InNestedLoop() || left <= 0 || left > kPaintInterval.count()) {
        Show(now);
        return;
    }
    timer_.start(std::chrono::milliseconds(left));
    // A job that ends before the interval has passed shows its last changes as it returns.
    if (!std::exchange(checkAfterWaits_, true)) {
        WhenNoNestedLoop([pacer = QPointer<PaintPacer>(this)] {
            if (!pacer) return;
            pacer->checkAfterWaits_ = false;
            pacer->Check();
        });
    }
}

void PaintPacer::Release() {
    if (holding_) Show(TheClock().NowMSecs());
}

void PaintPacer::Show(qint64 now) {
    holding_ = false;
    shownAt_ = now;
    timer_.stop();
    widget_->setUpdatesEnabled(true);
    if (shown_) shown_();
}

}  // namespace platform
