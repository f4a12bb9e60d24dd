#pragma once

#include "conversion_table.h"
#include "drill.h"
#include "main_window.h"
#include "mnemonic_label.h"
#include "picture_box.h"
#include "random_draws.h"
#include "start_program.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <memory>

// A freshly started program: state of a new process, the window built, created and shown.
struct StartedWindow {
    MainWindow main;

    StartedWindow()
    {
        initTables();
        generatorState = 1;
        direction = 0;
        questionIndex = 0;
        main = buildMainWindow();
    }

    // Shows the window and waits until it is active, as the program does at start.
    bool start()
    {
        loadStartWindow(main);
        return QTest::qWaitForWindowActive(main.window.get());
    }
};

// The base of the window tests: a fresh program for each test function.
class WindowTestCase : public QObject {
protected:
    MainWindow& main() { return started_->main; }
    QWidget* window() { return started_->main.window.get(); }

    bool startFreshProgram()
    {
        started_ = std::make_unique<StartedWindow>();
        return started_->start();
    }

    void closeProgram() { started_.reset(); }

private:
    std::unique_ptr<StartedWindow> started_;
};
