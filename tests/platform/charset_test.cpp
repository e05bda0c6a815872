#include "platform/charset.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <random>

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

// The converter's own reading of all the bytes at once, with its default substitutes.
QString ConverterReading(const QByteArray& bytes, const char* charset) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(charset, &status);
    QString text(bytes.size() * 2 + 1, Qt::Uninitialized);
    auto* target = reinterpret_cast<UChar*>(text.data());
    const char* source = bytes.constData();
    ucnv_toUnicode(converter, &target, target + text.size(), &source, source + bytes.size(),
                   nullptr, true, &status);
    ucnv_close(converter);
    EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    text.truncate(target - reinterpret_cast<UChar*>(text.data()));
    return text;
}

// Bytes that stress the GBK family's structure: ASCII runs, lead bytes followed by trail bytes
// in the ASCII range, four-byte forms, stray and cut-short sequences, 0x80 and 0xFF.
QByteArray MixedBytes(std::mt19937& random) {
    static const char picks[] = {'a', '<', ' ', '0', '5', '9', '@', '~', '\x7F', '\0'};
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_int_distribution<int> high(0x80, 0xFF);
    std::uniform_int_distribution<int> pick(0, sizeof picks - 1);
    std::uniform_int_distribution<int> length(0, 40);
    QByteArray bytes;
    for (int i = length(random); i > 0; --i) {
        switch (kind(random)) {
            case 0:
                bytes += picks[pick(random)];
                break;
            case 1:  // a run about as long as the decoder copies without the converter
                bytes += QByteArray(60 + pick(random), 'x');
                break;
            case 2:
            case 3:
                bytes += char(high(random));
                break;
            case 4:  // a four-byte form, maybe broken
                bytes += char(high(random));
                bytes += char('0' + pick(random) % 10);
                bytes += char(high(random));
                bytes += char('0' + pick(random) % 10);
                break;
            default:
                bytes += "\xD3\xC5\xBB\xAF";
        }
    }
    return bytes;
}

// A GBK page is decoded with its ASCII runs copied as they are: the text must be the
// converter's own, for every fixture page, for random bytes, and for invalid and cut-short
// sequences alike.
TEST(CharsetTest, GbkFamilyDecodingIsTheConvertersOwn) {
    const struct {
        const char* icuName;
        QString charset;
    } charsets[] = {{"windows-936", QStringLiteral("gb2312")},
                    {"windows-936", QStringLiteral("no-such-charset")},
                    {"gb18030", QStringLiteral("GB18030")}};
    QList<QByteArray> samples = {QByteArray("plain ascii"), QByteArray("\x81"),
                                 QByteArray("ab\x81\x30"), QByteArray("\x81\x30\x81\x30"),
                                 QByteArray("\x81\x40x\xFF\x80<p>")};
    const QDir tests = QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral(".."));
    for (QDirIterator it(tests.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        if (!path.contains(QStringLiteral("/pages/"))) continue;
        QFile page(path);
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << path.toStdString();
        samples.append(page.readAll());
    }
    ASSERT_GT(samples.size(), 100);
    std::mt19937 random(24);
    for (int i = 0; i < 20000; ++i) samples.append(MixedBytes(random));
    for (const auto& [icuName, charset] : charsets)
        for (const QByteArray& bytes : samples)
            ASSERT_EQ(BytesToText(bytes, charset), ConverterReading(bytes, icuName))
                << charset.toStdString() << " " << bytes.toHex().toStdString();
}

}  // namespace
