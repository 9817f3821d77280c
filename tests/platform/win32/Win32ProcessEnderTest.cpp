#include "platform/win32/Win32ProcessEnder.h"

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

TEST(Win32ProcessEnder, EndsAtOnceWithTheCodeAndRunsNoExitHandlers) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    tarvik::test::TempFolder folder(false);
    g_marker = (folder / "exit-handler-ran").string();
    const std::string after = (folder / "after").string();
    EXPECT_EXIT(
        {
            std::atexit(writeMarker);
            tarvik::Win32ProcessEnder().endNow(7);
            if (FILE* f = std::fopen(after.c_str(), "w")) {
                std::fclose(f);
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_FALSE(folder.exists("exit-handler-ran"));
    EXPECT_FALSE(folder.exists("after"));
}
