// A number copied from pictures of its characters must be pixel for pixel the
// number drawn from its glyphs; where that cannot hold, nothing is copied.
#include <QApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "qt/NumberGlyphs.h"
#include "qt/NumberTiles.h"

namespace {

TEST(QtNumberTiles, ACopiedNumberIsItsDrawnGlyphsAndOneThatCannotBeIsLeftToDraw)
{
    QFont hinted = QApplication::font();
    hinted.setHintingPreference(QFont::PreferFullHinting);
    // Slanted glyphs reach into their neighbours' cells.
    QFont slanted = hinted;
    slanted.setItalic(true);
    slanted.setPointSize(hinted.pointSize() * 2);
    const QColor ink(0x20, 0x30, 0x90), base(0xFF, 0xFF, 0xE0);
    int copied = 0, left = 0;
    for (const QFont& font : {hinted, QApplication::font(), slanted})
        for (const char* text : {"-0.0527", "3FFA", "12,345.0", "+4.20E-3", "0"}) {
            const QFontMetrics fm(font);
            const QPoint at(3, 2);
            QImage blank(160, fm.height() + 4, QImage::Format_RGB32);
            blank.fill(base);
            QImage tiled = blank;
            QPainter pt(&tiled);
            const bool wasCopied = qt::drawNumberTiles(pt, at, font, fm.ascent(), fm.height(), text, ink, base);
            pt.end();
            if (!wasCopied) {
                ++left;
                EXPECT_EQ(tiled, blank) << text;
                continue;
            }
            ++copied;
            QGlyphRun run;
            qreal width = 0;
            ASSERT_TRUE(qt::numberGlyphs(font, text, run, width)) << text;
            QImage drawn = blank;
            QPainter pd(&drawn);
            pd.setPen(ink);
            pd.drawGlyphRun(QPointF(at.x(), at.y() + fm.ascent()), run);
            pd.end();
            EXPECT_EQ(tiled, drawn) << text << " in " << font.toString().toStdString();
        }
    // Both ways were taken: whole-pixel readings copy, slanted ones do not.
    EXPECT_GT(copied, 0);
    EXPECT_GT(left, 0);
}

}  // namespace
