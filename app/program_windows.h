#pragma once

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
