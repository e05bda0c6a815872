#pragma once

#include <QIcon>

// The program's own icon: the main window's, the tray's and the dialogs' that take it.
QIcon ProgramIcon();
