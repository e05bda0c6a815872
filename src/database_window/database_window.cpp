#include "database_window/database_window.h"

#include <QApplication>
#include <QEvent>
#include <QStyle>

#include "database_window/keyword_db_row.h"
#include "platform/program_folder.h"
#include "shared/folder_picker.h"
#include "shell/database_bootstrap.h"

namespace {

using platform::SetGeometryTwips;

constexpr int kSideBarWidth = 2820;
constexpr int kListLeft = 3960;
constexpr int kListTop = 120;

template <typename Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

platform::CommandButton* Button(const char* caption, QWidget* parent, const char* name = "") {
    return Named(new platform::CommandButton(QString::fromUtf8(caption), parent), name);
}

platform::Label* Text(const char* caption, QWidget* parent, int left, int top, int width) {
    auto* label = new platform::Label(QString::fromUtf8(caption), parent);
    SetGeometryTwips(label, left, top, width, 300);
    return label;
}

// An information panel of the side bar: its lines, one under the other.
QWidget* Panel(QWidget* container, const char* name, std::initializer_list<const char*> lines) {
    auto* panel = Named(new QWidget(container), name);
    QStringList text;
    for (const char* line : lines) text << QString::fromUtf8(line);
    auto* label = new platform::Label(text.join(u'\n'), panel);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetGeometryTwips(label, 120, 0, 2580, 3600);
    SetGeometryTwips(panel, 600, 600, 2700, 3600);
    return panel;
}

QIcon NodeImage(int image) {
    return QApplication::style()->standardIcon(image == 2 ? QStyle::SP_DirOpenIcon
                                                          : QStyle::SP_DirClosedIcon);
}

}  // namespace

DatabaseWindowMemory& DatabaseWindowMemory::Program() {
    static DatabaseWindowMemory memory;
    return memory;
}

关键词数据库::关键词数据库(DatabaseWindowMemory& memory, QWidget* parent)
    : WorkWindow(parent),
      KeywordDbMissing(memory.KeywordDbMissing),
      PicLEFT(Named(new QWidget(this), "PicLEFT")),
      tab1(Named(new QWidget(this), "tab1")),
      pic1(Named(new QWidget(tab1), "pic1")),
      pic2(Named(new QWidget(tab1), "pic2")),
      pic3(Named(new QWidget(tab1), "pic3")),
      txtbaiduse(Named(HiddenBox(QStringLiteral("3")), "txtbaiduse")),
      txtsetse(Named(HiddenBox(QStringLiteral("1")), "txtsetse")),
      memory_(memory) {
    setWindowTitle(QStringLiteral("关键词数据库"));
    PlaceDesign({pic1, pic2, pic3});
    BuildSideBar();
    BuildAnalysisPage();
    BuildMergePage();
    BuildBackupPage();
    pic1->installEventFilter(this);
}

void 关键词数据库::BuildSideBar() {
    PicLEFT->setAutoFillBackground(true);
    QPalette white = PicLEFT->palette();
    white.setColor(QPalette::Window, Qt::white);
    PicLEFT->setPalette(white);
    TreeView1 = Named(new platform::TreeView(PicLEFT), "TreeView1");
    SetGeometryTwips(TreeView1, 60, 60, 2700, 2400);
    auto* heading = Text("关键词数据库", PicLEFT, 180, 2640, 2400);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    lbltitle =
        Named(new platform::Label(QStringLiteral("功能介绍-数据库管理"), PicLEFT), "lbltitle");
    SetGeometryTwips(lbltitle, 180, 3060, 2400, 300);
    tab2 = Named(new QWidget(PicLEFT), "tab2");
    SetGeometryTwips(tab2, 0, 3420, kSideBarWidth, 4200);
    tip1 = Panel(
        tab2, "tip1",
        {"您可以将长期关注的关键词加", "入关键词，可以在日后方便的", "更新其数据，进行研究对比。",
         "软件提供三种加入关键词数据", "的方式，一种是：分析长尾词", "的同时即时加入数据库。第二",
         "种是：手工批量加入。第三种", "是：通过文本文件导入。"});
    tip2 = Panel(
        tab2, "tip2",
        {"数据库合并功能允许您将最多", "两个数据源，合并至另一个数", "据源。此工具特别适合多台客",
         "户端同时使用本软件的情况下", "，最终需将多台客户端的数据", "汇总到一台上。",
         "软件目前只支持关键词数据的", "合并。"});
    tip3 = Panel(tab2, "tip3", {"本工具可以实现将数据文件的", "快速备份和还原。"});

    connect(TreeView1, &platform::TreeView::NodeClick, this,
            [this](int node) { TreeView1_NodeClick(node); });
    connect(TreeView1, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* node) { TreeView1_Collapse(node); });
    connect(TreeView1, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* node) { TreeView1_Expand(node); });
    TreeView1->installEventFilter(this);
}

