#include "shell/blocking_settings_dialog.h"

#include <QGridLayout>
#include <QUrl>
#include <cmath>

#include "platform/modal_dialog.h"
#include "shared/registry_store.h"
#include "shared/web_addresses.h"
#include "shell/program_icon.h"
#include "shell/work_window.h"
#include "shell/work_windows.h"

namespace {

using platform::Hive;

const QString kGapValue = QStringLiteral("baiduse");
const QString kReactionValue = QStringLiteral("baidusetse");

// A stored value as a whole number, the nearest one (an exact half to the even neighbour);
// 0 when it is not a number.
int WholeNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 1e9) return 0;
    return static_cast<int>(std::nearbyint(value));
}

void Store(const QString& name, const QString& value) {
    mReg::CreateConfigKey(Hive::CurrentUser, mReg::LegacyConfigKey);
    mReg::SetConfigValue(Hive::CurrentUser, mReg::LegacyConfigKey, name, value);
}

// Writes `text` into one hidden box of the mining and of the database window.
void WriteIntoWindows(platform::TextBox* (WorkWindow::*box)(), const QString& text) {
    for (WorkWindowKind kind : {WorkWindowKind::Mining, WorkWindowKind::Database}) {
        WorkWindow* window = LoadWorkWindow(kind);
        if (!window) continue;
        if (platform::TextBox* target = (window->*box)()) target->SetText(text);
    }
}

QString BaiduHost() {
    return QUrl(WebAddress::kBaiduSearch).host();
}

QLabel* WrappedLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

}  // namespace

frm_setse::frm_setse(QWidget* parent)
    : QDialog(parent),
      Label1(WrappedLabel(QStringLiteral(
          "当软件执行某些通过抓取百度等搜索引擎获取数据的操作时，由于在短时间内连续执行相同操作会"
          "导致百度搜索引擎"))),
      Label2(
          WrappedLabel(QStringLiteral("的屏蔽（主要表现在软件抓取其相关数据连续出现不正常）。"))),
      Label4(new QLabel(QStringLiteral("抓取百度时间间隔："))),
      Combo1(new platform::ComboBox),
      Label5(new QLabel(
          QStringLiteral("秒   （设置时间越长，被屏蔽的几率越小，同时查询也越消耗时间。）"))),
      Label6(new QLabel(QStringLiteral("当软件被百度屏蔽时："))),
      Combo2(new platform::ComboBox),
      Label3(WrappedLabel(QStringLiteral(
          "如果以下浏览器显示有被屏蔽提示，并提示您输入验证码，请按照其提示输入，验证通过后，短"
          "时间内不会再出现被屏蔽的现象。"))),
      WebBrowser1(platform::CreateBrowserView(this)),
      WebBrowser2(platform::CreateBrowserView(this)),
      Image1(new QLabel) {
    setWindowTitle(QStringLiteral("搜索引擎屏蔽设置"));
    Image1->setPixmap(ProgramIcon().pixmap(32, 32));
    for (const QString& reaction :
         {QStringLiteral("弹出搜索引擎屏蔽设置对话框"), QStringLiteral("自动停止抓取，并延时5秒钟"),
          QStringLiteral("发出提示音，并继续执行程序")})
        Combo2->AddItem(reaction);
    WebBrowser1->setMinimumSize(360, 260);
    WebBrowser2->setMinimumSize(360, 260);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Image1, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(Label1, 0, 1, 1, 3);
    layout->addWidget(Label2, 1, 1, 1, 3);
    layout->addWidget(Label4, 2, 1);
    layout->addWidget(Combo1, 2, 2);
    layout->addWidget(Label5, 2, 3);
    layout->addWidget(Label6, 3, 1);
    layout->addWidget(Combo2, 3, 2, 1, 2);
    layout->addWidget(Label3, 4, 0, 1, 4);
    auto* pages = new QHBoxLayout;
    pages->addWidget(WebBrowser1);
    pages->addWidget(WebBrowser2);
    layout->addLayout(pages, 5, 0, 1, 4);

    connect(Combo1, &platform::ComboBox::Click, this, [this] { Combo1_Click(); });
    connect(Combo2, &platform::ComboBox::Click, this, [this] { Combo2_Click(); });
}

void frm_setse::Form_Load() {
    for (int seconds = 0; seconds <= 10; ++seconds) Combo1->AddItem(QString::number(seconds));
    const QString gap = mReg::GetConfigValue(Hive::CurrentUser, mReg::LegacyConfigKey, kGapValue);
    const QString reaction =
        mReg::GetConfigValue(Hive::CurrentUser, mReg::LegacyConfigKey, kReactionValue);
    // A stored value outside a list selects nothing there, and so changes nothing.
    Combo1->SetListIndex(gap.isEmpty() ? 5 : WholeNumber(gap));
    Combo2->SetListIndex(reaction.isEmpty() ? 0 : WholeNumber(reaction));
    WebBrowser1->Navigate(WebAddress::kBaiduSearch + QStringLiteral("/s?wd=seo"));
    WebBrowser2->Navigate(WebAddress::kBaiduSearch + QStringLiteral("/s?wd=site%3A") + BaiduHost());
}

void frm_setse::Combo1_Click() {
    Store(kGapValue, Combo1->Text());
    WriteIntoWindows(&WorkWindow::GapBox, Combo1->Text());
}

void frm_setse::Combo2_Click() {
    const QString index = QString::number(Combo2->ListIndex());
    Store(kReactionValue, index);
    WriteIntoWindows(&WorkWindow::ReactionBox, index);
}

void ShowBlockingSettings(QWidget* owner) {
    frm_setse dialog(owner);
    dialog.Form_Load();
    platform::ShowModal(dialog);
}
