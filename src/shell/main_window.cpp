#include "shell/main_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include "platform/modal_dialog.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "platform/twips.h"
#include "shared/busy_indicator.h"
#include "shared/failure_notice.h"
#include "shared/job_progress.h"
#include "shared/running_job.h"
#include "shared/web_addresses.h"
#include "shell/about_dialog.h"
#include "shell/autorun.h"
#include "shell/blocking_settings_dialog.h"
#include "shell/database_bootstrap.h"
#include "shell/loading_splash.h"
#include "shell/lock_wait_notice.h"
#include "shell/login_settings_dialog.h"
#include "shell/main_browser.h"
#include "shell/news_window.h"
#include "shell/program_end.h"
#include "shell/program_icon.h"
#include "shell/suggest_dialog.h"
#include "shell/toolbar_pictures.h"
#include "shell/version_check.h"
#include "shell/work_window.h"

namespace {

const QString kHide = QStringLiteral("隐藏窗体");
const QString kShow = QStringLiteral("显示窗体");
const QString kTitle = QStringLiteral("Tarnwickv4.0");

// The main window while it lives, for what other windows reach of it.
MDIfrm* theMainWindow = nullptr;

constexpr int kNormal = 0;
constexpr int kMaximized = 2;

// A handler that handles events (a window's load, a dialog) inside the click that chose its item
// in the open menu leaves Qt's pointer tracking behind: the toolbar button under the item then
// keeps its hover frame after the pointer has left it. So an item chosen in the open menu acts
// once that click is handled; an item triggered by code acts at once. A menu is marked from its
// closing until the events of that moment are handled.
const char* const kClosing = "closing";

QMenu* ItemMenu(QMenu* menu) {
    QObject::connect(menu, &QMenu::aboutToHide, menu, [menu] {
        menu->setProperty(kClosing, true);
        QTimer::singleShot(0, menu, [menu] { menu->setProperty(kClosing, false); });
    });
    return menu;
}

// Menu items keep their check mark until their handler sets it: the handlers decide the marks
// (Qt would flip a checkable item's mark before the handler runs).
template <typename Handler>
QAction* Item(QMenu* menu, const QString& caption, bool checkable, Handler handler) {
    QAction* action = menu->addAction(caption);
    action->setCheckable(checkable);
    QObject::connect(action, &QAction::triggered, menu, [menu, action, handler](bool checked) {
        if (action->isCheckable()) action->setChecked(!checked);
        if (menu->property(kClosing).toBool())
            QTimer::singleShot(0, menu, handler);
        else
            handler();
    });
    return action;
}

}  // namespace

MDIfrm::MDIfrm()
    : Text1(new platform::TextBox(this)),
      WebBrowser1(platform::CreateBrowserView(this)),
      TubrTray1(platform::CreateTrayIcon()),
      DatabaseCheck(new DatabaseCheckAtIdle(this)),
      Area(new QMdiArea(this)) {
    // The program ends only through its own close (or the updater start). A message closed
    // while the window is in the tray must not end it as the last window closed.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    setWindowTitle(kTitle);
    setWindowIcon(ProgramIcon());
    setCentralWidget(Area);
    Area->setBackground(palette().dark());
    Text1->hide();
    WebBrowser1->hide();
    theMainWindow = this;
    SetWorkWindowHost(Area);
    // The pressed toolbar button is always the shown window's, whoever showed it.
    connect(Area, &QMdiArea::subWindowActivated, this, [this] { ShowPressedButton(); });
    CreateMenus();
    CreateToolbar();
    CreateStatusBar();
    ShowLockWaitsOn(this);
    TubrTray1->Restore = [this] { TrayIconRestore(); };
    TubrTray1->MouseButton = [this](int button) { TrayIconMouseButton(button); };
    // Without a window manager a maximised window keeps its own size: it is the screen's.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size());
    setWindowState(Qt::WindowMaximized);
}

MDIfrm::~MDIfrm() {
    if (theMainWindow == this) {
        theMainWindow = nullptr;
        platform::Connection::SetLockWaitNotice({});
    }
    // The area's windows go after this one: their going shows nothing any more.
    disconnect(Area, nullptr, this, nullptr);
    // Windows loaded only for their hidden boxes are children of the area and go with it.
    SetWorkWindowHost(nullptr);
}

