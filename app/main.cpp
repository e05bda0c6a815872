#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/program_windows.h"
#include "shell/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The message boxes' standard buttons speak Chinese like the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);
    static ProgramFields fields;
    RegisterProgramWindows(fields);
    MDIfrm window;
    if (!window.MDIForm_Load()) return 0;
    return app.exec();
}
