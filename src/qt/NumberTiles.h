#pragma once
// Pictures of the number characters (those NumberGlyphs draws), each drawn
// once per font, ink, background and pixel format: a reading is then copied
// from them in one image, pixel for pixel what drawing its glyphs would give
// on that background. Blending the glyphs' grey levels into the window was
// most of what a value box cost to paint, and the program paints dozens of
// new readings many times a second.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QString>

namespace qt {

// Draws text, a line of the font's height whose top-left is at, over a
// background of colour base that is already there; text is one numberGlyphs
// takes (its glyphs set side by side by their advances). False, with nothing drawn,
// where copying could differ from drawing the glyphs: a character outside the
// set, a glyph whose ink reaches out of its cell or that falls between pixels,
// a painter not on plain pixels (scaled, or not into an image). Then draw the
// glyph run.
bool drawNumberTiles(QPainter& p, QPoint at, const QFont& font, int ascent, int height, const QString& text,
    const QColor& ink, const QColor& base);

}  // namespace qt
