#include "qt/NumberTiles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include <QGlyphRun>
#include <QImage>
#include <QPaintEngine>

#include "qt/AppCache.h"
#include "qt/NumberGlyphs.h"

namespace qt {

namespace {

// Ink reaching this far out of a glyph's cell shows in the margin drawn round it.
constexpr int kMargin = 2;
// Sets kept: fonts times colour pairs the program shows at once.
constexpr std::size_t kMostSets = 32;
// Glyph positions are the font engine's fixed point: 1/64 of a pixel.
constexpr int kPhases = 64;
// Characters in one text copied from pictures; a longer one is drawn.
constexpr std::size_t kLongest = 64;

// A glyph starts where the advances before it end, between pixels when they
// are not whole: Qt draws it from a picture made for where in its pixel it
// starts (its phase). So a character has a picture per phase, drawn the first
// time it is needed: the pixel columns from the one its start falls in up to
// (not including) the one its end falls in. Copied side by side they cover a
// text's columns once each, and match drawing the glyphs wherever no glyph's
// ink reaches out of its own columns: a picture where it does is not used.
struct TileSet {
    // What the pictures are drawn in, and on; compared in this order, the font last.
    struct Look {
        int ascent = 0, height = 0;
        QRgb ink = 0, base = 0;
        QImage::Format format = QImage::Format_Invalid;
        QFont font;
        bool operator==(const Look&) const = default;
    };
    explicit TileSet(const Look& l) : look(l) { prepare(); }

    const Look look;
    std::array<QGlyphRun, kNumberChars.size()> glyph;
    std::array<int, kNumberChars.size()> advance{};  // in 1/kPhases of a pixel; 0: not a glyph
    enum class Tile : std::uint8_t { NotDrawn, Drawn, Unusable };
    std::vector<Tile> state = std::vector<Tile>(kNumberChars.size() * kPhases, Tile::NotDrawn);
    std::vector<QImage> tiles = std::vector<QImage>(kNumberChars.size() * kPhases);
    QRgb clear = 0;  // the background as a pixel of the format
    QImage row;  // where a text is put together before it is drawn

    void prepare()
    {
        QImage one(1, 1, look.format);
        one.fill(QColor::fromRgba(look.base));
        clear = one.pixel(0, 0);
        for (std::size_t i = 0; i < kNumberChars.size(); ++i) {
            const QChar c = QLatin1Char(kNumberChars[i]);
            qreal w = 0;
            if (numberGlyphs(look.font, QString(c), glyph[i], w) && w > 0 && w * kPhases == std::round(w * kPhases))
                advance[i] = static_cast<int>(w * kPhases);
        }
    }

    // The character's place, or -1 when it is not drawn from pictures.
    int slotOf(QChar c) const
    {
        const int s = numberCharIndex(c);
        return s >= 0 && advance[static_cast<std::size_t>(s)] > 0 ? s : -1;
    }

    // The picture of the character in slot s starting at the phase; null when unusable.
    const QImage* tile(int s, int phase)
    {
        const std::size_t k = static_cast<std::size_t>(s * kPhases + phase);
        if (state[k] == Tile::NotDrawn)
            state[k] = draw(static_cast<std::size_t>(s), phase, tiles[k]) ? Tile::Drawn : Tile::Unusable;
        return state[k] == Tile::Drawn ? &tiles[k] : nullptr;
    }

    bool draw(std::size_t s, int phase, QImage& out) const
    {
        const int w = (phase + advance[s]) / kPhases;  // whole columns from the start's one to the end's
        const int height = look.height;
        QImage cell(w + 2 * kMargin, height + 2 * kMargin, look.format);
        cell.fill(QColor::fromRgba(look.base));
        {
            QPainter p(&cell);
            p.setPen(QColor::fromRgba(look.ink));
            p.drawGlyphRun(QPointF(kMargin + qreal(phase) / kPhases, kMargin + look.ascent), glyph[s]);
        }
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x) {
                const bool inside = x >= kMargin && x < kMargin + w && y >= kMargin && y < kMargin + height;
                if (!inside && cell.pixel(x, y) != clear)
                    return false;
            }
        out = cell.copy(kMargin, kMargin, w, height);
        return true;
    }
};

class TileSets : public QObject {
public:
    using QObject::QObject;

    TileSet& of(const TileSet::Look& look)
    {
        for (TileSet& s : sets_)
            if (s.look == look)
                return s;
        if (sets_.size() >= kMostSets)
            sets_.clear();
        return sets_.emplace_back(look);
    }

private:
    std::vector<TileSet> sets_;
};

// The image the painter draws into, when it draws whole pixels there as they are.
QImage* plainTarget(QPainter& p)
{
    QPaintEngine* engine = p.paintEngine();
    QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image || device->devicePixelRatio() != 1)
        return nullptr;
    const QTransform& t = p.deviceTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::round(t.dx()) || t.dy() != std::round(t.dy()))
        return nullptr;
    if (p.compositionMode() != QPainter::CompositionMode_SourceOver || p.opacity() != 1.0)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    return image->depth() % 8 == 0 ? image : nullptr;
}

}  // namespace

bool drawNumberTiles(QPainter& p, QPoint at, const QFont& font, int ascent, int height, const QString& text,
    const QColor& ink, const QColor& base)
{
    const QImage* target = plainTarget(p);
    if (!target || height <= 0 || text.isEmpty() || base.alpha() != 255)
        return false;
    if (static_cast<std::size_t>(text.size()) > kLongest)
        return false;
    TileSet& set = appCache<TileSets>().of({ascent, height, ink.rgba(), base.rgba(), target->format(), font});
    // Each character's picture: its first line, bytes a line and bytes wide.
    struct Part {
        const uchar* bits;
        qsizetype stride;
        std::size_t bytes;
    };
    std::array<Part, kLongest> parts{};
    const std::size_t count = static_cast<std::size_t>(text.size());
    const int bytesPerPixel = target->depth() / 8;
    int at64 = 0;  // where the next glyph starts, in 1/kPhases of a pixel
    for (std::size_t i = 0; i < count; ++i) {
        const int s = set.slotOf(text[static_cast<qsizetype>(i)]);
        const QImage* t = s < 0 ? nullptr : set.tile(s, at64 % kPhases);
        if (!t)
            return false;
        parts[i] = {t->constBits(), t->bytesPerLine(), static_cast<std::size_t>(t->width() * bytesPerPixel)};
        at64 += set.advance[static_cast<std::size_t>(s)];
    }
    const int width = at64 / kPhases;
    if (width == 0)
        return true;
    if (set.row.width() < width)
        set.row = QImage(std::max(width, 2 * set.row.width()), height, set.look.format);
    uchar* line = set.row.bits();
    const qsizetype stride = set.row.bytesPerLine();
    for (int y = 0; y < height; ++y, line += stride) {
        uchar* out = line;
        for (std::size_t i = 0; i < count; ++i) {
            const Part& part = parts[i];
            if (part.bytes > 0)
                std::memcpy(out, part.bits + y * part.stride, part.bytes);
            out += part.bytes;
        }
    }
    // A copy: the row is opaque where it is drawn, as the glyphs over the background would be.
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(at, set.row, QRect(0, 0, width, height));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return true;
}

}  // namespace qt
