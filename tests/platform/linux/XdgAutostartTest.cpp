#include "platform/linux/XdgAutostart.h"
#include "platform/linux/PosixFileReplacer.h"
#include "platform/Platform.h"

#include "support/EnvOverride.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

using tarvik::XdgAutostart;
using tarvik::test::EnvOverride;

namespace {

class XdgAutostartTest : public ::testing::Test {
protected:
    tarvik::test::TempFolder m_folder{false};
    std::filesystem::path m_config = m_folder / "config"; // not there yet
    EnvOverride m_xdg{"XDG_CONFIG_HOME", m_config.string()};
    tarvik::PosixFileReplacer m_replacer;
    XdgAutostart m_autostart{m_replacer};

    std::filesystem::path entry() const { return m_config / "autostart" / "Tarvik.desktop"; }
};

} // namespace

TEST_F(XdgAutostartTest, SetWritesADesktopEntryThatReadsBack) {
    const std::string program = "/home/用户/塔维 内存整理/tarvik";
    m_autostart.setRunValue("Tarvik", program);

    ASSERT_TRUE(std::filesystem::is_regular_file(entry()));
    EXPECT_EQ(m_folder.read("config/autostart/Tarvik.desktop"), "[Desktop Entry]\n"
                                                                "Type=Application\n"
                                                                "Name=塔维内存整理\n"
                                                                "Name[en]=Tarvik\n"
                                                                "Exec=\"/home/用户/塔维 内存整理/tarvik\"\n"
                                                                "Terminal=false\n"
                                                                "X-GNOME-Autostart-enabled=true\n");
    EXPECT_EQ(m_autostart.runValue("Tarvik"), program);
    // Only the entry itself: the atomic write leaves no temporary file behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_config / "autostart"),
                            std::filesystem::directory_iterator()),
              1);

    m_autostart.setRunValue("Tarvik", "/opt/tarvik/tarvik");
    EXPECT_EQ(m_autostart.runValue("Tarvik"), "/opt/tarvik/tarvik");
    EXPECT_NE(m_folder.read("config/autostart/Tarvik.desktop").find("\nExec=/opt/tarvik/tarvik\n"), std::string::npos);
}

TEST_F(XdgAutostartTest, ExecQuotesAndEscapesAsDesktopEntriesRequire) {
    // Inside quotes " ` $ \ take a backslash; then every backslash is doubled as in any string
    // value, and a literal % is %%.
    EXPECT_EQ(XdgAutostart::execValue(R"(/tmp/a "b"/$HOME/back\slash/100%/`x`)"),
              R"("/tmp/a \\"b\\"/\\$HOME/back\\\\slash/100%%/\\`x\\`")");
    EXPECT_EQ(XdgAutostart::execValue("/tmp/x&y;z"), "\"/tmp/x&y;z\"");
    EXPECT_EQ(XdgAutostart::execValue("/tmp/tab\there"), "\"/tmp/tab\\there\"");
    EXPECT_EQ(XdgAutostart::execValue("/usr/bin/tarvik"), "/usr/bin/tarvik");
    EXPECT_EQ(XdgAutostart::execValue("/opt/50%/tarvik"), "/opt/50%%/tarvik");

    for (const std::string program : {R"(/tmp/a "b"/$HOME/back\slash/100%/`x`)", "/tmp/tab\there/new\nline",
                                      "/tmp/it's (1) #2 ~ <a>|*?", "/opt/50%/tarvik", " /lead/and/trail "}) {
        m_autostart.setRunValue("Tarvik", program);
        EXPECT_EQ(m_autostart.runValue("Tarvik"), program);
    }
}

TEST_F(XdgAutostartTest, ReadsEntriesWrittenByHand) {
    std::filesystem::create_directories(m_config / "autostart");
    m_folder.write("config/autostart/Tarvik.desktop", "# started at log-on\r\n"
                                                      "[Other Group]\r\n"
                                                      "Exec=/wrong\r\n"
                                                      "[Desktop Entry]\r\n"
                                                      "Exec[de]=/also/wrong\r\n"
                                                      "Exec = \"/opt/my apps/tarvik\" --quiet\r\n");
    EXPECT_EQ(m_autostart.runValue("Tarvik"), "/opt/my apps/tarvik --quiet");

    m_folder.write("config/autostart/Tarvik.desktop", "[Desktop Entry]\nExec=/opt/tarvik\nHidden=true\n");
    EXPECT_EQ(m_autostart.runValue("Tarvik"), std::nullopt); // hidden means deleted

    m_folder.write("config/autostart/Tarvik.desktop", "[Desktop Entry]\nName=Tarvik\n");
    EXPECT_EQ(m_autostart.runValue("Tarvik"), std::nullopt);
}

