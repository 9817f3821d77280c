#include "settings/EventLog.h"

#include "platform/FileReplacer.h"
#include "platform/TextCodec.h"
#include "settings/SettingsFiles.h"
#include "settings/Texts.h"

#include <cstdio>

namespace tarvik {

EventLog::EventLog(SettingsFiles& files, const Clock& clock, std::string& logText)
    : m_files(files), m_clock(clock), m_logText(logText) {}

bool EventLog::LoadLogText() {
    const auto bytes = m_files.readBytes(SettingsFiles::kLog);
    if (!bytes) {
        return false;
    }
    m_logText = withCrLfLines(*bytes);
    return true;
}

void EventLog::AppendLogLine(std::string_view message) {
    // The log must never take the program down: any failure, even out of memory, only costs the entry.
    try {
        const auto bytes = m_files.readBytes(SettingsFiles::kLog);
        if (!bytes) {
            // Restore the file from the copy; the entry itself is lost.
            m_files.writeBytes(SettingsFiles::kLog, m_logText + "\r\n");
            return;
        }
        std::string text = withCrLfLines(*bytes);
        text += formatTimestamp(m_clock.now());
        text += ' ';
        text += m_files.codec().fromUtf8Lossy(message);
        const bool written = m_files.writeBytes(SettingsFiles::kLog, text + "\r\n");
        m_logText = std::move(text);
        if (!written) {
            m_files.writeBytes(SettingsFiles::kLog, m_logText + "\r\n");
        }
    } catch (...) {
    }
}

std::string EventLog::withCrLfLines(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 32 + 2);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            text.append(bytes.substr(pos));
            text += "\r\n";
            break;
        }
        text.append(bytes.substr(pos, end - pos));
        text += "\r\n";
        pos = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    return text;
}

std::string EventLog::textForView(std::string_view bytes, const TextCodec& codec) {
    // CR and LF never occur inside a code page 936 character, so decoding the whole text at once
    // gives the same as decoding line by line, at a fraction of the cost.
    return codec.toUtf8Lossy(withCrLfLines(bytes));
}

std::string EventLog::formatTimestamp(const LocalDateTime& t) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%d-%d-%d %d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return buffer;
}

std::optional<std::string> EventLog::readForView() const {
    const auto bytes = m_files.readBytes(SettingsFiles::kLog);
    if (!bytes) {
        return std::nullopt;
    }
    return textForView(*bytes, m_files.codec());
}

bool EventLog::clear() {
    if (!m_files.writeBytes(SettingsFiles::kLog, "\r\n")) {
        return false;
    }
    // The copy follows, or a later recovery would bring the cleared entries back.
    m_logText.clear();
    return true;
}

bool EventLog::copyTo(const std::filesystem::path& target) const {
    const auto bytes = m_files.readBytes(SettingsFiles::kLog);
    return bytes && m_files.replacer().replaceFile(target, *bytes);
}

std::string MemoryReport(std::string_view totalPhys, std::string_view availPhys, std::string_view pageFile,
                         std::string_view virtualMemory) {
    std::string report = Texts::kMemoryReportHeader;
    for (const std::string_view caption : {totalPhys, availPhys, pageFile, virtualMemory}) {
        report += "\r\n";
        report += caption;
    }
    return report;
}

} // namespace tarvik
