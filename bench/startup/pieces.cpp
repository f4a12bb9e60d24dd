// The baseline window plus single start-up steps of Tervalo, chosen on the command line, so
// that what each step costs can be measured apart (run.sh --pieces):
//   startup_pieces [STEP...]
// Tervalo's steps:
//     translator  load and install Qt's qtbase_zh_CN translation
//     icon        application and window icon from the embedded ICO, each decoded on its own
//                 (QIcon from the file name twice; Qt's ico image plugin)
//     chinese     the button says 显示 instead of Show (a CJK fallback font is needed)
//     font        the label and the line edit use a 29-pixel font
//     frame       ask the window manager for the frame extents before showing, as Tervalo
//                 does (_NET_REQUEST_FRAME_EXTENTS, then poll _NET_FRAME_EXTENTS every 1 ms)
//     picture     a label below the compact window's edge that decodes an embedded JPEG
//                 when first painted
// Cheaper ways of doing the same, to try:
//     icon-once   the ICO decoded once, into the application icon only (the window uses it)
//     icon-png    a PNG icon (another, 128x128 picture; decoded by Qt itself without an image
//                 plugin), set on the application
//     cjk-family  with chinese: the button's font lists the system's first Simplified Chinese
//                 family after the default one, meant to spare the fallback search
//     no-hinting  with chinese: the button's font asks for no hinting
//     frame-fast  frame, polling every 0.1 ms
//     frame-overlap  frame, but the answer is read only after the controls are made
//     fc-early    fontconfig's set-up (FcInit) in a thread from the start of main, while
//                 QApplication connects to the display
// With no argument it is the baseline program.
// With STARTUP_PIECES_LOG=FILE, each start appends one line to FILE when the button is first
// painted: the wall-clock time of each step in ms, and the process's CPU time by then.

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMargins>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTranslator>
#include <QWidget>

#include <fontconfig/fontconfig.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <string>
#include <thread>

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    auto* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// The four 32-bit values of a window property (left, right, top, bottom), or nothing.
bool fourCardinals(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                   uint32_t values[4])
{
    auto* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_CARDINAL, 0, 4),
        nullptr);
    const bool found = reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16;
    if (found)
        std::memcpy(values, xcb_get_property_value(reply), 16);
    std::free(reply);
    return found;
}

// Tervalo's way of learning the frame before the window is mapped: ask the window manager
// (_NET_REQUEST_FRAME_EXTENTS), then poll for its answer in _NET_FRAME_EXTENTS.
void sendFrameExtentsRequest(QWidget& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window.winId());  // created, not mapped
    message.type = internAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

QMargins awaitFrameExtents(QWidget& window, std::chrono::microseconds pollInterval)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return {};
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t extents = internAtom(connection, "_NET_FRAME_EXTENTS");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    uint32_t frame[4];
    while (std::chrono::steady_clock::now() < deadline) {
        if (fourCardinals(connection, static_cast<xcb_window_t>(window.winId()), extents, frame))
            return QMargins(int(frame[0]), int(frame[2]), int(frame[1]), int(frame[3]));
        std::this_thread::sleep_for(pollInterval);
    }
    return {};
}

// Sizes the window so that with its frame it is the outer size, centred on the screen.
void placeWithFrame(QWidget& window, QSize outer, QMargins frame)
{
    window.setFixedSize(outer.shrunkBy(frame));
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    window.move((screen.width() - outer.width()) / 2 + frame.left(),
                (screen.height() - outer.height()) / 2 + frame.top());
}

// Where the start-up time goes, step by step, measured inside the process.
class StepLog {
public:
    explicit StepLog(QString steps)
        : line_(steps.isEmpty() ? QStringLiteral("baseline") : steps)
    {
        clock_.start();
    }

    void mark(const char* step)
    {
        const double now = double(clock_.nsecsElapsed()) / 1e6;
        line_ += QStringLiteral(" %1=%2").arg(QLatin1String(step)).arg(now - last_, 0, 'f', 2);
        last_ = now;
    }

