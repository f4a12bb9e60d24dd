#pragma once

#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdint>

// Hand-drawn lettering for digits, '/', '=', '%' and '.', about `capHeight` pixels tall,
// drawn with the painter's pen. `seed` varies the small irregularities of the hand;
// the same seed always gives the same strokes.
void writeByHand(QPainter& painter, QPointF baselineStart, const QString& text, qreal capHeight,
                 std::uint32_t seed);

// Chalk leaves a grainy stroke: thins out the alpha of a premultiplied layer by a fixed noise.
void addChalkGrain(QImage& layer);
