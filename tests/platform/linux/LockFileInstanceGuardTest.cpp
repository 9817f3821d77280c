#include "platform/linux/LockFileInstanceGuard.h"

#include "support/EnvOverride.h"
#include "support/InstanceGuardChecks.h"
#include "support/TempFolder.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <QFileInfo>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using tarvik::LockFileInstanceGuard;

namespace {

class LockFileInstanceGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(m_folder / "run");
        ::chmod((m_folder / "run").c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", (m_folder / "run").c_str(), 1);
        std::filesystem::create_directory(m_folder / "a");
        std::filesystem::create_directory(m_folder / "b");
        m_folder.write("a/tarvik", "");
        m_folder.write("b/tarvik", "");
    }
    void TearDown() override { ::unsetenv("XDG_RUNTIME_DIR"); }

    tarvik::test::TempFolder m_folder{false};
};

} // namespace

TEST_F(LockFileInstanceGuardTest, ASecondStartIsSeenWhileTheFirstRuns) {
    // The same program reached through another spelling of its path, and through a link.
    std::filesystem::create_symlink(m_folder / "a", m_folder / "link");
    tarvik::test::checkASecondStartIsSeenWhileTheFirstRuns(
        [](const std::filesystem::path& exe) { return std::make_unique<LockFileInstanceGuard>(exe); },
        m_folder / "a/tarvik", m_folder / "link/../a/./tarvik", m_folder / "b/tarvik");
}

TEST_F(LockFileInstanceGuardTest, TheLockIsInTheRuntimeFolderAndAnInstanceOfADayIsNoLessRunning) {
    LockFileInstanceGuard first(m_folder / "a/tarvik");
    EXPECT_FALSE(first.anotherInstanceRuns());
    EXPECT_TRUE(QFileInfo::exists(first.lockPath()));
    EXPECT_TRUE(
        QFileInfo(first.lockPath()).absolutePath().startsWith(QString::fromStdString((m_folder / "run").string())));

    std::filesystem::last_write_time(first.lockPath().toStdString(),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(24));
    LockFileInstanceGuard second(m_folder / "a/tarvik");
    EXPECT_TRUE(second.anotherInstanceRuns());
}

TEST_F(LockFileInstanceGuardTest, LockOfAnInstanceThatDiedIsTakenOver) {
    const std::filesystem::path exe = m_folder / "a/tarvik";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Ends the way the program does, without releasing anything.
        LockFileInstanceGuard guard(exe);
        ::_exit(guard.anotherInstanceRuns() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    LockFileInstanceGuard guard(exe);
    ASSERT_TRUE(QFileInfo::exists(guard.lockPath())); // left behind by the dead instance
    EXPECT_FALSE(guard.anotherInstanceRuns());
}

TEST_F(LockFileInstanceGuardTest, WithoutARuntimeFolderTheLockIsInTheUsersOwnDataFolder) {
    ::unsetenv("XDG_RUNTIME_DIR");
    const tarvik::test::EnvOverride dataHome("XDG_DATA_HOME", (m_folder / "data").string()); // not there yet
    LockFileInstanceGuard first(m_folder / "a/tarvik");
    EXPECT_FALSE(first.anotherInstanceRuns());
    EXPECT_EQ(QFileInfo(first.lockPath()).absolutePath().toStdString(), (m_folder / "data/tarvik").string());
    // Made for this user alone, so no other user can take the name first.
    for (const char* made : {"data", "data/tarvik"}) {
        EXPECT_EQ(std::filesystem::status(m_folder / made).permissions(), std::filesystem::perms::owner_all) << made;
    }
    LockFileInstanceGuard second(m_folder / "a/tarvik");
    EXPECT_TRUE(second.anotherInstanceRuns());
}
