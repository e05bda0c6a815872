#include "platform/charset.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

using platform::BytesToText;
using platform::TextToBytes;

// A compressing charset gives more UTF-16 units than it has bytes: 50 emoji are about 50 bytes
// of SCSU or BOCU-1 and 100 units of text.
TEST(CharsetTest, DecodingGivesTheWholeTextWhenItIsLongerThanTheBytes) {
    QString text;
    for (int i = 0; i < 50; ++i) text += QStringLiteral("😀");
    text += QStringLiteral("优化");
    for (const QString& charset : {QStringLiteral("SCSU"), QStringLiteral("BOCU-1")}) {
        const QByteArray bytes = TextToBytes(text, charset);
        ASSERT_LT(bytes.size(), text.size()) << charset.toStdString();
        EXPECT_EQ(BytesToText(bytes, charset), text) << charset.toStdString();
    }
    EXPECT_EQ(BytesToText(QByteArray("\xD3\xC5\xBB\xAF", 4), QStringLiteral("gb2312")),
              QStringLiteral("优化"));
}

}  // namespace
