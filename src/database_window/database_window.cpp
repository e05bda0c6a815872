#include "database_window/database_window.h"

#include "shell/database_bootstrap.h"

关键词数据库::关键词数据库(QWidget* parent)
    : WorkWindow(parent),
      PicLEFT(new QWidget(this)),
      tab1(new QWidget(this)),
      pic1(new QWidget(tab1)),
      pic2(new QWidget(tab1)),
      pic3(new QWidget(tab1)),
      txtbaiduse(new platform::TextBox(this)),
      txtsetse(new platform::TextBox(this)) {
    setWindowTitle(QStringLiteral("关键词数据库"));
    platform::SetGeometryTwips(PicLEFT, 0, 0, 2820, 9000);
    platform::SetGeometryTwips(tab1, 2880, 0, 12000, 9000);
    for (QWidget* pane : {pic1, pic2, pic3}) platform::SetGeometryTwips(pane, 0, 0, 12000, 9000);
    pic2->hide();
    pic3->hide();
    txtbaiduse->SetText(QStringLiteral("3"));
    txtsetse->SetText(QStringLiteral("1"));
    txtbaiduse->hide();
    txtsetse->hide();
}

void 关键词数据库::Form_Load() {
    OpenDatabaseOrWarn(SharedConnection(), this, &KeywordDbMissing);
}
