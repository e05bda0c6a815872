#pragma once

#include <QLabel>
#include <QList>
#include <QStatusBar>
#include <initializer_list>

#include "platform/paint_pacer.h"

namespace platform {

// A status bar of text panels side by side, counted from 1, each at least its minimum width
// in pixels; the panel marked to stretch takes the room left. A job that writes a panel row by
// row has the bar laid out and drawn at most every kPaintInterval (see PaintPacer): each new
// text would otherwise lay out the bar and the window around it again. The texts are current at
// once.
class StatusPanels : public QStatusBar {
  public:
    struct Panel {
        int minimumWidth = 0;
        bool stretch = false;
    };
    explicit StatusPanels(std::initializer_list<Panel> panels, QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(panels_.size()); }
    // Panel `index`, from 1; nullptr outside the bar.
    QLabel* PanelLabel(int index) const { return panels_.value(index - 1); }
    QString Text(int index) const;
    void SetText(int index, const QString& text);
    // Draws the bar now, what a job's pacing holds included: for a notice shown while no
    // events are handled.
    void DrawNow();

  private:
    class Slot;

    QList<QLabel*> panels_;
    QList<Slot*> slots_;
    PaintPacer pacer_;
};

}  // namespace platform
