// The fourth pane, which no node of the mode tree selects: shown by design, without actions,
// and nothing of it is remembered.
#include "mining_window/mining_window.h"
#include "mining_window/pane_frames.h"

void 关键词挖掘::BuildSmartPane() {
    // Its frames are no members: nothing acts on them.
    platform::Frame* seedFrame = nullptr;
    platform::Frame* optionFrame = nullptr;
    const int seedHeight = pane_frames::BuildSeedFrame(
        pic4, {{&seedFrame, "SmartSeedFrame"}, NAMED(Text12), NAMED(Command23)});
    pane_frames::BuildOptionFrame(pic4, 120 + seedHeight + pane_frames::kFrameGap,
                                  {{&optionFrame, "SmartOptionFrame"},
                                   NAMED(Check21),
                                   {},
                                   NAMED(Check17),
                                   NAMED(Text11),
                                   NAMED(Check20),
                                   NAMED(Check19),
                                   NAMED(Check18)});
}
