#pragma once

#include <QString>

#include "platform/prompts.h"

// A notice of the mining window and its dialogs: title "提示", the information icon, OK.
inline void Notice(const QString& text) {
    platform::ThePrompts().MessageBox(text, QStringLiteral("提示"), platform::Buttons::Ok,
                                      platform::Icon::Information);
}
