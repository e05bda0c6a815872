#pragma once

#include <QLabel>
#include <QWidget>

// The splash a work window's loading shows over the main window: "正在载入数据，请稍候......".
class frmLoading : public QWidget {
  public:
    explicit frmLoading(QWidget* mainWindow);
    // Shows the splash without waiting and lets it paint once.
    void ShowAndPaint();

    QLabel* Label1;
};
