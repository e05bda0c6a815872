#pragma once

#include <QString>

namespace platform {
class BrowserControl;
}

// The local helper page loginweb/111.htm of the program folder, which gives a keyword in the
// form that Baidu's suggestion services take.
namespace mining {

// The helper page's address with `seed` appended after "?", as typed.
QString HelperPageAddress(const QString& seed);

// Loads the helper page for `seed` in `browser` and, a little more than a second later, reads
// its first input field, without surrounding blanks. An empty text when there is no browser or
// no input in the page; at once, without loading anything, when the program folder holds no
// helper page.
QString EncodeThroughHelperPage(platform::BrowserControl* browser, const QString& seed);

}  // namespace mining
