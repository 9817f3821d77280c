#pragma once

#include "platform/Clock.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

class SettingsFiles;
class TextCodec;

// The event log Tarvik.log. `logText` is the process-wide copy of the log as last read or
// written; it holds the file's own bytes (code page 936, lines ending in CR LF) so that a
// rewrite never alters bytes the program cannot decode.
class EventLog {
public:
    EventLog(SettingsFiles& files, const Clock& clock, std::string& logText);

    // Reads the whole log into the copy; false when the file cannot be read.
    bool LoadLogText();
    // Appends one timestamped entry; on failure restores the file from the copy. Never reports.
    void AppendLogLine(std::string_view message);

    // "2006-12-6 22:24:44": short date, blank, long time.
    static std::string formatTimestamp(const LocalDateTime& t);

    // The log as the log page shows it: each line in UTF-8 followed by CR LF; nullopt when unreadable.
    std::optional<std::string> readForView() const;
    // Rewrites the log as one empty line; false (file unchanged) when that fails.
    bool clear();
    // Copies the log file to `target`, replacing it; false on any failure.
    bool copyTo(const std::filesystem::path& target) const;

    // Every line of the log's bytes followed by CR LF. Lines end at CR LF, LF or a lone CR; a last
    // line without a line end still counts, and a final line end does not start another line.
    static std::string withCrLfLines(std::string_view bytes);
    // What readForView gives for a log holding `bytes`.
    static std::string textForView(std::string_view bytes, const TextCodec& codec);

private:
    SettingsFiles& m_files;
    const Clock& m_clock;
    std::string& m_logText;
};

// "内存信息:" and the four memory captions, joined by CR LF.
std::string MemoryReport(std::string_view totalPhys, std::string_view availPhys, std::string_view pageFile,
                         std::string_view virtualMemory);

} // namespace tarvik
