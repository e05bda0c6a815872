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

}  // namespace
