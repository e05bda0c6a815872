#include "mining_window/mining_window.h"

#include "shell/database_bootstrap.h"

关键词挖掘::关键词挖掘(QWidget* parent)
    : WorkWindow(parent),
      PicLEFT(new QWidget(this)),
      tab1(new QWidget(this)),
      pic1(new QWidget(tab1)),
      pic2(new QWidget(tab1)),
      pic3(new QWidget(tab1)),
      pic4(new QWidget(tab1)),
      txtbaiduse(HiddenBox(QStringLiteral("3"))),
      txtsetse(HiddenBox(QStringLiteral("1"))) {
    setWindowTitle(QStringLiteral("关键词挖掘"));
    PlaceDesign(SideBarPanes());
}

void 关键词挖掘::Form_Load() {
    OpenDatabaseOrWarn(SharedConnection(), this, &MiningDbMissing);
}
