#include "mining/helper_page.h"

#include <QUrl>
#include <chrono>

#include "platform/browser_control.h"
#include "platform/program_folder.h"
#include "platform/wait.h"
#include "shared/text_helpers.h"

namespace mining {

QString HelperPageAddress(const QString& seed) {
    const QString page = platform::ProgramFolder() + QStringLiteral("/loginweb/111.htm");
    return QUrl::fromLocalFile(page).toString() + u'?' + seed;
}

QString EncodeThroughHelperPage(platform::BrowserControl* browser, const QString& seed) {
    if (!browser) return {};
    browser->Navigate(HelperPageAddress(seed));
    // The page is given a fixed time to fill its field; its load state is not watched.
    platform::Pause(std::chrono::milliseconds(1001));
    return TrimBlanks(browser->FirstInputValue());
}

}  // namespace mining
