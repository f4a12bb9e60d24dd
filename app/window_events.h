#pragma once

struct MainWindow;

// The three events the program binds, and their handlers.

// Ties the button's clicks and the answer box's key presses to their handlers.
void bindWindowEvents(MainWindow& main);

// The window has been created: compact height, first question.
void openDrill(MainWindow& main);
// The button was clicked: switch between the compact and the full height.
void toggleReference(MainWindow& main);
// A key went down in the answer box: Enter judges the answer.
void handleAnswerKey(MainWindow& main, int keyCode, int modifiers);
