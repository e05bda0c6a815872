#include "app/program_windows.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "database_window/database_window.h"
#include "mining_window/mining_window.h"
#include "shell/main_window.h"
#include "shell/program_font.h"
#include "shell/work_windows.h"
#include "tools_window/tools_window.h"

void RegisterProgramWindows(ProgramFields& fields) {
    RegisterWorkWindow(WorkWindowKind::Mining, [&fields] { return new 关键词挖掘(fields.mining); });
    RegisterWorkWindow(WorkWindowKind::Tools, [&fields] { return new 关键词工具(fields.tools); });
    RegisterWorkWindow(WorkWindowKind::Database, [] { return new 关键词数据库; });
    InstallComparisonTool(&fields.comparison);
}

std::unique_ptr<MDIfrm> StartProgram(QApplication& app) {
    // The message boxes' standard buttons speak Chinese like the rest of the program.
    static QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);
    UseChineseFont();
    static ProgramFields fields;
    RegisterProgramWindows(fields);
    auto window = std::make_unique<MDIfrm>();
    if (!window->MDIForm_Load()) return nullptr;
    return window;
}
