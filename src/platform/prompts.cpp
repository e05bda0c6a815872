#include "platform/prompts.h"
#include "platform/replaceable.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/folder_dialog.h"
#include "platform/program_folder.h"
#include "platform/wait.h"

namespace platform {
namespace {

QMessageBox::Icon ToQt(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(Buttons buttons) {
    switch (buttons) {
        case Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Buttons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

Answer FromQt(int button) {
    switch (button) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

class DialogPrompts final : public Prompts {
  public:
    Answer MessageBox(const QString& text, const QString& title, Buttons buttons,
                      Icon icon) override {
        QMessageBox box(ToQt(icon), title.isEmpty() ? ProgramTitle() : title, text, ToQt(buttons),
                        QApplication::activeWindow());
        return FromQt(box.exec());
    }

    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override {
        bool accepted = false;
        const QString text = QInputDialog::getText(QApplication::activeWindow(),
                                                   title.isEmpty() ? ProgramTitle() : title, prompt,
                                                   QLineEdit::Normal, defaultText, &accepted);
        return accepted ? text : QString();
    }

    QString BrowseForFolder(const QString& startFolder, const QString& prompt) override {
        return RunFolderDialog(startFolder, prompt);
    }

    QString OpenFile(const QString& title, const QString& filter) override {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QString(), filter);
    }
};

Replaceable<Prompts, DialogPrompts> thePrompts;

int openPrompts = 0;

// The prompts in force, counted while they wait for an answer.
class CountedPrompts final : public Prompts {
  public:
    Answer MessageBox(const QString& text, const QString& title, Buttons buttons,
                      Icon icon) override {
        const Waiting waiting;
        return thePrompts.Get().MessageBox(text, title, buttons, icon);
    }
    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override {
        const Waiting waiting;
        return thePrompts.Get().InputBox(prompt, title, defaultText);
    }
    QString BrowseForFolder(const QString& startFolder, const QString& prompt) override {
        const Waiting waiting;
        return thePrompts.Get().BrowseForFolder(startFolder, prompt);
    }
    QString OpenFile(const QString& title, const QString& filter) override {
        const Waiting waiting;
        return thePrompts.Get().OpenFile(title, filter);
    }

  private:
    // A prompt is a nested loop too: the code that asked waits below it.
    struct Waiting {
        Waiting() { ++openPrompts; }
        ~Waiting() { --openPrompts; }
        NestedLoop loop;
    };
};

}  // namespace

Prompts& ThePrompts() {
    static CountedPrompts counted;
    return counted;
}

bool PromptOpen() {
    return openPrompts > 0;
}

Prompts* InstallPrompts(Prompts* prompts) {
    return thePrompts.Install(prompts);
}

}  // namespace platform