void 关键词数据库::BuildAnalysisPage() {
    Frame16 = Named(new platform::Frame(QStringLiteral("数据库更新"), pic1), "Frame16");
    SetGeometryTwips(Frame16, 120, 60, 3720, 1500);
    Check30 = Named(new platform::CheckBox(QStringLiteral("更新百度指数"), Frame16), "Check30");
    Check10 = Named(new platform::CheckBox(QStringLiteral("更新百度收录"), Frame16), "Check10");
    SetGeometryTwips(Check30, 240, 360, 1560, 300);
    SetGeometryTwips(Check10, 1980, 360, 1560, 300);
    Command44 = Button("更新数据库", Frame16, "Command44");
    Command49 = Button("刷新数据库", Frame16, "Command49");
    SetGeometryTwips(Command44, 240, 840, 1500, 420);
    SetGeometryTwips(Command49, 1980, 840, 1500, 420);

    Frame9 = Named(new KeywordFilterFrame(QStringLiteral("数据库过滤"), QString(), pic1), "Frame9");
    Frame9->move(platform::TwipsToPixels(120), platform::TwipsToPixels(1680));
    Text4 = Frame9->Text4;
    Combo4 = Frame9->Combo4;
    Text5 = Frame9->Text5;
    Combo5 = Frame9->Combo5;
    Text6 = Frame9->Text6;
    Combo6 = Frame9->Combo6;
    Text7 = Frame9->Text7;
    Combo7 = Frame9->Combo7;
    Text9 = Frame9->Text9;
    Combo9 = Frame9->Combo9;
    Command22 = Frame9->Command22;
    Command17 = Frame9->Command17;

    ListView16 = Named(new platform::ListView(pic1), "ListView16");
    ListView16->Rows().SetColumns(kKeywordDbColumns.Headers());
    ListView16->SetCheckBoxes(true);
    SetGeometryTwips(ListView16, kListLeft, kListTop, 7800, 7800);

    Command45 = Button("添加关键词", pic1, "Command45");
    Command46 = Button("导入数据", pic1, "Command46");
    Command47 = Button("导出数据", pic1, "Command47");
    Command48 = Button("删除关键词", pic1, "Command48");
    Command13 = Button("关键词对比", pic1, "Command13");
    Command53 = Button("全选", pic1, "Command53");
    int left = kListLeft;
    for (platform::CommandButton* button :
         {Command45, Command46, Command47, Command48, Command13, Command53}) {
        SetGeometryTwips(button, left, 8100, 1200, 420);
        left += 1320;
    }

    platform::RowTable& shown = ListView16->Rows();
    connect(&shown, &QAbstractItemModel::modelReset, this,
            [this] { DropPausedRefreshWithoutItsRow(); });
    connect(&shown, &QAbstractItemModel::rowsRemoved, this,
            [this] { DropPausedRefreshWithoutItsRow(); });
    connect(Command44, &platform::CommandButton::Click, this, [this] { Command44_Click(); });
    connect(Command49, &platform::CommandButton::Click, this, [this] { Command49_Click(); });
    connect(Command22, &platform::CommandButton::Click, this, [this] { Command22_Click(); });
    connect(Command17, &platform::CommandButton::Click, this, [this] { Command17_Click(); });
    connect(Command45, &platform::CommandButton::Click, this, [this] { Command45_Click(); });
    connect(Command47, &platform::CommandButton::Click, this, [this] { Command47_Click(); });
    connect(Command48, &platform::CommandButton::Click, this, [this] { Command48_Click(); });
    connect(Command13, &platform::CommandButton::Click, this, [this] { Command13_Click(); });
    connect(Command53, &platform::CommandButton::Click, this, [this] { Command53_Click(); });
    connect(ListView16, &platform::ListView::ColumnClick, this,
            [this](int column) { ListView16_ColumnClick(column); });
}

