#include "qt/NumberGlyphs.h"

#include <array>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPointer>
#include <QRawFont>

namespace qt {

namespace {

class NumberFaces : public QObject {
public:
    using QObject::QObject;

    // Digits and the signs numbers are written with, and the hexadecimal
    // capitals, each taken only if the font shapes it beside every one taken
    // before (and itself) as its advance alone: no kerning, no ligature.
    static constexpr std::string_view kChars = "0123456789+-., ABCDEF";
    struct Face {
        QFont font;
        QRawFont raw;
        std::array<quint32, 128> index{};  // 0: needs shaping
        std::array<qreal, 128> advance{};
        // Other texts as shaped: a label or a button flips between a few.
        std::unordered_map<QString, int> shaped;

        bool has(QChar c) const { return c.unicode() < index.size() && index[c.unicode()] != 0; }
    };

    Face& of(const QFont& font)
    {
        for (Face& f : faces_)
            if (f.font == font)
                return f;
        Face& f = faces_.emplace_back();
        f.font = font;
        f.raw = QRawFont::fromFont(font);
        const QFontMetricsF metrics(font);
        std::vector<QChar> taken;
        for (char c : kChars) {
            const QChar ch = QLatin1Char(c);
            quint32 glyph = 0;
            int n = 1;
            if (!f.raw.glyphIndexesForChars(&ch, 1, &glyph, &n) || n != 1 || glyph == 0)
                continue;
            const qreal advance = f.raw.advancesForGlyphIndexes({glyph}).value(0).x();
            auto alone = [&](QChar a, qreal aAdvance, QChar b, qreal bAdvance) {
                return metrics.horizontalAdvance(QString(a) + b) == aAdvance + bAdvance;
            };
            bool pairs = alone(ch, advance, ch, advance);
            for (QChar t : taken) {
                const qreal tAdvance = f.advance[t.unicode()];
                pairs = pairs && alone(ch, advance, t, tAdvance) && alone(t, tAdvance, ch, advance);
            }
            if (!pairs)
                continue;
            f.index[ch.unicode()] = glyph;
            f.advance[ch.unicode()] = advance;
            taken.push_back(ch);
        }
        return f;
    }

private:
    std::vector<Face> faces_;
};

// One for the program, going with the application (before the fonts it holds).
NumberFaces& faces()
{
    static QPointer<NumberFaces> faces;
    if (!faces)
        faces = new NumberFaces(QCoreApplication::instance());
    return *faces;
}

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
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (QChar c : text) {
        if (!face.has(c))
            return false;
        indexes << face.index[c.unicode()];
        positions << QPointF(x, 0);
        x += face.advance[c.unicode()];
    }
    run.setRawFont(face.raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    width = x;
    return true;
}

int textAdvance(const QFont& font, const QString& text)
{
    NumberFaces::Face& face = faces().of(font);
    // The advances are the font engine's fixed-point values: their sum is exact.
    qreal x = 0;
    for (QChar c : text) {
        if (!face.has(c))
            return shapedAdvance(face, text);
        x += face.advance[c.unicode()];
    }
    return qRound(x);
}

}  // namespace qt
