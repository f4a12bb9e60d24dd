// What only a real window manager decides: frame, outer size and position, maximizing,
// minimizing, activation. Runs under tests/x-session.sh (Xvfb and openbox).

#include "window_fixture.h"

#include "application.h"
#include "outer_geometry.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

xcb_connection_t* x11()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply)
{
    return {reply, &std::free};
}

// The window manager's frame around a client window, in root coordinates.
QRect frameOnScreen(WId client)
{
    xcb_connection_t* c = x11();
    xcb_window_t window = xcb_window_t(client);
    for (;;) {
        const auto tree = owned(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
        if (!tree || tree->parent == tree->root)
            break;
        window = tree->parent;
    }
    const auto geometry = owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    return geometry ? QRect(geometry->x, geometry->y, geometry->width, geometry->height) : QRect();
}

xcb_atom_t atom(const char* name)
{
    const auto reply = owned(xcb_intern_atom_reply(x11(), xcb_intern_atom(x11(), 0, uint16_t(strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QList<xcb_atom_t> atomList(WId window, const char* property)
{
    const auto reply = owned(xcb_get_property_reply(
        x11(), xcb_get_property(x11(), 0, xcb_window_t(window), atom(property), XCB_ATOM_ATOM, 0, 256), nullptr));
    if (!reply)
        return {};
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    return QList<xcb_atom_t>(atoms, atoms + xcb_get_property_value_length(reply.get()) / 4);
}

void xdotool(const QStringList& arguments)
{
    QProcess::execute(QStringLiteral("xdotool"), arguments);
}

void clickAt(QPoint point, int repeat = 1)
{
    xdotool({"mousemove", QString::number(point.x()), QString::number(point.y()), "click", "--repeat",
             QString::number(repeat), "--delay", "80", "1"});
}

QPoint expectedTopLeft()
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    return {(screen.width() - 555) / 2, (screen.height() - 364) / 2};
}

} // namespace

class X11WindowTest : public WindowTestCase {
    Q_OBJECT

    QRect frame() { return frameOnScreen(window()->winId()); }

    // A real click through the X server, the window manager seeing it first.
    void clickButton()
    {
        clickAt(main().按钮1->mapToGlobal(main().按钮1->rect().center()));
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        setUpApplication();
    }

    void init()
    {
        QVERIFY(startFreshProgram());
        QTRY_COMPARE(frame().size(), QSize(555, 103));
    }

    void cleanup() { closeProgram(); }

    void firstShownCompactCentredByTheDesignedSize()
    {
        QCOMPARE(frame(), QRect(expectedTopLeft(), QSize(555, 103)));
        QCOMPARE(outerHeight(window()), 103);
        QCOMPARE(window()->frameGeometry(), frame());
        QCOMPARE(QApplication::focusWidget(), main().编辑框1);
    }

    void theIconReachesTheWindowManager()
    {
        const auto reply = owned(xcb_get_property_reply(
            x11(), xcb_get_property(x11(), 0, xcb_window_t(window()->winId()), atom("_NET_WM_ICON"),
                                    XCB_ATOM_CARDINAL, 0, 2),
            nullptr));
        QVERIFY(reply && xcb_get_property_value_length(reply.get()) == 8);
        const auto* size = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
        QCOMPARE(QSize(int(size[0]), int(size[1])), QSize(128, 76));
    }

    void heightWrittenReadsBackExactlyKeepingTheCorner()
    {
        clickButton();
        QTRY_COMPARE(frame(), QRect(expectedTopLeft(), QSize(555, 364)));
        QCOMPARE(outerHeight(window()), 364);
        QCOMPARE(main().按钮1->text(), QStringLiteral("隐藏"));
        clickButton();
        QTRY_COMPARE(frame(), QRect(expectedTopLeft(), QSize(555, 103)));
        QCOMPARE(outerHeight(window()), 103);
        QCOMPARE(main().按钮1->text(), QStringLiteral("显示"));
    }

    void theWindowManagerOffersNoMaximizeOrResize()
    {
        const QList<xcb_atom_t> allowed = atomList(window()->winId(), "_NET_WM_ALLOWED_ACTIONS");
        QVERIFY(allowed.contains(atom("_NET_WM_ACTION_CLOSE")));
        QVERIFY(allowed.contains(atom("_NET_WM_ACTION_MINIMIZE")));
        QVERIFY(allowed.contains(atom("_NET_WM_ACTION_MOVE")));
        for (const char* action : {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT",
                                   "_NET_WM_ACTION_RESIZE"})
            QVERIFY2(!allowed.contains(atom(action)), action);
    }

    void doubleClickOnTheTitleBarAndTheMaximizeButtonDoNothing()
    {
        const QRect before = frame();
        clickAt(QPoint(before.center().x(), before.top() + 8), 2);
        clickAt(QPoint(before.right() - 28, before.top() + 9));  // where openbox draws maximize
        // The window manager handles those clicks before this one reaches the program.
        clickButton();
        QTRY_COMPARE(main().按钮1->text(), QStringLiteral("隐藏"));
        QTRY_COMPARE(frame(), QRect(before.topLeft(), QSize(555, 364)));
        QVERIFY(!atomList(window()->winId(), "_NET_WM_STATE").contains(atom("_NET_WM_STATE_MAXIMIZED_VERT")));
        QVERIFY(!window()->isMaximized());
    }

    void minimizeAndRestoreKeepTheHeightAndCaption()
    {
        clickButton();
        QTRY_COMPARE(frame().height(), 364);
        window()->showMinimized();
        QTRY_VERIFY(window()->isMinimized());
        window()->showNormal();
        window()->activateWindow();
        QTRY_VERIFY(window()->isActiveWindow());
        QTRY_COMPARE(frame(), QRect(expectedTopLeft(), QSize(555, 364)));
        QCOMPARE(main().按钮1->text(), QStringLiteral("隐藏"));
    }

    void focusComesBackAfterReactivation()
    {
        QTest::keyClick(main().编辑框1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), main().按钮1);
        QWidget other;
        other.setWindowTitle(QStringLiteral("other"));
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        window()->activateWindow();
        QTRY_VERIFY(window()->isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), main().按钮1);
    }
};

QTEST_MAIN(X11WindowTest)
#include "x11_window_test.moc"
