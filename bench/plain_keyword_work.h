#pragma once

#include <sqlite3.h>
#include <unicode/ucnv.h>

#include <QByteArray>
#include <QString>
#include <QStringView>

// The plain work a baseline does for each keyword row: its pages decoded and their values read
// by the plainest means, and its record looked up and written through the sqlite3 C API, each
// write a durable commit of its own (rollback journal, synchronous FULL), as a program that
// saves row by row must.
namespace plain_keyword_work {

// `bytes` in GBK (what pages that say gb2312 are) as text, through ICU's converter.
inline QString DecodeGbk(const QByteArray& bytes) {
    UErrorCode status = U_ZERO_ERROR;
    static UConverter* const converter = ucnv_open("windows-936", &status);
    QString text(bytes.size() + 1, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_toUChars(converter, reinterpret_cast<UChar*>(text.data()), int32_t(text.size()),
                      bytes.constData(), int32_t(bytes.size()), &status);
    text.truncate(U_FAILURE(status) ? 0 : length);
    return text;
}

// The text between the first `before` and the next `after` in `page`; empty when either is
// missing.
inline QString Between(QStringView page, QStringView before, QStringView after) {
    const qsizetype start = page.indexOf(before);
    if (start < 0) return {};
    const qsizetype from = start + before.size();
    const qsizetype end = page.indexOf(after, from);
    return end < 0 ? QString() : page.mid(from, end - from).toString();
}

// A results page's count of indexed pages, digits only.
inline QString ResultsCount(QStringView page) {
    QString count = Between(page, u"找到相关网页", u"篇");
    count.remove(u'约').remove(u',');
    return count.trimmed();
}

// The monthly and yesterday's volume of a lookup's "day-month" answer.
struct Volumes {
    QString month, day;
};
inline Volumes LookupVolumes(const QByteArray& answer) {
    const QString text = QString::fromUtf8(answer).trimmed();
    const qsizetype dash = text.indexOf(u'-');
    return dash < 0 ? Volumes{} : Volumes{text.mid(dash + 1), text.left(dash)};
}

// Table keywords of a db.db through a connection of its own, indexed by keyword as the
// program's is, every write committed durably on its own.
class Store {
  public:
    explicit Store(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db_,
                     "pragma journal_mode = delete; pragma synchronous = full;"
                     "create index if not exists plain_keys on keywords (keys)",
                     nullptr, nullptr, nullptr);
        today_ = Prepare("select * from keywords where keys = ? and date(adddate) = ?");
        stored_ = Prepare("select id from keywords where keys = ?");
        insert_ = Prepare(
            "insert into keywords (keys,parentkeys,monthrank,dayrank,baidunum,adddate) "
            "values (?,?,?,?,?,?)");
        update_ = Prepare(
            "update keywords set monthrank = ?,dayrank = ?,baidunum = ?,adddate = ? "
            "where keys = ?");
        trim_ = Prepare("delete from keywords where id > ?");
    }
    ~Store() {
        for (sqlite3_stmt* statement : {today_, stored_, insert_, update_, trim_})
            sqlite3_finalize(statement);
        sqlite3_close(db_);
    }
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Whether the keyword has a record of `today`, and whether it has any.
    bool HasRecordOf(const QString& keyword, const QString& today) {
        return Step(today_, {keyword, today}) == SQLITE_ROW;
    }
    bool HasRecord(const QString& keyword) { return Step(stored_, {keyword}) == SQLITE_ROW; }
    bool Insert(const QString& keyword, const QString& parent, const Volumes& volumes,
                const QString& count, const QString& today) {
        return Step(insert_, {keyword, parent, volumes.month, volumes.day, count, today}) ==
               SQLITE_DONE;
    }
    bool Update(const QString& keyword, const Volumes& volumes, const QString& count,
                const QString& today) {
        return Step(update_, {volumes.month, volumes.day, count, today, keyword}) == SQLITE_DONE;
    }
    // Takes out the records after the first `kept`, as the table held them before a run.
    void KeepFirst(int kept) { Step(trim_, {QString::number(kept)}); }

  private:
    sqlite3_stmt* Prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
        return statement;
    }
    static int Step(sqlite3_stmt* statement, std::initializer_list<QString> values) {
        int place = 0;
        for (const QString& value : values) {
            const QByteArray text = value.toUtf8();
            sqlite3_bind_text(statement, ++place, text.constData(), int(text.size()),
                              SQLITE_TRANSIENT);
        }
        const int result = sqlite3_step(statement);
        sqlite3_reset(statement);
        return result;
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* today_ = nullptr;
    sqlite3_stmt* stored_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    sqlite3_stmt* update_ = nullptr;
    sqlite3_stmt* trim_ = nullptr;
};

}  // namespace plain_keyword_work
