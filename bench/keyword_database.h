#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "side_by_side.h"
#include "support/program_folder_fixture.h"

// db.db files that hold many keywords, as a user's does after months of work, made in one
// transaction through the sqlite3 C API: a million keywords take a few seconds. The files are
// made once per run of a benchmark and kept until it ends.
namespace keyword_database {

// The keywords a benchmark can ask for: distinct, and not in sorted order.
inline QString StoredKeyword(int row, int rows) {
    return QStringLiteral("减肥方法%1大全").arg(qint64(row) * 7919 % rows);
}

// Adds `rows` keywords with made-up metrics and dates to table keywords of the db.db at
// `path`.
inline bool AddKeywords(const QString& path, int rows) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_stmt* insert = nullptr;
    bool written =
        sqlite3_exec(db, "begin", nullptr, nullptr, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db,
                           "insert into keywords (keys,parentkeys,monthrank,dayrank,baidunum,"
                           "adddate) values (?,?,?,?,?,?)",
                           -1, &insert, nullptr) == SQLITE_OK;
    for (int i = 0; written && i < rows; ++i) {
        const std::array<QByteArray, 6> values = {
            StoredKeyword(i, rows).toUtf8(),
            QByteArrayLiteral("减肥"),
            QByteArray::number(i * 7 % 90000),
            i % 5 ? QByteArray::number(i % 3000) : QByteArrayLiteral("-"),
            QByteArray::number(qint64(i) * 131 % 9000000 + 1),
            QStringLiteral("2026-%1-%2").arg(1 + i % 12).arg(1 + i % 28).toUtf8()};
        for (int v = 0; v < 6; ++v)
            sqlite3_bind_text(insert, v + 1, values[v].constData(), int(values[v].size()),
                              SQLITE_TRANSIENT);
        written = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    written = written && sqlite3_exec(db, "commit", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return written;
}

// Copies of the fresh db.db that the build makes, each holding a number of keywords; made on
// first use and kept.
class Files {
  public:
    explicit Files(QString freshDatabase) : fresh_(std::move(freshDatabase)) {}

    // A file of its own holding `rows` keywords, for the one who asks by `name`.
    QString Path(int rows, const QString& name = QStringLiteral("db")) {
        QString& path = paths_[{rows, name}];
        if (path.isEmpty()) {
            path = folder_.filePath(QStringLiteral("%1-%2.db").arg(name).arg(rows));
            if (!QFile::copy(fresh_, path) || !AddKeywords(path, rows)) qFatal("no database");
        }
        return path;
    }

  private:
    QString fresh_;
    QTemporaryDir folder_;
    std::map<std::pair<int, QString>, QString> paths_;
};

// Files made from a fresh db.db of a program folder of their own, shared by a benchmark's cases.
inline Files& SharedFiles() {
    static struct Made {
        Made() { folder.AddFreshDatabase(); }
        testing_support::TemporaryProgramFolder folder;
        Files files{folder.FilePath(QStringLiteral("db.db"))};
    } made;
    return made.files;
}

// How many keywords the table holds in the cases that measure costs as the database grows.
inline constexpr int kStoredSizes[] = {40, 10000, 100000, 1000000};
// The sizes of the cases that measure a shown window's work per keyword, which takes long: a
// list longer than the window shows, and the largest.
inline constexpr int kShownSizes[] = {10000, 1000000};
// The sizes of the start-up's cases: the smallest and the largest.
inline constexpr int kStartupSizes[] = {40, 1000000};

// Registers a case at every one of kStoredSizes, its argument.
inline void AtEveryStoredSize(benchmark::internal::Benchmark* benchmark) {
    for (const int rows : kStoredSizes) benchmark->Arg(rows);
}
// Registers a case at every one of kShownSizes, its argument.
inline void AtShownSizes(benchmark::internal::Benchmark* benchmark) {
    for (const int rows : kShownSizes) benchmark->Arg(rows);
}

// The goal `what` at every one of `sizes`, for the cases registered at those sizes.
inline std::vector<side_by_side::Goal> AtSizes(std::span<const int> sizes, const std::string& what,
                                               const std::string& subject,
                                               const std::string& baseline, double atMost,
                                               const std::string& counter = {}) {
    std::vector<side_by_side::Goal> goals;
    for (const int rows : sizes) {
        const std::string arg = "/" + std::to_string(rows);
        goals.push_back({what + ", " + side_by_side::Grouped(rows) + " stored", subject + arg,
                         baseline + arg, atMost, counter});
    }
    return goals;
}

// The goal `what` at every one of kStoredSizes, for the cases registered by AtEveryStoredSize.
inline std::vector<side_by_side::Goal> AtEveryStoredSize(const std::string& what,
                                                         const std::string& subject,
                                                         const std::string& baseline, double atMost,
                                                         const std::string& counter = {}) {
    return AtSizes(kStoredSizes, what, subject, baseline, atMost, counter);
}

}  // namespace keyword_database
