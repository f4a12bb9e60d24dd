#pragma once

#include <QSize>

class QWidget;

// A window's outer size, frame and title bar included, as the window manager draws it.
// On X11 the frame is known before the window is first shown by asking the window manager
// for the frame extents it will use; without a window manager outer equals client.

// Fixes the hidden window's size and asks the window manager for the frame it will draw.
// The answer is taken by placeCentred(), so the work in between overlaps the round trip.
void requestFrame(QWidget* window, QSize outerSize);

// Sizes the window to the outer size, fixed, and centres that size on the whole primary screen.
void placeCentred(QWidget* window, QSize outerSize);

int outerHeight(const QWidget* window);

// Keeps the top-left corner and the outer width.
void setOuterHeight(QWidget* window, int height);
