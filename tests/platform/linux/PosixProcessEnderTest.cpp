#include "platform/linux/PosixProcessEnder.h"

#include "support/ProcessEnderChecks.h"
#include "support/TempFolder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

TEST(PosixProcessEnder, EndsAtOnceWithTheCodeAndRunsNoExitHandlers) {
    tarvik::PosixProcessEnder ender;
    tarvik::test::checkEndsAtOnceWithTheCodeAndRunsNoExitHandlers(ender);
}

TEST(PosixProcessEnder, LeavesUnflushedStdioDataUnwritten) {
    // Windows' ExitProcess lets the C runtime flush its buffers; _exit does not.
    tarvik::test::TempFolder folder(false);
    const std::string buffered = (folder / "buffered").string();
    EXPECT_EXIT(
        {
            FILE* f = std::fopen(buffered.c_str(), "w");
            std::fputs("pending", f);
            tarvik::PosixProcessEnder().endNow(7);
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_EQ(folder.read("buffered"), "");
}
