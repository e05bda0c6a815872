#pragma once

#include "platform/browser_control.h"

// The main window's hidden browser WebBrowser1, through which the site metrics follow the
// redirect of a PageRank service; nullptr while there is no main window.
platform::BrowserControl* TheMainBrowser();
