#pragma once

#include <QMenu>
#include <QString>

namespace platform {
class ListView;
}

// What the main window's popup and export menus use of the mining window: its regular-pane
// result list (ListView1), its manual-pane list (ListView2), the re-query of the selected row
// and the adding of it to the keyword database. The mining window implements it.
class MiningMenuTarget {
  public:
    virtual ~MiningMenuTarget() = default;
    virtual platform::ListView* ResultList() = 0;
    virtual platform::ListView* ManualList() = 0;
    virtual void recha() = 0;
    virtual void Addto_db() = 0;
};

// What the export menu uses of the keyword database window: its list (ListView16).
class DatabaseMenuTarget {
  public:
    virtual ~DatabaseMenuTarget() = default;
    virtual platform::ListView* KeywordList() = 0;
};

// The main window's four popup menus over the work windows' lists: the row menu of the mining
// result list and the three export menus. They act on the loaded mining and database windows;
// with the window not loaded an item does nothing, and so do the page and delete items when no
// row is selected (the re-query and the add leave that case to the mining window).
class WorkWindowMenus {
  public:
    // The menus belong to `mainWindow`, which is the owner of the web pages they open.
    explicit WorkWindowMenus(QWidget* mainWindow);
    ~WorkWindowMenus();
    WorkWindowMenus(const WorkWindowMenus&) = delete;
    WorkWindowMenus& operator=(const WorkWindowMenus&) = delete;

    // 相关关键词: the selected row of the mining result list.
    QMenu* m_xggjc;
    QAction* m_chanum;
    QAction* m_chaindex;
    QAction* m_chabaidu;
    QAction* m_chagoogle;
    QAction* m_adddb;
    QAction* m_delete;
    // 导出: the mining result list, the manual-pane list, the database list.
    QMenu* m_daochu1;
    QAction* m_excel1;
    QAction* m_html1;
    QAction* m_txt1;
    QMenu* m_daochu2;
    QAction* m_excel2;
    QAction* m_html2;
    QAction* m_txt2;
    QMenu* m_daochu3;
    QAction* m_excel3;
    QAction* m_html3;
    QAction* m_txt3;

    void m_chanum_Click();
    void m_chaindex_Click();
    void m_chabaidu_Click();
    void m_chagoogle_Click();
    void m_adddb_Click();
    void m_delete_Click();
    void m_excel1_Click();
    void m_html1_Click();
    void m_txt1_Click();
    void m_excel2_Click();
    void m_html2_Click();
    void m_txt2_Click();
    void m_excel3_Click();
    void m_html3_Click();
    void m_txt3_Click();

  private:
    // The selected keyword's page: `base` and `pathAndQuery` followed by the keyword, encoded
    // as the page's site reads it (GBK or UTF-8).
    void OpenKeywordPage(const QString& base, const QString& pathAndQuery, bool utf8);
    // Exports the mining window's result list (manual == false) or manual-pane list.
    void ExportMiningList(bool manual, const QString& extension, qint16 kind);
    void ExportDatabaseList(const QString& extension, qint16 kind);

    QWidget* mainWindow_;
};

// The main window's menus, for the work windows to show at the mouse; nullptr while there is
// no main window.
WorkWindowMenus* TheWorkWindowMenus();
