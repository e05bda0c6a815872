#include "platform/charset.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

using platform::BytesToText;
using platform::TextToBytes;
using platform::Unmappable;

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

// Invisible characters GBK cannot hold are kept like visible ones: as "?" in text, as a
// numeric reference in HTML.
TEST(CharsetTest, GbkKeepsInvisibleCharactersItCannotHoldAsSubstitutesOrReferences) {
    const struct {
        QString text;
        QByteArray substituted;
        QByteArray referenced;
    } cases[] = {
        {QStringLiteral("👨\u200D👩"), "???", "&#128104;&#8205;&#128105;"},   // zero-width joiner
        {QStringLiteral("☺\uFE0F"), "??", "&#9786;&#65039;"},               // variation selector
        {QStringLiteral("a\u200Bb\u2060c"), "a?b?c", "a&#8203;b&#8288;c"},  // zero-width spaces
        {QStringLiteral("x\u00ADy"), "x?y", "x&#173;y"},                    // soft hyphen
        {QStringLiteral("한"), "?", "&#54620;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::ToAnsi(c.text), c.substituted) << c.text.toStdString();
        EXPECT_EQ(platform::ToAnsi(c.text, Unmappable::NumericReference), c.referenced)
            << c.text.toStdString();
    }
}

// ASCII text is written without the converter; the bytes must be the converter's, control
// characters and the last ASCII character included.
TEST(CharsetTest, AnsiOfAsciiTextIsTheConvertersBytes) {
    QString everyAscii;
    for (char16_t c = 0; c < 0x80; ++c) everyAscii += QChar(c);
    for (const QString& text : {QStringLiteral("4.0\r\n"), QString(), everyAscii})
        EXPECT_EQ(platform::ToAnsi(text),
                  TextToBytes(text + QStringLiteral("优"), QStringLiteral("gb2312")).chopped(2))
            << text.toStdString();
}

}  // namespace
