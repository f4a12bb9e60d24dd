#include "icon.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QSize figureSize(128, 76);
constexpr int lineWidth = 5;

// A rectangular ring `thickness` pixels wide just inside `outer`.
void drawOutline(QPainter& painter, const QRect& outer, int thickness)
{
    const QRect inner = outer.adjusted(thickness, thickness, -thickness, -thickness);
    painter.fillRect(outer.left(), outer.top(), outer.width(), thickness, Qt::black);
    painter.fillRect(outer.left(), inner.bottom() + 1, outer.width(), thickness, Qt::black);
    painter.fillRect(outer.left(), inner.top(), thickness, inner.height(), Qt::black);
    painter.fillRect(inner.right() + 1, inner.top(), thickness, inner.height(), Qt::black);
}

QPainterPath digitTwo()
{
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(40);
    QPainterPath path;
    path.addText(0, 0, font, "2");
    return path.translated(-path.boundingRect().topLeft());
}

// "2+2=" with its vertical middle at `middleY`, starting at `left`.
void drawSum(QPainter& painter, qreal left, qreal middleY)
{
    const QPainterPath two = digitTwo();
    const qreal digitWidth = two.boundingRect().width();
    const qreal top = middleY - two.boundingRect().height() / 2;
    constexpr qreal gap = 3;
    constexpr qreal bar = 4; // thickness of the strokes of "+" and "="
    constexpr qreal plus = 12;
    constexpr qreal equals = 10;

    painter.fillPath(two.translated(left, top), Qt::black);
    qreal x = left + digitWidth + gap;
    painter.fillRect(QRectF(x, middleY - bar / 2, plus, bar), Qt::black);
    painter.fillRect(QRectF(x + (plus - bar) / 2, middleY - plus / 2, bar, plus), Qt::black);
    x += plus + gap;
    painter.fillPath(two.translated(x, top), Qt::black);
    x += digitWidth + gap;
    painter.fillRect(QRectF(x, middleY - bar * 1.5, equals, bar), Qt::black);
    painter.fillRect(QRectF(x, middleY + bar * 0.5, equals, bar), Qt::black);
}

// Two nested outlines, the sum, and an eraser on the inner outline's bottom edge.
void drawFigure(QPainter& painter)
{
    const QRect outer(QPoint(0, 0), figureSize);
    const QRect inner = outer.adjusted(8, 8, -8, -8);
    drawOutline(painter, outer, lineWidth);
    drawOutline(painter, inner, lineWidth);
    const int boardBottom = inner.bottom() - lineWidth;
    drawOutline(painter, QRect(inner.left() + 10, boardBottom - 9, 22, 10), 2);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSum(painter, 24, 34);
}

QImage figureOn(QSize canvas)
{
    QImage image(canvas, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate((canvas.width() - figureSize.width()) / 2,
                      (canvas.height() - figureSize.height()) / 2);
    drawFigure(painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

QImage makeIcon()
{
    return figureOn(figureSize);
}

QImage makeSquareIcon()
{
    return figureOn(QSize(128, 128));
}
