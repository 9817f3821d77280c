#include "settings/LogLines.h"

#include <cstring>
#include <limits>

namespace tarvik {

LogLines::LogLines(std::string bytes) : m_bytes(std::move(bytes)) {
    if (m_bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        m_bytes.clear(); // beyond what the page can show; reading such a log would have failed first
    }
    if (m_bytes.empty()) {
        return;
    }
    const std::size_t n = m_bytes.size();
    const char* data = m_bytes.data();
    // Every line ends in an LF or a lone CR; counting them first sizes the index once.
    std::size_t ends = 0;
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\n', data + n - p))) != nullptr; ++p) {
        ++ends;
    }
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\r', data + n - p))) != nullptr; ++p) {
        ends += p + 1 == data + n || p[1] != '\n' ? 1 : 0;
    }
    m_starts.reserve(ends + 2);
    m_starts.push_back(0);
    auto find = [&](char c, std::size_t from, std::size_t to) {
        const void* at = std::memchr(data + from, c, to - from);
        return at != nullptr ? static_cast<std::size_t>(static_cast<const char*>(at) - data) : to;
    };
    std::size_t pos = 0;
    std::size_t nextLf = find('\n', 0, n); // kept between lines, so logs without LF cost no more
    while (pos < n) {
        if (nextLf < pos) {
            nextLf = find('\n', pos, n);
        }
        // A line ends at the first CR or LF: a CR just before the LF, or a lone CR (rare).
        std::size_t end = find('\r', pos, nextLf);
        if (end == n) {
            break; // a last line without a line end
        }
        pos = end + (data[end] == '\r' && end + 1 < n && data[end + 1] == '\n' ? 2 : 1);
        m_starts.push_back(static_cast<std::uint32_t>(pos));
    }
    if (m_starts.back() != n) {
        m_starts.push_back(static_cast<std::uint32_t>(n));
    }
}

std::string_view LogLines::line(std::size_t i) const {
    const std::size_t start = m_starts[i];
    std::size_t end = m_starts[i + 1];
    // Take off the line end: CR LF, LF or CR (the last line may have none).
    if (end > start && m_bytes[end - 1] == '\n') {
        --end;
        if (end > start && m_bytes[end - 1] == '\r') {
            --end;
        }
    } else if (end > start && m_bytes[end - 1] == '\r') {
        --end;
    }
    return std::string_view(m_bytes).substr(start, end - start);
}

} // namespace tarvik
