#include "settings/EventLog.h"

#include "platform/FileAppender.h"
#include "platform/FileReplacer.h"
#include "platform/TextCodec.h"
#include "settings/Paths.h"
#include "settings/SettingsFiles.h"
#include "settings/Texts.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <new>

namespace tarvik {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

EventLog::EventLog(SettingsFiles& files, FileAppender& appender, const Clock& clock, std::string& logText)
    : m_files(files), m_appender(appender), m_clock(clock), m_logText(logText), m_bound(SettingsFiles::kMaxLogBytes) {}

bool EventLog::LoadLogText() {
    try {
        auto bytes = m_files.readBytes(SettingsFiles::kLog, m_bound);
        if (!bytes) {
            return overBound() && loadNewestPart();
        }
        m_copyStart = 0;
        const std::string_view log = withoutInterruptedAppend(*bytes);
        if (log.size() == bytes->size() && hasCrLfLinesOnly(log)) {
            // The usual case: the file is the copy as it stands, and no second copy is made of it.
            m_logText = std::move(*bytes);
            m_fileHolds = FileHolds::Copy;
        } else {
            m_logText = withCrLfLines(log);
            m_fileHolds = FileHolds::Unknown;
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false; // a log too large to hold is one that cannot be read
    }
}

bool EventLog::AppendLogLine(std::string_view message) {
    // The log must never take the program down: any failure, even out of memory, only costs the entry.
    try {
        std::string entry = formatTimestamp(m_clock.now());
        entry += ' ';
        entry += m_files.codec().fromUtf8Lossy(message);
        if (appendToUnchangedFile(entry)) {
            return true;
        }
        if (overBound()) {
            // Changed since it was last read, and too large to read whole: its newest part is read
            // again and the entry added in place.
            return loadNewestPart() && appendToUnchangedFile(entry);
        }
        const auto bytes = m_files.readBytes(SettingsFiles::kLog, m_bound);
        if (!bytes) {
            // The copy's line ends are not known here, so the next entry reads the file again.
            m_fileHolds = FileHolds::Unknown;
            // Restore a log that is gone from the copy; the entry itself is lost. One that is
            // there but could not be read keeps every byte it has.
            if (logMissing()) {
                writeCopyWithLineEnd();
            }
            return false;
        }
        std::string text = withCrLfLines(withoutInterruptedAppend(*bytes));
        text += entry;
        text += kLineEnd;
        bool written = m_files.writeBytes(SettingsFiles::kLog, text);
        text.resize(text.size() - kLineEnd.size());
        m_logText = std::move(text);
        m_copyStart = 0;
        if (!written && logMissing()) {
            written = writeCopyWithLineEnd();
        }
        copyWritten(written, entry);
        keepCopyWithinBound();
        return written;
    } catch (...) {
        m_fileHolds = FileHolds::Unknown;
        return false;
    }
}

bool EventLog::appendToUnchangedFile(std::string_view entry) {
    if (m_fileHolds == FileHolds::Unknown || entry.size() + 2 * kLineEnd.size() > FileAppender::kBlock) {
        return false;
    }
    // The file as the program last read or wrote it: the copy, followed by CR LF after an entry.
    const std::string_view lineEnd = m_fileHolds == FileHolds::CopyAndLineEnd ? kLineEnd : std::string_view();
    // Only the newest part of a log over the bound, which is never rewritten, may end without a
    // line end; the entry then starts a line of its own.
    const bool openLine = lineEnd.empty() && (m_logText.empty() ? m_copyStart > 0 && m_copyInLine
                                                                : m_logText.back() != '\n' && m_logText.back() != '\r');
    const std::size_t kept = std::min<std::size_t>(m_logText.size(), FileAppender::kBlock);
    std::string tail = m_logText.substr(m_logText.size() - kept);
    tail += lineEnd;
    std::string bytes(openLine ? kLineEnd : std::string_view());
    bytes += entry;
    bytes += kLineEnd;
    const auto result = m_appender.appendIfUnchanged(m_files.locate(SettingsFiles::kLog),
                                                     m_copyStart + m_logText.size() + lineEnd.size(), tail, bytes);
    if (result != FileAppender::Result::Appended) {
        // Changed, or a failed append that left the file as it was: read and rewritten whole instead.
        return false;
    }
    m_logText += lineEnd;
    if (openLine) {
        m_logText += kLineEnd;
    }
    m_logText += entry;
    copyWritten(true, entry);
    keepCopyWithinBound();
    return true;
}

bool EventLog::overBound() const {
    std::error_code ec;
    const auto size = std::filesystem::file_size(m_files.locate(SettingsFiles::kLog), ec);
    return !ec && size > m_bound;
}

bool EventLog::loadNewestPart() {
    auto part = readFileEnd(m_files.locate(SettingsFiles::kLog), m_bound);
    if (!part) {
        m_fileHolds = FileHolds::Unknown;
        return false;
    }
    // Taken as the file holds it, an append cut short included: nothing of a log this size is
    // rewritten, so entries follow whatever its end holds.
    m_logText = std::move(part->bytes);
    m_copyStart = part->offset;
    m_copyInLine = !part->atLineStart;
    m_fileHolds = FileHolds::Copy;
    return true;
}

void EventLog::keepCopyWithinBound() {
    if (m_logText.size() <= m_bound) {
        return;
    }
    // Well below the bound, so that the oldest lines are let go of seldom.
    const std::size_t from = m_logText.size() - m_bound / 4 * 3;
    const std::size_t lf = m_logText.find('\n', from - 1);
    const std::size_t cut = lf == std::string::npos ? m_logText.size() : lf + 1;
    m_logText.erase(0, cut);
    m_copyStart += cut;
}

bool EventLog::logMissing() const {
    // Anything that cannot be asked about counts as there, and is left alone.
    std::error_code ec;
    return std::filesystem::symlink_status(m_files.locate(SettingsFiles::kLog), ec).type() ==
           std::filesystem::file_type::not_found;
}

bool EventLog::writeCopyWithLineEnd() {
    m_logText += kLineEnd;
    const bool written = m_files.writeBytes(SettingsFiles::kLog, m_logText);
    m_logText.resize(m_logText.size() - kLineEnd.size());
    if (written) {
        m_copyStart = 0; // the file is the copy now
    }
    return written;
}

void EventLog::copyWritten(bool written, std::string_view entry) {
    // The next entry may be appended when the file now holds the copy and CR LF in CR LF lines,
    // which the entry keeps unless its message brings line ends of its own kind.
    std::string last(entry);
    last += kLineEnd;
    m_fileHolds = written && hasCrLfLinesOnly(last) ? FileHolds::CopyAndLineEnd : FileHolds::Unknown;
}

std::string EventLog::withCrLfLines(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 32 + 2);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            text.append(bytes.substr(pos));
            text += kLineEnd;
            break;
        }
        text.append(bytes.substr(pos, end - pos));
        text += kLineEnd;
        pos = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    return text;
}

