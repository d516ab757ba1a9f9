// The test support itself: the program starts, shows its window and closes on the exit command.
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

TEST(ProgramSupport, StartsAndCloses) {
    auto program = kestatest::startProgram();
    ASSERT_NE(program.window, nullptr) << "the program showed no main window";
    EXPECT_EQ(kestatest::closeProgram(program), 0);
}
