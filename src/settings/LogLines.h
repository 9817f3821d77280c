#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

// The lines of the log's bytes, counted as EventLog::withCrLfLines counts them, kept as the bytes
// themselves and where each line starts: what the log page shows, without another copy of the
// text. Logs up to 4 GiB.
class LogLines {
public:
    LogLines() = default;
    explicit LogLines(std::string bytes);

    std::size_t size() const { return m_starts.empty() ? 0 : m_starts.size() - 1; }
    // Line `i` without its line end.
    std::string_view line(std::size_t i) const;
    std::size_t byteCount() const { return m_bytes.size(); }

private:
    std::string m_bytes;
    std::vector<std::uint32_t> m_starts; // where each line starts, then the end of the bytes
};

} // namespace tarvik
