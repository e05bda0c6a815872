#include "database_window/database_window.h"

#include "shell/database_bootstrap.h"

关键词数据库::关键词数据库(QWidget* parent)
    : WorkWindow(parent),
      PicLEFT(new QWidget(this)),
      tab1(new QWidget(this)),
      pic1(new QWidget(tab1)),
      pic2(new QWidget(tab1)),
      pic3(new QWidget(tab1)),
      txtbaiduse(HiddenBox(QStringLiteral("3"))),
      txtsetse(HiddenBox(QStringLiteral("1"))) {
    setWindowTitle(QStringLiteral("关键词数据库"));
    PlaceDesign({pic1, pic2, pic3});
}

void 关键词数据库::Form_Load() {
    OpenDatabaseOrWarn(SharedConnection(), this, &KeywordDbMissing);
}
