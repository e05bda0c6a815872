#include "mining/helper_page.h"

#include <QFileInfo>
#include <QUrl>
#include <chrono>

#include "platform/browser_control.h"
#include "platform/program_folder.h"
#include "platform/wait.h"
#include "shared/text_helpers.h"

namespace mining {
namespace {

QString HelperPagePath() {
    return platform::ProgramFolder() + QStringLiteral("/loginweb/111.htm");
}

}  // namespace

QString HelperPageAddress(const QString& seed) {
    return QUrl::fromLocalFile(HelperPagePath()).toString() + u'?' + seed;
}

QString EncodeThroughHelperPage(platform::BrowserControl* browser, const QString& seed) {
    // Without the page the browser would wait its second for nothing, twice for every seed.
    if (!browser || !QFileInfo(HelperPagePath()).isFile()) return {};
    browser->Navigate(HelperPageAddress(seed));
    // The page is given a fixed time to fill its field; its load state is not watched.
    platform::Pause(std::chrono::milliseconds(1001));
    return TrimBlanks(browser->FirstInputValue());
}

}  // namespace mining
