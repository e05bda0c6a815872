#include "shared/url_encoding.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

#include "platform/row_table.h"

namespace {

struct EncodeCase {
    const char* name;
    QString text;
    QString gbk;
    QString utf8;
};

void PrintTo(const EncodeCase& c, std::ostream* out) {
    *out << c.name;
}

class UrlEncodingTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(UrlEncodingTest, EncodesAKeywordForAQueryValue) {
    const EncodeCase& c = GetParam();
    EXPECT_EQ(UrlEncodeGbk(c.text), c.gbk);
    EXPECT_EQ(UrlEncodeUtf8(c.text), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UrlEncodingTest,
    testing::Values(EncodeCase{"Chinese", QStringLiteral("优化"), QStringLiteral("%D3%C5%BB%AF"),
                               QStringLiteral("%E4%BC%98%E5%8C%96")},
                    EncodeCase{"Baidu", QStringLiteral("百度"), QStringLiteral("%B0%D9%B6%C8"),
                               QStringLiteral("%E7%99%BE%E5%BA%A6")},
                    EncodeCase{"MixedWithBlank", QStringLiteral("seo 优化"),
                               QStringLiteral("seo%20%D3%C5%BB%AF"),
                               QStringLiteral("seo%20%E4%BC%98%E5%8C%96")},
                    EncodeCase{"LatinDoubleByteInGbk", QStringLiteral("é"),
                               QStringLiteral("%A8%A6"), QStringLiteral("%C3%A9")},
                    EncodeCase{"GbkOnlyCharacter", QStringLiteral("喆"), QStringLiteral("%86%B4"),
                               QStringLiteral("%E5%96%86")},
                    EncodeCase{"ThreeByteUtf8Boundary", QString(QChar(0x0800)),
                               QString(QChar(0x0800)), QStringLiteral("%E0%A0%80")},
                    EncodeCase{"QueryCharacters", QStringLiteral("a&b=c#d+e%f?g"),
                               QStringLiteral("a%26b%3Dc%23d%2Be%25f%3Fg"),
                               QStringLiteral("a%26b%3Dc%23d%2Be%25f%3Fg")},
                    EncodeCase{"OtherAsciiKept", QStringLiteral("C-3.0_(x)/y"),
                               QStringLiteral("C-3.0_(x)/y"), QStringLiteral("C-3.0_(x)/y")},
                    EncodeCase{"OutsideTheBasicPlane", QStringLiteral("a😀"), QStringLiteral("a😀"),
                               QStringLiteral("a%F0%9F%98%80")},
                    EncodeCase{"Empty", QString(), QString(), QString()}),
    [](const testing::TestParamInfo<EncodeCase>& info) { return info.param.name; });

}  // namespace
