#include "platform/linux/DesktopShell.h"

#include "support/EnvOverride.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <QDir>
#include <string>

using tarvik::DesktopShell;

TEST(DesktopShell, LinksStayLinksAndPathsBecomeLocalFiles) {
    EXPECT_EQ(DesktopShell::urlFor("mailto:someone@example.com", "/opt/tarvik"),
              QUrl(QStringLiteral("mailto:someone@example.com")));
    EXPECT_EQ(DesktopShell::urlFor("https://example.com/a?b=c", "/opt/tarvik"),
              QUrl(QStringLiteral("https://example.com/a?b=c")));

    EXPECT_EQ(DesktopShell::urlFor("Tarvik.chm", "/opt/tarvik"), QUrl::fromLocalFile("/opt/tarvik/Tarvik.chm"));
    EXPECT_EQ(DesktopShell::urlFor("帮助/使用 说明.html", "/opt/塔维"),
              QUrl::fromLocalFile(QStringLiteral("/opt/塔维/帮助/使用 说明.html")));
    EXPECT_EQ(DesktopShell::urlFor("/usr/share/doc/tarvik/index.html", "/opt/tarvik"),
              QUrl::fromLocalFile("/usr/share/doc/tarvik/index.html"));
    EXPECT_EQ(DesktopShell::urlFor("../doc/help.html", "/opt/tarvik/bin"),
              QUrl::fromLocalFile("/opt/tarvik/doc/help.html"));
    EXPECT_EQ(DesktopShell::urlFor("Tarvik.chm", ""), QUrl::fromLocalFile(QDir::current().filePath("Tarvik.chm")));

    // A drive letter is not a scheme.
    EXPECT_TRUE(DesktopShell::urlFor("C:Tarvik.chm", "/opt/tarvik").isLocalFile());
    EXPECT_TRUE(DesktopShell::urlFor("", "/opt/tarvik").isEmpty());
}

TEST(DesktopShell, HelpFileOpensAsHtmlPagesOnlyWithoutACHMViewer) {
    tarvik::test::TempFolder folder(false);
    const QUrl chm = QUrl::fromLocalFile(QString::fromStdString((folder / "Tarvik.chm").string()));
    EXPECT_EQ(DesktopShell::helpFallback(chm, false), chm); // no pages laid beside it

    std::filesystem::create_directories(folder / "help");
    folder.write("help/index.html", "<html></html>");
    const QUrl pages = QUrl::fromLocalFile(QString::fromStdString((folder / "help" / "index.html").string()));
    EXPECT_EQ(DesktopShell::helpFallback(chm, false), pages);
    EXPECT_EQ(DesktopShell::helpFallback(chm, true), chm);
    const QUrl other = QUrl::fromLocalFile(QString::fromStdString((folder / "Alarm.wav").string()));
    EXPECT_EQ(DesktopShell::helpFallback(other, false), other);
    const QUrl mail(QStringLiteral("mailto:dev@example.com"));
    EXPECT_EQ(DesktopShell::helpFallback(mail, false), mail);
}

using tarvik::test::EnvOverride;

TEST(DesktopShell, CHMViewerIsKnownFromTheDesktopsMimeAssociations) {
    tarvik::test::TempFolder folder(false);
    const std::string data = (folder / "data").string();
    const std::string config = (folder / "config").string();
    std::filesystem::create_directories(folder / "data" / "applications");
    std::filesystem::create_directories(folder / "config");
    EnvOverride dataHome("XDG_DATA_HOME", data), dataDirs("XDG_DATA_DIRS", data);
    EnvOverride configHome("XDG_CONFIG_HOME", config), configDirs("XDG_CONFIG_DIRS", config);
    folder.write("data/applications/mimeinfo.cache", "[MIME Cache]\ntext/html=firefox.desktop;\n");
    EXPECT_FALSE(DesktopShell::chmViewerKnown());
    folder.write("config/mimeapps.list", "[Added Associations]\napplication/x-chm=\n");
    EXPECT_FALSE(DesktopShell::chmViewerKnown()); // an empty claim
    folder.write("data/applications/mimeinfo.cache",
                 "[MIME Cache]\ntext/html=firefox.desktop;\napplication/vnd.ms-htmlhelp=xchm.desktop;\n");
    EXPECT_TRUE(DesktopShell::chmViewerKnown());
    folder.remove("data/applications/mimeinfo.cache");
    folder.write("config/mimeapps.list", "[Default Applications]\napplication/x-chm=kchmviewer.desktop\n");
    EXPECT_TRUE(DesktopShell::chmViewerKnown());
}
