#include "qt/NumberGlyphs.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QRawFont>

#include "qt/AppCache.h"

namespace qt {

namespace {

class NumberFaces : public QObject {
public:
    using QObject::QObject;

    // A text of the number characters is drawn and measured from their
    // advances when the font sets each pair of neighbours as their advances
    // alone (no kerning, no ligature): measured once per font for every pair.
    static constexpr std::string_view kChars = kNumberChars;
    static constexpr std::size_t kCount = kChars.size();
    static constexpr std::uint8_t kNone = 0xFF;
    struct Face {
        QFont font;
        QRawFont raw;
        std::array<quint32, kCount> glyph{};  // 0: not in the font, needs shaping
        std::array<qreal, kCount> advance{};
        std::array<std::array<bool, kCount>, kCount> plainPair{};  // [left][right]
        // Other texts as shaped: a label or a button flips between a few.
        std::unordered_map<QString, int> shaped;

        // The character's place in kChars, kNone when the font lacks it.
        std::uint8_t slotOf(QChar c) const
        {
            const int i = numberCharIndex(c);
            return i >= 0 && glyph[static_cast<std::size_t>(i)] ? static_cast<std::uint8_t>(i) : kNone;
        }
        // Whether the text is all such characters, each pair of neighbours plain.
        bool plain(const QString& text) const
        {
            std::uint8_t left = kNone;
            for (QChar c : text) {
                const std::uint8_t s = slotOf(c);
                if (s == kNone || (left != kNone && !plainPair[left][s]))
                    return false;
                left = s;
            }
            return true;
        }
    };

    Face& of(const QFont& font)
    {
        for (Face& f : faces_)
            if (f.font == font)
                return f;
        Face& f = faces_.emplace_back();
        f.font = font;
        f.raw = QRawFont::fromFont(font);
        for (std::size_t i = 0; i < kCount; ++i) {
            const QChar ch = QLatin1Char(kChars[i]);
            quint32 glyph = 0;
            int n = 1;
            if (!f.raw.glyphIndexesForChars(&ch, 1, &glyph, &n) || n != 1 || glyph == 0)
                continue;
            f.glyph[i] = glyph;
            f.advance[i] = f.raw.advancesForGlyphIndexes({glyph}).value(0).x();
        }
        const QFontMetricsF metrics(font);
        for (std::size_t a = 0; a < kCount; ++a)
            for (std::size_t b = 0; b < kCount; ++b)
                f.plainPair[a][b] = f.glyph[a] && f.glyph[b] &&
                    metrics.horizontalAdvance(QString(QLatin1Char(kChars[a])) + QLatin1Char(kChars[b])) ==
                        f.advance[a] + f.advance[b];
        return f;
    }

private:
    std::vector<Face> faces_;
};

NumberFaces& faces() { return appCache<NumberFaces>(); }

constexpr std::size_t kShapedTexts = 256;

int shapedAdvance(NumberFaces::Face& face, const QString& text)
{
    if (const auto it = face.shaped.find(text); it != face.shaped.end())
        return it->second;
    if (face.shaped.size() >= kShapedTexts)
        face.shaped.clear();
    const int width = QFontMetrics(face.font).horizontalAdvance(text);
    face.shaped.emplace(text, width);
    return width;
}

}  // namespace

bool numberGlyphs(const QFont& font, const QString& text, QGlyphRun& run, qreal& width)
{
    const NumberFaces::Face& face = faces().of(font);
    if (!face.plain(text))
        return false;
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (QChar c : text) {
        const std::uint8_t s = face.slotOf(c);
        indexes << face.glyph[s];
        positions << QPointF(x, 0);
        x += face.advance[s];
    }
    run.setRawFont(face.raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    width = x;
    return true;
}

bool numberWidth(const QFont& font, const QString& text, qreal& width)
{
    const NumberFaces::Face& face = faces().of(font);
    if (!face.plain(text))
        return false;
    // The advances are the font engine's fixed-point values: their sum is exact.
    width = 0;
    for (QChar c : text)
        width += face.advance[face.slotOf(c)];
    return true;
}

int textAdvance(const QFont& font, const QString& text)
{
    qreal width = 0;
    return numberWidth(font, text, width) ? qRound(width) : shapedAdvance(faces().of(font), text);
}

}  // namespace qt
