#include "support/LogFile.h"

namespace tarvik::test {

std::string readLog(const TempFolder& folder, const TextCodec& codec) {
    if (!folder.exists("Tarvik.log")) {
        return "<missing>";
    }
    return codec.toUtf8Lossy(folder.read("Tarvik.log"));
}

std::string lastLogMessage(const std::string& log) {
    std::string text = log;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    const std::string prefix = "2006-12-6 22:24:44 ";
    const auto at = text.rfind(prefix);
    return at == std::string::npos ? std::string() : text.substr(at + prefix.size());
}

} // namespace tarvik::test
