#include "shell/version_page.h"

#include "shared/text_helpers.h"

VersionPage ReadVersionPage(const QString& page) {
    return {GetMemo(page, QStringLiteral("ver\" value=\""), QStringLiteral("\"")),
            GetMemo(page, QStringLiteral("baidutag\" value=\""), QStringLiteral("\""))};
}
