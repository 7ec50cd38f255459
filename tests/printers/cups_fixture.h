#pragma once
// The private print scheduler the printer tests share, with its queues: Q_A, Q_B and q_c on
// file:///dev/null, Q_D on a URI that carries a user name and password.

#include "private_cups.h"

#include <gtest/gtest.h>

/// The process's private scheduler.
PrivateCups& cups();

/// Each test starts with no user settings and no default queue of the user's.
class PrinterTest : public testing::Test {
protected:
    void SetUp() override { cups().reset_user(); }
};
