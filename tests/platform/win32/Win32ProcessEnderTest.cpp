#include "platform/win32/Win32ProcessEnder.h"

#include "support/ProcessEnderChecks.h"

#include <gtest/gtest.h>

TEST(Win32ProcessEnder, EndsAtOnceWithTheCodeAndRunsNoExitHandlers) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    tarvik::Win32ProcessEnder ender;
    tarvik::test::checkEndsAtOnceWithTheCodeAndRunsNoExitHandlers(ender);
}
