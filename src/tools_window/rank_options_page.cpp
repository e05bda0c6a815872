// The rank page's options: the engines asked, the depth, exact matching, Baidu's paid listings
// and the combination mode, kept in setting4 after every change once the window has loaded.
#include "shared/registry_store.h"
#include "tools_window/engine_icons.h"
#include "tools_window/rank_columns.h"
#include "tools_window/rank_engines.h"
#include "tools_window/rank_setting.h"
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace {

using tools_layout::Caption;
using tools_layout::Put;

const platform::Hive kRoot = platform::Hive::CurrentUser;

// The depth list's entries and the result pages of ten each scans.
const std::pair<QString, int> kDepths[] = {{QStringLiteral("10"), 1}, {QStringLiteral("50"), 5}};
constexpr int kDefaultDepth = 1;  // "50"

// The stored text of `name`, or `fallback` written as its value when it is missing or empty.
QString ReadOrWrite(const QString& name, const QString& fallback) {
    const QString stored = mReg::GetConfigValue(kRoot, mReg::ConfigKey, name);
    if (!stored.isEmpty()) return stored;
    mReg::CreateConfigKey(kRoot, mReg::ConfigKey);
    mReg::SetConfigValue(kRoot, mReg::ConfigKey, name, fallback);
    return fallback;
}

}  // namespace

void 关键词工具::BuildOptionControls() {
    Frame4 =
        Put<platform::Frame>("Frame4", pic4, {120, 3600, 3135, 2055}, QStringLiteral("搜索引擎"));
    ListView10 = Put<platform::ListView>("ListView10", Frame4, {120, 240, 2895, 1695});
    ListView10->Rows().SetColumns({rank_columns::kEngineHeader});
    ListView10->Rows().SetImageList(EngineImageList());
    ListView10->SetCheckBoxes(true);
    Caption(pic4, QStringLiteral("在前"), {3360, 3870, 555, 255});
    Combo8 = Put<platform::ComboBox>("Combo8", pic4, {3960, 3840, 975, 300});
    Caption(pic4, QStringLiteral("条记录中查询"), {5040, 3870, 1335, 255});
    Check111 = Put<platform::CheckBox>("Check111", pic4, {3360, 4200, 2775, 375},
                                       QStringLiteral("精确匹配网站URL"));
    Check112 = Put<platform::CheckBox>("Check112", pic4, {3360, 4560, 3015, 375},
                                       QStringLiteral("排名中包含推广网站（针对百度）"));

    connect(Check111, &platform::CheckBox::Click, this, [this] { Check111_Click(); });
    connect(Check112, &platform::CheckBox::Click, this, [this] { Check112_Click(); });
    connect(Combo8, &platform::ComboBox::Click, this, [this] { Combo8_Click(); });
    connect(ListView10, &platform::ListView::ItemCheck, this, [this] { ListView10_ItemCheck(); });
}

void 关键词工具::FillRankOptionLists() {
    for (int i = 0; i < int(std::size(kDepths)); ++i) {
        Combo8->AddItem(kDepths[i].first);
        Combo8->setItemData(i, kDepths[i].second);
    }
    for (const char* pages : {"1", "2", "5", "10"}) Combo16->AddItem(QString::fromUtf8(pages));
    Combo16->SetListIndex(0);
    for (const RankEngineInfo& engine : RankEngines()) {
        const platform::ListItem row = ListView10->Add(engine.name);
        row.SetSmallIcon(engine.listIcon);
        row.SetTag(engine.tag);
    }
}

void 关键词工具::RestoreRankOptions() {
    const RankSetting setting =
        ParseRankSetting(ReadOrWrite(kRankSettingName, DefaultRankSetting()));
    {
        const QSignalBlocker quiet(Option1[setting.mode]);
        Option1[setting.mode]->SetValue(1);
    }
    PlaceTargetFrames(setting.mode);
    Option1_Click(setting.mode);
    if (setting.depthIndex) Combo8->SetListIndex(*setting.depthIndex);
    if (setting.exactMatch) Check111->SetValue(*setting.exactMatch);
    if (setting.countPaid) Check112->SetValue(*setting.countPaid);
    platform::RowTable& engines = ListView10->Rows();
    for (int i = 1; i <= engines.Count(); ++i)
        if (setting.engineTags.contains(engines.Tag(i))) engines.SetChecked(i, true);
    ReadOrWrite(kRankUrlSettingName, QString());
}

void 关键词工具::SaveRankOptions() {
    RankSetting setting;
    const platform::RowTable& engines = ListView10->Rows();
    for (int i = 1; i <= engines.Count(); ++i)
        if (engines.Checked(i)) setting.engineTags << engines.Tag(i);
    setting.mode = Option1[0]->Value() == 1 ? 0 : 1;
    setting.depthIndex = Combo8->ListIndex();
    setting.exactMatch = Check111->Value();
    setting.countPaid = Check112->Value();
    mReg::SetConfigValue(kRoot, mReg::ConfigKey, kRankSettingName, FormatRankSetting(setting));
}

void 关键词工具::Check111_Click() {
    if (fields_.ToolsLoaded) SaveRankOptions();
}

void 关键词工具::Check112_Click() {
    if (fields_.ToolsLoaded) SaveRankOptions();
}

void 关键词工具::Combo8_Click() {
    if (fields_.ToolsLoaded) SaveRankOptions();
}

void 关键词工具::ListView10_ItemCheck() {
    if (fields_.ToolsLoaded) SaveRankOptions();
}

int 关键词工具::DepthPages() const {
    const int index = Combo8->ListIndex();
    return index >= 0 ? Combo8->itemData(index).toInt() : kDepths[kDefaultDepth].second;
}

QString 关键词工具::DepthText() const {
    return Combo8->ListIndex() >= 0 ? Combo8->Text() : kDepths[kDefaultDepth].first;
}
