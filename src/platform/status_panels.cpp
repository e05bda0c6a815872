#include "platform/status_panels.h"

#include <utility>

namespace platform {

// Holds a panel's label without a layout of its own, so that a new text lays out nothing by
// itself: the bar decides when the slot asks to be laid out again.
class StatusPanels::Slot : public QWidget {
  public:
    explicit Slot(QLabel* label) : label_(label) { label->setParent(this); }

    QSize sizeHint() const override { return label_->sizeHint(); }
    QSize minimumSizeHint() const override { return label_->minimumSizeHint(); }
    void HoldLayout() { layoutHeld_ = true; }
    void ShowHeldLayout() {
        if (std::exchange(layoutHeld_, false)) updateGeometry();
    }

  protected:
    void resizeEvent(QResizeEvent*) override { label_->setGeometry(rect()); }

  private:
    QLabel* label_;
    bool layoutHeld_ = false;
};

StatusPanels::StatusPanels(std::initializer_list<Panel> panels, QWidget* parent)
    : QStatusBar(parent), pacer_(this, [this] {
          for (Slot* slot : slots_) slot->ShowHeldLayout();
      }) {
    for (const Panel& panel : panels) {
        auto* label = new QLabel;
        auto* slot = new Slot(label);
        slot->setMinimumWidth(panel.minimumWidth);
        addWidget(slot, panel.stretch ? 1 : 0);
        panels_ << label;
        slots_ << slot;
    }
}

QString StatusPanels::Text(int index) const {
    const QLabel* label = PanelLabel(index);
    return label ? label->text() : QString();
}

void StatusPanels::SetText(int index, const QString& text) {
    QLabel* label = PanelLabel(index);
    if (!label || label->text() == text) return;
    pacer_.Changed();
    label->setText(text);
    Slot* slot = slots_[index - 1];
    if (pacer_.Holding())
        slot->HoldLayout();
    else
        slot->updateGeometry();
}

void StatusPanels::DrawNow() {
    pacer_.Release();
    repaint();
}

}  // namespace platform
