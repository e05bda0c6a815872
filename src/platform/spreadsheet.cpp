#include "platform/spreadsheet.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

#include "platform/spreadsheet_library.h"

namespace platform {
namespace {

constexpr double kDefaultFontSize = 11;
constexpr double kMaxColumnWidth = 255;

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

// Width of a text in the sheet's column unit (one digit of the default font); wide
// characters, and those beyond the basic plane, take two.
double TextWidth(const QString& text) {
    double units = 0;
    for (const QChar c : text) units += c.isSurrogate() || IsWide(c.unicode()) ? 2 : 1;
    return units;
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The number a text stands for, when it is plainly one: a decimal that a spreadsheet shows
// again as the same text. Leading zeros, a trailing zero or point after the decimals, signs
// other than a leading minus, exponents, blanks and more than 15 significant digits (beyond
// what a double keeps) leave it text.
std::optional<double> PlainNumber(const QString& text) {
    const QChar* p = text.constData();
    const QChar* const end = p + text.size();
    const bool negative = p != end && *p == u'-';
    if (negative) ++p;
    const QChar* const whole = p;
    while (p != end && IsDigit(*p)) ++p;
    const qsizetype wholeDigits = p - whole;
    if (wholeDigits == 0 || (wholeDigits > 1 && *whole == u'0')) return std::nullopt;
    qsizetype significant = *whole == u'0' ? 0 : wholeDigits;
    if (p != end) {
        if (*p != u'.') return std::nullopt;
        const QChar* const fraction = ++p;
        while (p != end && IsDigit(*p)) ++p;
        if (p != end || p == fraction || *(p - 1) == u'0') return std::nullopt;
        if (significant == 0) {
            const QChar* first = fraction;
            while (*first == u'0') ++first;
            if (first - fraction > 3) return std::nullopt;  // shown with an exponent
            significant = p - first;
        } else {
            significant += p - fraction;
        }
    }
    // A negative zero would show as "0".
    if (significant > 15 || (negative && significant == 0)) return std::nullopt;
    return text.toDouble();
}

bool IsHexDigit(QChar c) {
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Whether `text` holds "_xHHHH_" at `i`: the form in which the file stores a character it
// escapes, so a literal one has to be escaped itself.
bool EscapeLookalikeAt(const QString& text, qsizetype i) {
    if (i + 6 >= text.size() || text[i] != u'_' || text[i + 1] != u'x' || text[i + 6] != u'_')
        return false;
    for (qsizetype k = i + 2; k < i + 6; ++k)
        if (!IsHexDigit(text[k])) return false;
    return true;
}

// `value` as the file stores it: without NULs (which would end the text there), with every
// literal "_xHHHH_" escaped as "_x005F_xHHHH_" so that it reads back as typed, and cut, never
// inside a character, where the stored text would exceed what a cell holds. `*cut` tells
// whether it was cut.
QString StoredText(const QString& value, bool* cut) {
    static const QString kEscapedUnderscore = QStringLiteral("_x005F");
    QString stored;
    stored.reserve(std::min(value.size(), kMaxCellText));
    *cut = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c.isNull()) continue;
        const bool escape = EscapeLookalikeAt(value, i);
        const bool pair =
            c.isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate();
        const qsizetype length = 1 + (escape ? kEscapedUnderscore.size() : 0) + (pair ? 1 : 0);
        if (stored.size() + length > kMaxCellText) {
            *cut = true;
            break;
        }
        if (escape) stored += kEscapedUnderscore;
        stored += c;
        if (pair) stored += value[++i];
    }
    return stored;
}

// The A1 reference of a cell.
QString CellReference(int row, int column) {
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26) letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters + QString::number(row);
}

}  // namespace

struct Workbook::State {
    const spreadsheet_library::Functions* lxw = nullptr;  // the writer's library, once loaded
    QTemporaryDir folder;
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
    SpreadsheetError error;
    std::map<std::pair<double, bool>, lxw_format*> formats;
    struct RowFont {
        double size;
        bool bold;
        lxw_format* format;
    };
    std::map<int, RowFont> rowFonts;
    std::vector<double> widths;  // widest content of each column written
    QStringList cutCells;

    QString BookPath() const { return folder.filePath(QStringLiteral("book.xlsx")); }

    // Records the first failure and returns it; later calls keep returning it.
    SpreadsheetError Fail(lxw_error code) {
        if (!error.Failed())
            error = {static_cast<int>(code), QString::fromUtf8(lxw->lxw_strerror(code))};
        return error;
    }

    bool Open() const { return book && !error.Failed(); }

    // What a call on a failed or already saved workbook returns.
    SpreadsheetError Refuse() { return Fail(LXW_ERROR_FEATURE_NOT_SUPPORTED); }

