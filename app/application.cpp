#include "application.h"

#include "fatal_error.h"
#include "fatal_message.h"

#include <QByteArrayView>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler previousMessageHandler = nullptr;

// While the display is being opened, Qt's platform chatter is held back: if opening fails,
// one clear line says why instead of Qt's several lines and an abort.
void openingMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        const QByteArray display = qgetenv("DISPLAY");
        std::fprintf(stderr, "Tervalo: 无法打开图形显示%s（cannot open the display%s%s）\n",
                     display.isEmpty() ? "，DISPLAY 未设置" : "",
                     display.isEmpty() ? ", DISPLAY is not set" : " ",
                     display.constData());
        std::_Exit(255);
    }
    if (QByteArrayView(context.category).startsWith("qt.qpa"))
        return;
    previousMessageHandler(type, context, message);
}

// QApplication keeps references to argc and argv; the program takes no command line.
int applicationArgc = 1;
char* applicationArgv[] = {nullptr, nullptr};

void installChineseTranslation()
{
    auto* translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

// In a Wayland session with an X server beside it (Xwayland), the window goes to the X server:
// there the program places its window and the window manager draws and reports the frame.
// A platform the user chose is kept.
void preferTheXServer()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

void setUpApplication()
{
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/window-icon.ico")));
    installChineseTranslation();
    setFatalReporter(showFatalMessage);
}

std::unique_ptr<QApplication> openApplication(char* programName)
{
    QApplication::setApplicationName(QStringLiteral("Tervalo"));
    QApplication::setApplicationVersion(QStringLiteral(TERVALO_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Tervalo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tervalo.tervalo"));

    applicationArgv[0] = programName;
    preferTheXServer();
    previousMessageHandler = qInstallMessageHandler(openingMessageHandler);
    auto application = std::make_unique<QApplication>(applicationArgc, applicationArgv);
    qInstallMessageHandler(previousMessageHandler);

    setUpApplication();
    return application;
}
