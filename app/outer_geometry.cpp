#include "outer_geometry.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

const char* const requestedFrameProperty = "requestedFrameExtents";
const char* const frameRequestedProperty = "frameExtentsRequested";

using Reply = std::unique_ptr<void, decltype(&std::free)>;

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const Reply reply(xcb_intern_atom_reply(connection,
                                            xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name),
                                            nullptr),
                      &std::free);
    if (!reply)
        return XCB_ATOM_NONE;
    return static_cast<xcb_intern_atom_reply_t*>(reply.get())->atom;
}

// The 32-bit values of a window property, empty if it is not set.
std::vector<uint32_t> cardinals(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    const Reply reply(xcb_get_property_reply(connection,
                                             xcb_get_property(connection, 0, window, property,
                                                              XCB_ATOM_ANY, 0, 1024),
                                             nullptr),
                      &std::free);
    auto* values = static_cast<xcb_get_property_reply_t*>(reply.get());
    if (!values || values->format != 32)
        return {};
    const auto* begin = static_cast<const uint32_t*>(xcb_get_property_value(values));
    return {begin, begin + xcb_get_property_value_length(values) / 4};
}

xcb_connection_t* x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Asks the window manager which frame it will put around the still unmapped window
// (_NET_REQUEST_FRAME_EXTENTS); false if it does not offer that.
bool sendFrameExtentsRequest(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t request = internAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const std::vector<uint32_t> supported =
        cardinals(connection, root, internAtom(connection, "_NET_SUPPORTED"));
    if (std::find(supported.begin(), supported.end(), request) == supported.end())
        return false;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    return true;
}

// The window manager's answer in _NET_FRAME_EXTENTS, waited for briefly.
QMargins awaitFrameExtents(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_atom_t extents = internAtom(connection, "_NET_FRAME_EXTENTS");
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(500);
    while (steady_clock::now() < deadline) {
        const std::vector<uint32_t> frame = cardinals(connection, window, extents);
        if (frame.size() == 4)  // left, right, top, bottom
            return QMargins(int(frame[0]), int(frame[2]), int(frame[1]), int(frame[3]));
        std::this_thread::sleep_for(milliseconds(1));
    }
    return {};
}

// The frame as the window system reports it once the window is framed, and as the window
// manager announced it before that.
QMargins frameOf(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    if (handle && window->isVisible() && !handle->frameMargins().isNull())
        return handle->frameMargins();
    return window->property(requestedFrameProperty).value<QMargins>();
}

} // namespace

void requestFrame(QWidget* window, QSize outerSize)
{
    // Fixed first: the window manager plans its frame from the size hints, and a window that
    // cannot be resized gets no resize handle.
    window->setFixedSize(outerSize);
    const auto windowId = static_cast<xcb_window_t>(window->winId());  // created, not mapped
    xcb_connection_t* connection = x11Connection();
    window->setProperty(frameRequestedProperty, connection && sendFrameExtentsRequest(connection, windowId));
}

void placeCentred(QWidget* window, QSize outerSize)
{
    xcb_connection_t* connection = x11Connection();
    QMargins frame;
    if (window->property(frameRequestedProperty).toBool())
        frame = awaitFrameExtents(connection, static_cast<xcb_window_t>(window->winId()));
    else if (!connection)
        frame = window->windowHandle()->frameMargins();
    window->setProperty(requestedFrameProperty, QVariant::fromValue(frame));
    window->setFixedSize(outerSize.shrunkBy(frame));

    // The native window exists, so a position is the client area's: offset it by the frame.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint outerTopLeft = screen.topLeft()
                                + QPoint((screen.width() - outerSize.width()) / 2,
                                         (screen.height() - outerSize.height()) / 2);
    window->move(outerTopLeft + QPoint(frame.left(), frame.top()));
}

int outerHeight(const QWidget* window)
{
    const QMargins frame = frameOf(window);
    return window->height() + frame.top() + frame.bottom();
}

void setOuterHeight(QWidget* window, int height)
{
    const QMargins frame = frameOf(window);
    window->setFixedHeight(height - frame.top() - frame.bottom());
}
