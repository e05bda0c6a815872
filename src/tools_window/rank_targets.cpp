#include "tools_window/rank_targets.h"

#include <QSet>

#include "platform/prompts.h"
#include "shared/failure_notice.h"
#include "shared/list_import.h"
#include "shared/shared_connection.h"
#include "shared/text_helpers.h"
#include "shell/database_bootstrap.h"
#include "tools_window/notices.h"
#include "tools_window/record_writes.h"

namespace {

// What the commands say and ask, for each list.
struct ListTexts {
    QString what;
    QChar separator;
    QString addPrompt;
    QString noCurrentRow;  // add and import in the entry list without a current row
    QString importTitle;
    QString deleteQuestion;
    QString deleteNoCurrentRow;
    QString exists;  // a combination whose row is stored already
};

const ListTexts& TextsOf(TargetList list) {
    static const ListTexts sites{
        QStringLiteral("网站"),
        u'#',
        QStringLiteral("请输入要查询排名的网站(多个用\"#\"分开)"),
        QStringLiteral("请选择要查询的关键词！"),
        QStringLiteral("导入网站列表"),
        QStringLiteral("确实要删除选中的网站吗？"),
        QStringLiteral("必须选中一个关键词！"),
        QStringLiteral("该网站已经存在！"),
    };
    static const ListTexts keywords{
        QStringLiteral("关键词"),
        u'|',
        QStringLiteral("请输入要查询排名的关键词(多个用\"|\"分开)"),
        QStringLiteral("请选择要查询的网站！"),
        QStringLiteral("导入关键词列表"),
        QStringLiteral("确实要删除选中的关键词吗？"),
        QStringLiteral("必须选中一个网站！"),
        QStringLiteral("该关键词已经存在！"),
    };
    return list == TargetList::Sites ? sites : keywords;
}

const QString kInputTitle = QStringLiteral("关键词排名查询");
// The texts told of one refusal at most; the rest are counted.
constexpr int kRefusalsShown = 5;

QString Ask(const QString& prompt) {
    return platform::ThePrompts().InputBox(prompt, kInputTitle, QString());
}

void TellRefused(const QStringList& refused) {
    if (refused.isEmpty()) return;
    QString text = QStringLiteral("以下内容含有“|”，没有添加：\r\n") +
                   refused.mid(0, kRefusalsShown).join(QStringLiteral("\r\n"));
    if (refused.size() > kRefusalsShown)
        text += QStringLiteral("\r\n……共 %1 项").arg(refused.size());
    Notice(text);
}

void TellNotStored(const QString& error) {
    TellFailure(QStringLiteral("写入数据库失败：") + error);
}

void TellNotRead(const platform::Connection& db) {
    TellFailure(QStringLiteral("读取数据库失败：") + db.LastError());
}

qint64 TagId(const platform::RowTable& list, int row) {
    return list.Tag(row).toLongLong();
}

}  // namespace

QString EntryRefusal(const QString& trimmedText) {
    if (trimmedText.isEmpty()) return QStringLiteral("网站或关键词不能为空！");
    if (trimmedText.contains(u'|'))
        return QStringLiteral("网站或关键词中不能含有“|”：") + trimmedText;
    return {};
}

QStringList TakeNewEntries(const QStringList& texts, LowerCaseTexts& present,
                           QStringList* refused) {
    QStringList taken;
    for (const QString& text : texts) {
        const QString entry = TrimBlanks(text);
        if (entry.isEmpty() || present.Contains(entry)) continue;
        if (!EntryRefusal(entry).isEmpty()) {
            *refused << entry;
            continue;
        }
        present.Insert(entry);
        taken << entry;
    }
    return taken;
}

bool RankTargets::IsRowList(TargetList list) const {
    return (list == TargetList::Sites) == (mode_ == 0);
}

platform::RowTable& RankTargets::Table(TargetList list) {
    return list == TargetList::Sites ? sites_ : keywords_;
}

platform::RowTable& RankTargets::RowList() {
    return mode_ == 0 ? sites_ : keywords_;
}

platform::RowTable& RankTargets::EntryList() {
    return mode_ == 0 ? keywords_ : sites_;
}

kws_table::Kind RankTargets::RowKind() const {
    return mode_ == 0 ? kws_table::Kind::Site : kws_table::Kind::Keyword;
}

qint64& RankTargets::CurrentId() {
    return mode_ == 0 ? CurrentSiteId : CurrentKeywordId;
}

