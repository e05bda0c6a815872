#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace platform {

// The small controls of the windows and dialogs. Their events fire as the windows' handlers
// expect: Change when the text changes and Click when a box's value or a list's selection
// changes, whether the user or the code made the change.

// One-line text box.
class TextBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit TextBox(QWidget* parent = nullptr);
    QString Text() const { return text(); }
    void SetText(const QString& text) { setText(text); }

  signals:
    void Change();
};

// Check box whose value is 0 (clear) or 1 (ticked).
class CheckBox : public QCheckBox {
    Q_OBJECT
  public:
    explicit CheckBox(const QString& caption, QWidget* parent = nullptr);
    int Value() const { return isChecked() ? 1 : 0; }
    void SetValue(int value) { setChecked(value != 0); }

  signals:
    void Click();
};

// Drop-down list; ListIndex counts from 0, -1 while nothing is selected.
class ComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ComboBox(QWidget* parent = nullptr);
    // Appends an item; the selection stays as it was (none in a new list).
    void AddItem(const QString& text);
    int ListIndex() const { return currentIndex(); }
    // Selects item `index`; an index outside the list selects nothing and returns false.
    bool SetListIndex(int index);
    QString Text() const { return currentText(); }

  signals:
    void Click();
};

// Command button.
class CommandButton : public QPushButton {
    Q_OBJECT
  public:
    explicit CommandButton(const QString& caption, QWidget* parent = nullptr);
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }

  signals:
    void Click();
};

}  // namespace platform
