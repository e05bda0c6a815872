#include "keyword_lists/add_keywords_dialog.h"

#include <QCloseEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>

#include "metrics/keyword_table.h"
#include "platform/database.h"
#include "platform/modal_dialog.h"
#include "platform/prompts.h"
#include "platform/row_table.h"
#include "platform/twips.h"
#include "shared/failure_notice.h"
#include "shared/shared_connection.h"
#include "shared/text_helpers.h"
#include "shell/program_icon.h"

namespace {

QPointer<frm_AddKeywords>& Loaded() {
    static QPointer<frm_AddKeywords> dialog;
    return dialog;
}

// The table behind a mode's list: its name and keyword column; none for the manual pane.
struct KeywordTable {
    QString table;
    QString column;
};

std::optional<KeywordTable> TableOf(AddKeywordsMode mode) {
    switch (mode) {
        case AddKeywordsMode::Batch:
            return KeywordTable{QStringLiteral("kwlist"), QStringLiteral("kws")};
        case AddKeywordsMode::Database:
            return KeywordTable{QStringLiteral("keywords"), QStringLiteral("keys")};
        case AddKeywordsMode::Manual:
            break;
    }
    return std::nullopt;
}

// The keywords among `keywords` that `table` holds already, found in one pass over the table;
// nothing when the table could not be read.
std::optional<QSet<QString>> StoredAmong(platform::Connection& db, const KeywordTable& table,
                                         const QStringList& keywords) {
    std::optional<platform::Recordset> records = db.Query(
        QStringLiteral("select %1 from %2 where %1 in (select value from json_each(?))")
            .arg(table.column, table.table),
        {QString::fromUtf8(
            QJsonDocument(QJsonArray::fromStringList(keywords)).toJson(QJsonDocument::Compact))});
    if (!records) return std::nullopt;
    QSet<QString> stored;
    for (; !records->Eof(); records->MoveNext()) stored.insert(records->Text(table.column));
    return stored;
}

bool Store(platform::Connection& db, AddKeywordsMode mode, const QString& keyword) {
    switch (mode) {
        case AddKeywordsMode::Batch:
            return db.Execute(QStringLiteral("insert into kwlist (kws,setting) values (?,1)"),
                              {keyword});
        case AddKeywordsMode::Database:
            return db.Execute(
                QStringLiteral("insert into keywords (keys,adddate,parentkeys) values (?,?,?)"),
                {keyword, metrics::TodayText(), keyword});
        case AddKeywordsMode::Manual:
            break;
    }
    return true;
}

// What an add did with its new keywords.
struct AddOutcome {
    QStringList stored;
    QStringList failed;  // not written: not to be listed
    QString reason;      // why they were not written
};

// Stores each of `keywords` that `table` does not hold yet, in one write transaction whose lock
// is taken before anything else: thousands of pasted keywords are written at once, and under
// another program's lock the add waits once and writes none. The add is whole or nothing: a
// keyword the table refuses stops it with none kept, for after some failures (a full disk) the
// library has already taken the transaction back, and the writes after them would each stand
// alone.
AddOutcome StoreNewKeywords(platform::Connection& db, AddKeywordsMode mode,
                            const KeywordTable& table, QStringList keywords) {
    AddOutcome outcome;
    const auto failWhole = [&] {
        outcome.stored.clear();
        outcome.failed = keywords;
        outcome.reason = db.LastError();
        return outcome;
    };
    platform::WriteTransaction transaction(db);
    const std::optional<QSet<QString>> present =
        transaction.Begun() ? StoredAmong(db, table, keywords) : std::nullopt;
    if (!present) return failWhole();
    keywords.removeIf([&present](const QString& k) { return present->contains(k); });
    for (const QString& keyword : keywords)
        if (!Store(db, mode, keyword)) return failWhole();
    if (!transaction.Commit()) return failWhole();
    outcome.stored = keywords;
    return outcome;
}

// The keywords of the box in their order: each line trimmed of blanks and lower-cased, empty
// lines and repeats left out.
QStringList KeywordsOf(const QString& text) {
    static const QRegularExpression kLineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList keywords;
    QSet<QString> seen;
    for (const QString& line : text.split(kLineEnd)) {
        const QString keyword = TrimBlanks(line).toLower();
        if (keyword.isEmpty() || seen.contains(keyword)) continue;
        seen.insert(keyword);
        keywords << keyword;
    }
    return keywords;
}

void Tell(const QString& text) {
    platform::ThePrompts().MessageBox(text, QStringLiteral("提示"), platform::Buttons::Ok,
                                      platform::Icon::Information);
}

// Names at most ten of `keywords`.
QString Named(const QStringList& keywords) {
    QString named = keywords.mid(0, 10).join(QStringLiteral("、"));
    if (keywords.size() > 10) named += QStringLiteral(" 等");
    return named;
}

}  // namespace

