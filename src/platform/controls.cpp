#include "platform/controls.h"

namespace platform {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
    connect(this, &QCheckBox::toggled, this, &CheckBox::Click);
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) emit Click();
    });
}

void ComboBox::AddItem(const QString& text) {
    const int selected = currentIndex();
    const QSignalBlocker quiet(this);
    addItem(text);
    setCurrentIndex(selected);
}

bool ComboBox::SetListIndex(int index) {
    if (index < 0 || index >= count()) return false;
    setCurrentIndex(index);
    return true;
}

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on) emit Click();
    });
}

TabContainer::TabContainer(QWidget* parent) : QStackedWidget(parent) {}

QWidget* TabContainer::AddPage(const QString& caption) {
    auto* page = new QWidget(this);
    addWidget(page);
    captions_ << caption;
    return page;
}

void TabContainer::SetTab(int tab) {
    if (tab < 0 || tab >= count() || tab == currentIndex()) return;
    setCurrentIndex(tab);
    emit Click();
}

}  // namespace platform
