#pragma once
// The glyphs of the characters numbers are written with (decimal and
// hexadecimal), per font. A text of these only needs no shaping: it is drawn from them without a layout, and its
// width is the sum of their advances. The program rewrites readings many times
// a second; shaping each one to draw or measure it was most of the cost.
#include <array>
#include <string_view>

#include <QFont>
#include <QGlyphRun>
#include <QString>

namespace qt {

// Digits and the signs numbers are written with, and the hexadecimal capitals.
inline constexpr std::string_view kNumberChars = "0123456789+-., ABCDEF";

// The character's place in kNumberChars, or -1.
inline int numberCharIndex(QChar c)
{
    static constexpr auto kIndex = [] {
        std::array<signed char, 128> index{};
        index.fill(-1);
        for (std::size_t i = 0; i < kNumberChars.size(); ++i)
            index[static_cast<unsigned char>(kNumberChars[i])] = static_cast<signed char>(i);
        return index;
    }();
    return c.unicode() < kIndex.size() ? kIndex[c.unicode()] : -1;
}

// The text as a glyph run from the baseline's start, and its width; false when
// the text has a character that is not in the set or not in the font.
bool numberGlyphs(const QFont& font, const QString& text, QGlyphRun& run, qreal& width);
// Only the width of that run (the sum of its advances): false as above.
bool numberWidth(const QFont& font, const QString& text, qreal& width);

// The text's width as QFontMetrics::horizontalAdvance gives it: a text of
// those characters without shaping, any other shaped once and remembered.
int textAdvance(const QFont& font, const QString& text);

}  // namespace qt
