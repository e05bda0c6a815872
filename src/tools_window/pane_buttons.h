#pragma once

#include <initializer_list>

#include "platform/controls.h"
#include "tools_window/tools_layout.h"

namespace research {

// A button of a page's command row: where it goes, its name and caption, and its handler.
template <typename Pane>
struct PaneButton {
    platform::CommandButton** button;
    const char* name;
    int left;
    const char* caption;
    void (Pane::*click)();
};

// Puts a row of buttons 1575 by 375 twips at `top` on `parent`, each clicking its handler of
// `pane`.
template <typename Pane>
void PutButtonRow(Pane& pane, QWidget* parent, int top,
                  std::initializer_list<PaneButton<Pane>> buttons) {
    for (const PaneButton<Pane>& each : buttons) {
        auto* button = tools_layout::Put<platform::CommandButton>(
            each.name, parent, {each.left, top, 1575, 375}, QString::fromUtf8(each.caption));
        *each.button = button;
        QObject::connect(button, &platform::CommandButton::Click, button,
                         [&pane, click = each.click] { (pane.*click)(); });
    }
}

}  // namespace research
