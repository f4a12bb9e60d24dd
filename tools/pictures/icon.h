#pragma once

#include <QImage>

// The blackboard figure in black on a transparent ground: 128 x 76 pixels.
QImage makeIcon();
// The same figure centred on a square 128 x 128 canvas.
QImage makeSquareIcon();
