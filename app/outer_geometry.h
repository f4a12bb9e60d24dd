#pragma once

#include <QSize>

class QWidget;

// A window's outer size, frame and title bar included, as the window manager draws it.
// On X11 the frame is known before the window is first shown by asking the window manager
// for the frame extents it will use; without a window manager outer equals client.

// Sizes the hidden window to the outer size, fixed, and centres that size on the whole
// primary screen.
void placeCentred(QWidget* window, QSize outerSize);

int outerHeight(const QWidget* window);

// Keeps the top-left corner and the outer width.
void setOuterHeight(QWidget* window, int height);
