#include "platform/linux/QtProcessLauncher.h"

#include "platform/QtEnvironment.h"
#include "support/EnvOverride.h"
#include "support/TempFolder.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using tarvik::QtProcessLauncher;

namespace {

// Started programs run on their own; wait a while for their trace.
std::string waitForFile(const tarvik::test::TempFolder& folder, const std::string& name) {
    for (int i = 0; i < 500; ++i) {
        if (folder.exists(name)) {
            std::string text = folder.read(name);
            if (!text.empty()) {
                return text;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

} // namespace

TEST(QtProcessLauncher, StartsACommandLineInTheWorkingDirectory) {
    tarvik::test::TempFolder folder(false);
    QtProcessLauncher launcher;
    EXPECT_TRUE(launcher.startMinimized(R"(/bin/sh -c "echo x > 'out put.txt'")", folder.path().string()));
    EXPECT_EQ(waitForFile(folder, "out put.txt"), "x\n");
}

TEST(QtProcessLauncher, AnUnquotedProgramPathWithBlanksIsOneProgram) {
    tarvik::test::TempFolder folder(false);
    std::filesystem::create_directory(folder / "my tools");
    folder.write("my tools/run me.sh", "#!/bin/sh\necho ran > started.txt\n");
    std::filesystem::permissions(folder / "my tools/run me.sh", std::filesystem::perms::owner_all);

    EXPECT_EQ(QtProcessLauncher::splitCommandLine("  " + (folder / "my tools/run me.sh").string() + " ", ""),
              QStringList{QString::fromStdString((folder / "my tools/run me.sh").string())});
    EXPECT_EQ(QtProcessLauncher::splitCommandLine("/bin/echo \"a b\" c", ""), (QStringList{"/bin/echo", "a b", "c"}));

    QtProcessLauncher launcher;
    EXPECT_TRUE(launcher.startMinimized((folder / "my tools/run me.sh").string(), folder.path().string()));
    EXPECT_EQ(waitForFile(folder, "started.txt"), "ran\n");
}

TEST(QtProcessLauncher, ABareNameIsFoundInTheProgramFolderBeforePath) {
    tarvik::test::TempFolder folder(false);
    folder.write("hello.sh", "#!/bin/sh\necho \"$1\" > hello.txt\n");
    std::filesystem::permissions(folder / "hello.sh", std::filesystem::perms::owner_all);
    QtProcessLauncher launcher;
    EXPECT_TRUE(launcher.startMinimized("hello.sh", folder.path().string()));
    EXPECT_EQ(waitForFile(folder, "hello.txt"), "\n");
    std::filesystem::remove(folder / "hello.txt");
    EXPECT_TRUE(launcher.startMinimized("hello.sh world", folder.path().string()));
    EXPECT_EQ(waitForFile(folder, "hello.txt"), "world\n");
    // Not in the program folder: the search path.
    EXPECT_EQ(QtProcessLauncher::splitCommandLine("sh -c true", folder.path().string()),
              (QStringList{"sh", "-c", "true"}));
}

TEST(QtProcessLauncher, ReportsWhatCannotBeStarted) {
    tarvik::test::TempFolder folder(false);
    QtProcessLauncher launcher;
    EXPECT_FALSE(launcher.startMinimized("/no/such/program --flag", folder.path().string()));
    EXPECT_FALSE(launcher.startMinimized("no-such-program-tarvik-test", folder.path().string()));
    EXPECT_FALSE(launcher.startMinimized("", folder.path().string()));
    EXPECT_FALSE(launcher.startMinimized("   ", folder.path().string()));
    folder.write("not-executable", "#!/bin/sh\n");
    EXPECT_FALSE(launcher.startMinimized((folder / "not-executable").string(), folder.path().string()));
    // An existing file that cannot be run is never split into a program that can.
    folder.write("my", "#!/bin/sh\necho ran > started.txt\n");
    std::filesystem::permissions(folder / "my", std::filesystem::perms::owner_all);
    std::filesystem::create_directory(folder / "my tools");
    folder.write("my tools/notes.txt", "notes\n");
    const std::string notes = (folder / "my tools/notes.txt").string();
    EXPECT_TRUE(QtProcessLauncher::splitCommandLine(notes, "").isEmpty());
    EXPECT_FALSE(launcher.startMinimized(notes, folder.path().string()));
    EXPECT_FALSE(launcher.startMinimized("my tools", folder.path().string())); // a folder
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(folder.exists("started.txt"));
}

TEST(QtProcessLauncher, StartedProgramsGetTheUsersEnvironmentNotWhatTheProgramSetForItself) {
    using tarvik::test::EnvOverride;
    tarvik::test::TempFolder folder(false);
    // A Wayland session with XWayland, where the user chose no Qt platform but set the other variable.
    const EnvOverride platform("QT_QPA_PLATFORM");
    const EnvOverride mitshm("QT_XCB_NO_MITSHM", "0");
    const EnvOverride wayland("WAYLAND_DISPLAY", "wayland-0");
    const EnvOverride display("DISPLAY", ":7");
    const EnvOverride own("TARVIK_TEST_USER_VARIABLE", "kept");
    tarvik::prepareQtEnvironment();
    ASSERT_STREQ(std::getenv("QT_QPA_PLATFORM"), "xcb");

    QtProcessLauncher launcher;
    ASSERT_TRUE(launcher.startMinimized(R"(/bin/sh -c "env > env.tmp && mv env.tmp env.txt")", folder.path().string()));
    const std::string env = "\n" + waitForFile(folder, "env.txt");
    EXPECT_EQ(env.find("\nQT_QPA_PLATFORM="), std::string::npos);
    EXPECT_NE(env.find("\nQT_XCB_NO_MITSHM=0\n"), std::string::npos);
    EXPECT_NE(env.find("\nWAYLAND_DISPLAY=wayland-0\n"), std::string::npos);
    EXPECT_NE(env.find("\nTARVIK_TEST_USER_VARIABLE=kept\n"), std::string::npos);
}
