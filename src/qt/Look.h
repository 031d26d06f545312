#pragma once
// How the forms look under Qt: the style, the default font, and colours shown
// exactly as the forms set them (flat fills, never a style's gradient).
//
// Colours go through the widgets' palettes: a colour change is a palette
// change of one widget, never a style sheet to parse.
#include <QColor>
#include <QFont>
#include <QPalette>

#include "vb/Color.h"

class QPainter;
class QRect;
class QWidget;

namespace qt {

// Fusion with flat button and combo panels, for every widget of the program.
void applyLook();

QColor toQColor(vb::Color c);

// Which palette roles show a widget's back and fore colours, and whether the
// widget fills its whole rectangle with the back colour itself.
struct ColourRoles {
    QPalette::ColorRole back;
    QPalette::ColorRole fore;
    bool fillsBackground = false;
    // A second pair for widgets that paint in two roles (a combo box's field and button).
    QPalette::ColorRole back2 = QPalette::NoRole;
    QPalette::ColorRole fore2 = QPalette::NoRole;
};

// Puts the colours in the palette's roles; disabled text keeps the look's grey.
void setColours(QPalette& pal, const ColourRoles& roles, vb::Color back, vb::Color fore);
// Shows the colours in the widget's palette.
void setColours(QWidget& w, const ColourRoles& roles, vb::Color back, vb::Color fore);

// A text box's panel as the look paints it: a flat fill of the palette's base
// and a thin border (the focus colour while it has the focus).
void paintLineEditPanel(QPainter& p, const QRect& r, const QPalette& palette, bool frame, bool focused);
// What of that panel is base: inside its border.
QRect lineEditPanelInside(const QRect& r, bool frame);

// The application font made bold and sized as a control asks (size 0: default).
QFont controlFont(bool bold, int pointSize);

}  // namespace qt
