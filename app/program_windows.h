#pragma once

#include <memory>

#include "mining_window/mining_fields.h"
#include "tools_window/comparison_entry.h"
#include "tools_window/tools_fields.h"

// What the program's work windows keep from one opening to the next; it lives as long as the
// program.
struct ProgramFields {
    MiningWindowFields mining;
    ToolsWindowFields tools;
    research::ToolsWindowComparison comparison;
};

// Registers the three work windows over `fields` and the comparison page the mining and
// database windows hand their keywords to: what the program sets up before its main window
// opens.
void RegisterProgramWindows(ProgramFields& fields);

class MDIfrm;
class QApplication;

// What main() runs once the application exists: Qt's standard buttons in Chinese, a Chinese font,
// the program's windows registered and the main window opened. Nothing when the start ended the
// program (an updater took over); otherwise the main window, which the event loop then serves.
std::unique_ptr<MDIfrm> StartProgram(QApplication& app);
