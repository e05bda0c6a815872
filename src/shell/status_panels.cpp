#include "shell/status_panels.h"

#include <QApplication>
#include <QLabel>

#include "shell/main_window.h"

void SetJobPanels(const QString& count, const QString& item) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* main = dynamic_cast<MDIfrm*>(top);
        if (!main) continue;
        main->Panel(2)->setText(count);
        main->Panel(3)->setText(item);
    }
}
