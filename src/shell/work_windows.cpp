#include "shell/work_windows.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <map>

#include "platform/prompts.h"
#include "platform/wait.h"
#include "shared/busy_indicator.h"
#include "shared/list_exporter.h"
#include "shared/shared_connection.h"
#include "shell/work_window.h"

namespace {

struct Slot {
    WorkWindowFactory factory;
    QPointer<WorkWindow> window;
};

std::map<WorkWindowKind, Slot>& Slots() {
    static std::map<WorkWindowKind, Slot> registered;
    return registered;
}

QPointer<QMdiArea>& Host() {
    static QPointer<QMdiArea> host;
    return host;
}

}  // namespace

WorkWindow::~WorkWindow() {
    // A paused job goes with its window: "已暂停" stands only while another one is left.
    if (BusyIndicator::Text() != BusyIndicator::kPaused) return;
    for (WorkWindowKind kind :
         {WorkWindowKind::Mining, WorkWindowKind::Tools, WorkWindowKind::Database}) {
        const WorkWindow* loaded = LoadedWorkWindow(kind);
        if (loaded && loaded != this && loaded->JobPaused()) return;
    }
    BusyIndicator::Set(BusyIndicator::kReady);
}

bool WorkWindow::InUse() const {
    return JobRunning() || ExportInProgress() || platform::PromptOpen();
}

void WorkWindow::closeEvent(QCloseEvent* event) {
    if (!InUse() && !platform::InNestedLoop()) {
        QWidget::closeEvent(event);
        return;
    }
    if (!InUse()) {
        // A close inside another job's wait: the code waiting below may still use the window.
        event->ignore();
        UnloadWhenIdle(this);
        return;
    }
    event->ignore();
    platform::ThePrompts().MessageBox(
        JobRunning() ? QStringLiteral("本窗口的任务正在进行中，请先停止任务再关闭窗口。")
                     : QStringLiteral("导出数据或对话框尚未结束，请先完成后再关闭窗口。"),
        QStringLiteral("提示"), platform::Buttons::Ok, platform::Icon::Information);
}

void WorkWindow::PlaceDesign(const QList<QWidget*>& panes) {
    platform::SetGeometryTwips(SideBar(), 0, 0, 2820, 9000);
    platform::SetGeometryTwips(PageTabs(), 2880, 0, 12000, 9000);
    for (QWidget* pane : panes) {
        platform::SetGeometryTwips(pane, 0, 0, 12000, 9000);
        pane->setVisible(pane == panes.first());
    }
}

platform::TextBox* WorkWindow::HiddenBox(const QString& designText) {
    auto* box = new platform::TextBox(this);
    box->SetText(designText);
    box->hide();
    return box;
}

QString NavigationText(WorkWindowKind kind) {
    switch (kind) {
        case WorkWindowKind::Mining:
            return QStringLiteral("2");
        case WorkWindowKind::Tools:
            return QStringLiteral("3");
        case WorkWindowKind::Database:
            return QStringLiteral("4");
    }
    return {};
}

bool KindOfNavigationText(const QString& text, WorkWindowKind* kind) {
    for (WorkWindowKind each :
         {WorkWindowKind::Mining, WorkWindowKind::Tools, WorkWindowKind::Database}) {
        if (NavigationText(each) == text) {
            *kind = each;
            return true;
        }
    }
    return false;
}

void RegisterWorkWindow(WorkWindowKind kind, WorkWindowFactory factory) {
    Slots()[kind].factory = std::move(factory);
}

void SetWorkWindowHost(QMdiArea* host) {
    Host() = host;
}

WorkWindow* LoadedWorkWindow(WorkWindowKind kind) {
    auto found = Slots().find(kind);
    return found == Slots().end() ? nullptr : found->second.window.data();
}

WorkWindow* LoadWorkWindow(WorkWindowKind kind) {
    Slot& slot = Slots()[kind];
    if (slot.window) return slot.window;
    if (!slot.factory) return nullptr;
    WorkWindow* window = slot.factory();
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Until it is shown, a window loaded for its hidden boxes lives hidden in the host.
    if (Host()) window->setParent(Host(), window->windowFlags() & ~Qt::Window);
    window->hide();
    slot.window = window;
    {
        // The load reads many things: another program's lock stands it still once at most.
        platform::OneLockWait once(SharedConnection());
        window->Form_Load();
        // An open that the lock kept pending was told by the open itself.
        if (once.Outlasted() && !SharedConnection().OpenPending())
            platform::ThePrompts().MessageBox(
                QStringLiteral("数据库文件正被其他程序占用，窗口中的数据没有全部读出。\r\n\r\n"
                               "请在其他程序释放它以后重新打开本窗口。"),
                QStringLiteral("警告"), platform::Buttons::Ok, platform::Icon::Exclamation);
    }
    return window;
}

WorkWindow* ShowWorkWindow(WorkWindowKind kind) {
    WorkWindow* window = LoadWorkWindow(kind);
    if (!window) return nullptr;
    window->SetUnloadPending(false);
    if (!Host()) {
        window->showMaximized();
        return window;
    }
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    if (!frame) {
        frame = Host()->addSubWindow(window);
        frame->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    frame->showMaximized();
    Host()->setActiveSubWindow(frame);
    return window;
}

namespace {

void Unload(WorkWindow* window) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        delete frame;
    else
        delete window;
}

}  // namespace

void UnloadWorkWindow(WorkWindowKind kind) {
    if (WorkWindow* window = LoadedWorkWindow(kind)) Unload(window);
}

void UnloadWhenIdle(WorkWindow* window) {
    if (!platform::InNestedLoop()) {
        Unload(window);
        return;
    }
    window->SetUnloadPending(true);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        frame->hide();
        // Hidden, it is no longer the window in front.
        if (Host() && Host()->activeSubWindow() == frame) Host()->setActiveSubWindow(nullptr);
    } else {
        window->hide();
    }
    platform::WhenNoNestedLoop([window = QPointer<WorkWindow>(window)] {
        if (window && window->UnloadPending()) Unload(window);
    });
}

bool KindOfLoadedWindow(const QWidget* window, WorkWindowKind* kind) {
    for (const auto& [each, slot] : Slots()) {
        if (window && slot.window == window) {
            *kind = each;
            return true;
        }
    }
    return false;
}
