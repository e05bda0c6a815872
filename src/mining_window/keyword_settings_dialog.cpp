#include "mining_window/keyword_settings_dialog.h"

#include "metrics/number_text.h"
#include "mining_window/batch_keywords.h"
#include "mining_window/notice.h"
#include "mining_window/twips_layout.h"
#include "platform/row_table.h"
#include "shared/failure_notice.h"
#include "shared/shared_connection.h"
#include "shared/text_helpers.h"

namespace {

using twips_layout::Caption;
using twips_layout::Put;

const QString kAlreadyListed = QStringLiteral("本关键词列表中已经存在！");

}  // namespace

frm_KeywordsSet::frm_KeywordsSet(platform::RowTable& batchList, QWidget* parent)
    : QDialog(parent), batchList_(batchList) {
    setWindowTitle(QStringLiteral("确定"));
    platform::SetGeometryTwips(this, 0, 0, 5400, 4680);
    Put(NAMED(Label1), new platform::Label(QStringLiteral("关键词："), this), 240, 270, 900, 255);
    Put(NAMED(Text1), new platform::TextBox(this), 1140, 240, 3000, 300);
    Put(NAMED(Check2), new platform::CheckBox(QStringLiteral("采用默认设置"), this), 240, 660, 2400,
        270);

    Put(NAMED(Frame2), new platform::Frame(QStringLiteral("批量设置"), this), 240, 1020, 4920,
        1200);
    Caption(Frame2, QStringLiteral("本词最多查询："), 120, 330, 1260);
    Put(NAMED(Text2), new platform::TextBox(Frame2), 1380, 300, 720, 300);
    Caption(Frame2, QStringLiteral("个相关关键词"), 2160, 330, 1140);
    Caption(Frame2, QStringLiteral("（0表示无限）"), 3300, 330, 1500);
    Caption(Frame2, QStringLiteral("本词查完后，查询结果自动保存为"), 120, 780, 2760);
    Put(NAMED(Combo1), new platform::ComboBox(Frame2), 2880, 750, 1200, 330);
    for (const char* format : {"不保存", "Excel", "Html", "Txt"})
        Combo1->AddItem(QString::fromUtf8(format));

    Put(NAMED(Frame1), new platform::Frame(QStringLiteral("挖掘设置"), this), 240, 2340, 4920,
        1560);
    Put(NAMED(Check1), new platform::CheckBox(QStringLiteral("相关关键词中必须包含关键词"), Frame1),
        120, 300, 4680, 270);
    Put(NAMED(Check9),
        new platform::CheckBox(QStringLiteral("相关关键词中不包含以下关键词："), Frame1), 120, 600,
        4680, 270);
    Put(NAMED(Text8), new platform::TextBox(Frame1), 360, 900, 4440, 300);
    Text8->setEnabled(false);
    Caption(Frame1, QStringLiteral("（多个词间用#分开，可单独设置）"), 360, 1230, 4440);

    // The row an edit works on: its keyword before the edit and its position.
    Put(NAMED(Text3), new platform::TextBox(this), 240, 4080, 1200, 300);
    Put(NAMED(Text4), new platform::TextBox(this), 1500, 4080, 600, 300);
    Put(NAMED(Command1), new platform::CommandButton(QStringLiteral("确定"), this), 2400, 4020,
        1260, 390);
    Put(NAMED(Command2), new platform::CommandButton(QStringLiteral("取消"), this), 3840, 4020,
        1260, 390);

    connect(Check2, &platform::CheckBox::Click, this, [this] { Check2_Click(); });
    connect(Check9, &platform::CheckBox::Click, this, [this] { Check9_Click(); });
    connect(Text2, &platform::TextBox::Change, this, [this] { Text2_Change(); });
    connect(Text3, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
    connect(Command1, &platform::CommandButton::Click, this, [this] { Command1_Click(); });
    connect(Command2, &platform::CommandButton::Click, this, [this] { Command2_Click(); });
}

void frm_KeywordsSet::Form_Load() {
    Combo1->SetListIndex(1);
    // Like the windows, the dialog opens the shared connection when nobody has; a missing
    // db.db then makes its statements fail, which it tells.
    if (SharedConnection().ConnectionString().isEmpty()) SharedConnection().Open(DatabasePath());
}

void frm_KeywordsSet::Check2_Click() {
    const bool own = Check2->Value() == 0;
    Frame1->setEnabled(own);
    Frame2->setEnabled(own);
}

void frm_KeywordsSet::Check9_Click() {
    const bool exclude = Check9->Value() == 1;
    if (!exclude) Text8->SetText(QString());
    Text8->setEnabled(exclude);
}

void frm_KeywordsSet::Text2_Change() {
    if (!Text2->Text().isEmpty() && !metrics::ReadWhole32(Text2->Text())) Text2->SetText(QString());
}

void frm_KeywordsSet::Command1_Click() {
    if (Text1->Text().isEmpty()) {
        Notice(QStringLiteral("必须输入关键词！"));
        return;
    }
    const QString keyword = TrimBlanks(Text1->Text().toLower());
    if (Text2->Text().isEmpty()) Text2->SetText(QStringLiteral("1000"));
    if (Text3->Text().isEmpty())
        AddKeyword(keyword);
    else
        EditKeyword(keyword);
}

void frm_KeywordsSet::AddKeyword(const QString& keyword) {
    if (batch_keywords::KeywordStored(SharedConnection(), keyword)) {
        Notice(kAlreadyListed);
        return;
    }
    const batch_keywords::KeywordSettings settings{
        keyword,        Check2->Value() == 1, metrics::ReadWhole32(Text2->Text()).value_or(0),
        Combo1->Text(), Check1->Value() == 1, Text8->Text()};
    if (!batch_keywords::AddKeywordRecord(SharedConnection(), settings)) {
        TellFailure(QStringLiteral("添加关键词失败：") + SharedConnection().LastError());
        return;
    }
    batchList_.Add(keyword);
    Notice(QStringLiteral("添加关键词成功！"));
    Text1->SetText(QString());
    Text8->SetText(QString());
}

void frm_KeywordsSet::EditKeyword(const QString& keyword) {
    const QString before = TrimBlanks(Text3->Text().toLower());
    if (keyword != before && batch_keywords::KeywordStored(SharedConnection(), keyword)) {
        Notice(kAlreadyListed);
        return;
    }
    const batch_keywords::KeywordSettings settings{
        keyword,        Check2->Value() == 1, metrics::ReadWhole32(Text2->Text()).value_or(0),
        Combo1->Text(), Check1->Value() == 1, TrimBlanks(Text8->Text())};
    if (!batch_keywords::UpdateKeywordRecords(SharedConnection(), TrimBlanks(Text3->Text()),
                                              settings)) {
        TellFailure(QStringLiteral("更新关键词失败：") + SharedConnection().LastError());
        return;
    }
    const std::optional<qint32> row = metrics::ReadWhole32(Text4->Text());
    if (row && *row >= 1 && *row <= batchList_.Count()) batchList_.SetText(*row, keyword);
    Notice(QStringLiteral("更新关键词成功！"));
    hide();
}

void frm_KeywordsSet::Command2_Click() {
    close();
}
