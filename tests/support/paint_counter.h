#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <map>
#include <string>

namespace testing_support {

// Counts the paint events of the widgets it watches, by the name each was watched under.
class PaintCounter : public QObject {
  public:
    void Watch(QWidget* widget, const std::string& name) {
        names_[widget] = name;
        widget->installEventFilter(this);
    }
    void Reset() { counts_.clear(); }
    int Count(const std::string& name) const {
        const auto found = counts_.find(name);
        return found == counts_.end() ? 0 : found->second;
    }
    // "name=count" for every name painted, in the order of the names.
    std::string Report() const {
        std::string report;
        for (const auto& [name, count] : counts_)
            report += (report.empty() ? "" : " ") + name + "=" + std::to_string(count);
        return report;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++counts_[names_[watched]];
        return false;
    }

  private:
    std::map<QObject*, std::string> names_;
    std::map<std::string, int> counts_;
};

}  // namespace testing_support
