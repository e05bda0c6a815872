#include "platform/controls.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace {

TEST(ComboBox, SelectingAnItemRaisesClickAndAnIndexOutsideTheListSelectsNothing) {
    platform::ComboBox combo;
    QSignalSpy clicks(&combo, &platform::ComboBox::Click);
    for (const char* item : {"0", "1", "2"}) combo.AddItem(QString::fromLatin1(item));
    EXPECT_EQ(combo.ListIndex(), -1) << "adding items selects none";

    EXPECT_FALSE(combo.SetListIndex(3));
    EXPECT_FALSE(combo.SetListIndex(-1));
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(clicks.count(), 0);

    EXPECT_TRUE(combo.SetListIndex(2));
    EXPECT_EQ(combo.Text(), QStringLiteral("2"));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(CheckBox, ValueFollowsTheTickAndEveryChangeRaisesClick) {
    platform::CheckBox box(QStringLiteral("自动登录"));
    QSignalSpy clicks(&box, &platform::CheckBox::Click);

    box.SetValue(1);
    EXPECT_EQ(box.Value(), 1);
    box.click();  // the user
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(TextBox, ChangeFollowsTextSetByCodeOrTyped) {
    platform::TextBox box;
    QSignalSpy changes(&box, &platform::TextBox::Change);
    box.SetText(QStringLiteral("3"));
    QTest::keyClicks(&box, QStringLiteral("0"));
    EXPECT_EQ(box.Text(), QStringLiteral("30"));
    EXPECT_EQ(changes.count(), 2);
}

TEST(FitLines, ShowTheirWholeTextsInOneSmallerTypeWhereALineIsShortDownToTheSmallestType) {
    QWidget window;
    QFont type = window.font();
    type.setPixelSize(14);
    window.setFont(type);
    platform::Label longer(
        QStringLiteral("“优化指数”是指关键词的搜索量x10000/关键词的百度收录网页量"), &window);
    platform::Label shorter(QStringLiteral("关键词之间的优化难易程度的对比"), &window);
    const auto needs = [](const QLabel& line) {
        return QFontMetrics(line.font())
            .boundingRect(QRect(), Qt::TextSingleLine, line.text())
            .width();
    };
    const auto pixels = [](const QLabel& line) { return QFontInfo(line.font()).pixelSize(); };
    const auto fit = [&](int width) {
        longer.resize(width, 20);
        shorter.resize(width, 20);
        platform::FitLines({&longer, &shorter});
    };
    fit(1000);
    const int full = needs(longer);
    ASSERT_EQ(pixels(longer), 14) << "room for the window's type";

    fit(full * 85 / 100);
    EXPECT_LT(pixels(longer), 14);
    EXPECT_LE(needs(longer), longer.width()) << "the whole text shows";
    EXPECT_EQ(pixels(shorter), pixels(longer)) << "one passage, one type";

    fit(full / 4);
    EXPECT_EQ(pixels(longer), platform::kSmallestLinePixels);

    fit(full + 10);
    EXPECT_EQ(pixels(longer), 14) << "wider lines take the type back";
}

}  // namespace