void 关键词数据库::BuildMergePage() {
    auto* sources = new platform::Frame(QStringLiteral("欲合并数据源"), pic2);
    SetGeometryTwips(sources, 120, 60, 11400, 2100);
    const auto sourceRow = [&](int top, const char* title, const char* prompt,
                               platform::TextBox*& box, platform::CommandButton*& browse,
                               const char* boxName, const char* browseName) {
        Text(title, sources, 240, top, 1200);
        Text(prompt, sources, 1440, top, 4200);
        box = Named(new platform::TextBox(sources), boxName);
        SetGeometryTwips(box, 1440, top + 330, 6000, 330);
        browse = Button("浏览", sources, browseName);
        SetGeometryTwips(browse, 7560, top + 300, 1080, 390);
        SetGeometryTwips(Button("查询数据", sources), 8760, top + 300, 1200, 390);
    };
    sourceRow(300, "数据源一", "选择第一个欲合并数据库文件：", dbfile1, Command4, "dbfile1",
              "Command4");
    sourceRow(1140, "数据源二", "选择第二个欲合并数据库文件：", dbfile2, Command2, "dbfile2",
              "Command2");

    auto* target = new platform::Frame(QStringLiteral("合并至数据源"), pic2);
    SetGeometryTwips(target, 120, 2280, 11400, 1260);
    Text("选择最后欲合并至的数据库文件", target, 1440, 300, 4200);
    dbfile3 = Named(new platform::TextBox(target), "dbfile3");
    SetGeometryTwips(dbfile3, 1440, 630, 6000, 330);
    Command11 = Button("浏览", target, "Command11");
    SetGeometryTwips(Command11, 7560, 600, 1080, 390);
    SetGeometryTwips(Button("查询数据", target), 8760, 600, 1200, 390);
    SetGeometryTwips(Button("开始合并", target), 10020, 600, 1200, 390);

    auto* merged = new platform::ListView(pic2);
    for (const char* caption : {"关键词", "父关键词", "百度月均指数", "百度昨日指数", "百度收录",
                                "谷歌收录", "百度优化指数", "谷歌优化指数", "更新日期"})
        merged->AddColumn(QString::fromUtf8(caption), 1200);
    SetGeometryTwips(merged, 120, 3660, 11400, 4800);
}

void 关键词数据库::BuildBackupPage() {
    auto* backup = new platform::Frame(QStringLiteral("数据库备份"), pic3);
    SetGeometryTwips(backup, 120, 60, 9000, 1260);
    Text("请选择一个路径，保存备份数据库文件", backup, 240, 300, 5000);
    Text12 = Named(new platform::TextBox(backup), "Text12");
    SetGeometryTwips(Text12, 240, 630, 5400, 330);
    Command19 = Button("浏览", backup, "Command19");
    SetGeometryTwips(Command19, 5760, 600, 1080, 390);
    SetGeometryTwips(Button("确定备份", backup), 6960, 600, 1200, 390);

    auto* restore = new platform::Frame(QStringLiteral("数据库还原"), pic3);
    SetGeometryTwips(restore, 120, 1440, 9000, 1260);
    Text("请选择一个备份数据库文件，进行还原", restore, 240, 300, 5000);
    Text8 = Named(new platform::TextBox(restore), "Text8");
    SetGeometryTwips(Text8, 240, 630, 5400, 330);
    Command15 = Button("浏览", restore, "Command15");
    SetGeometryTwips(Command15, 5760, 600, 1080, 390);
    SetGeometryTwips(Button("确定还原", restore), 6960, 600, 1200, 390);

    connect(Command19, &platform::CommandButton::Click, this, [this] { Command19_Click(); });
}

