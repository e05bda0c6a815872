#include "tools_window/notices.h"

#include "platform/prompts.h"

namespace {

const QString kTitle = QStringLiteral("提示");

}  // namespace

void Notice(const QString& text) {
    platform::ThePrompts().MessageBox(text, kTitle, platform::Buttons::Ok,
                                      platform::Icon::Information);
}

bool AskYesNo(const QString& text) {
    return platform::ThePrompts().MessageBox(text, kTitle, platform::Buttons::YesNo,
                                             platform::Icon::None) == platform::Answer::Yes;
}

bool AskOkCancel(const QString& text) {
    return platform::ThePrompts().MessageBox(text, kTitle, platform::Buttons::OkCancel,
                                             platform::Icon::None) == platform::Answer::Ok;
}
