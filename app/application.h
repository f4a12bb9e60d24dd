#pragma once

#include <QApplication>

#include <memory>

// Opens the display and sets up the application as the program needs it: its name, version
// and icon, Qt's own dialogs in Chinese, and fatal errors shown in a message box.
// Without a display it says so in one line on standard error and ends with 255.
std::unique_ptr<QApplication> openApplication(char* programName);

// What openApplication() sets up once the application exists: the icon (which the window
// takes as its own), Qt's dialogs in Chinese, fatal errors in a message box.
void setUpApplication();
