#pragma once

#include <QFrame>
#include <QLabel>

// The splash a work window's loading shows over the main window: "正在载入数据，请稍候......".
// It lies over the main window's middle, as a child of it.
class frmLoading : public QFrame {
  public:
    explicit frmLoading(QWidget* mainWindow);
    // Shows the splash without waiting and lets it paint once.
    void ShowAndPaint();

    QLabel* Label1;
};
