#include "MonitorFixture.h"

namespace tarvik::test {

namespace {

// One application object for the whole test program. It is never destroyed: tearing Qt down
// among the other static objects at exit crashes in its input-device registry.
QApplication& application() {
    static int argc = 1;
    static char name[] = "tests_monitor";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
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
    if (!folder.exists("Tarvik.log")) {
        return "<missing>";
    }
    return fakes.codecImpl->toUtf8Lossy(folder.read("Tarvik.log"));
}

std::string MonitorFixture::lastLogMessage() const {
    std::string text = logText();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    const std::string prefix = "2006-12-6 22:24:44 ";
    const auto at = text.rfind(prefix);
    return at == std::string::npos ? std::string() : text.substr(at + prefix.size());
}

void MonitorFixture::setAccess(int level, int usage) {
    folder.write("AqSet.dxl", std::to_string(level) + "," + std::to_string(usage) + "\r\n");
}

} // namespace tarvik::test
