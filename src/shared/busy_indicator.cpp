#include "shared/busy_indicator.h"

#include <QLabel>

namespace BusyIndicator {
namespace {

QPointer<QLabel> panel;
QString detachedText;  // the state while no main window shows it

}  // namespace

void Attach(QLabel* label) {
    panel = label;
    if (panel) panel->setText(detachedText);
}

QString Text() {
    return panel ? panel->text() : detachedText;
}

void Set(const QString& text) {
    detachedText = text;
    if (panel) panel->setText(text);
}

bool JobRunning() {
    const QString text = Text();
    return text == kRunning || text == kStopping;
}

}  // namespace BusyIndicator
