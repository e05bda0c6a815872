#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QToolBar>
#include <memory>

#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/shell.h"
#include "platform/status_panels.h"
#include "platform/tray.h"
#include "shell/database_check_at_idle.h"
#include "shell/popup_menus.h"
#include "shell/toolbar_pictures.h"
#include "shell/work_windows.h"

class QMdiSubWindow;

// The main window: hosts the work windows and the news window as child windows, one in
// front at a time; owns the menus, the toolbar, the status bar and the tray icon.
class MDIfrm : public QMainWindow {
  public:
    MDIfrm();
    ~MDIfrm() override;

    // The start-up: database, own tables, ver.txt, version check, autorun marks, tray icon,
    // toolbar, status bar, then the splash and the news window. Returns false when the program
    // was ended for the updater.
    bool MDIForm_Load();

    // Menu bar.
    QMenu* mnuXtsz;
    QAction* mnuAuto;
    QAction* mnuUpdate;
    QAction* mnulogin;
    QAction* mnuse;
    QAction* feng;
    QAction* mnuGJL;
    QAction* mnuZTL;
    QMenu* mnuRjgn;
    QAction* mnuDig;
    QAction* mnuTool;
    QAction* mnuDatabase;
    QMenu* mnuGyrj;
    QAction* mnuAbout;
    QAction* mnuAuthor;
    QMenu* mnuRjbz;
    QAction* mnuHelp;
    QAction* mnuAdvise;
    QAction* mnuTc;
    // The tray's popup menu, never shown in the menu bar.
    QMenu* file;
    QAction* autorun;
    QAction* hideme;
    QAction* exitme;
    // The popup and export menus over the work windows' lists (m_xggjc, m_daochu1 to 3).
    std::unique_ptr<WorkWindowMenus> PopupMenus;

    QToolBar* Toolbar1;
    // Toolbar button by its index, from 1.
    QAction* Button(int index) const;
    platform::StatusPanels* StatusBar1;
    // Status bar panel by its index, from 1 to 5.
    QLabel* Panel(int index) const;
    // Hidden navigation box: "2", "3" or "4" for the work window last opened through the
    // menus or the toolbar.
    platform::TextBox* Text1;
    // Hidden browser of the site metrics (TheMainBrowser).
    platform::BrowserView* WebBrowser1;
    std::unique_ptr<platform::TrayIcon> TubrTray1;
    // The run's full check of db.db, begun by the start-up once its window stands idle.
    DatabaseCheckAtIdle* DatabaseCheck;
    QMdiArea* Area;

    // An updater start is under way: closing asks nothing and leaves the tray icon alone.
    bool Updating = false;
    // The window state to return to from the tray: 0 normal, 2 maximised.
    int LastWindowState = 0;

    // The child window in front (a work window or the news window), or nullptr.
    QMdiSubWindow* ActiveChild() const;

    void mnuDig_Click();
    void mnuTool_Click();
    void mnuDatabase_Click();
    void Toolbar1_ButtonClick(int index);
    void mnuGJL_Click();
    void mnuZTL_Click();
    void autorun_Click();
    void mnuAuto_Click();
    void hideme_Click();
    void exitme_Click();
    void mnuTc_Click();
    void TrayIconRestore();
    void TrayIconMouseButton(int button);
    void mnuUpdate_Click();
    void mnulogin_Click();
    void mnuse_Click();
    void mnuAbout_Click();
    void mnuAuthor_Click();
    void mnuHelp_Click();
    void mnuAdvise_Click();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void CreateMenus();
    void CreateToolbar();
    QIcon ToolbarImage(ToolbarPicture image) const;
    void CreateStatusBar();
    void ShowNewsWindow();

    // Opens a work window: unloads the child in front (unless it is in use, by a job, an export
    // or a prompt, or holds work not saved anywhere: then it stays loaded behind the new one),
    // shows the splash while the window loads, shows it maximised.
    void ShowForm(WorkWindowKind kind);
    // Presses the toolbar button of the window shown in front, and no other.
    void ShowPressedButton();
    // A window menu item or toolbar button: records the window, opens it, sets the marks.
    void SwitchTo(WorkWindowKind kind);
    void SetWindowMarks(WorkWindowKind kind);
    void SideBarStep();
    void ToggleAutorun(QAction* clickedItem);
    void ShowAutorunMarks();
    // Starts the updater and, when it started, closes without a question and ends the program.
    bool StartUpdaterAndEnd(platform::ShowStyle style);
    void MDIForm_Resize();

    QList<QAction*> buttons_;
};
