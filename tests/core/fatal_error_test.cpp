#include "fatal_error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

void reportForTest(const std::string& description)
{
    std::fprintf(stderr, "reported: %s\n", description.c_str());
}

void exitRoutineMustNotRun()
{
    std::fputs("exit routine ran\n", stderr);
}

TEST(FatalErrorDeathTest, reporterIsToldThenTheProcessEndsWithMinusOne)
{
    EXPECT_EXIT(
        {
            setFatalReporter(reportForTest);
            fatalError("描述");
        },
        ::testing::ExitedWithCode(255), "reported: 描述");
}

TEST(FatalErrorDeathTest, exitRoutinesDoNotRun)
{
    EXPECT_EXIT(
        {
            std::atexit(exitRoutineMustNotRun);
            fatalError("x");
        },
        ::testing::ExitedWithCode(255), "^Tervalo: x\n$");
}

} // namespace
