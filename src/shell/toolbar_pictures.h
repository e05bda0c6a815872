#pragma once

#include <QPixmap>

// The pictures of the main window's toolbar buttons.
enum class ToolbarPicture { Mining, Tools, Database, Links, HideSideBar };

// `picture` drawn in a square of `pixels`. Drawn rather than read from picture files: the first
// window shows them, and five small drawings cost a fraction of decoding the style's picture
// files in every size they come in.
QPixmap DrawToolbarPicture(ToolbarPicture picture, int pixels);
