// The rank page's targets: the combination mode, the site and keyword lists and their commands.
#include <QTimer>
#include <tuple>

#include "shared/list_exporter.h"
#include "shell/database_bootstrap.h"
#include "tools_window/rank_columns.h"
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace {

using tools_layout::Put;

// The lefts of the site and keyword frames in each mode: the row list stands on the left.
constexpr int kFrameLefts[2][2] = {{120, 3360}, {3360, 120}};

// One target frame: its list and five buttons along its foot.
struct TargetFrame {
    platform::Frame* frame;
    platform::ListView* list;
    std::array<platform::CommandButton*, 5> buttons;  // add, delete, import, export, select all
};

TargetFrame BuildTargetFrame(QWidget* page, const char* frameName, const QString& caption, int left,
                             const char* listName, const platform::Column& header,
                             const std::array<const char*, 5>& buttonNames) {
    TargetFrame built;
    built.frame = Put<platform::Frame>(frameName, page, {left, 1080, 3135, 2415}, caption);
    built.list = Put<platform::ListView>(listName, built.frame, {120, 240, 2895, 1620});
    built.list->Rows().SetColumns({header});
    built.list->SetCheckBoxes(true);
    built.list->SetLabelEdit(true);
    const QString captions[] = {QStringLiteral("添加"), QStringLiteral("删除"),
                                QStringLiteral("导入"), QStringLiteral("导出"),
                                QStringLiteral("全选")};
    for (int i = 0; i < 5; ++i)
        built.buttons[i] = Put<platform::CommandButton>(
            buttonNames[i], built.frame, {120 + i * 555, 1950, 540, 345}, captions[i]);
    return built;
}

}  // namespace

void 关键词工具::BuildTargetFrames() {
    Frame15 = Put<platform::Frame>("Frame15", pic4, {120, 120, 6375, 855},
                                   QStringLiteral("关键词组合模式"));
    Option1[0] = Put<platform::OptionButton>("Option1(0)", Frame15, {240, 360, 2400, 300},
                                             QStringLiteral("一网站针对多关键词"));
    Option1[1] = Put<platform::OptionButton>("Option1(1)", Frame15, {2640, 360, 2400, 300},
                                             QStringLiteral("一关键词针对多网站"));
    Command5 = Put<platform::CommandButton>("Command5", Frame15, {5040, 330, 1215, 375},
                                            QStringLiteral("添加组合"));

    const TargetFrame sites =
        BuildTargetFrame(pic4, "Frame11", QStringLiteral("网站"), kFrameLefts[0][0], "ListView8",
                         rank_columns::kSiteTargetHeader,
                         {"Command38", "Command11", "Command15", "Command32", "Command10"});
    Frame11 = sites.frame;
    ListView8 = sites.list;
    std::tie(Command38, Command11, Command15, Command32, Command10) = std::tuple_cat(sites.buttons);
    const TargetFrame keywords =
        BuildTargetFrame(pic4, "Frame12", QStringLiteral("关键词"), kFrameLefts[0][1], "ListView9",
                         rank_columns::kKeywordTargetHeader,
                         {"Command16", "Command18", "Command19", "Command20", "Command8"});
    Frame12 = keywords.frame;
    ListView9 = keywords.list;
    std::tie(Command16, Command18, Command19, Command20, Command8) =
        std::tuple_cat(keywords.buttons);

    for (int index = 0; index < 2; ++index)
        connect(Option1[index], &platform::OptionButton::Click, this,
                [this, index] { Option1_Click(index); });
    ConnectTargetList(ListView8, &关键词工具::ListView8_ItemCheck, &关键词工具::ListView8_ItemClick,
                      &关键词工具::ListView8_AfterLabelEdit);
    ConnectTargetList(ListView9, &关键词工具::ListView9_ItemCheck, &关键词工具::ListView9_ItemClick,
                      &关键词工具::ListView9_AfterLabelEdit);
    ConnectClicks({
        {Command5, &关键词工具::Command5_Click},
        {Command38, &关键词工具::Command38_Click},
        {Command11, &关键词工具::Command11_Click},
        {Command15, &关键词工具::Command15_Click},
        {Command32, &关键词工具::Command32_Click},
        {Command10, &关键词工具::Command10_Click},
        {Command16, &关键词工具::Command16_Click},
        {Command18, &关键词工具::Command18_Click},
        {Command19, &关键词工具::Command19_Click},
        {Command20, &关键词工具::Command20_Click},
        {Command8, &关键词工具::Command8_Click},
    });
}

