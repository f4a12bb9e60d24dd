#pragma once

#include "conversion_table.h"
#include "drill.h"
#include "random_draws.h"

#include <gtest/gtest.h>

// Every test starts from the state of a program that has just started.
class FreshProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTables();
        generatorState = 1;
        direction = 0;
        questionIndex = 0;
    }
};
