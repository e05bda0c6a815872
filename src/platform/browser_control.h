#pragma once

#include <QString>

namespace platform {

// The embedded browser of the windows: loads a page through the program's HTTP layer and runs
// no scripts. The program reads the loaded document, its first input field and its address.
class BrowserControl {
  public:
    virtual ~BrowserControl() = default;
    virtual void Navigate(const QString& url) = 0;
    // Whether a navigation is still loading.
    virtual bool Busy() const = 0;
    // The HTML of the loaded document (its root element's inner HTML); empty before a load.
    virtual QString DocumentHtml() const = 0;
    // The value of the document's first input element; empty when it has none.
    virtual QString FirstInputValue() const = 0;
    // The address of the loaded document, after redirects.
    virtual QString LocationUrl() const = 0;
};

}  // namespace platform
