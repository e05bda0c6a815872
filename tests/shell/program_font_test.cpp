#include "shell/program_font.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>

namespace {

// The windows' texts are Chinese: the program's font holds them itself, at the size the
// system gives.
TEST(ProgramFontTest, TheWindowsUseTheSystemsChineseFontAtTheUsualSize) {
    const QFont usual = QApplication::font();
    UseChineseFont();
    const QFont used = QApplication::font();
    QApplication::setFont(usual);

    EXPECT_TRUE(
        QFontDatabase::writingSystems(used.family()).contains(QFontDatabase::SimplifiedChinese))
        << used.family().toStdString();
    EXPECT_EQ(used.pointSizeF(), usual.pointSizeF());
}

}  // namespace
