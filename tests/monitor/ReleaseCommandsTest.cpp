#include "MonitorFixture.h"

#include "settings/Texts.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {
class ReleaseCommands : public MonitorFixture {};
} // namespace

TEST_F(ReleaseCommands, BeginnerIsRefusedAndNothingIsReleasedOrLogged) {
    setAccess(1);
    ASSERT_TRUE(start());
    window().MnuZL_Click();
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].text, Texts::kBeginnerRefused);
    EXPECT_EQ(fakes.dialogs.shown[0].title, "提示");
    EXPECT_EQ(fakes.dialogs.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(fakes.allocator.allocations.empty());
    EXPECT_EQ(folder.read("Tarvik.log"), "");
}

TEST_F(ReleaseCommands, NormalUserReleasesByClassAndLevelAndLogs) {
    ASSERT_TRUE(start()); // level 2, release level 3, 256 MiB: the large class
    window().MnuZL_Click();
    ASSERT_EQ(fakes.allocator.allocations, std::vector<std::size_t>{120000000});
    EXPECT_TRUE(fakes.allocator.lastBlockFullyBlank);
    EXPECT_EQ(fakes.clipboard.clears, 0);
    EXPECT_EQ(logText(), "2006-12-6 22:24:44 整理内存。\r\n");
}

TEST_F(ReleaseCommands, FailedAllocationLeavesTwoLogLinesInOrder) {
    ASSERT_TRUE(start());
    fakes.allocator.refuse = true;
    window().MnuZL_Click();
    EXPECT_EQ(logText(), "2006-12-6 22:24:44 整理释放内存。\r\n2006-12-6 22:24:44 整理内存。\r\n");
}

TEST_F(ReleaseCommands, ClipboardByHandIsForAdvancedUsersOnlyButReleasesStillEmptyIt) {
    folder.write("set.dxl", "0,True,25,False,Alarm.wav,False,720,True,False,False,True,False,10,0\r\n");
    ASSERT_TRUE(start()); // level 2, release level 0, clipboard on release
    window().MnuQK_Click();
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kAdvancedOnly});
    EXPECT_EQ(fakes.clipboard.clears, 0);
    window().MnuZL_Click();
    EXPECT_TRUE(fakes.allocator.allocations.empty()); // level 0 allocates nothing
    EXPECT_EQ(fakes.clipboard.clears, 1);
    EXPECT_EQ(lastLogMessage(), "整理内存。");

    state.Access.UserLevel = 3; // the gate reads the level at the moment of the command
    window().MnuQK_Click();
    EXPECT_EQ(fakes.clipboard.clears, 2);
    EXPECT_EQ(fakes.dialogs.shown.size(), 1u);
}

TEST_F(ReleaseCommands, UnknownLevelsFailEveryGate) {
    for (int level : {0, 4}) {
        state.Access.UserLevel = static_cast<std::uint8_t>(level);
        if (level == 0) {
            ASSERT_TRUE(start());
            state.Access.UserLevel = 0;
        }
        window().MnuZL_Click();
        window().MnuQK_Click();
    }
    EXPECT_TRUE(fakes.allocator.allocations.empty());
    EXPECT_EQ(fakes.clipboard.clears, 0);
    EXPECT_EQ(fakes.dialogs.shown.size(), 4u);
}
