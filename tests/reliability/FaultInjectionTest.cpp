// Faults from the outside world, met by the real program: a read-only program folder, a log that
// disappears or becomes a folder, settings files that cannot be read or replaced, a full disk, a
// refused release block and a batch entry that does not exist. Each ends in the program's own
// failure behaviour, without a crash and without damage to any file.
#include "app/AppContext.h"
#include "fakes/FakePlatform.h"
#include "mainwindow/Frmain.h"
#include "mainwindow/LogPage.h"
#include "monitor/Frmload.h"
#include "platform/linux/QtProcessLauncher.h"
#include "program/FrmainHost.h"
#include "settings/Texts.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QPlainTextEdit>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sys/mount.h>

namespace tarvik {
namespace {

namespace fs = std::filesystem;

class FaultInjection : public ::testing::Test {
protected:
    FaultInjection() {
        static int argc = 1;
        static char name[] = "tests_reliability";
        static char* argv[] = {name, nullptr};
        static auto* app = new QApplication(argc, argv);
        (void)app;
        fakes.memory.set(512ULL << 20, 300ULL << 20);
    }

    // Runs the start-up over the folder (by default the temporary one).
    bool start(const fs::path& programFolder = {}) {
        state.programFolder = programFolder.empty() ? folder.path() : programFolder;
        context = std::make_unique<AppContext>(state, platform);
        host = std::make_unique<FrmainHost>(*context);
        monitor = std::make_unique<Frmload>(*context, *host);
        return monitor->Form_Load();
    }

    // Every file of a folder with its bytes, to prove that nothing changed.
    static std::map<std::string, std::string> snapshot(const fs::path& dir) {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(dir)) {
            if (e.is_regular_file()) {
                std::ifstream in(e.path(), std::ios::binary);
                files[e.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
            }
        }
        return files;
    }

    // The ticks and commands of a day in the life of the program.
    void exercise() {
        for (int i = 0; i < 3; ++i) {
            monitor->Timer1_Timer();
            monitor->Timer2_Timer();
            monitor->Timer3_Timer();
        }
        monitor->MnuZL_Click();
        monitor->MnuJM_Click(1);
        monitor->MnuZCK_Click();
        host->window()->Timer1_Timer();
        monitor->MnuExit_Click();
    }

    test::TempFolder folder;
    test::FakePlatform fakes;
    Platform& platform = fakes.platform;
    AppState state;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<FrmainHost> host;
    std::unique_ptr<Frmload> monitor;
};

TEST_F(FaultInjection, ReadOnlyProgramFolderRunsAndChangesNothing) {
    const auto before = snapshot(folder.path());
    fs::permissions(folder.path(), fs::perms(0555));
    ASSERT_TRUE(start());
    exercise();
    EXPECT_EQ(fakes.ender.calls, std::vector<int>{0}); // only the exit ended it
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    fs::permissions(folder.path(), fs::perms(0755));
    EXPECT_EQ(snapshot(folder.path()), before);
}

TEST_F(FaultInjection, LogDeletedWhileRunningIsRecreatedAndKeepsGrowing) {
    ASSERT_TRUE(start());
    monitor->MnuZL_Click();
    folder.remove("Tarvik.log");
    monitor->MnuZL_Click(); // recreates the log from memory; this entry is lost
    monitor->MnuZL_Click();
    const std::string log = fakes.codecImpl->toUtf8Lossy(folder.read("Tarvik.log"));
    EXPECT_EQ(log, "2006-12-6 22:24:44 整理内存。\r\n2006-12-6 22:24:44 整理内存。\r\n");
}

TEST_F(FaultInjection, LogReplacedByAFolderIsSurvivedQuietly) {
    ASSERT_TRUE(start());
    folder.remove("Tarvik.log");
    fs::create_directory(folder / "Tarvik.log");
    monitor->MnuZL_Click();
    monitor->Timer2_Timer();
    monitor->MnuRZ_Click();
    host->window()->Timer1_Timer(); // the log page reloads and reports the unreadable log once
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kLogOpenFailed});
    EXPECT_TRUE(fs::is_directory(folder / "Tarvik.log"));
    EXPECT_TRUE(fs::is_empty(folder / "Tarvik.log"));
}

