#pragma once

#include <QWidget>

#include "platform/browser.h"
#include "platform/controls.h"

// The news window the start-up shows: the maker's news page filling the window.
class frm_login : public QWidget {
  public:
    explicit frm_login(QWidget* parent = nullptr);

    void Form_Load();
    void Form_Resize();

    platform::TextBox* Text1;
    platform::BrowserView* Browser;

  protected:
    void resizeEvent(QResizeEvent* event) override;
};

// The address of the maker's news page for this version.
QString NewsPageUrl();
