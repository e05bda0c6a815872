#include "shell/loading_splash.h"

#include <QVBoxLayout>

#include "platform/wait.h"

// A child of the main window, drawn into the main window's own surface: a window of its own
// would have to be mapped, painted and unmapped by the window system at every load.
frmLoading::frmLoading(QWidget* mainWindow)
    : QFrame(mainWindow), Label1(new QLabel(QStringLiteral("正在载入数据，请稍候......"))) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(Label1);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    setObjectName(QStringLiteral("frmLoading"));
    setAttribute(Qt::WA_DeleteOnClose);
}

void frmLoading::ShowAndPaint() {
    adjustSize();
    if (parentWidget()) move(parentWidget()->rect().center() - rect().center());
    raise();
    show();
    platform::DoEvents();
}
