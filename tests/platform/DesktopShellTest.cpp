#include "platform/linux/DesktopShell.h"

#include <gtest/gtest.h>
#include <QDir>

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
