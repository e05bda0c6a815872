#include "platform/charset.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace platform {
namespace {

// ICU's "gb2312" is EUC-CN and refuses GBK-only characters; pages that say gb2312 are GBK.
QByteArray IcuName(const QString& charset) {
    const QString name = charset.trimmed().toLower();
    if (name.isEmpty() || name == u"gb2312" || name == u"gbk" || name == u"cp936")
        return QByteArrayLiteral("windows-936");
    return name.toLatin1();
}

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter Open(const QString& charset) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(IcuName(charset).constData(), &status));
    if (U_FAILURE(status) || !converter) {
        status = U_ZERO_ERROR;
        converter.reset(ucnv_open("windows-936", &status));
    }
    return converter;
}

// The charset's substitute ("?" for GBK) for a character it cannot hold. ICU's own callbacks
// drop a default-ignorable character (a zero-width joiner, a variation selector) without a
// trace; this one and the next treat it as any other.
void SubstituteUnmappable(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                          UChar32, UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;  // the converter's own reset, close or clone
    *error = U_ZERO_ERROR;
    ucnv_cbFromUWriteSub(args, 0, error);
}

// "&#NNNN;" (the decimal code point) for a character the charset cannot hold.
void ReferenceUnmappable(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                         UChar32 codePoint, UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;
    *error = U_ZERO_ERROR;
    const QString reference = QStringLiteral("&#%1;").arg(codePoint);
    const auto* source = reinterpret_cast<const UChar*>(reference.utf16());
    ucnv_cbFromUWriteUChars(args, &source, source + reference.size(), 0, error);
}

std::optional<QByteArray> Encode(const QString& text, const QString& charset,
                                 UConverterFromUCallback callback) {
    Converter converter = Open(charset);
    if (!converter) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), callback, nullptr, nullptr, nullptr, &status);
    const auto* source = reinterpret_cast<const UChar*>(text.utf16());
    // A numeric reference is at most 10 bytes for one UTF-16 unit.
    QByteArray bytes(text.size() * 10 + 16, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_fromUChars(converter.get(), bytes.data(), bytes.size(), source, text.size(), &status);
    if (U_FAILURE(status)) return std::nullopt;
    bytes.truncate(length);
    return bytes;
}

// The converters of the GBK family, whose tables read every ASCII byte met between two
// characters as that character and keep no state but an unfinished character.
bool ReadsAsciiAsItIs(UConverter* converter) {
    static const std::array<QByteArray, 2> names = [] {
        std::array<QByteArray, 2> found;
        const char* const charsets[] = {"windows-936", "gb18030"};
        for (size_t i = 0; i < found.size(); ++i) {
            UErrorCode status = U_ZERO_ERROR;
            const Converter opened(ucnv_open(charsets[i], &status));
            if (U_SUCCESS(status) && opened) found[i] = ucnv_getName(opened.get(), &status);
        }
        return found;
    }();
    UErrorCode status = U_ZERO_ERROR;
    const char* const name = ucnv_getName(converter, &status);
    return U_SUCCESS(status) &&
           std::any_of(names.begin(), names.end(),
                       [name](const QByteArray& n) { return !n.isEmpty() && n == name; });
}

// One step of a decoding into [target, targetEnd): false when it failed or the room ran out.
bool Convert(UConverter* converter, UChar*& target, UChar* targetEnd, const char*& source,
             const char* sourceEnd, bool flush) {
    UErrorCode status = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, targetEnd, &source, sourceEnd, nullptr, flush, &status);
    return U_SUCCESS(status);
}

// Whether the converter holds the start of a character still to be finished.
bool MidCharacter(UConverter* converter) {
    UErrorCode status = U_ZERO_ERROR;
    return ucnv_toUCountPending(converter, &status) != 0 || U_FAILURE(status);
}

constexpr quint64 kHighBits = 0x8080808080808080ULL;

// Whether one of the eight bytes at `bytes` is not ASCII.
bool HasHighByte(const char* bytes) {
    quint64 word;
    std::memcpy(&word, bytes, sizeof word);
    return word & kHighBits;
}

// Copies the ASCII run at `source` as text, eight bytes a step while they are all ASCII; returns
// the end of the text written.
UChar* CopyAsciiRun(const char*& source, const char* end, UChar* target) {
    for (; end - source >= 8 && !HasHighByte(source); source += 8, target += 8)
        for (int i = 0; i < 8; ++i) target[i] = static_cast<uchar>(source[i]);
    for (; source < end && static_cast<uchar>(*source) < 0x80; ++source)
        *target++ = static_cast<uchar>(*source);
    return target;
}

// The start of the next ASCII run of at least kLongRun bytes from `from` (counted in whole
// eight-byte steps), or `end`. Shorter runs, between the characters of a Chinese text, cost less
// in the converter than a call of it each.
constexpr qsizetype kLongRun = 64;
const char* NextLongAsciiRun(const char* from, const char* end) {
    const char* run = from;
    for (const char* step = from; end - step >= 8; step += 8) {
        if (HasHighByte(step))
            run = step + 8;
        else if (step + 8 - run >= kLongRun)
            return run;
    }
    return end;
}