void RankTargets::chgkws(qint64 l) {
    kws_table::LoadEntries(SharedConnection(), l, keywords_);
}

void RankTargets::chgwzs(qint64 l) {
    kws_table::LoadEntries(SharedConnection(), l, sites_);
}

void RankTargets::LoadCurrentEntries() {
    if (mode_ == 0)
        chgkws(CurrentSiteId);
    else
        chgwzs(CurrentKeywordId);
}

void RankTargets::SwitchMode(int mode) {
    mode_ = mode;
    sites_.Clear();
    keywords_.Clear();
    CurrentSiteId = 0;
    CurrentKeywordId = 0;
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) return;
    kws_table::LoadRows(SharedConnection(), RowKind(), RowList());
}

void RankTargets::RowChecked(TargetList list, int row) {
    if (!IsRowList(list)) return;
    platform::RowTable& rows = RowList();
    const bool checked = rows.Checked(row);
    rows.SetAllChecked(false);
    rows.SetChecked(row, checked);
    CurrentId() = TagId(rows, row);
    LoadCurrentEntries();
    if (!checked) {
        CurrentId() = 0;
        EntryList().Clear();
    }
}

void RankTargets::RowClicked(TargetList list, int row) {
    if (!IsRowList(list)) return;
    platform::RowTable& rows = RowList();
    rows.SetAllChecked(false);
    rows.SetChecked(row, true);
    CurrentId() = TagId(rows, row);
    LoadCurrentEntries();
}

void RankTargets::Edited(TargetList list, int row, const QString& text) {
    if (const QString refusal = EntryRefusal(TrimBlanks(text)); !refusal.isEmpty()) {
        Notice(refusal);
        return;
    }
    // Kept as typed: the run trims what it uses.
    platform::RowTable& table = Table(list);
    const QString before = table.Text(row);
    table.SetText(row, text);
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) return;
    platform::Connection& db = SharedConnection();
    const bool stored =
        IsRowList(list) ? kws_table::RenameRow(db, TagId(table, row), text)
                        : kws_table::WriteEntries(db, CurrentId(), kws_table::JoinEntries(table));
    if (stored) return;
    table.SetText(row, before);
    TellNotStored(db.LastError());
}

void RankTargets::ReloadRowList() {
    platform::RowTable& rows = RowList();
    if (!kws_table::LoadRows(SharedConnection(), RowKind(), rows)) {
        TellNotRead(SharedConnection());
        return;
    }
    if (rows.Count() == 0) {
        CurrentId() = 0;
        EntryList().Clear();
        return;
    }
    rows.SetChecked(rows.Count(), true);
    CurrentId() = TagId(rows, rows.Count());
    LoadCurrentEntries();
}

bool RankTargets::StoreEntries() {
    platform::Connection& db = SharedConnection();
    if (kws_table::WriteEntries(db, CurrentId(), kws_table::JoinEntries(EntryList()))) return true;
    TellNotStored(db.LastError());
    return false;
}

int RankTargets::StoreNewEntries(TargetList list, const QStringList& taken, QString* error) {
    platform::Connection& db = SharedConnection();
    if (IsRowList(list)) {
        const int stored = kws_table::InsertRows(db, RowKind(), taken);
        if (stored < taken.size()) *error = db.LastError();
        // Nothing new to show after a write that failed whole: the list stays as it is.
        if (stored > 0 || taken.isEmpty()) ReloadRowList();
        return stored;
    }
    platform::RowTable& table = Table(list);
    QSet<quint64> added;
    for (const QString& entry : taken) {
        const platform::ListItem row = table.Add(entry);
        row.SetChecked(true);
        added.insert(row.Key());
    }
    // The list shows what is stored: entries the record did not take are taken back.
    if (!kws_table::WriteEntries(db, CurrentId(), kws_table::JoinEntries(EntryList()))) {
        *error = db.LastError();
        table.RemoveWhere([&](int i) { return added.contains(table.Key(i)); });
        return 0;
    }
    return int(taken.size());
}

void RankTargets::AddTexts(TargetList list, const QStringList& texts) {
    LowerCaseTexts present(Table(list));
    QStringList refused;
    QString error;
    StoreNewEntries(list, TakeNewEntries(texts, present, &refused), &error);
    if (!error.isEmpty()) TellNotStored(error);
    TellRefused(refused);
}