void 关键词工具::ConnectClicks(
    std::initializer_list<std::pair<platform::CommandButton*, void (关键词工具::*)()>> clicks) {
    for (const auto& [button, handler] : clicks)
        connect(button, &platform::CommandButton::Click, this,
                [this, handler = handler] { (this->*handler)(); });
}

void 关键词工具::ConnectTargetList(platform::ListView* list, void (关键词工具::*itemCheck)(int),
                                   void (关键词工具::*itemClick)(int),
                                   void (关键词工具::*afterLabelEdit)(int, const QString&)) {
    connect(list, &platform::ListView::ItemCheck, this, [this, list, itemCheck](int row) {
        // The click on the box follows at once; it is over before the next event.
        boxClicked_ = list;
        QTimer::singleShot(0, this, [this] { boxClicked_ = nullptr; });
        (this->*itemCheck)(row);
    });
    connect(list, &platform::ListView::ItemClick, this, [this, list, itemClick](int row) {
        if (boxClicked_ != list) (this->*itemClick)(row);
    });
    connect(list, &platform::ListView::AfterLabelEdit, this,
            [this, afterLabelEdit](int row, const QString& text) {
                (this->*afterLabelEdit)(row, text);
            });
}

void 关键词工具::PlaceTargetFrames(int mode) {
    Frame11->move(platform::TwipsToPixels(kFrameLefts[mode][0]), Frame11->y());
    Frame12->move(platform::TwipsToPixels(kFrameLefts[mode][1]), Frame12->y());
}

void 关键词工具::Option1_Click(int Index) {
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) return;
    PlaceTargetFrames(Index);
    Targets->SwitchMode(Index);
    if (fields_.ToolsLoaded) SaveRankOptions();
}

void 关键词工具::ListView8_ItemCheck(int row) {
    ListView8->SetSelectedIndex(row);
    Targets->RowChecked(TargetList::Sites, row);
}

void 关键词工具::ListView9_ItemCheck(int row) {
    ListView9->SetSelectedIndex(row);
    Targets->RowChecked(TargetList::Keywords, row);
}

void 关键词工具::ListView8_ItemClick(int row) {
    Targets->RowClicked(TargetList::Sites, row);
}

void 关键词工具::ListView9_ItemClick(int row) {
    Targets->RowClicked(TargetList::Keywords, row);
}

void 关键词工具::ListView8_AfterLabelEdit(int row, const QString& text) {
    Targets->Edited(TargetList::Sites, row, text);
}

void 关键词工具::ListView9_AfterLabelEdit(int row, const QString& text) {
    Targets->Edited(TargetList::Keywords, row, text);
}

void 关键词工具::Command38_Click() {
    Targets->Add(TargetList::Sites);
}

void 关键词工具::Command16_Click() {
    Targets->Add(TargetList::Keywords);
}

void 关键词工具::Command15_Click() {
    Targets->Import(TargetList::Sites);
}

void 关键词工具::Command19_Click() {
    Targets->Import(TargetList::Keywords);
}

void 关键词工具::Command11_Click() {
    Targets->DeleteChecked(TargetList::Sites);
}

void 关键词工具::Command18_Click() {
    Targets->DeleteChecked(TargetList::Keywords);
}

void 关键词工具::Command32_Click() {
    ExportListLines(ListView8->Rows(), this);
}

void 关键词工具::Command20_Click() {
    ExportListLines(ListView9->Rows(), this);
}

void 关键词工具::Command10_Click() {
    ToggleAllTargets(Command10, ListView8);
}

void 关键词工具::Command8_Click() {
    ToggleAllTargets(Command8, ListView9);
}

void 关键词工具::ToggleAllTargets(platform::CommandButton* button, platform::ListView* list) {
    const bool checkAll = button->Caption() == u"全选";
    list->Rows().SetAllChecked(checkAll);
    button->SetCaption(checkAll ? QStringLiteral("全不") : QStringLiteral("全选"));
}

void 关键词工具::Command5_Click() {
    Targets->AddCombination();
}
