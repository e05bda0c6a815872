#include "research_tools/notice.h"

#include "platform/prompts.h"

namespace research {

void Notify(const QString& text) {
    platform::ThePrompts().MessageBox(text, QStringLiteral("提示"), platform::Buttons::Ok,
                                      platform::Icon::Information);
}

}  // namespace research
