#include "MonitorFixture.h"

#include "support/LogFile.h"
#include "ui/UiFonts.h"

namespace tarvik::test {

namespace {

// One application object for the whole test program. It is never destroyed: tearing Qt down
// among the other static objects at exit crashes in its input-device registry.
QApplication& application() {
    static int argc = 1;
    static char name[] = "tests_monitor";
    static char* argv[] = {name, nullptr};
    static auto* app = [] {
        auto* a = new QApplication(argc, argv);
        // The program's own face, as its start sets it: the figures' widths depend on it.
        QApplication::setFont(UiFonts::applicationFont());
        return a;
    }();
    return *app;
}

} // namespace

MonitorFixture::MonitorFixture() {
    application();
    state.programFolder = folder.path();
    state.executable = folder.path() / "tarvik";
    fakes.memory.set(256ULL * 1048576ULL, 96ULL * 1048576ULL);
    context = std::make_unique<AppContext>(state, fakes.platform);
}

MonitorFixture::~MonitorFixture() = default;

bool MonitorFixture::start() {
    m_window = std::make_unique<Frmload>(*context, host);
    return m_window->Form_Load();
}

std::string MonitorFixture::logText() const {
    return readLog(folder, *fakes.codecImpl);
}

std::string MonitorFixture::lastLogMessage() const {
    return test::lastLogMessage(logText());
}

void MonitorFixture::setAccess(int level, int usage) {
    folder.write("AqSet.dxl", std::to_string(level) + "," + std::to_string(usage) + "\r\n");
}

} // namespace tarvik::test
