#pragma once

#include <QWidget>
#include <functional>

#include "platform/browser_control.h"

namespace platform {

// A browser control that lives in a window: shows the loaded page in its widget (hidden when
// the window keeps it hidden). Pages come through the program's HTTP layer, or from a local
// file; no script runs and nothing but the page itself is fetched.
class BrowserView : public QWidget, public BrowserControl {
  public:
    using QWidget::QWidget;
};

using BrowserViewFactory = std::function<BrowserView*(QWidget* parent)>;

// A new browser control owned by `parent`: the real one, unless a test has installed a factory.
BrowserView* CreateBrowserView(QWidget* parent);
// Installs `factory`; an empty factory restores the real browser control.
void InstallBrowserViewFactory(BrowserViewFactory factory);

// Helpers of the browser control, for what it reads out of a document.
// The inner HTML of the document's root element; the whole text when it has none.
QString RootInnerHtml(const QString& document);
// The value of the document's first input element, entities decoded; empty when it has none.
QString FirstInputValueOf(const QString& document);

}  // namespace platform
