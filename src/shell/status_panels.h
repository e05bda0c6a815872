#pragma once

#include <QString>

// Panels 2 and 3 of the main window's status bar: the running count and the current item of a
// job (panel 1 is BusyIndicator's). Nothing is written while there is no main window.
void SetJobPanels(const QString& count, const QString& item);