void 关键词数据库::Form_Load() {
    OpenDatabaseOrWarn(SharedConnection(), this, &KeywordDbMissing);
    for (QWidget* tip : {tip1, tip2, tip3}) tip->move(0, 0);
    page_ = 0;
    tab1_Click();
    const int node =
        TreeView1->AddNode(QString(), QStringLiteral("link1"), QStringLiteral("数据库管理"));
    QTreeWidgetItem* item = TreeView1->topLevelItem(node - 1);
    item->setIcon(0, NodeImage(2));
    item->setBackground(0, palette().highlight());
    item->setForeground(0, Qt::white);
    Frame9->FillOperators();
    panel_ = 0;
    tab2_Click();
    if (ListView16->Count() == 0) GetDb();
}

void 关键词数据库::resizeEvent(QResizeEvent* event) {
    WorkWindow::resizeEvent(event);
    Form_Resize();
}

bool 关键词数据库::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pic1 && event->type() == QEvent::Resize) pic1_Resize();
    if (watched == TreeView1 && event->type() == QEvent::FocusIn) TreeView1_SelectedNodeBlack();
    if (watched == TreeView1 && event->type() == QEvent::FocusOut) TreeView1_SelectedNodeWhite();
    return WorkWindow::eventFilter(watched, event);
}

void 关键词数据库::Form_Resize() {
    const int w = platform::PixelsToTwips(width());
    const int h = platform::PixelsToTwips(height());
    PicLEFT->resize(PicLEFT->width(), platform::TwipsToPixels(h + 200));
    const int pageWidth = qMax(0, w - platform::PixelsToTwips(PicLEFT->width()) + 100);
    for (QWidget* page : {pic1, pic2, pic3}) SetGeometryTwips(page, 0, 0, pageWidth, h + 200);
    tab1->resize(platform::TwipsToPixels(w + 200), platform::TwipsToPixels(h + 200));
}

void 关键词数据库::pic1_Resize() {
    const int w = platform::PixelsToTwips(pic1->width());
    const int h = platform::PixelsToTwips(pic1->height());
    // A page smaller than the margins leaves the list at size zero.
    ListView16->resize(platform::TwipsToPixels(qMax(0, w - 4300)),
                       platform::TwipsToPixels(qMax(0, h - 1100)));
    for (platform::CommandButton* button :
         {Command45, Command46, Command47, Command48, Command13, Command53})
        button->move(button->x(), platform::TwipsToPixels(h - 700));
}

void 关键词数据库::tab1_Click() {
    if (page_ < 0 || page_ > 2) return;
    pic1->setVisible(page_ == 0);
    pic2->setVisible(page_ == 1);
    pic3->setVisible(page_ == 2);
}

void 关键词数据库::tab2_Click() {
    if (panel_ < 0 || panel_ > 2) return;
    tip1->setVisible(panel_ == 0);
    tip2->setVisible(panel_ == 1);
    tip3->setVisible(panel_ == 2);
}

void 关键词数据库::TreeView1_NodeClick(int node) {
    page_ = node - 1;
    tab1_Click();
    static const char* const kTitles[] = {"功能介绍-数据库管理", "功能介绍-数据库合并",
                                          "功能介绍-数据库还原备份"};
    if (page_ >= 0 && page_ <= 2) {
        lbltitle->SetCaption(QString::fromUtf8(kTitles[page_]));
        panel_ = page_;
        tab2_Click();
    }
    TreeView1->MarkCurrentNode(node, NodeImage(1), NodeImage(2));
}

void 关键词数据库::TreeView1_Collapse(QTreeWidgetItem* node) {
    node->setIcon(0, NodeImage(1));
}

void 关键词数据库::TreeView1_Expand(QTreeWidgetItem* node) {
    node->setIcon(0, NodeImage(2));
}

void 关键词数据库::TreeView1_SelectedNodeBlack() {
    TreeView1->SetSelectedNodeForeground(Qt::black);
}

void 关键词数据库::TreeView1_SelectedNodeWhite() {
    TreeView1->SetSelectedNodeForeground(Qt::white);
}

void 关键词数据库::Command19_Click() {
    Text12->SetText(
        BrowseForFolder(platform::ProgramFolder(), QStringLiteral("请选择欲保存路径的文件夹")));
}

bool 关键词数据库::DbMissing() {
    return DatabaseStillMissing(KeywordDbMissing);
}
