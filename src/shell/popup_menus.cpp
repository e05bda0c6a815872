#include "shell/popup_menus.h"

#include <functional>

#include "platform/list_view.h"
#include "platform/shell.h"
#include "shared/list_exporter.h"
#include "shared/report_writer.h"
#include "shared/url_encoding.h"
#include "shared/web_addresses.h"
#include "shell/work_window.h"
#include "shell/work_windows.h"

namespace {

WorkWindowMenus* current = nullptr;

QAction* Item(QMenu* menu, const QString& caption, std::function<void()> handler) {
    QAction* action = menu->addAction(caption);
    QObject::connect(action, &QAction::triggered, menu, [handler] { handler(); });
    return action;
}

template <typename Target>
Target* Loaded(WorkWindowKind kind) {
    return dynamic_cast<Target*>(LoadedWorkWindow(kind));
}

}  // namespace

WorkWindowMenus::WorkWindowMenus(QWidget* mainWindow) : mainWindow_(mainWindow) {
    m_xggjc = new QMenu(QStringLiteral("相关关键词"), mainWindow);
    m_chanum = Item(m_xggjc, QStringLiteral("重查当前项"), [this] { m_chanum_Click(); });
    m_xggjc->addSeparator();
    m_chaindex =
        Item(m_xggjc, QStringLiteral("查看该关键词的百度指数"), [this] { m_chaindex_Click(); });
    m_chabaidu =
        Item(m_xggjc, QStringLiteral("查看该关键词的百度收录"), [this] { m_chabaidu_Click(); });
    m_chagoogle =
        Item(m_xggjc, QStringLiteral("查看该关键词的谷歌收录"), [this] { m_chagoogle_Click(); });
    m_xggjc->addSeparator();
    m_adddb =
        Item(m_xggjc, QStringLiteral("加入当前项至关键词数据库"), [this] { m_adddb_Click(); });
    m_delete = Item(m_xggjc, QStringLiteral("删除当前项"), [this] { m_delete_Click(); });

    const auto exportMenu =
        [mainWindow](QAction*& excel, QAction*& html, QAction*& txt, std::function<void()> onExcel,
                     std::function<void()> onHtml, std::function<void()> onTxt) {
            auto* menu = new QMenu(QStringLiteral("导出"), mainWindow);
            excel = Item(menu, QStringLiteral("导出为Excel"), std::move(onExcel));
            html = Item(menu, QStringLiteral("导出为Html"), std::move(onHtml));
            txt = Item(menu, QStringLiteral("导出为Txt"), std::move(onTxt));
            return menu;
        };
    m_daochu1 = exportMenu(
        m_excel1, m_html1, m_txt1, [this] { m_excel1_Click(); }, [this] { m_html1_Click(); },
        [this] { m_txt1_Click(); });
    m_daochu2 = exportMenu(
        m_excel2, m_html2, m_txt2, [this] { m_excel2_Click(); }, [this] { m_html2_Click(); },
        [this] { m_txt2_Click(); });
    m_daochu3 = exportMenu(
        m_excel3, m_html3, m_txt3, [this] { m_excel3_Click(); }, [this] { m_html3_Click(); },
        [this] { m_txt3_Click(); });
    current = this;
}

WorkWindowMenus::~WorkWindowMenus() {
    if (current == this) current = nullptr;
}

WorkWindowMenus* TheWorkWindowMenus() {
    return current;
}

void WorkWindowMenus::m_chanum_Click() {
    if (auto* mining = Loaded<MiningMenuTarget>(WorkWindowKind::Mining)) mining->recha();
}

void WorkWindowMenus::m_chaindex_Click() {
    OpenKeywordPage(WebAddress::kBaiduIndex, QStringLiteral("/main/word.php?word="), false);
}

void WorkWindowMenus::m_chabaidu_Click() {
    OpenKeywordPage(WebAddress::kBaiduSearch, QStringLiteral("/s?wd="), false);
}

void WorkWindowMenus::m_chagoogle_Click() {
    OpenKeywordPage(WebAddress::kGoogleHk, QStringLiteral("/search?hl=zh-CN&source=hp&q="), true);
}

void WorkWindowMenus::m_adddb_Click() {
    if (auto* mining = Loaded<MiningMenuTarget>(WorkWindowKind::Mining)) mining->Addto_db();
}

void WorkWindowMenus::m_delete_Click() {
    auto* mining = Loaded<MiningMenuTarget>(WorkWindowKind::Mining);
    platform::ListView* list = mining ? mining->ResultList() : nullptr;
    // The shown list only: the master copy keeps the row for 还原.
    if (list && list->SelectedIndex()) list->Remove(list->SelectedIndex());
}

void WorkWindowMenus::m_excel1_Click() {
    ExportMiningList(false, QStringLiteral("xls"), 0);
}
void WorkWindowMenus::m_html1_Click() {
    ExportMiningList(false, QStringLiteral("htm"), ReportRelatedKeywords);
}
void WorkWindowMenus::m_txt1_Click() {
    ExportMiningList(false, QStringLiteral("txt"), ReportRelatedKeywords);
}
void WorkWindowMenus::m_excel2_Click() {
    ExportMiningList(true, QStringLiteral("xls"), 0);
}
void WorkWindowMenus::m_html2_Click() {
    ExportMiningList(true, QStringLiteral("htm"), ReportRelatedKeywords);
}
void WorkWindowMenus::m_txt2_Click() {
    ExportMiningList(true, QStringLiteral("txt"), ReportRelatedKeywords);
}
void WorkWindowMenus::m_excel3_Click() {
    ExportDatabaseList(QStringLiteral("xls"), 0);
}
void WorkWindowMenus::m_html3_Click() {
    ExportDatabaseList(QStringLiteral("htm"), ReportKeywordDatabase);
}
void WorkWindowMenus::m_txt3_Click() {
    ExportDatabaseList(QStringLiteral("txt"), ReportKeywordDatabase);
}

void WorkWindowMenus::OpenKeywordPage(const QString& base, const QString& pathAndQuery, bool utf8) {
    auto* mining = Loaded<MiningMenuTarget>(WorkWindowKind::Mining);
    platform::ListView* list = mining ? mining->ResultList() : nullptr;
    const int row = list ? list->SelectedIndex() : 0;
    if (!row) return;
    const QString text = list->Rows().Text(row);
    // Encoded, so that a keyword holding "&", "#" or a blank asks for itself.
    const QString keyword = utf8 ? UrlEncodeUtf8(text) : UrlEncodeGbk(text);
    platform::TheShell().Open(base + pathAndQuery + keyword, mainWindow_);
}

void WorkWindowMenus::ExportMiningList(bool manual, const QString& extension, qint16 kind) {
    WorkWindow* window = LoadedWorkWindow(WorkWindowKind::Mining);
    auto* mining = dynamic_cast<MiningMenuTarget*>(window);
    if (!mining) return;
    platform::ListView* list = manual ? mining->ManualList() : mining->ResultList();
    if (list) ExportList(list->Rows(), extension, kind, window);
}

void WorkWindowMenus::ExportDatabaseList(const QString& extension, qint16 kind) {
    WorkWindow* window = LoadedWorkWindow(WorkWindowKind::Database);
    auto* database = dynamic_cast<DatabaseMenuTarget*>(window);
    if (!database) return;
    if (platform::ListView* list = database->KeywordList())
        ExportList(list->Rows(), extension, kind, window);
}
