#include "tools_window/index_query_pane.h"

#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace research {

using tools_layout::Caption;
using tools_layout::Put;

IndexQueryPane::IndexQueryPane(关键词工具& window) : window_(window) {
    QWidget* page = window.pic1;
    Caption(page, QStringLiteral("关键词："), {360, 270, 900, 255});
    Text3 = Put<platform::TextBox>("Text3", page, {1320, 240, 5535, 300});
    Command6 = Put<platform::CommandButton>("Command6", page, {7080, 200, 1335, 375},
                                            QStringLiteral("开始查询"));
    Caption(page,
            QStringLiteral("多个关键词之间用#分开，双击关键词可以查看该关键词的详细指数信息。"
                           "\"-\"表示未得到相关数据"),
            {360, 660, 11400, 255});
    ListView3 = Put<platform::ListView>("ListView3", page, {120, 1080, 11685, 2535});
    ListView3->Rows().SetColumns(IndexQueryColumns());
    ListView3->SetCheckBoxes(true);
    Command40 = Put<platform::CommandButton>("Command40", page, {4560, 3840, 855, 375},
                                             QStringLiteral("全选"));
    Command41 = Put<platform::CommandButton>("Command41", page, {6120, 3840, 855, 375},
                                             QStringLiteral("删除"));

    Caption(page, QStringLiteral("关键词历史搜索量"), {120, 4620, 2205, 255});
    window.ListView2->Rows().SetColumns(HistoryColumns());
    const struct {
        platform::ListView** list;
        const char* name;
        Audience audience;
        const char* label;
        tools_layout::Rect place;
    } audiences[] = {
        {&ListView6, "ListView6", Audience::Age, "关键词搜索量年龄分布", {2520, 4920, 3015, 3615}},
        {&ListView11,
         "ListView11",
         Audience::Occupation,
         "关键词搜索量职业分布",
         {5760, 4920, 3045, 3615}},
        {&ListView15,
         "ListView15",
         Audience::Education,
         "关键词搜索量学历分布",
         {9000, 4920, 3045, 3615}},
    };
    for (const auto& audience : audiences) {
        Caption(page, QString::fromUtf8(audience.label),
                {audience.place.left, 4620, audience.place.width, 255});
        *audience.list = Put<platform::ListView>(audience.name, page, audience.place);
        (*audience.list)->Rows().SetColumns(AudienceColumns(audience.audience));
    }

    QObject::connect(Command6, &platform::CommandButton::Click, Command6,
                     [this] { Command6_Click(); });
    QObject::connect(Command40, &platform::CommandButton::Click, Command40,
                     [this] { Command40_Click(); });
    QObject::connect(Command41, &platform::CommandButton::Click, Command41,
                     [this] { Command41_Click(); });
    QObject::connect(ListView3, &platform::ListView::DblClick, ListView3,
                     [this] { ListView3_DblClick(); });
}

void IndexQueryPane::Command6_Click() {
    IndexQueryClick(*this);
}

void IndexQueryPane::Command40_Click() {
    const bool checkAll = Command40->Caption() == u"全选";
    ListView3->Rows().SetAllChecked(checkAll);
    Command40->SetCaption(checkAll ? QStringLiteral("全不选") : QStringLiteral("全选"));
}

void IndexQueryPane::Command41_Click() {
    DeleteTickedKeywords(*this);
}

void IndexQueryPane::ListView3_DblClick() {
    IndexDetail(*this);
}

void IndexQueryPane::pic1_Resize() {
    tools_layout::SetWidth(ListView3, tools_layout::Width(window_.pic1) - 500);
}

metrics::WindowContext& IndexQueryPane::Window() {
    return window_;
}

void IndexQueryPane::SetQueryCommandsEnabled(bool enabled) {
    Command6->SetEnabled(enabled);
    Command41->SetEnabled(enabled);
}

platform::RowTable& IndexQueryPane::HistoryList() {
    return window_.ListView2->Rows();
}

platform::RowTable& IndexQueryPane::AudienceList(Audience audience) {
    switch (audience) {
        case Audience::Age:
            return ListView6->Rows();
        case Audience::Occupation:
            return ListView11->Rows();
        case Audience::Education:
            break;
    }
    return ListView15->Rows();
}

}  // namespace research
