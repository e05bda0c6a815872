#pragma once

// Makes the system's Chinese user-interface font the font of every window, where the system has
// one of those the program knows; otherwise the default font stays. The windows' texts are
// Chinese: in a font that holds them, no text waits for the system's fonts to be searched for
// one that does, as the first window otherwise would.
void UseChineseFont();
