#include "chalk.h"

#include <QPainterPath>

#include <map>
#include <stdexcept>
#include <vector>

namespace {

// Glyphs are polylines in a box 5 units wide and 8 high, y growing downwards to the baseline.
using Stroke = std::vector<QPointF>;
struct Glyph {
    qreal advance;
    std::vector<Stroke> strokes;
};

const std::map<QChar, Glyph>& glyphs()
{
    static const std::map<QChar, Glyph> table = {
        {'0', {6.4, {{{2.5, 0}, {4.2, 0.7}, {5, 4}, {4.3, 7.3}, {2.5, 8}, {0.7, 7.3}, {0, 4},
                      {0.8, 0.7}, {2.6, 0}}}}},
        {'1', {4.2, {{{0.4, 1.6}, {2.4, 0}, {2.4, 8}}}}},
        {'2', {6.4, {{{0.3, 1.5}, {1.5, 0.2}, {3.2, 0}, {4.6, 1}, {4.7, 2.6}, {3.8, 4.2}, {0, 8},
                      {5, 8}}}}},
        {'3', {6.4, {{{0.3, 0.8}, {2, 0}, {4, 0.4}, {4.6, 1.8}, {3.8, 3.4}, {2, 3.9}, {3.8, 4.3},
                      {4.8, 5.8}, {4.3, 7.4}, {2.4, 8}, {0.2, 7.3}}}}},
        {'4', {6.4, {{{3.8, 8}, {3.8, 0}, {0, 5.6}, {5, 5.6}}}}},
        {'5', {6.4, {{{4.6, 0}, {0.8, 0}, {0.4, 3.6}, {2.2, 3.1}, {4, 3.6}, {4.9, 5.4}, {4.4, 7.3},
                      {2.5, 8}, {0.3, 7.3}}}}},
        {'6', {6.4, {{{4.2, 0.3}, {2.6, 0}, {1, 1}, {0.1, 3.5}, {0.1, 6}, {1, 7.6}, {2.6, 8},
                      {4.2, 7.4}, {4.8, 5.8}, {4.2, 4.2}, {2.6, 3.6}, {1, 4.1}, {0.2, 5.4}}}}},
        {'7', {6.4, {{{0, 0}, {5, 0}, {1.8, 8}}}}},
        {'8', {6.4, {{{2.5, 3.8}, {0.8, 3}, {0.5, 1.4}, {1.3, 0.3}, {2.5, 0}, {3.7, 0.3},
                      {4.5, 1.4}, {4.2, 3}, {2.5, 3.8}, {0.6, 4.8}, {0, 6.3}, {0.8, 7.6}, {2.5, 8},
                      {4.2, 7.6}, {5, 6.3}, {4.4, 4.8}, {2.5, 3.8}}}}},
        {'9', {6.4, {{{4.6, 2.6}, {3.9, 4}, {2.4, 4.5}, {0.8, 4}, {0.1, 2.4}, {0.7, 0.6}, {2.4, 0},
                      {4.1, 0.6}, {4.8, 2.5}, {4.6, 5}, {3.8, 7.2}, {2.3, 8}, {0.6, 7.5}}}}},
        {'/', {5.6, {{{4.6, -0.4}, {0.4, 8.4}}}}},
        {'=', {6.2, {{{0.3, 3}, {4.7, 3}}, {{0.3, 5.6}, {4.7, 5.6}}}}},
        {'%', {6.6, {{{5, 0}, {0, 8}},
                     {{1.2, 0}, {2.2, 0.6}, {2.2, 2}, {1.2, 2.6}, {0.2, 2}, {0.2, 0.6}, {1.2, 0}},
                     {{3.8, 5.4}, {4.8, 6}, {4.8, 7.4}, {3.8, 8}, {2.8, 7.4}, {2.8, 6},
                      {3.8, 5.4}}}}},
        {'.', {2.6, {{{0.6, 7.5}, {0.9, 8}}}}},
    };
    return table;
}

const Glyph& glyphFor(QChar character)
{
    const auto found = glyphs().find(character);
    if (found == glyphs().end())
        throw std::runtime_error("no hand-drawn glyph for a character");
    return found->second;
}

// A repeatable pseudo-random number in [-1, 1].
qreal jitter(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t h = (a * 0x9E3779B1u) ^ ((b + 0x7F4A7C15u) * 0x85EBCA77u);
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 13;
    return static_cast<qreal>(h % 2001) / 1000 - 1;
}

// The glyph's strokes, each point moved a little so no two glyphs are quite alike.
QPainterPath wobbly(const Glyph& glyph, std::uint32_t seed)
{
    QPainterPath path;
    std::uint32_t n = 0;
    for (const Stroke& stroke : glyph.strokes) {
        for (std::size_t i = 0; i < stroke.size(); ++i, ++n) {
            const QPointF wobble(jitter(seed, 2 * n), jitter(seed, 2 * n + 1));
            const QPointF point = stroke[i] + 0.18 * wobble;
            i == 0 ? path.moveTo(point) : path.lineTo(point);
        }
    }
    return path;
}

} // namespace

void writeByHand(QPainter& painter, QPointF baselineStart, const QString& text, qreal capHeight,
                 std::uint32_t seed)
{
    const qreal unit = capHeight / 8;
    qreal x = baselineStart.x();
    for (QChar character : text) {
        const Glyph& glyph = glyphFor(character);
        painter.save();
        painter.translate(x, baselineStart.y() + 0.5 * jitter(seed, 1000));
        painter.rotate(3 * jitter(seed, 1001));
        painter.shear(-0.12, 0); // a slight forward slant
        painter.scale(unit, unit);
        painter.translate(0, -8);
        painter.drawPath(wobbly(glyph, seed));
        painter.restore();
        x += glyph.advance * unit;
        ++seed;
    }
}

void addChalkGrain(QImage& layer)
{
    for (int y = 0; y < layer.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            const qreal keep = 0.82 + 0.18 * jitter(static_cast<std::uint32_t>(x),
                                                    static_cast<std::uint32_t>(y));
            const QRgb p = line[x];
            line[x] = qRgba(qRound(qRed(p) * keep), qRound(qGreen(p) * keep),
                            qRound(qBlue(p) * keep), qRound(qAlpha(p) * keep));
        }
    }
}
