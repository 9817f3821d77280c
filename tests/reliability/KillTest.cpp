// A process that saves settings, the placement and log entries is killed with SIGKILL at random
// moments, over and over. Every file must then hold either its old or its new content, never a
// torn or empty one, and the start-up readers must still accept all of them.
#include "support/KillRounds.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tarvik {
namespace {

TEST(KillTest, EveryFileIsOldOrNewAfterSigkillAtRandomMoments) {
    const int rounds = test::KillRounds::count();
    test::TempFolder folder{false};
    test::KillRounds check(folder);
    std::mt19937 random(12345);
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            test::writeSettingsAndLogForever(folder.path(), [] {});
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_NO_FATAL_FAILURE(check.check(round));
    }
    check.finish(rounds);
}

} // namespace
} // namespace tarvik
