#include "shell/loading_splash.h"

#include <QVBoxLayout>

#include "platform/wait.h"

frmLoading::frmLoading(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::SplashScreen | Qt::FramelessWindowHint),
      Label1(new QLabel(QStringLiteral("正在载入数据，请稍候......"))) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(Label1);
    setObjectName(QStringLiteral("frmLoading"));
    setAttribute(Qt::WA_DeleteOnClose);
}

void frmLoading::ShowAndPaint() {
    adjustSize();
    if (parentWidget()) {
        const QRect area = parentWidget()->geometry();
        move(area.center() - rect().center());
    }
    show();
    platform::DoEvents();
}
