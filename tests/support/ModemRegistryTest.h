// The fixture of the tests that use the prefix's registry: each starts and
// ends without modems or stored settings.
#ifndef MODEMREGISTRYTEST_H
#define MODEMREGISTRYTEST_H

#include "TestRegistry.h"

#include <gtest/gtest.h>

class ModemRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { clearModems(); }
    void TearDown() override { clearModems(); }
};

#endif
