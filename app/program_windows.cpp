#include "app/program_windows.h"

#include "database_window/database_window.h"
#include "mining_window/mining_window.h"
#include "shell/work_windows.h"
#include "tools_window/tools_window.h"

void RegisterProgramWindows(ProgramFields& fields) {
    RegisterWorkWindow(WorkWindowKind::Mining, [&fields] { return new 关键词挖掘(fields.mining); });
    RegisterWorkWindow(WorkWindowKind::Tools, [&fields] { return new 关键词工具(fields.tools); });
    RegisterWorkWindow(WorkWindowKind::Database, [] { return new 关键词数据库; });
    InstallComparisonTool(&fields.comparison);
}