// Decodes a page of a charset that reads ASCII as it is (ReadsAsciiAsItIs): the long ASCII
// runs, most of an HTML page, are copied as they are, the rest goes through the converter. A
// byte after a lead byte goes through the converter even when it is ASCII (GBK's trail bytes
// 0x40-0x7E, GB18030's four-byte forms 0x30-0x39), so every byte is read in the same place
// as a decoding of the whole would read it. Nothing when one unit a byte is not room enough.
std::optional<QString> DecodeAsciiRunsDirectly(UConverter* converter, const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    UChar* const start = reinterpret_cast<UChar*>(text.data());
    UChar* const targetEnd = start + text.size();
    UChar* target = start;
    const char* source = bytes.constData();
    const char* const end = source + bytes.size();
    while (source < end) {
        const char* const stretchEnd = NextLongAsciiRun(source, end);
        if (!Convert(converter, target, targetEnd, source, stretchEnd, false)) return std::nullopt;
        while (source < end && MidCharacter(converter))
            if (!Convert(converter, target, targetEnd, source, source + 1, false))
                return std::nullopt;
        target = CopyAsciiRun(source, end, target);
    }
    if (!Convert(converter, target, targetEnd, source, end, true)) return std::nullopt;
    text.truncate(target - start);
    return text;
}

}  // namespace

QString BytesToText(const QByteArray& bytes, const QString& charset) {
    if (bytes.isEmpty()) return {};
    Converter converter = Open(charset);
    if (!converter) return {};
    if (ReadsAsciiAsItIs(converter.get())) {
        if (std::optional<QString> text = DecodeAsciiRunsDirectly(converter.get(), bytes))
            return *std::move(text);
        ucnv_reset(converter.get());
    }
    // Most charsets give at most one UTF-16 unit per byte; for the few that give more (a
    // compressing one such as SCSU) the text grows as the decoding goes on, so the bytes are
    // decoded once whatever the charset.
    QString text(bytes.size(), Qt::Uninitialized);
    const char* source = bytes.constData();
    const char* const sourceEnd = source + bytes.size();
    qsizetype length = 0;
    for (;;) {
        UChar* const start = reinterpret_cast<UChar*>(text.data());
        UChar* target = start + length;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(converter.get(), &target, start + text.size(), &source, sourceEnd, nullptr,
                       true, &status);
        length = target - start;
        if (status != U_BUFFER_OVERFLOW_ERROR) {
            if (U_FAILURE(status)) return {};
            break;
        }
        text.resize(text.size() * 2);
    }
    text.truncate(length);
    return text;
}

std::optional<QString> BytesToTextExactly(const QByteArray& bytes, const QString& charset) {
    if (bytes.isEmpty()) return QString();
    Converter converter = Open(charset);
    if (!converter) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    // Two UTF-16 units a byte are room enough for every charset the program reads.
    QString text(bytes.size() * 2, Qt::Uninitialized);
    auto* target = reinterpret_cast<UChar*>(text.data());
    const char* source = bytes.constData();
    status = U_ZERO_ERROR;
    ucnv_toUnicode(converter.get(), &target, target + text.size(), &source, source + bytes.size(),
                   nullptr, true, &status);
    if (U_FAILURE(status)) return std::nullopt;
    text.truncate(target - reinterpret_cast<UChar*>(text.data()));
    return text;
}

QByteArray TextToBytes(const QString& text, const QString& charset, Unmappable unmappable) {
    if (text.isEmpty()) return {};
    const std::optional<QByteArray> bytes = Encode(
        text, charset,
        unmappable == Unmappable::NumericReference ? ReferenceUnmappable : SubstituteUnmappable);
    return bytes.value_or(QByteArray());
}

std::optional<QByteArray> TextToBytesExactly(const QString& text, const QString& charset) {
    if (text.isEmpty()) return QByteArray();
    return Encode(text, charset, UCNV_FROM_U_CALLBACK_STOP);
}

QString FileBytesToText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return BytesToText(bytes, QStringLiteral("gb2312"));
}

// Qt's own decoder, telling whether it holds the start of a character.
struct DirectDecoder : QStringDecoder {
    using QStringDecoder::QStringDecoder;
    bool MidCharacter() const { return state.remainingChars != 0; }
};

struct PieceDecoder::State {
    // One of the two is in use.
    std::optional<DirectDecoder> direct;
    Converter converter;
    bool failed = false;
};

PieceDecoder::PieceDecoder(const QString& charset) : state_(std::make_unique<State>()) {
    const QString name = charset.trimmed().toLower();
    // The converter refuses an unpaired surrogate in UTF-16, where Qt's decoder passes it on.
    if (name == u"utf-8" || name == u"utf8") {
        state_->direct.emplace(QStringDecoder::Utf8, QStringDecoder::Flag::Default);
        return;
    }
    state_->converter = Open(charset);
    UErrorCode status = U_ZERO_ERROR;
    if (state_->converter)
        ucnv_setToUCallBack(state_->converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr,
                            nullptr, &status);
    state_->failed = !state_->converter || U_FAILURE(status);
}

PieceDecoder::~PieceDecoder() = default;

std::optional<QString> PieceDecoder::Decode(QByteArrayView bytes) {
    State& s = *state_;
    if (s.failed) return std::nullopt;
    if (s.direct) {
        QString text = s.direct->decode(bytes);
        s.failed = s.direct->hasError();
        return s.failed ? std::nullopt : std::optional<QString>(std::move(text));
    }
    // A byte gives at most one UTF-16 unit in the charsets read here, a character held over
    // from the last piece two more.
    QString text(bytes.size() + 2, Qt::Uninitialized);
    auto* const start = reinterpret_cast<UChar*>(text.data());
    UChar* target = start;
    const char* source = bytes.data();
    s.failed = !Convert(s.converter.get(), target, start + text.size(), source,
                        source + bytes.size(), false);
    if (s.failed) return std::nullopt;
    text.truncate(target - start);
    return text;
}

bool PieceDecoder::EndsWhole() {
    State& s = *state_;
    if (s.failed) return false;
    if (s.direct) return !s.direct->MidCharacter();
    UChar unit = 0;
    UChar* target = &unit;
    const char* source = nullptr;
    return Convert(s.converter.get(), target, target + 1, source, source, true) && target == &unit;
}

}  // namespace platform
