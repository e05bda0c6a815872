#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace testing_support {

ScriptedPrompts::ScriptedPrompts() : previous_(platform::InstallPrompts(this)) {}

ScriptedPrompts::~ScriptedPrompts() {
    platform::InstallPrompts(previous_);
}

ScriptedPrompts& ScriptedPrompts::Answer(platform::Answer answer) {
    noticed_ = true;
    answers_.push_back(answer);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::Type(const QString& text) {
    noticed_ = true;
    texts_.push_back(text);
    return *this;
}

void ScriptedPrompts::Record(Prompt prompt) {
    prompts_.push_back(prompt);
    // A copy: what the user does meanwhile may bring up further prompts.
    if (meanwhile) meanwhile(prompt);
}

QStringList ScriptedPrompts::Texts() const {
    noticed_ = true;
    QStringList texts;
    for (const Prompt& prompt : prompts_) texts << prompt.text;
    return texts;
}

ScriptedPrompts::Prompt ScriptedPrompts::Last() const {
    noticed_ = true;
    if (prompts_.empty()) {
        ADD_FAILURE() << "no prompt was shown";
        return {Kind::Message, {}, {}};
    }
    return prompts_.back();
}

platform::Answer ScriptedPrompts::MessageBox(const QString& text, const QString& title,
                                             platform::Buttons buttons, platform::Icon icon) {
    Record({Kind::Message, text, title, buttons, icon});
    if (buttons == platform::Buttons::Ok && answers_.empty()) return platform::Answer::Ok;
    if (answers_.empty()) {
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return platform::Answer::Cancel;
    }
    const platform::Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

QString ScriptedPrompts::NextText(const QString& what) {
    if (texts_.empty()) {
        ADD_FAILURE() << "unscripted prompt: " << what.toStdString();
        return {};
    }
    QString text = texts_.front();
    texts_.pop_front();
    return text;
}

QString ScriptedPrompts::InputBox(const QString& prompt, const QString& title, const QString&) {
    Record({Kind::Input, prompt, title});
    return NextText(prompt);
}

QString ScriptedPrompts::BrowseForFolder(const QString& startFolder, const QString& prompt) {
    Record({Kind::Folder, prompt, startFolder});
    return NextText(prompt);
}

QString ScriptedPrompts::OpenFile(const QString& title, const QString&) {
    Record({Kind::OpenFile, title, {}});
    return NextText(title);
}

}  // namespace testing_support