void MDIfrm::CreateMenus() {
    mnuXtsz = ItemMenu(menuBar()->addMenu(QStringLiteral("系统设置(&S)")));
    mnuAuto = Item(mnuXtsz, QStringLiteral("开机运行"), true, [this] { mnuAuto_Click(); });
    mnuUpdate = Item(mnuXtsz, QStringLiteral("在线升级"), false, [this] { mnuUpdate_Click(); });
    mnulogin = Item(mnuXtsz, QStringLiteral("软件登录设置"), false, [this] { mnulogin_Click(); });
    mnuse = Item(mnuXtsz, QStringLiteral("搜索引擎屏蔽设置"), false, [this] { mnuse_Click(); });
    mnuse->setVisible(false);
    feng = mnuXtsz->addSeparator();
    mnuGJL = Item(mnuXtsz, QStringLiteral("工具栏"), true, [this] { mnuGJL_Click(); });
    mnuZTL = Item(mnuXtsz, QStringLiteral("状态栏"), true, [this] { mnuZTL_Click(); });

    mnuRjgn = ItemMenu(menuBar()->addMenu(QStringLiteral("软件功能(&F)")));
    mnuDig = Item(mnuRjgn, QStringLiteral("关键词挖掘"), true, [this] { mnuDig_Click(); });
    mnuTool = Item(mnuRjgn, QStringLiteral("关键词工具"), true, [this] { mnuTool_Click(); });
    mnuDatabase =
        Item(mnuRjgn, QStringLiteral("关键词数据库"), true, [this] { mnuDatabase_Click(); });

    mnuGyrj = ItemMenu(menuBar()->addMenu(QStringLiteral("关于软件(&A)")));
    mnuAbout = Item(mnuGyrj, QStringLiteral("软件说明"), false, [this] { mnuAbout_Click(); });
    mnuAuthor = Item(mnuGyrj, QStringLiteral("官方网站"), false, [this] { mnuAuthor_Click(); });

    mnuRjbz = ItemMenu(menuBar()->addMenu(QStringLiteral("软件帮助(&H)")));
    mnuHelp = Item(mnuRjbz, QStringLiteral("在线帮助"), false, [this] { mnuHelp_Click(); });
    mnuAdvise = Item(mnuRjbz, QStringLiteral("意见和建议"), false, [this] { mnuAdvise_Click(); });

    mnuTc = menuBar()->addAction(QStringLiteral("退出(&X)"));
    connect(mnuTc, &QAction::triggered, this, [this] { mnuTc_Click(); });

    // Menus that never show in the bar and serve as popup menus. The popup and export menus
    // of the work windows' lists belong here too.
    PopupMenus = std::make_unique<WorkWindowMenus>(this);
    file = ItemMenu(new QMenu(QStringLiteral("文件"), this));
    autorun = Item(file, QStringLiteral("开机运行"), true, [this] { autorun_Click(); });
    hideme = Item(file, kHide, false, [this] { hideme_Click(); });
    exitme = Item(file, QStringLiteral("退出软件"), false, [this] { exitme_Click(); });
}

void MDIfrm::CreateToolbar() {
    Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar1->toggleViewAction()->setEnabled(false);
    buttons_ << Toolbar1->addSeparator();
    const struct {
        const char* caption;
        ToolbarPicture image;
    } designed[] = {
        {"关键词挖掘", ToolbarPicture::Mining},
        {"关键词工具", ToolbarPicture::Tools},
        {"关键词数据库", ToolbarPicture::Database},
        {" 外链拓展 ", ToolbarPicture::Links},
    };
    for (const auto& button : designed) {
        QAction* action =
            Toolbar1->addAction(ToolbarImage(button.image), QString::fromUtf8(button.caption));
        action->setCheckable(true);
        const int index = buttons_.size() + 1;
        connect(action, &QAction::triggered, this, [this, index] { Toolbar1_ButtonClick(index); });
        buttons_ << action;
    }
    // Button 5 has no action of its own; it is not offered.
    buttons_[4]->setVisible(false);
}

void MDIfrm::CreateStatusBar() {
    StatusBar1 = new platform::StatusPanels({{160}, {160}, {160, true}, {80}, {80}});
    setStatusBar(StatusBar1);
    BusyIndicator::Attach(
        [bar = QPointer<platform::StatusPanels>(StatusBar1)](const QString& text) {
            if (bar) bar->SetText(1, text);
        });
    JobProgress::Attach([bar = QPointer<platform::StatusPanels>(StatusBar1)](
                            const QString& countText, const QString& itemText) {
        if (!bar) return;
        bar->SetText(2, countText);
        bar->SetText(3, itemText);
    });
}

platform::BrowserControl* TheMainBrowser() {
    return theMainWindow ? theMainWindow->WebBrowser1 : nullptr;
}

QIcon MDIfrm::ToolbarImage(ToolbarPicture image) const {
    // Every button's picture fills the toolbar's picture size, so that captions line up.
    return QIcon(DrawToolbarPicture(image, Toolbar1->iconSize().width()));
}

QAction* MDIfrm::Button(int index) const {
    return buttons_.value(index - 1);
}

QLabel* MDIfrm::Panel(int index) const {
    return StatusBar1->PanelLabel(index);
}