AddKeywordsMode AddKeywordsModeOf(const QString& modeText) {
    if (modeText == u"1") return AddKeywordsMode::Batch;
    if (modeText == u"2") return AddKeywordsMode::Manual;
    return AddKeywordsMode::Database;
}

frm_AddKeywords::frm_AddKeywords(QWidget* parent)
    : QDialog(parent),
      Text1(new QPlainTextEdit(this)),
      Label1(new platform::Label(QStringLiteral("说明："), this)),
      Label2(new platform::Label(QStringLiteral("每行添加一个关键词。"), this)),
      Command5(new platform::CommandButton(QStringLiteral("添加关键词"), this)),
      Text2(new platform::TextBox(this)) {
    setWindowTitle(QStringLiteral("批量添加关键词"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Command5->setObjectName(QStringLiteral("Command5"));
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->SetText(QStringLiteral("Text2"));
    Text2->hide();
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    resize(platform::TwipsToPixels(5400), platform::TwipsToPixels(6300));
    platform::SetGeometryTwips(Text1, 120, 120, 5160, 4920);
    platform::SetGeometryTwips(Label1, 120, 5220, 700, 300);
    platform::SetGeometryTwips(Label2, 820, 5220, 2400, 300);
    platform::SetGeometryTwips(Command5, 3600, 5160, 1680, 420);
    connect(Command5, &platform::CommandButton::Click, this, [this] { Command5_Click(); });
}

void frm_AddKeywords::Form_Load() {
    setWindowIcon(ProgramIcon());
    platform::Connection& db = SharedConnection();
    // Unlike the windows, the dialog does not warn: the add tells what it could not write.
    if (db.ConnectionString().isEmpty()) db.Open(DatabasePath());
}

void frm_AddKeywords::Command5_Click() {
    if (Text1->toPlainText().isEmpty()) {
        Tell(QStringLiteral("必须输入关键词信息！"));
        return;
    }
    const AddKeywordsMode mode = AddKeywordsModeOf(Text2->Text());
    platform::RowTable* shown = Lists ? Lists->ShownList(mode) : nullptr;
    platform::RowTable* master = Lists ? Lists->MasterList(mode) : nullptr;
    const std::optional<KeywordTable> table = TableOf(mode);

    QStringList keywords = KeywordsOf(Text1->toPlainText());
    if (shown) keywords.removeIf([shown](const QString& k) { return shown->ContainsText(k); });
    AddOutcome outcome;
    if (table && !keywords.isEmpty())
        outcome = StoreNewKeywords(SharedConnection(), mode, *table, keywords);
    else
        outcome.stored = keywords;
    for (const QString& keyword : std::as_const(outcome.stored)) {
        if (!shown) break;
        const platform::ListItem row = shown->Add(keyword);
        if (mode == AddKeywordsMode::Batch)
            for (int j = 1; j <= 4; ++j) row.SetSubItem(j, QStringLiteral("默认设置"));
        if (master) master->Add(keyword, row.Key());
    }
    if (!outcome.failed.isEmpty())
        TellFailure(QStringLiteral("%1个关键词未能写入数据库，没有加入列表：%2\n原因：%3")
                        .arg(outcome.failed.size())
                        .arg(Named(outcome.failed), outcome.reason));
    hide();
}

void frm_AddKeywords::closeEvent(QCloseEvent* event) {
    // Only a dialog on screen can be closed by the user; an add has hidden it already.
    if (isVisible()) closed_ = true;
    QDialog::closeEvent(event);
}

frm_AddKeywords* LoadedAddKeywords() {
    return Loaded();
}

void ShowAddKeywords(AddKeywordsLists& lists, const QString& modeText) {
    if (!Loaded()) {
        // A window of its own: it outlives the window that opened it, keeping its text.
        Loaded() = new frm_AddKeywords;
        Loaded()->Form_Load();
    }
    QPointer<frm_AddKeywords> dialog = Loaded();
    dialog->Text2->SetText(modeText);
    dialog->Lists = &lists;
    platform::ShowModal(*dialog);
    if (!dialog) return;
    dialog->Lists = nullptr;
    if (dialog->Closed()) delete dialog;
}
