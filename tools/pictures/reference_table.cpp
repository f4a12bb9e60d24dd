#include "reference_table.h"

#include "chalk.h"
#include "conversion_table.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr QSize pictureSize(393, 235);
constexpr QColor ground(0, 182, 214);
constexpr QColor slate(23, 55, 70);
constexpr QRect board(8, 7, 260, 213);
constexpr qreal capHeight = 12.5; // of the chalk lettering

// Fractions top to bottom; an empty entry leaves a small gap.
using Column = std::vector<std::string>;
const Column boardLeft = {"1/2", "1/4", "1/8", "1/16", "", "1/5", "1/10", "1/20", "",
                          "1/13", "1/15"};
const Column boardRight = {"1/9", "1/11", "1/7", "1/14", "", "1/3", "1/6", "1/12", "",
                           "1/17", "1/18", "1/19"};
const Column printed = {"1/14", "1/15", "2/7", "3/8", "2/9", "2/11"};

// "fraction=percentage" with the percentage taken from the drill's own table.
QString pairText(const std::string& fraction)
{
    for (int position = 1; position <= fractionTexts.count(); ++position)
        if (fractionTexts[position] == fraction)
            return QString::fromStdString(fraction + "=" + percentTexts[position]);
    throw std::runtime_error("fraction missing from the conversion table: " + fraction);
}

void drawChalkColumn(QPainter& painter, QPointF firstBaseline, const Column& column,
                     std::uint32_t seed)
{
    constexpr qreal lineHeight = 18;
    constexpr qreal groupGap = 10;
    QPointF baseline = firstBaseline;
    for (const std::string& fraction : column) {
        if (fraction.empty()) {
            baseline.ry() += groupGap;
            continue;
        }
        writeByHand(painter, baseline, pairText(fraction), capHeight, seed);
        seed += 100; // writeByHand takes one seed per glyph from here on
        baseline.ry() += lineHeight;
    }
}

QImage chalkLayer()
{
    QImage layer(pictureSize, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter painter(&layer);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen chalk(QColor(255, 255, 255, 235), 1.15, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    chalk.setCosmetic(true);
    painter.setPen(chalk);
    const qreal firstBaseline = board.top() + 10 + capHeight;
    drawChalkColumn(painter, QPointF(board.left() + 32, firstBaseline), boardLeft, 1);
    drawChalkColumn(painter, QPointF(board.left() + 150, firstBaseline), boardRight, 5001);
    painter.end();
    addChalkGrain(layer);
    return layer;
}

void drawBoard(QPainter& painter)
{
    painter.fillRect(board, slate);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(28, 110, 52)); // the magnet, cut off by the top edge
    painter.drawEllipse(QPointF(board.center().x(), 2), 9, 9);
    painter.setBrush(QColor(150, 150, 150)); // the pin in the bottom-left corner
    painter.drawEllipse(QPointF(board.left() + 2, board.bottom() - 2), 4.5, 4.5);
}

// Bold serif type, black with a thin white outline.
void drawPrintedColumn(QPainter& painter)
{
    QFont font("DejaVu Serif");
    font.setStyleHint(QFont::Serif);
    font.setBold(true);
    font.setPixelSize(16);
    const qreal left = board.right() + 9;
    qreal baseline = 40;
    for (const std::string& fraction : printed) {
        QPainterPath path;
        path.addText(left, baseline, font, pairText(fraction));
        painter.strokePath(path, QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(path, Qt::black);
        baseline += 33;
    }
}

} // namespace

QImage makeReferenceTable()
{
    QImage picture(pictureSize, QImage::Format_RGB32);
    picture.fill(ground);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawBoard(painter);
    painter.drawImage(0, 0, chalkLayer());
    drawPrintedColumn(painter);
    return picture;
}
