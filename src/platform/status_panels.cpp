#include "platform/status_panels.h"

namespace platform {

StatusPanels::StatusPanels(std::initializer_list<Panel> panels, QWidget* parent)
    : QStatusBar(parent), pacer_(this) {
    for (const Panel& panel : panels) {
        auto* label = new QLabel;
        label->setMinimumWidth(panel.minimumWidth);
        addWidget(label, panel.stretch ? 1 : 0);
        panels_ << label;
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
}

void StatusPanels::DrawNow() {
    pacer_.Release();
    repaint();
}

}  // namespace platform
