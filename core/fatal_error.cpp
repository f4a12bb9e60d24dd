#include "fatal_error.h"

#include <cstdio>
#include <cstdlib>

namespace {

void reportOnStandardError(const std::string& description)
{
    std::fprintf(stderr, "Tervalo: %s\n", description.c_str());
}

FatalReporter currentReporter = reportOnStandardError;
bool fatalErrorBegun = false;

} // namespace

void setFatalReporter(FatalReporter reporter)
{
    currentReporter = reporter ? reporter : reportOnStandardError;
}

void fatalError(const std::string& description)
{
    // A second fatal error while the first is being reported (say, memory runs out while
    // the message is shown) must not recurse: say it plainly and leave.
    if (fatalErrorBegun) {
        std::fputs("Tervalo: fatal error while reporting a fatal error\n", stderr);
        std::_Exit(-1);
    }
    fatalErrorBegun = true;
    currentReporter(description);
    std::fflush(stderr);
    std::_Exit(-1);
}
