#pragma once

#include <QString>
#include <functional>

class QMdiArea;
class QWidget;
class WorkWindow;

// The three work windows by the text the main window's navigation box records for them.
enum class WorkWindowKind { Mining, Tools, Database };

// "2" mining, "3" tools, "4" database.
QString NavigationText(WorkWindowKind kind);
// The kind a navigation text names; false when it names none.
bool KindOfNavigationText(const QString& text, WorkWindowKind* kind);

// Creates a new, not yet loaded window of one kind.
using WorkWindowFactory = std::function<WorkWindow*()>;
// The program registers each window's factory before the main window opens.
void RegisterWorkWindow(WorkWindowKind kind, WorkWindowFactory factory);

// The main window's area that shows the work windows as child windows; nullptr when none.
void SetWorkWindowHost(QMdiArea* host);

// The loaded window of `kind`, or nullptr.
WorkWindow* LoadedWorkWindow(WorkWindowKind kind);
// The window of `kind`, created and loaded (its Form_Load runs) when it was not loaded; it
// stays hidden until shown. nullptr when no window of that kind is registered.
WorkWindow* LoadWorkWindow(WorkWindowKind kind);
// Loads the window when needed and shows it maximised in front of the other child windows.
WorkWindow* ShowWorkWindow(WorkWindowKind kind);
// Unloads the window of `kind` when it is loaded.
void UnloadWorkWindow(WorkWindowKind kind);
// Unloads `window` at once when no nested loop runs. Otherwise code waiting below the current
// event may still use it: it is hidden now and unloaded once the loops have returned, unless it
// is shown again before.
void UnloadWhenIdle(WorkWindow* window);
// The kind of `window` when it is a loaded work window; false otherwise.
bool KindOfLoadedWindow(const QWidget* window, WorkWindowKind* kind);
