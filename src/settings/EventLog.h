#pragma once

#include "platform/Clock.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

class FileAppender;
class SettingsFiles;
class TextCodec;

// The event log Tarvik.log. `logText` is the process-wide copy of the log as last read or
// written; it holds the file's own bytes (code page 936, lines ending in CR LF) so that a
// rewrite never alters bytes the program cannot decode.
//
// While the file still holds exactly what this program last read or wrote (the same size and the
// same last bytes), an entry is appended to it with one write and a flush; otherwise the log is
// read, the entry added and the whole file replaced. Both give the file the same bytes.
//
// A log larger than the read bound is never read whole nor rewritten: the copy holds its newest
// lines within the bound, and entries are appended in place. A copy that grows past the bound
// while the program runs lets go of its oldest lines, down to three quarters of the bound.
class EventLog {
public:
    EventLog(SettingsFiles& files, FileAppender& appender, const Clock& clock, std::string& logText);

    // Reads the log into the copy (its newest part when it is over the bound); false when the
    // file cannot be read.
    bool LoadLogText();
    // Appends one timestamped entry; true when it reached the file. A log that is gone is restored
    // from the copy (without the entry); one that is there but cannot be read or written is left
    // exactly as it is.
    bool AppendLogLine(std::string_view message);

    // "2006-12-6 22:24:44": short date, blank, long time.
    static std::string formatTimestamp(const LocalDateTime& t);

    // The log's bytes as they stand (see withoutInterruptedAppend); nullopt when unreadable or
    // over the bound.
    std::optional<std::string> readBytes() const;
    // What the log page shows: the log's bytes as readBytes gives them, or for a log over the
    // bound its newest lines within it, with `olderLeftOut` set.
    std::optional<std::string> readNewest(bool& olderLeftOut) const;

    // The most the copy, and a read of the log, may hold; tests use a small one.
    std::size_t bound() const { return m_bound; }
    void setBound(std::size_t bytes) { m_bound = bytes; }
    // Where the copy starts in the file: 0 unless the log is over the bound.
    std::uint64_t copyStart() const { return m_copyStart; }

    // What tells cheaply whether the log file changed: its size, time of change and last bytes.
    struct Stamp {
        std::uint64_t size = 0;
        std::filesystem::file_time_type modified{};
        std::string tail;
        bool operator==(const Stamp&) const = default;
    };
    // nullopt when the log cannot be read.
    std::optional<Stamp> stamp() const;
    // Rewrites the log as one empty line; false (file unchanged) when that fails.
    bool clear();
    // Copies the log file to `target`, replacing it; false on any failure.
    bool copyTo(const std::filesystem::path& target) const;

    // Every line of the log's bytes followed by CR LF. Lines end at CR LF, LF or a lone CR; a last
    // line without a line end still counts, and a final line end does not start another line.
    static std::string withCrLfLines(std::string_view bytes);
    // Whether withCrLfLines would leave `bytes` as they are.
    static bool hasCrLfLinesOnly(std::string_view bytes);
    // The log page's text for a log holding `bytes`: each line in UTF-8 followed by CR LF.
    static std::string textForView(std::string_view bytes, const TextCodec& codec);
    // `bytes` without what an append cut short by the end of the process left at the end: NUL
    // bytes from the old end of the log to a block boundary, then the rest of one entry.
    static std::string_view withoutInterruptedAppend(std::string_view bytes);

private:
    // What the file holds as far as this program knows, always in CR LF lines when known.
    enum class FileHolds { Unknown, Copy, CopyAndLineEnd };

    // The fast way: false when the file is not known to hold what the program last wrote.
    bool appendToUnchangedFile(std::string_view entry);
    // No log file is there at all.
    bool logMissing() const;
    // Writes the copy followed by CR LF as the whole file.
    bool writeCopyWithLineEnd();
    // After the copy was written followed by CR LF (or failed to be).
    void copyWritten(bool written, std::string_view entry);
    // The log is larger than the bound.
    bool overBound() const;
    // Takes the newest lines of a log over the bound as the copy of what the file holds.
    bool loadNewestPart();
    // Drops the copy's oldest lines once it is over the bound.
    void keepCopyWithinBound();

    SettingsFiles& m_files;
    FileAppender& m_appender;
    const Clock& m_clock;
    std::string& m_logText;
    FileHolds m_fileHolds = FileHolds::Unknown;
    std::uint64_t m_copyStart = 0;
    bool m_copyInLine = false; // an empty copy of a log over the bound starts inside a line
    std::size_t m_bound;
};

// "内存信息:" and the four memory captions, joined by CR LF.
std::string MemoryReport(std::string_view totalPhys, std::string_view availPhys, std::string_view pageFile,
                         std::string_view virtualMemory);

} // namespace tarvik
