#include "qt/NumberGlyphs.h"

#include <array>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPointer>
#include <QRawFont>

namespace qt {

namespace {

class NumberFaces : public QObject {
public:
    using QObject::QObject;

    // Not the hexadecimal letters: some pairs of them kern (a shaped "FA" is narrower).
    static constexpr std::string_view kChars = "0123456789+-., ";
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
        for (char c : kChars) {
            const QChar ch = QLatin1Char(c);
            quint32 glyph = 0;
            int n = 1;
            if (f.raw.glyphIndexesForChars(&ch, 1, &glyph, &n) && n == 1 && glyph != 0) {
                f.index[static_cast<unsigned char>(c)] = glyph;
                f.advance[static_cast<unsigned char>(c)] = f.raw.advancesForGlyphIndexes({glyph}).value(0).x();
            }
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
