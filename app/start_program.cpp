#include "start_program.h"

#include "conversion_table.h"
#include "exit_routine.h"
#include "main_window.h"
#include "window_events.h"

#include <QApplication>
#include <QWidget>

void loadStartWindow(MainWindow& main)
{
    openDrill(main);  // the window's created event
    bindWindowEvents(main);
    main.window->show();
    main.window->activateWindow();
}

int startProgram()
{
    initTables();
    registerExitRoutine(releaseTables);
    {
        // The window and its controls are gone before the exit routine runs.
        MainWindow main = buildMainWindow();
        loadStartWindow(main);
        QApplication::exec();
    }
    return 0;
}