    void write()
    {
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        line_ += QStringLiteral(" total=%1 cpu=%2\n")
                     .arg(double(clock_.nsecsElapsed()) / 1e6, 0, 'f', 2)
                     .arg(double(cpu.tv_sec) * 1e3 + double(cpu.tv_nsec) / 1e6, 0, 'f', 2);
        QFile file(qEnvironmentVariable("STARTUP_PIECES_LOG"));
        if (!file.fileName().isEmpty() && file.open(QIODevice::Append))
            file.write(line_.toUtf8());
    }

private:
    QElapsedTimer clock_;
    QString line_;
    double last_ = 0;
};

// Logs the steps once its first painting, where its caption is laid out, is done.
class TimedButton : public QPushButton {
public:
    TimedButton(const QString& text, QWidget* parent, StepLog& log)
        : QPushButton(text, parent)
        , log_(log)
    {
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (logged_)
            return QPushButton::paintEvent(event);
        log_.mark("shown");  // from show() until the first painting begins
        QPushButton::paintEvent(event);
        log_.mark("button_paint");
        log_.write();
        logged_ = true;
    }

private:
    StepLog& log_;
    bool logged_ = false;
};

class PictureLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!loaded_) {
            loaded_ = true;
            setPixmap(QPixmap(QStringLiteral(":/reference-table.jpg")));
        }
        QLabel::paintEvent(event);
    }

private:
    bool loaded_ = false;
};

} // namespace

int main(int argc, char* argv[])
{
    const std::set<std::string> steps(argv + 1, argv + argc);
    auto has = [&steps](const char* step) { return steps.count(step) > 0; };
    QStringList names;
    for (int i = 1; i < argc; ++i)
        names << QString::fromLocal8Bit(argv[i]);
    StepLog log(names.join(u'+'));

    std::thread fontconfig;
    if (has("fc-early"))
        fontconfig = std::thread([] { FcInit(); });
    QApplication application(argc, argv);
    if (fontconfig.joinable())
        fontconfig.join();
    log.mark("application");
    if (has("icon") || has("icon-once")) {
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/window-icon.ico")));
        log.mark("icon");
    } else if (has("icon-png")) {
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/tervalo-icon.png")));
        log.mark("icon");
    }
    if (has("translator")) {
        auto* translator = new QTranslator(&application);
        if (translator->load(QStringLiteral("qtbase_zh_CN"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(translator);
        log.mark("translator");
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    if (has("icon"))
        window.setWindowIcon(QIcon(QStringLiteral(":/window-icon.ico")));
    log.mark("window");
    const QSize outer(555, 103);
    const bool frame = has("frame") || has("frame-fast") || has("frame-overlap");
    const auto pollInterval = std::chrono::microseconds(has("frame-fast") ? 100 : 1000);
    if (frame) {
        window.setFixedSize(outer);
        window.winId();
        log.mark("native");  // the native window is created here instead of in show()
        sendFrameExtentsRequest(window);
    } else {
        window.resize(551, 80);
    }
    if (frame && !has("frame-overlap")) {
        placeWithFrame(window, outer, awaitFrameExtents(window, pollInterval));
        log.mark("frame");
    }
    if (has("picture")) {
        auto* picture = new PictureLabel(&window);
        picture->setGeometry(152, 96, 400, 240);
    }

    QFont font = QApplication::font();
    font.setPixelSize(29);
    auto* label = new QLabel(QStringLiteral("1/8"), &window);
    label->setGeometry(16, 24, 112, 48);
    auto* edit = new QLineEdit(&window);
    edit->setGeometry(154, 23, 112, 48);
    if (has("font")) {
        label->setFont(font);
        edit->setFont(font);
    }
    auto* button = new TimedButton(has("chinese") ? QStringLiteral("显示") : QStringLiteral("Show"),
                                   &window, log);
    button->setGeometry(470, 28, 72, 40);
    if (has("cjk-family") || has("no-hinting")) {
        QFont buttonFont = button->font();
        if (has("cjk-family"))
            buttonFont.setFamilies({buttonFont.family(),
                                    QFontDatabase::families(QFontDatabase::SimplifiedChinese).value(0)});
        if (has("no-hinting"))
            buttonFont.setHintingPreference(QFont::PreferNoHinting);
        button->setFont(buttonFont);
    }
    log.mark("controls");
    if (has("frame-overlap")) {  // the window manager answered while the controls were made
        placeWithFrame(window, outer, awaitFrameExtents(window, pollInterval));
        log.mark("frame");
    }
    window.show();
    log.mark("show");
    return QApplication::exec();
}
