// The program's own start and end, with a few scripted actions to observe them from outside.
//   program_probe close          Esc closes the window; reports the exit routine's work
//   program_probe fatal-table    a table read at position 0 while the window is open
//   program_probe fatal-memory   a memory request that cannot be met
// A watcher reads and dismisses the fatal-error message box, printing what it showed.

#include "application.h"
#include "conversion_table.h"
#include "exit_routine.h"
#include "start_program.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

namespace {

char* volatile keptBlock = nullptr;

void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void releaseAndReport()
{
    say(QStringLiteral("exit routine: %1 fractions, %2 windows").arg(fractionTexts.count())
            .arg(QApplication::topLevelWidgets().size()));
    releaseTables();
    say(QStringLiteral("exit routine: released, %1 left").arg(fractionTexts.count()));
}

void watchForTheMessageBox()
{
    auto* watcher = new QTimer(qApp);
    QObject::connect(watcher, &QTimer::timeout, watcher, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        say(QStringLiteral("box icon: %1").arg(box->icon() == QMessageBox::Critical ? "critical" : "other"));
        say(QStringLiteral("box parent: %1").arg(box->parentWidget() ? "window" : "none"));
        say(QStringLiteral("box text: ") + box->text().simplified());
        for (QAbstractButton* button : box->buttons())
            say(QStringLiteral("box button: ") + button->text());
        box->buttons().first()->click();
    });
    watcher->start(10);
}

// Runs once the event loop is up and the window is shown.
void act(const char* mode)
{
    registerExitRoutine(releaseAndReport);
    QWidget* window = QApplication::topLevelWidgets().value(0);
    if (!QTest::qWaitForWindowActive(window))
        say(QStringLiteral("window not active"));
    if (std::strcmp(mode, "close") == 0) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        return;
    }
    watchForTheMessageBox();
    if (std::strcmp(mode, "fatal-table") == 0) {
        (void)fractionTexts[0];
    } else if (std::strcmp(mode, "fatal-memory") == 0) {
        // Kept in a volatile so that the compiler cannot drop the request.
        volatile std::size_t huge = std::numeric_limits<std::size_t>::max() / 4;
        keptBlock = new char[huge];
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    const auto application = openApplication(argv[0]);
    const char* mode = argv[1];
    QTimer::singleShot(0, qApp, [mode] { act(mode); });
    const int exitCode = startProgram();
    say(QStringLiteral("event loop ended"));
    runExitRoutine();
    runExitRoutine();
    return exitCode;
}
