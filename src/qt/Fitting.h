#pragma once
// The forms are laid out in pixels for a narrower font than this system's:
// where a control's text needs more room than its designed rectangle, its
// widget widens, never past the inside of its container.
#include <QRect>

#include "ui/Control.h"

class QWidget;

namespace qt {

// Which way a widened widget grows: away from the side its text keeps to.
enum class Grow { Right, Left, BothSides };

// The inside width of the container the control is placed in (its frame, tab
// page or form).
int roomOf(const ui::Control& c);

// The control's designed rectangle, widened to need pixels in the grow
// direction; moved back from the container's far edge where it would cross it,
// and never narrower than designed.
QRect widened(const ui::Control& c, int need, Grow grow);

// Puts the widget at r unless it is there already: setting a widget's
// geometry, even to the one it has, makes Qt recount the opaque widgets of its
// window at the next paint.
void place(QWidget& w, const QRect& r);

// The grow direction of text with this alignment.
Grow growFor(Qt::Alignment alignment);

}  // namespace qt
