#include "shell/suggest_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>

frm_suggest::frm_suggest(QWidget* parent)
    : QDialog(parent),
      Label1(new QLabel(QStringLiteral("您的意见和建议，是我们不断前进的动力"))),
      Label2(new QLabel(QStringLiteral("标题："))),
      Text1(new platform::TextBox),
      Label3(new QLabel(QStringLiteral("类型："))),
      Combo1(new platform::ComboBox),
      Label4(new QLabel(QStringLiteral("内容："))),
      Text2(new QPlainTextEdit),
      Label5(new QLabel(QStringLiteral("您也可以发送邮件至"))),
      Label6(new QLabel(QStringLiteral("support@tarnwick.com"))),
      Label7(new QLabel(QStringLiteral("提出您的意见和建议。"))),
      Command1(new platform::CommandButton(QStringLiteral("确定发送"))) {
    setWindowTitle(QStringLiteral("意见和建议"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(Text1, 1, 1);
    layout->addWidget(Label3, 2, 0);
    layout->addWidget(Combo1, 2, 1);
    layout->addWidget(Label4, 3, 0, Qt::AlignTop);
    layout->addWidget(Text2, 3, 1);
    auto* mail = new QHBoxLayout;
    mail->addWidget(Label5);
    mail->addWidget(Label6);
    mail->addWidget(Label7);
    mail->addStretch();
    layout->addLayout(mail, 4, 0, 1, 2);
    layout->addWidget(Command1, 5, 1, Qt::AlignRight);
}

void frm_suggest::Form_Load() {
    for (const QString& type : {QStringLiteral("功能改进"), QStringLiteral("BUG报告"),
                                QStringLiteral("购买事宜"), QStringLiteral("一般性建议")})
        Combo1->AddItem(type);
    Combo1->SetListIndex(3);
}
