#pragma once

#include <QSize>

class QWidget;

// A window's outer geometry, frame and title bar included, in device-independent pixels, as
// all sizes of the program are. The window manager's frame is learnt before the window is
// first shown where the window manager tells it in advance (_NET_REQUEST_FRAME_EXTENTS), and
// whenever it arrives or changes later; each time, the client area is corrected so that the
// outer size stays the one last written and the outer top-left corner stays in place.
// Without a window manager, outer equals client.

// Fixes the hidden window's outer size and asks the window manager for the frame it will draw.
// The answer is taken by placeCentred(), so the work in between overlaps the round trip.
void requestFrame(QWidget* window, QSize outerSize);

// Centres the outer size on the whole primary screen. Natively on Wayland the compositor
// places windows, so only the size holds there.
void placeCentred(QWidget* window);

int outerHeight(const QWidget* window);

// Keeps the top-left corner and the outer width.
void setOuterHeight(QWidget* window, int height);
