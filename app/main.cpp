#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "database_window/database_window.h"
#include "mining_window/mining_window.h"
#include "shell/main_window.h"
#include "tools_window/comparison_entry.h"
#include "tools_window/tools_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The message boxes' standard buttons speak Chinese like the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);
    // The work windows' fields outlive each opening of their window.
    static MiningWindowFields miningFields;
    static ToolsWindowFields toolsFields;
    RegisterWorkWindow(WorkWindowKind::Mining, [] { return new 关键词挖掘(miningFields); });
    RegisterWorkWindow(WorkWindowKind::Tools, [] { return new 关键词工具(toolsFields); });
    RegisterWorkWindow(WorkWindowKind::Database, [] { return new 关键词数据库; });
    // The tools window's comparison page, as the mining and database windows hand it their
    // keywords.
    static research::ToolsWindowComparison comparison;
    InstallComparisonTool(&comparison);
    MDIfrm window;
    if (!window.MDIForm_Load()) return 0;
    return app.exec();
}
