#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <initializer_list>

namespace platform {

// The small controls of the windows and dialogs. Their events fire as the windows' handlers
// expect: Change when the text changes and Click when a box's value or a list's selection
// changes, whether the user or the code made the change.

// A picture of the style's own, `pixels` wide and high, whatever sizes the style keeps it in.
QPixmap StandardPicture(QStyle::StandardPixmap which, int pixels);

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

// Option button: one of a group of which one is chosen; Value 1 while chosen.
class OptionButton : public QRadioButton {
    Q_OBJECT
  public:
    explicit OptionButton(const QString& caption, QWidget* parent = nullptr);
    int Value() const { return isChecked() ? 1 : 0; }
    void SetValue(int value) { setChecked(value != 0); }

  signals:
    void Click();
};

// A line of text.
class Label : public QLabel {
  public:
    explicit Label(const QString& caption, QWidget* parent = nullptr) : QLabel(caption, parent) {}
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
};

// Lines of text that must show whole, as one passage: where a line's width is too small for it
// at the window's type size, the lines take a smaller type together, down to
// kSmallestLinePixels, rather than lose their ends. For each change of the lines' widths.
inline constexpr int kSmallestLinePixels = 10;
void FitLines(std::initializer_list<QLabel*> lines);

// A frame with a caption around a group of controls.
class Frame : public QGroupBox {
  public:
    explicit Frame(const QString& caption, QWidget* parent = nullptr)
        : QGroupBox(caption, parent) {}
};

// A container of pages of which one shows: the current page is Tab, counted from 0. The
// windows lay their panes over the page tabs, so the container draws none.
class TabContainer : public QStackedWidget {
    Q_OBJECT
  public:
    explicit TabContainer(QWidget* parent = nullptr);
    // Adds a page and returns it; panes are placed on it.
    QWidget* AddPage(const QString& caption);
    QString PageCaption(int tab) const { return captions_.value(tab); }
    int Tab() const { return currentIndex(); }
    void SetTab(int tab);

  signals:
    void Click();

  private:
    QStringList captions_;
};

}  // namespace platform
