#pragma once

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>

#include "platform/controls.h"

// The feedback form. It sends nothing: its button has no action.
class frm_suggest : public QDialog {
  public:
    explicit frm_suggest(QWidget* parent = nullptr);

    void Form_Load();

    QLabel* Label1;
    QLabel* Label2;
    platform::TextBox* Text1;
    QLabel* Label3;
    platform::ComboBox* Combo1;
    QLabel* Label4;
    QPlainTextEdit* Text2;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    platform::CommandButton* Command1;
};
