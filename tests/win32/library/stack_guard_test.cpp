#include "ChildProcess.h"

#include <gtest/gtest.h>

// The library and PelmoraCtl are built with the stack protector over guard
// routines of their own: a seeded guard, and an overrun that ends the process.
TEST(StackGuardTest, AnOverrunFrameEndsTheProcessWithTheStackCookieStatus)
{
    EXPECT_EQ(STATUS_STACK_BUFFER_OVERRUN, runToEnd("\"" + besideThisProgram("stack_overrun.exe") + "\"", 60000));
}