TEST_F(XdgAutostartTest, DeleteRemovesTheEntryAndAnAbsentOneIsNoError) {
    EXPECT_EQ(m_autostart.runValue("Tarvik"), std::nullopt);
    m_autostart.deleteRunValue("Tarvik"); // not even the folder exists

    m_autostart.setRunValue("Tarvik", "/opt/tarvik/tarvik");
    m_autostart.setRunValue("Other", "/opt/other");
    m_autostart.deleteRunValue("Tarvik");
    EXPECT_FALSE(std::filesystem::exists(entry()));
    EXPECT_EQ(m_autostart.runValue("Tarvik"), std::nullopt);
    EXPECT_EQ(m_autostart.runValue("Other"), "/opt/other");
    m_autostart.deleteRunValue("Tarvik");
    EXPECT_EQ(m_autostart.runValue("Other"), "/opt/other");
}

TEST_F(XdgAutostartTest, EntryThatCannotBeWrittenOrRemovedIsReported) {
    EXPECT_TRUE(m_autostart.deleteRunValue("Tarvik")); // nothing there: nothing left to remove
    EXPECT_TRUE(m_autostart.setRunValue("Tarvik", "/opt/tarvik/tarvik"));
    EXPECT_TRUE(m_autostart.deleteRunValue("Tarvik"));

    // A file where the autostart folder must be: no entry can be made there, not even by root.
    std::filesystem::remove_all(m_config / "autostart");
    m_folder.write("config/autostart", "");
    EXPECT_FALSE(m_autostart.setRunValue("Tarvik", "/opt/tarvik/tarvik"));
    EXPECT_EQ(m_autostart.runValue("Tarvik"), std::nullopt);
    std::filesystem::remove(m_config / "autostart");

    // Something under the entry's name that cannot be removed stays an entry that is not gone.
    std::filesystem::create_directories(entry() / "inside");
    EXPECT_FALSE(m_autostart.deleteRunValue("Tarvik"));
    EXPECT_TRUE(std::filesystem::exists(entry()));
}

TEST_F(XdgAutostartTest, WithoutAnAbsoluteConfigHomeTheEntryGoesUnderHome) {
    EnvOverride home("HOME", (m_folder / "home").string());
    for (const char* unusable : {"", "relative/config"}) {
        EnvOverride xdg("XDG_CONFIG_HOME", unusable);
        m_autostart.setRunValue("Tarvik", "/opt/tarvik/tarvik");
        EXPECT_TRUE(std::filesystem::is_regular_file(m_folder / "home/.config/autostart/Tarvik.desktop")) << unusable;
        m_autostart.deleteRunValue("Tarvik");
        EXPECT_FALSE(std::filesystem::exists(m_folder / "home/.config/autostart/Tarvik.desktop")) << unusable;
    }
}

TEST(XdgProgramFolderFacts, InstalledBesideShareAndTheUsersDataFolder) {
    namespace fs = std::filesystem;
    tarvik::test::TempFolder root(false);
    fs::create_directories(root / "usr/bin");
    EnvOverride home("HOME", (root / "home").string());
    {
        EnvOverride xdg("XDG_DATA_HOME", (root / "data").string());
        const auto facts = tarvik::programFolderFacts(root / "usr/bin/tarvik");
        EXPECT_EQ(facts.executableFolder, root / "usr/bin");
        EXPECT_FALSE(facts.executableFolderHoldsSettings);
        EXPECT_TRUE(facts.executableFolderWritable);
        EXPECT_EQ(facts.installedDataFolder, root / "usr/share/tarvik");
        EXPECT_EQ(facts.perUserFolder, root / "data/tarvik");
    }
    EnvOverride xdg("XDG_DATA_HOME", "relative/data");
    root.write("usr/bin/INFO.DXL", "");
    const auto facts = tarvik::programFolderFacts(root / "usr/bin/tarvik");
    EXPECT_TRUE(facts.executableFolderHoldsSettings);
    EXPECT_EQ(facts.perUserFolder, root / "home/.local/share/tarvik");
    EXPECT_FALSE(tarvik::programFolderFacts(root / "gone/tarvik").executableFolderWritable);
}
