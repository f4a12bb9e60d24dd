#pragma once

struct MainWindow;

// Raises the built window's created event, binds its events, shows and activates it.
void loadStartWindow(MainWindow& main);

// Empties the tables, registers their release as the exit routine, opens the window and
// runs the event loop until the window has closed; returns 0.
int startProgram();
