#pragma once

#include <QList>
#include <QWidget>

#include "platform/controls.h"
#include "platform/twips.h"

// What the main window needs of a work window it hosts (the mining, keyword tools and keyword
// database windows). The windows come later in the build order, so they implement this and
// the program registers their factories (work_windows.h).
class WorkWindow : public QWidget {
  public:
    using QWidget::QWidget;
    ~WorkWindow() override;

    // The window's load: runs once each time the window is loaded. Among its steps it opens the
    // database with OpenDatabaseOrWarn and its own database-missing flag.
    virtual void Form_Load() = 0;
    // Whether the window's load found the database file missing, and it still is (the window
    // takes a file put in place since).
    virtual bool DbMissing() = 0;
    // Whether one of the window's jobs is running: its loop still waits inside a handler and
    // uses the window's controls, so the window must not be unloaded now.
    virtual bool JobRunning() const = 0;
    // Whether the running job has a button that stops it; a query that only ends by itself (a
    // re-query of a row, an index query) has none, and the user is asked to wait for it instead.
    virtual bool JobStops() const { return true; }
    // Whether the window must stay loaded: a job of it runs, or an export or a prompt waits,
    // whose code still uses the lists and controls it was given when it goes on.
    bool InUse() const;
    // Whether the window holds work a switch must not throw away: a paused job, or results the
    // user has not saved anywhere. Such a window stays loaded behind the one switched to.
    virtual bool HoldsUnsavedWork() const { return false; }
    // Whether a job of the window is paused, to be resumed: the status bar's "已暂停" stands
    // while a loaded window says so.
    virtual bool JobPaused() const { return false; }

    // A switch or close asked for while a nested loop ran: the window is hidden and goes once
    // the loops have returned, unless it is shown again before.
    bool UnloadPending() const { return unloadPending_; }
    void SetUnloadPending(bool pending) { unloadPending_ = pending; }

    // The side bar at the window's left edge (PicLEFT), the page tabs (tab1) and the panes the
    // toolbar's side-bar button widens when it hides the side bar, in their order.
    virtual QWidget* SideBar() = 0;
    virtual QWidget* PageTabs() = 0;
    virtual QList<QWidget*> SideBarPanes() = 0;

    // The hidden boxes of the request gap in seconds (txtbaiduse) and of the reaction to a
    // blocking page (txtsetse); nullptr for a window without them.
    virtual platform::TextBox* GapBox() { return nullptr; }
    virtual platform::TextBox* ReactionBox() { return nullptr; }

    // Inner width in twips.
    int ScaleWidth() const { return platform::PixelsToTwips(width()); }

  protected:
    // A window in use stays open: the job's loop or the export still uses its controls.
    void closeEvent(QCloseEvent* event) override;

    // The window's paused job is no more: the status bar leaves "已暂停" unless another window
    // holds a paused job.
    void PausedJobGone();

    // Places the side bar, the page tabs and `panes` (on the tabs) where the window's design
    // has them; only the first pane shows.
    void PlaceDesign(const QList<QWidget*>& panes);
    // A hidden box of the window holding its design text.
    platform::TextBox* HiddenBox(const QString& designText);

  private:
    bool unloadPending_ = false;
};
