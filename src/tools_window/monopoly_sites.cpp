#include "tools_window/monopoly_sites.h"

#include "platform/prompts.h"
#include "shared/registry_store.h"
#include "shared/text_helpers.h"
#include "tools_window/kws_table.h"
#include "tools_window/notices.h"

namespace monopoly_sites {
namespace {

const platform::Hive kRoot = platform::Hive::CurrentUser;

}  // namespace

QString DefaultList() {
    return QStringLiteral("baidu.com$qq.com$gov.cn");
}

void Load(platform::RowTable& list) {
    QString text = mReg::GetConfigValue(kRoot, mReg::ConfigKey, kSettingName);
    if (text.isEmpty()) {
        text = DefaultList();
        mReg::CreateConfigKey(kRoot, mReg::ConfigKey);
        mReg::SetConfigValue(kRoot, mReg::ConfigKey, kSettingName, text);
    }
    for (const QString& entry : text.split(u'$')) list.Add(entry);
}

void Save(const platform::RowTable& list) {
    QStringList entries;
    entries.reserve(list.Count());
    for (int i = 1; i <= list.Count(); ++i) entries << list.Text(i);
    mReg::SetConfigValue(kRoot, mReg::ConfigKey, kSettingName, entries.join(u'$'));
}

QString SiteRefusal(const QString& site) {
    if (site.isEmpty()) return QStringLiteral("网站URL不能为空！");
    if (site.contains(u'$')) return QStringLiteral("网站URL中不能含有“$”：") + site;
    return {};
}

void Add(platform::RowTable& list) {
    const QString answer = platform::ThePrompts().InputBox(
        QStringLiteral("请输入垄断网站URL！请尽量输入不带www的url，比如qq.com或baidu.com"),
        QStringLiteral("添加网站"), QString());
    const QString site = TrimBlanks(answer);
    if (!answer.isEmpty()) {
        if (const QString refusal = SiteRefusal(site); !refusal.isEmpty())
            Notice(refusal);
        else if (LowerCaseTexts(list).Contains(site))
            Notice(QStringLiteral("您添加的网站URL已经存在！"));
        else
            list.Add(site);
    }
    Save(list);
}

void Edited(platform::RowTable& list, int row, const QString& text) {
    if (const QString refusal = SiteRefusal(TrimBlanks(text)); !refusal.isEmpty()) {
        Notice(refusal);
        return;
    }
    list.SetText(row, text);
    Save(list);
}

void RemoveTicked(platform::RowTable& list) {
    if (platform::ThePrompts().MessageBox(QStringLiteral("确实要删除该网站吗？"),
                                          QStringLiteral("提示"), platform::Buttons::YesNoCancel,
                                          platform::Icon::None) != platform::Answer::Yes)
        return;
    if (list.RemoveChecked() == 0) {
        Notice(QStringLiteral("请选择要删除的垄断网站URL"));
        return;
    }
    Save(list);
}

}  // namespace monopoly_sites
