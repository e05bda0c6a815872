#include "shell/about_dialog.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "shell/program_icon.h"

namespace {

QFrame* Line() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

frm_about::frm_about(QWidget* parent)
    : QDialog(parent),
      Image1(new QLabel),
      Label1(new QLabel(QStringLiteral("Tarnwick V4.0"))),
      Line1(Line()),
      Label5(new QLabel(QStringLiteral("Tarnwick，是网络上功能最强的长尾关键词分析"))),
      Label2(new QLabel(QStringLiteral("工具。支持三种长尾词挖掘方式：常规挖掘、批量挖掘、手"))),
      Label6(new QLabel(
          QStringLiteral("工挖掘，瞬间可挖掘成千上外的相关关键词，同时可显示关键词的百度指"))),
      Label7(new QLabel(
          QStringLiteral("数、搜索量等。此外软件还提供强大的关键词辅助分析功能：关键词对比分"))),
      Label3(
          new QLabel(QStringLiteral("析、关键词排名查询、关键词竞争度分析、百度热门关键词等。"))),
      Line2(Line()),
      Label4(new QLabel(QStringLiteral("在此感谢一直关心和支持我们的朋友！"))) {
    setWindowTitle(QStringLiteral("软件介绍"));
    Image1->setPixmap(ProgramIcon().pixmap(64, 64));
    QFont title = Label1->font();
    title.setBold(true);
    title.setPointSize(title.pointSize() + 4);
    Label1->setFont(title);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Image1, 0, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    for (QWidget* line : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Line1),
                          static_cast<QWidget*>(Label5), static_cast<QWidget*>(Label2),
                          static_cast<QWidget*>(Label6), static_cast<QWidget*>(Label7),
                          static_cast<QWidget*>(Label3), static_cast<QWidget*>(Line2),
                          static_cast<QWidget*>(Label4)})
        text->addWidget(line);
    layout->addLayout(text, 0, 1);
}

void frm_about::Form_Load() {
    if (parentWidget()) setWindowIcon(parentWidget()->windowIcon());
}