TEST_F(FaultInjection, UnreadableWorkingCopyFallsBackAndAReadOnlyMasterStaysIntact) {
    // set.dxl is a folder: it can be neither read nor replaced; the start goes on with info.dxl.
    folder.remove("set.dxl");
    fs::create_directory(folder / "set.dxl");
    ASSERT_TRUE(start());
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_EQ(state.Settings.MinFreePercent, 25);

    // A read-only info.dxl: the style changes on screen, both files stay as they were.
    const std::string info = folder.read("info.dxl");
    fs::permissions(folder / "info.dxl", fs::perms(0444));
    monitor->MnuJM_Click(2);
    EXPECT_EQ(monitor->size(), QSize(72, 24));
    EXPECT_EQ(folder.read("info.dxl"), info);
    EXPECT_TRUE(fs::is_directory(folder / "set.dxl"));
}

TEST_F(FaultInjection, FullDiskLeavesEveryFileWhole) {
    const fs::path mountPoint = folder / "disk";
    fs::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=256k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    }
    for (const auto& e : fs::directory_iterator(TARVIK_DATA_DIR)) {
        if (e.is_regular_file()) {
            fs::copy_file(e.path(), mountPoint / e.path().filename());
        }
    }
    {
        // Fill the disk to the last byte.
        std::ofstream filler(mountPoint / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size())) {
        }
    }
    const auto before = snapshot(mountPoint);
    const bool started = start(mountPoint);
    if (started) {
        exercise();
    }
    const auto after = snapshot(mountPoint);
    ::umount2(mountPoint.c_str(), MNT_DETACH);
    ASSERT_TRUE(started);
    EXPECT_EQ(after, before);
}

TEST_F(FaultInjection, RefusedReleaseBlockIsLoggedAndTheProgramGoesOn) {
    ASSERT_TRUE(start());
    fakes.allocator.refuse = true;
    monitor->MnuZL_Click();
    fakes.memory.set(512ULL << 20, 10ULL << 20); // 2 %: the automatic release fails too
    monitor->Timer1_Timer();
    monitor->Timer2_Timer();
    const std::string log = fakes.codecImpl->toUtf8Lossy(folder.read("Tarvik.log"));
    EXPECT_NE(log.find("整理释放内存。\r\n2006-12-6 22:24:44 整理内存。"), std::string::npos);
    EXPECT_NE(log.find("整理释放内存。\r\n2006-12-6 22:24:44 系统可用内存低于最低限度25%"), std::string::npos);
}

TEST_F(FaultInjection, BatchEntryThatDoesNotExistStopsTheBatchQuietly) {
    QtProcessLauncher launcher;
    Platform withRealLauncher{
        platform.memory,    platform.codec,         platform.fileReplacer, platform.fileAppender, platform.clock,
        platform.allocator, platform.clipboard,     platform.autostart,    platform.sound,        platform.shell,
        launcher,           platform.instanceGuard, platform.ender,        platform.trayAnimator, platform.dialogs,
        platform.desktop};
    folder.write("AqSet.dxl", "3,0\r\n");
    folder.write("afn.dxl", "2,/nonexistent/program --flag,True,/bin/true,True,\r\n");
    state.programFolder = folder.path();
    AppContext ctx(state, withRealLauncher);
    FrmainHost mainWindow(ctx);
    Frmload window(ctx, mainWindow);
    EXPECT_TRUE(window.Form_Load());
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_EQ(mainWindow.window(), nullptr); // built on its first use instead
    window.MnuZCK_Click();
    EXPECT_NE(mainWindow.window(), nullptr);
}

} // namespace
} // namespace tarvik
