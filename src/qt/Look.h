#pragma once
// How the forms look under Qt: the style, the default font, and colours shown
// exactly as the forms set them (flat fills, never a style's gradient).
#include <QColor>
#include <QFont>
#include <QString>

#include "vb/Color.h"

namespace qt {

// Fusion everywhere, so style sheets give flat fills on every platform.
void applyLook();

QColor toQColor(vb::Color c);
// "#RRGGBB"
QString colorName(vb::Color c);

// The style sheet that paints a widget of the given Qt class with these colours;
// the rules name the class, so they do not cascade to the widget's children.
QString flatSheet(const char* qtClass, vb::Color back, vb::Color fore);
// A push button: flat fill, thin border, visible pressed, focus and disabled states.
QString buttonSheet(vb::Color back, vb::Color fore);
// A frame: flat fill, thin border, caption on the border.
QString frameSheet(vb::Color back, vb::Color fore);

// The application font made bold and sized as a control asks (size 0: default).
QFont controlFont(bool bold, int pointSize);

}  // namespace qt
