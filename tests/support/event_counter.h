#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <map>
#include <string>

namespace testing_support {

// Counts the events of one type (paints, layout requests) that the widgets it watches receive,
// by the name each was watched under.
class EventCounter : public QObject {
  public:
    explicit EventCounter(QEvent::Type type) : type_(type) {}

    void Watch(QWidget* widget, const std::string& name) {
        names_[widget] = name;
        widget->installEventFilter(this);
    }
    void Reset() { counts_.clear(); }
    int Count(const std::string& name) const {
        const auto found = counts_.find(name);
        return found == counts_.end() ? 0 : found->second;
    }
    // Handles events until a widget watched under `name` receives the event, which the window
    // system may send on a timer of its own; false if that has not happened after many seconds.
    bool WaitFor(const std::string& name) {
        const QDeadlineTimer deadline(std::chrono::seconds(30));
        while (Count(name) == 0 && !deadline.hasExpired()) {
            QTimer bound;
            bound.setSingleShot(true);
            bound.start(std::chrono::milliseconds(10));
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return Count(name) > 0;
    }
    // "name=count" for every name counted, in the order of the names.
    std::string Report() const {
        std::string report;
        for (const auto& [name, count] : counts_)
            report += (report.empty() ? "" : " ") + name + "=" + std::to_string(count);
        return report;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_) ++counts_[names_[watched]];
        return false;
    }

  private:
    QEvent::Type type_;
    std::map<QObject*, std::string> names_;
    std::map<std::string, int> counts_;
};

}  // namespace testing_support
