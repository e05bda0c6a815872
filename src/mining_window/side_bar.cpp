// The mining window's side bar: the mode tree that picks a pane, the page title and the tips.
#include <QStyle>

#include "mining_window/mining_window.h"
#include "mining_window/twips_layout.h"

namespace {

using twips_layout::Put;

struct Mode {
    const char* key;
    QString text;
    QString title;
};

// The mode tree's nodes in order; node n shows page n - 1 and tip n.
const Mode kModes[] = {
    {"link1", QStringLiteral("常规挖掘"), QStringLiteral("功能介绍-常规挖掘")},
    {"link2", QStringLiteral("批量挖掘"), QStringLiteral("功能介绍-批量挖掘")},
    {"link4", QStringLiteral("手工挖掘"), QStringLiteral("功能介绍-手工挖掘")},
};

const QStringList kTip1 = {
    QStringLiteral("长尾关键词常规挖掘：输入一"), QStringLiteral("个关键词，软件将根据你的设"),
    QStringLiteral("置，软件将查询该词的所有长"), QStringLiteral("尾关键词。")};
const QStringList kTip2 = {
    QStringLiteral("长尾关键词批量挖掘：可以输"),   QStringLiteral("入多个关键词，软件将根据你"),
    QStringLiteral("的设置，批量查询所有词的长"),   QStringLiteral("尾关键词，每个词查完后可以"),
    QStringLiteral("自动保存查询结果，所有词查。"), QStringLiteral("完后，可以设定自动关机。")};
const QStringList kTip3 = {
    QStringLiteral("长尾关键词手工挖掘：输入一"), QStringLiteral("个或多个关键词，点手工挖掘"),
    QStringLiteral("软件依次查询这些词的一级相"), QStringLiteral("关词，然后可以对查询结果进"),
    QStringLiteral("行整理（添加、删除、过滤"),   QStringLiteral("）后，继续点击手工挖掘，软"),
    QStringLiteral("件继续依次查询结果中所有词"), QStringLiteral("的一级相关词，依次类推。"),
    QStringLiteral("手工挖掘可以边挖掘边过滤不"), QStringLiteral("相关的长尾词，或者手工添加"),
    QStringLiteral("新的相关词，可以大大提高查"), QStringLiteral("询结果的相关性。")};

constexpr int kTipLineHeight = 270;
constexpr int kSideBarWidth = 2820;

// A tip panel on its own page of the tip switch: one label a line.
QWidget* TipPanel(QWidget* page, const char* name, const QStringList& lines) {
    auto* panel = Put(new QWidget(page), name, 60, 60, kSideBarWidth - 240,
                      kTipLineHeight * static_cast<int>(lines.size()) + 60);
    for (int i = 0; i < lines.size(); ++i)
        twips_layout::Caption(panel, lines[i], 0, i * kTipLineHeight, kSideBarWidth - 240,
                              kTipLineHeight);
    return panel;
}

}  // namespace

void 关键词挖掘::BuildSideBar() {
    Put(NAMED(PicLEFT), new QWidget(this), 0, 0, kSideBarWidth, 9000);
    PicLEFT->setAutoFillBackground(true);
    QPalette sideBarColours = PicLEFT->palette();
    sideBarColours.setColor(QPalette::Window, QColor(0xE8, 0xF0, 0xFA));
    PicLEFT->setPalette(sideBarColours);

    Put(NAMED(Label2), new platform::Label(QStringLiteral("关键词挖掘"), PicLEFT), 120, 180,
        kSideBarWidth - 240, 420);
    QFont titleFont = Label2->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    Label2->setFont(titleFont);

    Put(NAMED(TreeView1), new platform::TreeView(PicLEFT), 15, 720, 2790, 1980);
    // The nodes show the mode marks of their own colours, never the selection's.
    TreeView1->setSelectionMode(QAbstractItemView::NoSelection);
    ImageList1 = {style()->standardIcon(QStyle::SP_FileIcon),
                  style()->standardIcon(QStyle::SP_ArrowRight)};

    Put(NAMED(lbltitle), new platform::Label(kModes[0].title, PicLEFT), 120, 2880,
        kSideBarWidth - 240, 300);
    QFont captionFont = lbltitle->font();
    captionFont.setBold(true);
    lbltitle->setFont(captionFont);

    Put(NAMED(tab2), new platform::TabContainer(PicLEFT), 120, 3240, kSideBarWidth - 180,
        kTipLineHeight * static_cast<int>(kTip3.size()) + 240);
    tip1 = TipPanel(tab2->AddPage(kModes[0].text), "tip1", kTip1);
    tip2 = TipPanel(tab2->AddPage(kModes[1].text), "tip2", kTip2);
    tip3 = TipPanel(tab2->AddPage(kModes[2].text), "tip3", kTip3);

    // Two pictures that only decorate the side bar's foot.
    const int pictureTop = 3240 + kTipLineHeight * static_cast<int>(kTip3.size()) + 480;
    const QStyle::StandardPixmap pictures[] = {QStyle::SP_FileDialogContentsView,
                                               QStyle::SP_DriveNetIcon};
    for (int i = 0; i < 2; ++i) {
        auto* picture = new QLabel(PicLEFT);
        picture->setPixmap(platform::StandardPicture(pictures[i], 32));
        platform::SetGeometryTwips(picture, 360 + i * 1080, pictureTop, 720, 720);
    }
}

void 关键词挖掘::LoadModeTree() {
    for (const Mode& mode : kModes)
        TreeView1->AddNode(QString(), QString::fromUtf8(mode.key), mode.text);
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
        TreeView1->topLevelItem(i)->setIcon(0, ImageList1[i == 0 ? 1 : 0]);
    QTreeWidgetItem* first = TreeView1->topLevelItem(0);
    first->setBackground(0, palette().color(QPalette::Highlight));
    first->setForeground(0, Qt::white);
    TreeView1->setCurrentItem(first);
}

void 关键词挖掘::LoadTips() {
    for (QWidget* tip : {tip1, tip2, tip3}) tip->move(0, 0);
    tab2->SetTab(0);
    tab2_Click();
}

void 关键词挖掘::tab1_Click() {
    const QList<QWidget*> panes = SideBarPanes();
    for (int page = 0; page < panes.size(); ++page) panes[page]->setVisible(page == tab1->Tab());
}

void 关键词挖掘::tab2_Click() {
    QWidget* const tips[] = {tip1, tip2, tip3};
    for (int page = 0; page < 3; ++page) tips[page]->setVisible(page == tab2->Tab());
}

void 关键词挖掘::TreeView1_NodeClick(int index) {
    if (index < 1 || index > TreeView1->NodeCount()) return;
    tab1->SetTab(index - 1);
    const int page = tab1->Tab();
    if (page >= 0 && page < static_cast<int>(std::size(kModes))) {
        lbltitle->SetCaption(kModes[page].title);
        tab2->SetTab(page);
    }
    // A running or paused batch keeps its list: a reload would uncheck its queue.
    if (page == 1 && !BatchInProgress()) ReloadBatchList();
    TreeView1->MarkCurrentNode(index, ImageList1[0], ImageList1[1]);
}

void 关键词挖掘::TreeView1_SelectedNodeBlack() {
    TreeView1->SetSelectedNodeForeground(Qt::black);
}

void 关键词挖掘::TreeView1_SelectedNodeWhite() {
    TreeView1->SetSelectedNodeForeground(Qt::white);
}
