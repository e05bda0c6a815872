#pragma once

#include <QDialog>
#include <QLabel>

#include "platform/browser.h"
#include "platform/controls.h"

// The search-engine blocking settings: the gap before each Baidu results-page request and the
// reaction to a blocking page. Every choice applies at once to the mining and database windows
// (loading a window that is not loaded, without showing it) and is kept in the settings.
class frm_setse : public QDialog {
  public:
    explicit frm_setse(QWidget* parent = nullptr);

    void Form_Load();
    void Combo1_Click();
    void Combo2_Click();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    platform::ComboBox* Combo1;
    QLabel* Label5;
    QLabel* Label6;
    platform::ComboBox* Combo2;
    QLabel* Label3;
    platform::BrowserView* WebBrowser1;
    platform::BrowserView* WebBrowser2;
    QLabel* Image1;
};

// Opens the blocking settings modally over `owner` and returns when the user has closed them.
// The blocking reaction that asks for the dialog calls this too.
void ShowBlockingSettings(QWidget* owner);
