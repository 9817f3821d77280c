#include "support/InstanceGuardChecks.h"

#include <gtest/gtest.h>

namespace tarvik::test {

void checkASecondStartIsSeenWhileTheFirstRuns(const GuardFactory& guard, const std::filesystem::path& program,
                                              const std::filesystem::path& otherSpelling,
                                              const std::filesystem::path& copy) {
    {
        const auto first = guard(program);
        EXPECT_FALSE(first->anotherInstanceRuns());
        const auto second = guard(program);
        EXPECT_TRUE(second->anotherInstanceRuns());
        EXPECT_TRUE(guard(otherSpelling)->anotherInstanceRuns());
        EXPECT_FALSE(guard(copy)->anotherInstanceRuns());

        EXPECT_FALSE(first->anotherInstanceRuns());
        EXPECT_TRUE(second->anotherInstanceRuns());
    }
    EXPECT_FALSE(guard(program)->anotherInstanceRuns());
}

} // namespace tarvik::test
