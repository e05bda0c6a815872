#include "tools_window/tools_window.h"

#include "shell/database_bootstrap.h"

关键词工具::关键词工具(QWidget* parent)
    : WorkWindow(parent),
      PicLEFT(new QWidget(this)),
      tab1(new QWidget(this)),
      pic1(new QWidget(tab1)),
      pic3(new QWidget(tab1)),
      pic4(new QWidget(tab1)),
      Pic5(new QWidget(tab1)),
      pic6(new QWidget(tab1)) {
    setWindowTitle(QStringLiteral("关键词工具"));
    PlaceDesign(SideBarPanes());
}

void 关键词工具::Form_Load() {
    OpenDatabaseOrWarn(ToolsConnection, this, &ToolsDbMissing);
    CreateMissingTables(ToolsConnection, {QStringLiteral("prs")});
}
