#include "platform/linux/PosixProcessEnder.h"

#include "support/TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string g_marker;

void writeMarker() {
    if (FILE* f = std::fopen(g_marker.c_str(), "w")) {
        std::fclose(f);
    }
}

} // namespace

TEST(PosixProcessEnder, EndsAtOnceWithTheCodeAndRunsNoExitHandlers) {
    tarvik::test::TempFolder folder(false);
    g_marker = (folder / "exit-handler-ran").string();
    const std::string buffered = (folder / "buffered").string();
    EXPECT_EXIT(
        {
            std::atexit(writeMarker);
            // Unflushed stdio data stays unwritten: nothing of the process runs after the call.
            FILE* f = std::fopen(buffered.c_str(), "w");
            std::fputs("pending", f);
            tarvik::PosixProcessEnder().endNow(7);
            std::fputs("after", f);
            std::fclose(f);
            std::exit(0);
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_FALSE(folder.exists("exit-handler-ran"));
    EXPECT_EQ(folder.read("buffered"), "");
}
