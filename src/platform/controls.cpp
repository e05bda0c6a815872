#include "platform/controls.h"

#include <QApplication>

namespace platform {

QPixmap StandardPicture(QStyle::StandardPixmap which, int pixels) {
    const QPixmap picture = QApplication::style()->standardIcon(which).pixmap(pixels);
    // A style keeps some pictures in small sizes only; they are drawn larger rather than left
    // smaller than their neighbours.
    if (picture.isNull() || picture.width() >= pixels) return picture;
    return picture.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

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

void FitLines(std::initializer_list<QLabel*> lines) {
    if (lines.size() == 0) return;
    // The window's type, as the lines would have it without a size of their own.
    const QWidget* window = (*lines.begin())->parentWidget();
    QFont type = window ? window->font() : QApplication::font();
    int pixels = QFontInfo(type).pixelSize();
    type.setPixelSize(pixels);
    const auto fits = [&lines](const QFont& font) {
        const QFontMetrics metrics(font);
        for (const QLabel* line : lines)
            if (metrics.boundingRect(QRect(), Qt::TextSingleLine, line->text()).width() >
                line->width())
                return false;
        return true;
    };
    while (pixels > kSmallestLinePixels && !fits(type)) type.setPixelSize(--pixels);
    for (QLabel* line : lines) line->setFont(type);
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
