#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace platform {

// What to do with a character the target charset cannot hold, invisible ones (zero-width
// joiners, variation selectors) included.
enum class Unmappable {
    Substitute,        // the charset's substitute, "?" for GBK
    NumericReference,  // "&#NNNN;", so that the character survives in HTML
};

// Decodes `bytes` in the named charset ("gb2312" is read as GBK, "utf-8" in any letter case,
// or any name the converter knows). An unknown name decodes as GBK.
QString BytesToText(const QByteArray& bytes, const QString& charset);

// Decodes `bytes` in the named charset, or nothing when they are not valid in it (a byte
// sequence the charset does not define, or one cut short).
std::optional<QString> BytesToTextExactly(const QByteArray& bytes, const QString& charset);

// Encodes `text` in the named charset.
QByteArray TextToBytes(const QString& text, const QString& charset,
                       Unmappable unmappable = Unmappable::Substitute);

// Encodes `text` in the named charset, or nothing when any character cannot be held.
std::optional<QByteArray> TextToBytesExactly(const QString& text, const QString& charset);

// The program's 8-bit text files: GBK, as the Chinese systems it serves write them. GBK keeps
// ASCII as it is, so an ASCII text needs no converter (whose first use loads its tables).
inline QByteArray ToAnsi(const QString& text, Unmappable unmappable = Unmappable::Substitute) {
    if (QtPrivate::isAscii(QStringView(text))) return text.toLatin1();
    return TextToBytes(text, QStringLiteral("gb2312"), unmappable);
}

// Text read from a file: UTF-8 when the bytes are valid UTF-8, otherwise GBK.
QString FileBytesToText(const QByteArray& bytes);

// Decodes a text that comes in pieces, such as a file read a piece at a time: a character cut
// between two pieces is finished with the next one. "utf-8" is decoded directly, any other
// charset by the converter ("gb2312" read as GBK); an unpaired surrogate is not valid UTF-16.
class PieceDecoder {
  public:
    explicit PieceDecoder(const QString& charset);
    ~PieceDecoder();
    PieceDecoder(const PieceDecoder&) = delete;
    PieceDecoder& operator=(const PieceDecoder&) = delete;

    // The text of the next piece; nothing once any byte so far was not valid in the charset.
    std::optional<QString> Decode(QByteArrayView bytes);
    // Whether the text ended on a whole character.
    bool EndsWhole();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