void RankTargets::Add(TargetList list) {
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) return;
    const ListTexts& texts = TextsOf(list);
    if (!IsRowList(list) && CurrentId() == 0) {
        Notice(texts.noCurrentRow);
        return;
    }
    const QString answer = Ask(texts.addPrompt);
    const QStringList pieces = TrimBlanks(answer).split(texts.separator);
    // A cancelled box answers nothing; an answer of blanks and separators alone is told.
    const bool nothingTyped = !answer.isEmpty() && TrimBlanks(pieces.join(QString())).isEmpty();
    AddTexts(list, pieces);
    if (nothingTyped) Notice(EntryRefusal(QString()));
}

void RankTargets::Import(TargetList list) {
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) return;
    const ListTexts& texts = TextsOf(list);
    const QString path = TrimBlanks(
        platform::ThePrompts().OpenFile(texts.importTitle, QStringLiteral("文本文件 (*.txt)")));
    if (path.isEmpty()) return;
    if (!IsRowList(list) && CurrentId() == 0) {
        Notice(texts.noCurrentRow);
        return;
    }
    LowerCaseTexts present(Table(list));
    QStringList taken;
    list_import::ImportOutcome outcome =
        list_import::ImportListFile(path, {.take = [&](const QString& entry) {
                                        if (present.Contains(entry))
                                            return list_import::EntryFate::Present;
                                        if (!EntryRefusal(entry).isEmpty())
                                            return list_import::EntryFate::Refused;
                                        present.Insert(entry);
                                        taken << entry;
                                        return list_import::EntryFate::Imported;
                                    }});
    // Stored only once the whole file has been read: a file that fails leaves the lists alone.
    if (outcome.refusal == list_import::Refusal::None) {
        const int stored = StoreNewEntries(list, taken, &outcome.error);
        outcome.notWritten += outcome.imported - stored;
        outcome.imported = stored;
    }
    if (const QString message =
            list_import::ImportMessage(outcome, path, texts.what, QStringLiteral("含有“|”"));
        !message.isEmpty())
        TellOutcome(message, list_import::ImportFailed(outcome));
}

void RankTargets::DeleteChecked(TargetList list) {
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) return;
    const ListTexts& texts = TextsOf(list);
    platform::RowTable& table = Table(list);
    if (!IsRowList(list)) {
        if (CurrentId() == 0) {
            Notice(texts.deleteNoCurrentRow);
            return;
        }
        if (!AskYesNo(texts.deleteQuestion)) return;
        table.RemoveChecked();
        StoreEntries();
        return;
    }
    if (!AskYesNo(texts.deleteQuestion)) return;
    platform::Connection& db = SharedConnection();
    if (DeleteCheckedRecords(db, QStringLiteral("kws"), table).failed)
        TellNotStored(db.LastError());
    EntryList().Clear();
    CurrentId() = 0;
}

void RankTargets::AddCombination() {
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) return;
    const TargetList rowList = mode_ == 0 ? TargetList::Sites : TargetList::Keywords;
    const QString answer = Ask(mode_ == 0 ? QStringLiteral("请输入要查询的网站")
                                          : QStringLiteral("请输入要查询的关键词"));
    if (answer.isEmpty()) return;
    const QString text = TrimBlanks(answer);
    if (const QString refusal = EntryRefusal(text); !refusal.isEmpty()) {
        Notice(refusal);
        return;
    }
    platform::Connection& db = SharedConnection();
    const std::optional<bool> exists = kws_table::RowExists(db, RowKind(), text);
    if (!exists) {
        TellNotRead(db);
        return;
    }
    if (*exists) {
        Notice(TextsOf(rowList).exists);
        return;
    }
    platform::RowTable& rows = RowList();
    rows.SetAllChecked(false);
    const quint64 key = rows.Add(text).Key();
    rows.SetChecked(rows.IndexOfKey(key), true);

    const QString entriesAnswer =
        Ask(mode_ == 0 ? QStringLiteral("请输入要查询的关键词(多个用\"#\"分开)")
                       : QStringLiteral("请输入要查询的网站(多个用\"#\"分开)"));
    LowerCaseTexts present;
    QStringList refused;
    const QStringList entries =
        TakeNewEntries(TrimBlanks(entriesAnswer).split(u'#'), present, &refused);
    const std::optional<qint64> id =
        kws_table::InsertRowWithEntries(db, RowKind(), text, entries.join(u'|'));
    if (!id) {
        rows.Remove(rows.IndexOfKey(key));
        TellNotStored(db.LastError());
        return;
    }
    rows.SetTag(rows.IndexOfKey(key), QString::number(*id));
    CurrentId() = *id;
    LoadCurrentEntries();
    TellRefused(refused);
}
