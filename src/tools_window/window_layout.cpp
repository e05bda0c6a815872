// The keyword tools window's layout: the side bar and the pages follow the window's size, and
// each page lays out its lists, frames and buttons when its size changes.
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

using namespace tools_layout;

void 关键词工具::Form_Resize() {
    SetHeight(PicLEFT, ScaleHeight() + 200);
    for (QWidget* pane : {pic1, pic3, pic4, Pic5, pic6}) {
        SetWidth(pane, ScaleWidth() - Width(PicLEFT) + 100);
        SetHeight(pane, ScaleHeight() + 200);
        SetLeft(pane, 0);
    }
    SetWidth(tab1, ScaleWidth() + 200);
    SetHeight(tab1, ScaleHeight() + 200);
    // A hidden page would get its resize only when shown: each lays itself out now.
    pic3_Resize();
    pic4_Resize();
    research_->Resize();
}

void 关键词工具::pic3_Resize() {
    SetWidth(Frame1, Width(pic3) - 4000);
    SetHeight(Frame1, Height(pic3) - 2400);
    SetWidth(ListView7, Width(Frame1) - 300);
    SetHeight(ListView7, Height(Frame1) - 1100);
    for (QWidget* button : {Command30, Command33, Command39}) SetTop(button, Height(Frame1) - 600);
    SetWidth(Frame2, Width(Frame1));
    SetTop(Frame2, Top(Frame1) + Height(Frame1) + 200);
}

void 关键词工具::pic4_Resize() {
    // The page reaches a little past the window's right edge, as the pages' width rule gives
    // it: the frame ends short of that.
    SetWidth(Frame5, Width(pic4) - 6900);
    SetHeight(Frame5, Height(pic4) - 450);
    SetWidth(ListView14, Width(Frame5) - 450);
    SetHeight(ListView14, Height(Frame5) - 1800);
    for (QWidget* button : {Command26, Command27, Command7, Command9, Command12})
        SetTop(button, Height(ListView14) + 1300);
    FitHistoryRows();
    SetHeight(Frame14, Height(pic4) - 6100);
    SetHeight(ListView12, Height(Frame14) - 350);
}