bool EventLog::hasCrLfLinesOnly(std::string_view bytes) {
    for (std::size_t pos = bytes.find_first_of("\r\n"); pos != std::string_view::npos;
         pos = bytes.find_first_of("\r\n", pos + 2)) {
        if (bytes[pos] != '\r' || pos + 1 == bytes.size() || bytes[pos + 1] != '\n') {
            return false;
        }
    }
    return bytes.empty() || bytes.ends_with(kLineEnd);
}

std::string EventLog::textForView(std::string_view bytes, const TextCodec& codec) {
    // CR and LF never occur inside a code page 936 character, so decoding the whole text at once
    // gives the same as decoding line by line, at a fraction of the cost.
    return codec.toUtf8Lossy(withCrLfLines(bytes));
}

std::string_view EventLog::withoutInterruptedAppend(std::string_view bytes) {
    // Text never holds NUL bytes, so only an append cut short (see FileAppender) leaves this shape:
    // after a line end, fewer than a block of NULs ending at a block boundary, then fewer than a
    // block of other bytes.
    const std::size_t lastNul = bytes.rfind('\0');
    if (lastNul == std::string_view::npos) {
        return bytes;
    }
    const std::size_t boundary = lastNul + 1;
    const std::size_t runStart = bytes.find_last_not_of('\0', lastNul) + 1; // 0 when all NUL
    if (boundary % FileAppender::kBlock != 0 || boundary == bytes.size() ||
        bytes.size() - boundary >= FileAppender::kBlock || boundary - runStart >= FileAppender::kBlock ||
        runStart == 0 || bytes[runStart - 1] != '\n') {
        return bytes;
    }
    return bytes.substr(0, runStart);
}

std::string EventLog::formatTimestamp(const LocalDateTime& t) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%d-%d-%d %d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return buffer;
}

std::optional<std::string> EventLog::readBytes() const {
    auto bytes = m_files.readBytes(SettingsFiles::kLog, m_bound);
    if (bytes) {
        bytes->resize(withoutInterruptedAppend(*bytes).size());
    }
    return bytes;
}

std::optional<std::string> EventLog::readNewest(bool& olderLeftOut) const {
    olderLeftOut = false;
    if (auto bytes = readBytes(); bytes || !overBound()) {
        return bytes;
    }
    auto part = readFileEnd(m_files.locate(SettingsFiles::kLog), m_bound);
    if (!part) {
        return std::nullopt;
    }
    olderLeftOut = true;
    part->bytes.resize(withoutInterruptedAppend(part->bytes).size());
    return std::move(part->bytes);
}

std::optional<EventLog::Stamp> EventLog::stamp() const {
    const std::filesystem::path path = m_files.locate(SettingsFiles::kLog);
    std::error_code ec;
    Stamp s;
    s.modified = std::filesystem::last_write_time(path, ec);
    if (ec || !std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        return std::nullopt;
    }
    s.size = static_cast<std::uint64_t>(in.tellg());
    const std::uint64_t kept = std::min<std::uint64_t>(s.size, FileAppender::kBlock);
    s.tail.resize(kept);
    in.seekg(static_cast<std::streamoff>(s.size - kept));
    if (!in.read(s.tail.data(), static_cast<std::streamsize>(kept))) {
        return std::nullopt;
    }
    return s;
}

bool EventLog::clear() {
    if (!m_files.writeBytes(SettingsFiles::kLog, kLineEnd)) {
        return false;
    }
    // The copy follows, or a later recovery would bring the cleared entries back.
    m_logText.clear();
    m_copyStart = 0;
    m_fileHolds = FileHolds::CopyAndLineEnd;
    return true;
}

bool EventLog::copyTo(const std::filesystem::path& target) const {
    const auto bytes = readBytes();
    return bytes && m_files.replacer().replaceFile(target, *bytes);
}

std::string MemoryReport(std::string_view totalPhys, std::string_view availPhys, std::string_view pageFile,
                         std::string_view virtualMemory) {
    std::string report = Texts::kMemoryReportHeader;
    for (const std::string_view caption : {totalPhys, availPhys, pageFile, virtualMemory}) {
        report += kLineEnd;
        report += caption;
    }
    return report;
}

} // namespace tarvik
