#include "shared/failure_notice.h"

#include "platform/prompts.h"

void TellFailure(const QString& text) {
    TellOutcome(text, true);
}

void TellOutcome(const QString& text, bool failed) {
    platform::ThePrompts().MessageBox(
        text, QStringLiteral("提示"), platform::Buttons::Ok,
        failed ? platform::Icon::Exclamation : platform::Icon::Information);
}
