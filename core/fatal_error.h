#pragma once

#include <string>

// The one way out for an error the program cannot continue from.
// The reporter (by default a line on standard error) is told the description; then the
// process ends at once with exit code -1, without exit routines or static destructors.
using FatalReporter = void (*)(const std::string& description);

void setFatalReporter(FatalReporter reporter);

[[noreturn]] void fatalError(const std::string& description);