bool MDIfrm::MDIForm_Load() {
    OpenDatabaseOrWarn(SharedConnection(), this, nullptr);
    BootstrapSchema();
    WriteVersionFile();
    if (CheckVersionAtStartup([this](platform::ShowStyle style) {
            return StartUpdaterAndEnd(style);
        }) == VersionCheckOutcome::UpdaterStarted)
        return false;
    ShowAutorunMarks();
    TubrTray1->SetIcon(windowIcon());
    TubrTray1->SetToolTip(kTitle);

    auto* spacer = new QWidget;
    spacer->setFixedWidth(16);
    buttons_ << Toolbar1->addWidget(spacer);
    QAction* sideBar =
        Toolbar1->addAction(ToolbarImage(ToolbarPicture::HideSideBar), QStringLiteral("隐藏侧栏"));
    sideBar->setCheckable(true);
    connect(sideBar, &QAction::triggered, this, [this] { Toolbar1_ButtonClick(7); });
    buttons_ << sideBar;

    mnuGJL->setChecked(true);
    mnuZTL->setChecked(true);
    BusyIndicator::Set(BusyIndicator::kReady);
    if (!isVisible()) show();
    ShowNewsWindow();
    LastWindowState = isMaximized() && !isMinimized() ? kMaximized : kNormal;
    DatabaseCheck->Begin();
    return true;
}

void MDIfrm::ShowNewsWindow() {
    auto* splash = new frmLoading(this);
    splash->ShowAndPaint();
    auto* news = new frm_login;
    news->Form_Load();
    splash->close();
    QMdiSubWindow* frame = Area->addSubWindow(news);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->showMaximized();
    Area->setActiveSubWindow(frame);
}

bool MDIfrm::StartUpdaterAndEnd(platform::ShowStyle style) {
    Updating = true;
    if (!platform::TheShell().StartProgram(
            platform::ProgramFolder() + QStringLiteral("/update.exe"), style)) {
        Updating = false;
        return false;
    }
    close();
    EndProgram();
    return true;
}

QMdiSubWindow* MDIfrm::ActiveChild() const {
    if (QMdiSubWindow* active = Area->activeSubWindow()) return active;
    if (QMdiSubWindow* current = Area->currentSubWindow()) return current;
    const QList<QMdiSubWindow*> history = Area->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = history.crbegin(); it != history.crend(); ++it)
        if ((*it)->isVisible()) return *it;
    return nullptr;
}

void MDIfrm::ShowForm(WorkWindowKind kind) {
    const QPointer<QMdiSubWindow> leaving = ActiveChild();
    auto* splash = new frmLoading(this);
    splash->ShowAndPaint();
    // The leaving window goes only now: nothing handles events between its unload and the
    // next window's load.
    if (leaving) {
        auto* window = dynamic_cast<WorkWindow*>(leaving->widget());
        if (!window)
            delete leaving;
        else if (!window->InUse() && !window->HoldsUnsavedWork())
            UnloadWhenIdle(window);
        // Otherwise a job's loop, an export or a prompt still uses it, or it holds work not
        // saved anywhere: it stays loaded, behind the new one.
    }
    LoadWorkWindow(kind);
    splash->close();
    ShowWorkWindow(kind);
}

void MDIfrm::ShowPressedButton() {
    WorkWindowKind kind;
    const QMdiSubWindow* active = Area->activeSubWindow();
    const int shown = active && !active->isHidden() && KindOfLoadedWindow(active->widget(), &kind)
                          ? NavigationText(kind).toInt()
                          : 0;
    for (int index = 2; index <= 4; ++index) Button(index)->setChecked(index == shown);
}

void MDIfrm::SetWindowMarks(WorkWindowKind kind) {
    mnuDig->setChecked(kind == WorkWindowKind::Mining);
    mnuTool->setChecked(kind == WorkWindowKind::Tools);
    mnuDatabase->setChecked(kind == WorkWindowKind::Database);
}

void MDIfrm::SwitchTo(WorkWindowKind kind) {
    Text1->SetText(NavigationText(kind));
    ShowForm(kind);
    SetWindowMarks(kind);
    ShowPressedButton();
}

void MDIfrm::mnuDig_Click() {
    SwitchTo(WorkWindowKind::Mining);
}

void MDIfrm::mnuTool_Click() {
    SwitchTo(WorkWindowKind::Tools);
}

void MDIfrm::mnuDatabase_Click() {
    SwitchTo(WorkWindowKind::Database);
}

void MDIfrm::Toolbar1_ButtonClick(int index) {
    WorkWindowKind kind;
    if (index == 7) {
        if (!jobs::AnyRunning()) SideBarStep();
    } else if (KindOfNavigationText(QString::number(index), &kind)) {
        if (!jobs::AnyRunning()) {
            Text1->SetText(NavigationText(kind));
            ShowForm(kind);
            SetWindowMarks(kind);
        }
        // A refused click leaves the button it pressed up again.
        ShowPressedButton();
    }
}

