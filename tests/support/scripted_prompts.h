#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/prompts.h"

namespace testing_support {

// A prompts double: answers each prompt from a script, in turn, and records every prompt.
// A message box with only an OK button needs no scripted answer; any other prompt without
// one fails the test and is answered with Cancel (an empty text for input and folders).
class ScriptedPrompts final : public platform::Prompts {
  public:
    enum class Kind { Message, Input, Folder, OpenFile };
    struct Prompt {
        Kind kind;
        QString text;   // message, input prompt, folder prompt or open-file title
        QString title;  // message or input title; start folder of a folder prompt
        platform::Buttons buttons = platform::Buttons::Ok;
        platform::Icon icon = platform::Icon::None;
    };

    ScriptedPrompts();   // installs itself
    ~ScriptedPrompts();  // restores the prompts it replaced

    ScriptedPrompts& Answer(platform::Answer answer);
    ScriptedPrompts& Type(const QString& text);  // input box, folder or open-file answer

    const std::vector<Prompt>& prompts() const {
        noticed_ = true;
        return prompts_;
    }
    // The texts of all recorded prompts, in order.
    QStringList Texts() const;
    // The last prompt recorded. When there was none, the test fails here and gets an empty
    // prompt, so that the expectations after it fail instead of the whole test program.
    Prompt Last() const;
    QString LastText() const { return Last().text; }
    // Whether every scripted answer was used.
    bool Exhausted() const {
        noticed_ = true;
        return answers_.empty() && texts_.empty();
    }
    // Whether the test has scripted an answer or looked at the prompts: it expects prompts.
    bool Noticed() const { return noticed_; }

    // What the user does while a prompt is open, before answering it; runs for every prompt.
    std::function<void(const Prompt&)> meanwhile;

    platform::Answer MessageBox(const QString& text, const QString& title,
                                platform::Buttons buttons, platform::Icon icon) override;
    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    QString BrowseForFolder(const QString& startFolder, const QString& prompt) override;
    QString OpenFile(const QString& title, const QString& filter) override;

  private:
    void Record(Prompt prompt);
    QString NextText(const QString& what);

    std::deque<platform::Answer> answers_;
    std::deque<QString> texts_;
    std::vector<Prompt> prompts_;
    mutable bool noticed_ = false;
    platform::Prompts* previous_;
};

}  // namespace testing_support
