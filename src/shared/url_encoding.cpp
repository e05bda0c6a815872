#include "shared/url_encoding.h"

#include <QStringView>

#include "platform/charset.h"

namespace {

// ASCII characters that would break a keyword out of its query value or path segment.
bool NeedsEscape(char32_t c) {
    switch (c) {
        case U' ':
        case U'&':
        case U'=':
        case U'#':
        case U'+':
        case U'%':
        case U'?':
            return true;
        default:
            return false;
    }
}

void AppendEscaped(QString& out, const QByteArray& bytes) {
    for (const char byte : bytes) {
        out += u'%';
        out += QString::number(static_cast<uchar>(byte), 16).toUpper().rightJustified(2, u'0');
    }
}

// Calls `visit` with each character of `s` as text: a surrogate pair stays together.
template <typename Visit>
void ForEachCharacter(const QString& s, Visit visit) {
    for (qsizetype i = 0; i < s.size();) {
        const qsizetype length =
            (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
        visit(QStringView(s).mid(i, length));
        i += length;
    }
}

}  // namespace

QString UrlEncodeGbk(const QString& s) {
    QString out;
    ForEachCharacter(s, [&out](QStringView character) {
        if (character.size() == 1 && character[0].unicode() < 0x80) {
            if (NeedsEscape(character[0].unicode()))
                AppendEscaped(out, QByteArray(1, static_cast<char>(character[0].unicode())));
            else
                out += character;
            return;
        }
        const std::optional<QByteArray> bytes =
            platform::TextToBytesExactly(character.toString(), QStringLiteral("gbk"));
        // Only double-byte characters are escaped; one GBK cannot hold stays as it is.
        if (bytes && bytes->size() == 2)
            AppendEscaped(out, *bytes);
        else
            out += character;
    });
    return out;
}

QString UrlEncodeUtf8(const QString& s) {
    QString out;
    ForEachCharacter(s, [&out](QStringView character) {
        if (character.size() == 1 && character[0].unicode() < 0x80 &&
            !NeedsEscape(character[0].unicode()))
            out += character;
        else
            AppendEscaped(out, character.toUtf8());
    });
    return out;
}