void MDIfrm::SideBarStep() {
    WorkWindowKind kind;
    if (!KindOfNavigationText(Text1->Text(), &kind)) return;
    // A window closed since it was opened is left closed.
    WorkWindow* window = LoadedWorkWindow(kind);
    if (!window) return;
    const bool hide = Button(7)->isChecked();
    window->SideBar()->setVisible(!hide);
    QWidget* tabs = window->PageTabs();
    tabs->move(platform::TwipsToPixels(hide ? 100 : 2880), tabs->y());
    for (QWidget* pane : window->SideBarPanes())
        pane->resize(platform::TwipsToPixels(window->ScaleWidth() - (hide ? 200 : 2800)),
                     pane->height());
}

void MDIfrm::mnuGJL_Click() {
    mnuGJL->setChecked(!mnuGJL->isChecked());
    Toolbar1->setVisible(mnuGJL->isChecked());
}

void MDIfrm::mnuZTL_Click() {
    mnuZTL->setChecked(!mnuZTL->isChecked());
    StatusBar1->setVisible(mnuZTL->isChecked());
}

void MDIfrm::ShowAutorunMarks() {
    const bool registered = AutorunRegistered();
    autorun->setChecked(registered);
    mnuAuto->setChecked(registered);
}

void MDIfrm::ToggleAutorun(QAction* clickedItem) {
    SetAutorun(!clickedItem->isChecked());
    // The marks show what the settings now hold, also when the write was refused.
    ShowAutorunMarks();
}

void MDIfrm::autorun_Click() {
    ToggleAutorun(autorun);
}

void MDIfrm::mnuAuto_Click() {
    ToggleAutorun(mnuAuto);
}

void MDIfrm::hideme_Click() {
    if (hideme->text() == kHide) {
        hide();
        hideme->setText(kShow);
    } else {
        TrayIconRestore();
    }
}

void MDIfrm::TrayIconRestore() {
    setWindowState(LastWindowState == kMaximized ? Qt::WindowMaximized : Qt::WindowNoState);
    show();
    hideme->setText(kHide);
}

void MDIfrm::TrayIconMouseButton(int button) {
    if (button != 2) return;
    raise();
    activateWindow();
    file->popup(QCursor::pos());
}

void MDIfrm::MDIForm_Resize() {
    if (isMinimized()) {
        hide();
        hideme->setText(kShow);
    } else {
        LastWindowState = isMaximized() ? kMaximized : kNormal;
    }
}

void MDIfrm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible()) MDIForm_Resize();
}

void MDIfrm::exitme_Click() {
    close();
}

void MDIfrm::mnuTc_Click() {
    close();
}

void MDIfrm::closeEvent(QCloseEvent* event) {
    if (Updating) {
        event->accept();
        return;
    }
    if (platform::ThePrompts().MessageBox(QStringLiteral("确认要退出系统吗?"),
                                          QStringLiteral("提示"), platform::Buttons::YesNo,
                                          platform::Icon::Information) != platform::Answer::Yes) {
        event->ignore();
        return;
    }
    event->accept();
    TubrTray1->RemoveIcon();
    EndProgram();
}

void MDIfrm::mnuUpdate_Click() {
    if (platform::ThePrompts().MessageBox(QStringLiteral("未发现可用的更新，确实要更新吗？"),
                                          QStringLiteral("提示"), platform::Buttons::YesNo,
                                          platform::Icon::None) != platform::Answer::Yes)
        return;
    if (!StartUpdaterAndEnd(platform::ShowStyle::Minimized))
        TellFailure(
            QStringLiteral("无法启动升级程序：") +
            QDir::toNativeSeparators(platform::ProgramFolder() + QStringLiteral("/update.exe")));
}

void MDIfrm::mnulogin_Click() {
    frm_loginset dialog(this);
    dialog.Form_Load();
    platform::ShowModal(dialog);
}

void MDIfrm::mnuse_Click() {
    ShowBlockingSettings(this);
}

void MDIfrm::mnuAbout_Click() {
    frm_about dialog(this);
    dialog.Form_Load();
    platform::ShowModal(dialog);
}

void MDIfrm::mnuAdvise_Click() {
    frm_suggest dialog(this);
    dialog.Form_Load();
    platform::ShowModal(dialog);
}

void MDIfrm::mnuAuthor_Click() {
    platform::TheShell().Open(WebAddress::kMakerSite + u'/', this);
}

void MDIfrm::mnuHelp_Click() {
    platform::TheShell().Open(WebAddress::kMakerSite + QStringLiteral("/help.html"), this);
}
