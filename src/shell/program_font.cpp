#include "shell/program_font.h"

#include <QApplication>
#include <QFontDatabase>

void UseChineseFont() {
    // The first one installed is taken.
    static const char* const kChineseFonts[] = {
        "Microsoft YaHei UI",  "Microsoft YaHei",   "Noto Sans CJK SC", "Source Han Sans SC",
        "WenQuanYi Micro Hei", "WenQuanYi Zen Hei", "SimSun",
    };
    const QStringList installed = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const char* family : kChineseFonts) {
        const QString name = QString::fromLatin1(family);
        if (!installed.contains(name, Qt::CaseInsensitive)) continue;
        QFont font = QApplication::font();
        font.setFamily(name);
        QApplication::setFont(font);
        return;
    }
}
