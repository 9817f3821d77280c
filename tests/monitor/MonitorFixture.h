#pragma once

#include "app/AppContext.h"
#include "fakes/FakePlatform.h"
#include "monitor/Frmload.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <QApplication>
#include <vector>

namespace tarvik::test {

// Records what the monitor window asks of the main window.
class RecordingHost : public MainWindowHost {
public:
    std::vector<std::string> calls;
    std::optional<std::array<std::string, 4>> captions;
    void create() override { calls.push_back("create"); }
    void showWindow() override { calls.push_back("show"); }
    void hideWindow() override { calls.push_back("hide"); }
    void openAtPage(MainWindowPage page) override { calls.push_back("page" + std::to_string(static_cast<int>(page))); }
    void chartStyleChanged() override { calls.push_back("style"); }
    std::optional<std::array<std::string, 4>> memoryCaptions() const override { return captions; }
};

// A monitor window over fakes and a temporary program folder with the factory files.
class MonitorFixture : public ::testing::Test {
protected:
    MonitorFixture();
    ~MonitorFixture() override;

    // Builds the window (after the test has prepared the folder) and runs the start-up.
    bool start();
    Frmload& window() { return *m_window; }
    // The log file decoded to UTF-8, or "<missing>".
    std::string logText() const;
    std::string lastLogMessage() const; // the text after the timestamp of the last entry
    void setAccess(int level, int usage = 0);

    TempFolder folder;
    FakePlatform fakes;
    AppState state;
    std::unique_ptr<AppContext> context;
    RecordingHost host;

private:
    std::unique_ptr<Frmload> m_window;
};

} // namespace tarvik::test
