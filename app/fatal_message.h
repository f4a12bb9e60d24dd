#pragma once

#include <string>

// Shows a fatal error in a modal message box owned by no window and waits until it is
// dismissed; the exit routine is dropped without running. From here on no handler runs.
void showFatalMessage(const std::string& description);

// True once a fatal error has begun: the window's handlers then do nothing.
bool fatalErrorBegun();
