#include "shell/login_settings_dialog.h"

#include <QGridLayout>

#include "shared/registry_store.h"
#include "shared/text_helpers.h"

namespace {

QString Read(const QString& name) {
    return mReg::GetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, name);
}

void Store(const QString& name, const QString& value) {
    mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
    mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, name, value);
}

}  // namespace

frm_loginset::frm_loginset(QWidget* parent)
    : QDialog(parent),
      Label1(new QLabel(QStringLiteral("用户名："))),
      Text1(new platform::TextBox),
      Label2(new QLabel(QStringLiteral("密  码："))),
      Text2(new platform::TextBox),
      Check1(new platform::CheckBox(QStringLiteral("记住用户名和密码"))),
      Check2(new platform::CheckBox(QStringLiteral("自动登录"))) {
    setWindowTitle(QStringLiteral("软件登录设置"));
    Text2->setEchoMode(QLineEdit::Password);
    Text2->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*'
    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Text1, 0, 1);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(Text2, 1, 1);
    layout->addWidget(Check1, 2, 1);
    layout->addWidget(Check2, 3, 1);
    connect(Text1, &platform::TextBox::Change, this, [this] { Text1_Change(); });
    connect(Text2, &platform::TextBox::Change, this, [this] { Text2_Change(); });
    connect(Check1, &platform::CheckBox::Click, this, [this] { Check1_Click(); });
    connect(Check2, &platform::CheckBox::Click, this, [this] { Check2_Click(); });
}

void frm_loginset::Form_Load() {
    const QString user = Read(QStringLiteral("setting_user"));
    const QString password = Read(QStringLiteral("setting_pass"));
    Text1->SetText(user);
    Text2->SetText(password);
    const QString autoLogin = Read(QStringLiteral("setting_autologin"));
    const QString save = Read(QStringLiteral("setting_issave"));
    if (save == u"save") Check1->SetValue(1);
    if (autoLogin == u"auto") Check2->SetValue(1);
}

void frm_loginset::Text1_Change() {
    Store(QStringLiteral("setting_user"), TrimBlanks(Text1->Text()));
}

void frm_loginset::Text2_Change() {
    Store(QStringLiteral("setting_pass"), TrimBlanks(Text2->Text()));
}

void frm_loginset::Check1_Click() {
    Store(QStringLiteral("setting_issave"), Check1->Value() ? QStringLiteral("save") : QString());
}

void frm_loginset::Check2_Click() {
    Store(QStringLiteral("setting_autologin"),
          Check2->Value() ? QStringLiteral("auto") : QString());
}
