#include "outer_geometry.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMarginsF>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

template <typename T>
std::unique_ptr<T, decltype(&std::free)> owned(T* reply)
{
    return {reply, &std::free};
}

xcb_connection_t* x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window property, empty if it is not set.
std::vector<uint32_t> cardinals(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_ANY, 0, 1024), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* begin = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {begin, begin + xcb_get_property_value_length(reply.get()) / 4};
}

xcb_window_t rootOf(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// Motif hints that offer moving, minimizing and closing only: Qt's own also offer resizing,
// which some window managers (icewm) then put in the window menu although min = max.
void offerNoResizeOrMaximize(xcb_connection_t* connection, xcb_window_t window)
{
    enum : uint32_t { functionsFlag = 1, decorationsFlag = 2 };
    enum : uint32_t { move = 4, minimize = 8, close = 32 };
    enum : uint32_t { border = 2, title = 8, menu = 16, minimizeButton = 32 };
    const uint32_t hints[5] = {functionsFlag | decorationsFlag, move | minimize | close,
                               border | title | menu | minimizeButton, 0, 0};
    const xcb_atom_t motif = internAtom(connection, "_MOTIF_WM_HINTS");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, motif, motif, 32, 5, hints);
}

// Asks the window manager which frame it will put around the still unmapped window;
// false if it does not offer that.
bool sendFrameExtentsRequest(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_window_t root = rootOf(connection);
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

// The frame in device pixels as the window tree shows it: the window manager's frame window
// (the root's child that holds the client, X border included) around the client.
QMargins frameFromTree(xcb_connection_t* connection, xcb_window_t client)
{
    xcb_window_t frame = client;
    for (;;) {
        const auto tree = owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, frame), nullptr));
        if (!tree || tree->parent == tree->root)
            break;
        frame = tree->parent;
    }
    if (frame == client)
        return {};
    const auto outer = owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, frame), nullptr));
    const auto inner = owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, client), nullptr));
    const auto origin = owned(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, client, rootOf(connection), 0, 0), nullptr));
    if (!outer || !inner || !origin)
        return {};
    const int left = origin->dst_x - outer->x;
    const int top = origin->dst_y - outer->y;
    const int border = 2 * outer->border_width;
    return {left, top, outer->width + border - inner->width - left, outer->height + border - inner->height - top};
}

// What the program knows of one window's frame, and keeps true as the frame arrives or changes.
class OuterFrame : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    OuterFrame(QWidget* window, QSize outerSize)
        : QObject(window)
        , window_(window)
        , outer_(outerSize)
        , x11_(x11Connection())
    {
        window->setFixedSize(outerSize);
        client_ = xcb_window_t(window->winId());  // created, not mapped
        if (x11_) {
            frameExtents_ = internAtom(x11_, "_NET_FRAME_EXTENTS");
            offerNoResizeOrMaximize(x11_, client_);
            requested_ = sendFrameExtentsRequest(x11_, client_);
            QCoreApplication::instance()->installNativeEventFilter(this);
        } else {
            window->windowHandle()->installEventFilter(this);
        }
    }

    ~OuterFrame() override
    {
        if (x11_)
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    void placeCentred()
    {
        if (requested_)
            awaitFrameExtents();
        frame_ = currentFrame();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QPoint topLeft = screen.topLeft()
                               + QPoint((screen.width() - outer_.width()) / 2,
                                        (screen.height() - outer_.height()) / 2);
        fitClientArea(topLeft);
    }

    int outerHeight() const
    {
        const qreal height = window_->height() + frame_.top() + frame_.bottom();
        // Within the rounding to whole pixels of the client area, it is the height last written.
        return std::abs(height - outer_.height()) <= 0.5 ? outer_.height() : qRound(height);
    }

    void setOuterHeight(int height)
    {
        outer_.setHeight(height);
        window_->setFixedSize(clientSize());
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
        case XCB_PROPERTY_NOTIFY: {
            const auto* property = static_cast<const xcb_property_notify_event_t*>(message);
            if (property->window == client_ && property->atom == frameExtents_)
                frameMayHaveChanged();
            break;
        }
        case XCB_MAP_NOTIFY:  // a window manager that never sets _NET_FRAME_EXTENTS has framed it now
            if (static_cast<const xcb_map_notify_event_t*>(message)->window == client_)
                frameMayHaveChanged();
            break;
        }
        return false;
    }

protected:
    // Natively on Wayland, Qt's own decoration margins are known once the window is shown.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose)
            frameMayHaveChanged();
        return QObject::eventFilter(watched, event);
    }

private:
    qreal devicePixelRatio() const { return window_->windowHandle()->devicePixelRatio(); }

    QMarginsF currentFrame() const
    {
        if (!x11_)
            return QMarginsF(window_->windowHandle()->frameMargins());
        const std::vector<uint32_t> extents = cardinals(x11_, client_, frameExtents_);
        const QMargins native = extents.size() == 4  // left, right, top, bottom
                                    ? QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]))
                                    : frameFromTree(x11_, client_);
        return QMarginsF(native) / devicePixelRatio();
    }

    void awaitFrameExtents() const
    {
        using namespace std::chrono;
        // Long enough for a window manager that answers, short enough not to delay the start
        // where one never does (fluxbox); a late answer is corrected when it comes.
        const auto deadline = steady_clock::now() + milliseconds(250);
        while (steady_clock::now() < deadline && cardinals(x11_, client_, frameExtents_).size() != 4)
            std::this_thread::sleep_for(milliseconds(1));
    }

    QSize clientSize() const
    {
        return {qRound(outer_.width() - frame_.left() - frame_.right()),
                qRound(outer_.height() - frame_.top() - frame_.bottom())};
    }

    // A client position is the client area's own, so the outer corner is offset by the frame.
    void fitClientArea(QPoint outerTopLeft)
    {
        const QSize size = clientSize();
        window_->setFixedSize(size);
        window_->setGeometry(QRect(outerTopLeft + QPoint(qRound(frame_.left()), qRound(frame_.top())), size));
    }

    void frameMayHaveChanged()
    {
        const QMarginsF frame = currentFrame();
        if (frame == frame_)
            return;
        const QPoint outerTopLeft =
            window_->geometry().topLeft() - QPoint(qRound(frame_.left()), qRound(frame_.top()));
        frame_ = frame;
        if (QGuiApplication::platformName() == QLatin1String("wayland"))
            window_->setFixedSize(clientSize());  // the compositor places the window
        else
            fitClientArea(outerTopLeft);
    }

    QWidget* window_;
    QSize outer_;       // the outer size last written
    QMarginsF frame_;   // the frame as last learnt, device-independent pixels
    xcb_connection_t* x11_;
    xcb_window_t client_ = 0;
    xcb_atom_t frameExtents_ = XCB_ATOM_NONE;
    bool requested_ = false;
};

OuterFrame* frameOf(const QWidget* window)
{
    return window->findChild<OuterFrame*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

void requestFrame(QWidget* window, QSize outerSize)
{
    new OuterFrame(window, outerSize);
}

void placeCentred(QWidget* window)
{
    frameOf(window)->placeCentred();
}

int outerHeight(const QWidget* window)
{
    return frameOf(window)->outerHeight();
}

void setOuterHeight(QWidget* window, int height)
{
    frameOf(window)->setOuterHeight(height);
}

#include "outer_geometry.moc"
