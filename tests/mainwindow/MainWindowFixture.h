#pragma once

#include "app/AppContext.h"
#include "fakes/FakePlatform.h"
#include "program/FrmainHost.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <QPoint>
#include <QString>
#include <string>

class QWidget;

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace tarvik {
class Frmain;
class LogPage;
class MemoryInfoPage;
class SoftwareSettingsPage;
class UserLevelPage;
class UserSettingsPage;
} // namespace tarvik

namespace tarvik::test {

inline constexpr std::uint64_t kMiB = 1048576ULL;

// The main window through its host, over fakes and a temporary program folder with the
// factory files. The process-wide state is filled as the start-up would have left it.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    // Builds the window hidden, as the start-up does, and returns it.
    Frmain& build();
    Frmain& window();
    MemoryInfoPage& memoryPage();
    LogPage& logPage();
    UserSettingsPage& userPage();
    SoftwareSettingsPage& softwarePage();
    UserLevelPage& levelPage();

    // The process-wide settings as a settings line would give them, and the access record.
    void useSettings(const std::string& line);
    void useAccess(int level, int usage);
    // A settings page as the user reaches it: its page button, which refills the pages.
    void openPage(MainWindowPage page);

    // Writes the log file in its code page.
    void writeLog(const std::string& utf8) const;
    // The log file decoded to UTF-8, or "<missing>".
    std::string logText() const;
    std::string lastLogMessage() const; // the text after the timestamp of the last entry

    // A left click, a mouse move.
    static void click(QWidget* widget, QPoint at = QPoint(-1, -1));
    static void hover(QWidget* widget);
    // Runs the deletions that Qt postponed (windows closed by the user).
    static void runDeferredDeletes();

    TempFolder folder;
    FakePlatform fakes;
    AppState state;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<FrmainHost> host;
};

} // namespace tarvik::test