    lxw_format* Format(double size, bool bold) {
        lxw_format*& format = formats[{size, bold}];
        if (!format) {
            format = lxw->workbook_add_format(book);
            lxw->format_set_font_size(format, size);
            if (bold) lxw->format_set_bold(format);
        }
        return format;
    }

    SpreadsheetError Write(int row, int column, const QString& value) {
        if (row < 1 || column < 1 || column > LXW_COL_MAX)
            return Fail(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
        const auto font = rowFonts.find(row);
        lxw_format* format = font == rowFonts.end() ? nullptr : font->second.format;
        const std::optional<double> number = PlainNumber(value);
        bool cut = false;
        const QString text = number ? value : StoredText(value, &cut);
        const lxw_error result =
            number ? lxw->worksheet_write_number(sheet, row - 1, column - 1, *number, format)
                   : lxw->worksheet_write_string(sheet, row - 1, column - 1,
                                                 text.toUtf8().constData(), format);
        if (result != LXW_NO_ERROR) return Fail(result);
        if (cut) cutCells << CellReference(row, column);

        double width = TextWidth(text);
        if (font != rowFonts.end())
            width *= font->second.size / kDefaultFontSize * (font->second.bold ? 1.1 : 1.0);
        if (static_cast<int>(widths.size()) < column) widths.resize(column, 0);
        widths[column - 1] = std::max(widths[column - 1], width);
        return error;
    }
};

Workbook::Workbook() : d_(std::make_unique<State>()) {
    d_->lxw = spreadsheet_library::Load(&d_->error);
    if (!d_->lxw) return;
    if (!d_->folder.isValid()) {
        d_->Fail(LXW_ERROR_CREATING_TMPFILE);
        return;
    }
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    d_->book = d_->lxw->workbook_new_opt(d_->BookPath().toUtf8().constData(), &options);
    if (d_->book) d_->sheet = d_->lxw->workbook_add_worksheet(d_->book, nullptr);
    if (!d_->sheet) d_->Fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
}

Workbook::~Workbook() {
    if (d_->book) d_->lxw->lxw_workbook_free(d_->book);
}

SpreadsheetError Workbook::SetRowFont(int row, double size, bool bold) {
    if (!d_->Open()) return d_->Refuse();
    if (row < 1) return d_->Fail(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
    lxw_format* format = d_->Format(size, bold);
    d_->rowFonts[row] = {size, bold, format};
    const lxw_error result =
        d_->lxw->worksheet_set_row(d_->sheet, row - 1, LXW_DEF_ROW_HEIGHT, format);
    return result == LXW_NO_ERROR ? d_->error : d_->Fail(result);
}

SpreadsheetError Workbook::SetCell(int row, int column, const QString& value) {
    if (!d_->Open()) return d_->Refuse();
    return d_->Write(row, column, value);
}

SpreadsheetError Workbook::SetBlock(int firstRow, int firstColumn, int rows, int columns,
                                    const std::function<QString(int r, int c)>& cell) {
    if (!d_->Open()) return d_->Refuse();
    if (rows < 1 || columns < 1) return d_->Fail(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (d_->Write(firstRow + r, firstColumn + c, cell(r, c)).Failed()) return d_->error;
        }
    }
    return d_->error;
}

const QStringList& Workbook::CutCells() const {
    return d_->cutCells;
}

SpreadsheetError Workbook::FitColumns() {
    if (!d_->Open()) return d_->Refuse();
    for (size_t c = 0; c < d_->widths.size(); ++c) {
        if (d_->widths[c] == 0) continue;  // an empty column keeps the default width
        const double width = std::min(kMaxColumnWidth, std::ceil(d_->widths[c] + 1.5));
        const lxw_error result = d_->lxw->worksheet_set_column(d_->sheet, c, c, width, nullptr);
        if (result != LXW_NO_ERROR) return d_->Fail(result);
    }
    return d_->error;
}

SpreadsheetError Workbook::Save(const QString& path) {
    if (!d_->Open()) return d_->Refuse();
    const lxw_error closed = d_->lxw->workbook_close(d_->book);  // frees the workbook in every case
    d_->book = nullptr;
    if (closed != LXW_NO_ERROR) return d_->Fail(closed);

    // The finished file goes into place in one step, so a failed save leaves no half a file.
    QFile finished(d_->BookPath());
    QSaveFile target(path);
    if (!finished.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
        return d_->Fail(LXW_ERROR_CREATING_XLSX_FILE);
    while (!finished.atEnd()) {
        const QByteArray chunk = finished.read(1 << 20);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size())
            return d_->Fail(LXW_ERROR_CREATING_XLSX_FILE);
    }
    if (!target.commit()) return d_->Fail(LXW_ERROR_CREATING_XLSX_FILE);
    return d_->error;
}

}  // namespace platform
