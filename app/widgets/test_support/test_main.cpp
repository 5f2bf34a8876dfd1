// SPDX-License-Identifier: GPL-3.0-or-later
// The main of a window test program: every test runs inside the one application.
#include <gtest/gtest.h>

#include "app/widgets/test_support/test_application.h"

int main(int argc, char** argv) {
    tarn::testApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
