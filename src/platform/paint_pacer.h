#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <limits>
#include <utility>

class QWidget;

namespace platform {

// How often a widget that a job changes row by row is drawn again at most while the job runs.
inline constexpr std::chrono::milliseconds kPaintInterval{100};

// Paces the drawing of a widget that a job changes many times a second (a list it fills, the
// status bar it counts in): a change shows at once when the widget was last drawn
// kPaintInterval ago or more on the clock in force; later changes are held and shown together
// when that interval has passed. Outside a job the held changes show as soon as the program's
// own event loop runs again, and so does whatever is held when a job ends. Only the drawing
// waits: the widget's texts and rows are current all along.
class PaintPacer : public QObject {
  public:
    // `shown` runs each time held changes are let through, for an owner that holds more than
    // the drawing.
    explicit PaintPacer(QWidget* widget, std::function<void()> shown = {});

    // What the widget shows has changed: call before the widget asks to be drawn again.
    void Changed();
    // Lets whatever is held be drawn, for a widget that must be drawn at once.
    void Release();
    // Whether changes are held back from the screen now.
    bool Holding() const { return holding_; }

  private:
    // Shows what is held once the interval has passed, or once no job waits below.
    void Check();
    void Show(qint64 now);

    QWidget* widget_;
    std::function<void()> shown_;
    QTimer timer_;
    qint64 shownAt_ = std::numeric_limits<qint64>::min() / 2;
    bool holding_ = false;
    // A check is asked for when the outermost wait has returned.
    bool checkAfterWaits_ = false;
};

}  // namespace platform
