#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>

// The about box.
class frm_about : public QDialog {
  public:
    explicit frm_about(QWidget* parent = nullptr);

    // Takes the owner's icon.
    void Form_Load();

    QLabel* Image1;
    QLabel* Label1;
    QFrame* Line1;
    QLabel* Label5;
    QLabel* Label2;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label3;
    QFrame* Line2;
    QLabel* Label4;
};
