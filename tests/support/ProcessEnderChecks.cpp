#include "support/ProcessEnderChecks.h"

#include "support/EnvOverride.h"
#include "support/TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace tarvik::test {

namespace {

std::string g_marker;

void writeMarker() {
    if (FILE* f = std::fopen(g_marker.c_str(), "w")) {
        std::fclose(f);
    }
}

} // namespace

void checkEndsAtOnceWithTheCodeAndRunsNoExitHandlers(ProcessEnder& ender) {
    // Where the death test's process runs the test again from its start (on Windows), it takes
    // the first process's folder from the environment instead of making one of its own, which
    // the first would never look at.
    constexpr const char* kFolderVariable = "TARVIK_TEST_ENDER_FOLDER";
    const char* const handedDown = std::getenv(kFolderVariable);
    std::optional<TempFolder> made;
    const std::string folder = handedDown != nullptr ? handedDown : made.emplace(false).path().string();
    const EnvOverride handDown(kFolderVariable, folder);
    g_marker = folder + "/exit-handler-ran";
    const std::string after = folder + "/after";
    EXPECT_EXIT(
        {
            std::atexit(writeMarker);
            ender.endNow(7);
            if (FILE* f = std::fopen(after.c_str(), "w")) {
                std::fclose(f);
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(7), "");
    ASSERT_TRUE(made) << kFolderVariable << " was set before the test";
    EXPECT_FALSE(made->exists("exit-handler-ran"));
    EXPECT_FALSE(made->exists("after"));
}

} // namespace tarvik::test
