#pragma once

class QMainWindow;

// While a statement waits for another program's lock on db.db, the pointer is the wait cursor
// and `window`'s status bar says that the program waits; both go when the wait ends. Nothing
// reaches the windows meanwhile: the notice is painted directly, no event is handed out. Until
// `window` goes, or the notice is shown elsewhere.
void ShowLockWaitsOn(QMainWindow* window);

// The text the status bar shows during the wait.
inline constexpr char16_t kLockWaitText[] = u"数据库文件正被其他程序占用，正在等待它释放……";
