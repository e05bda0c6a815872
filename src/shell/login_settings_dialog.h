#pragma once

#include <QDialog>
#include <QLabel>

#include "platform/controls.h"

// The login settings: user name, password and two options, stored on every change.
class frm_loginset : public QDialog {
  public:
    explicit frm_loginset(QWidget* parent = nullptr);

    void Form_Load();
    void Text1_Change();
    void Text2_Change();
    void Check1_Click();
    void Check2_Click();

    QLabel* Label1;
    platform::TextBox* Text1;
    QLabel* Label2;
    platform::TextBox* Text2;
    platform::CheckBox* Check1;
    platform::CheckBox* Check2;
};
