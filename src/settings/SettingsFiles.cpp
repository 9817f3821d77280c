#include "settings/SettingsFiles.h"

#include "platform/FileReplacer.h"
#include "platform/TextCodec.h"
#include "settings/Paths.h"
#include "settings/SettingsFormat.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace tarvik {

namespace fs = std::filesystem;

SettingsFiles::SettingsFiles(fs::path folder, const TextCodec& codec, FileReplacer& replacer)
    : m_folder(std::move(folder)), m_codec(codec), m_replacer(replacer) {}

bool SettingsFiles::canStore(std::string_view text) const {
    return SettingsFormat::isStorableText(text) && m_codec.fromUtf8(text).has_value();
}

fs::path SettingsFiles::locate(std::string_view name) const {
    return locateIgnoringCase(m_folder, name);
}

std::optional<std::string> SettingsFiles::readBytes(std::string_view name, std::size_t maxBytes) const {
    const fs::path path = locate(name);
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (!ec && size > maxBytes) {
        return std::nullopt;
    }
    // One byte past the bound tells a file that grew meanwhile from one that fits.
    auto bytes = readFileStart(path, maxBytes + 1);
    if (bytes && bytes->size() > maxBytes) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> SettingsFiles::readFirstLine(std::string_view name) const {
    // Enough to see the line end after a line of the longest allowed length, and no more.
    const auto head = readFileStart(locate(name), kMaxLineBytes + 2);
    return head ? decodeFirstLine(*head, m_codec) : std::nullopt;
}

std::optional<std::string_view> SettingsFiles::firstLine(std::string_view fileStart, std::size_t maxLineBytes) {
    if (fileStart.empty()) {
        return std::nullopt;
    }
    const std::size_t end = fileStart.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        // No line end: the line is the whole file, provided the file ended within the limit.
        if (fileStart.size() > maxLineBytes) {
            return std::nullopt;
        }
        return fileStart;
    }
    if (end > maxLineBytes) {
        return std::nullopt;
    }
    return fileStart.substr(0, end);
}

std::optional<std::string> SettingsFiles::decodeFirstLine(std::string_view fileStart, const TextCodec& codec) {
    const auto line = firstLine(fileStart);
    if (!line) {
        return std::nullopt;
    }
    return codec.toUtf8AsWindows(*line);
}

std::optional<SettingsRecord> SettingsFiles::readSettings(std::string_view name) const {
    const auto line = readFirstLine(name);
    return line ? SettingsFormat::parseSettings(*line) : std::nullopt;
}

std::optional<AccessRecord> SettingsFiles::readAccess() const {
    const auto line = readFirstLine(kAccess);
    return line ? SettingsFormat::parseAccess(*line) : std::nullopt;
}

std::optional<MonitorPlacement> SettingsFiles::readPlacement() const {
    const auto line = readFirstLine(kPlacement);
    return line ? SettingsFormat::parsePlacement(*line) : std::nullopt;
}

std::optional<BatchStartList> SettingsFiles::readBatchStart() const {
    const auto line = readFirstLine(kBatchStart);
    return line ? SettingsFormat::parseBatchStart(*line) : std::nullopt;
}

bool SettingsFiles::writeSettings(const SettingsRecord& r) {
    const auto line = SettingsFormat::composeSettings(r);
    return line && writeLine(kInfo, *line);
}

bool SettingsFiles::copyInfoOverSet() {
    const auto bytes = readBytes(kInfo, kMaxSettingsFileBytes);
    return bytes && writeBytes(kSet, *bytes);
}

bool SettingsFiles::writeAccess(const AccessRecord& r) {
    // The file the reader takes, whatever spellings lie beside it; the written spelling only
    // names a new one.
    std::error_code ec;
    const fs::path existing = locate(kAccess);
    const bool present = fs::symlink_status(existing, ec).type() != fs::file_type::not_found;
    const auto bytes = m_codec.fromUtf8(SettingsFormat::composeAccess(r));
    return bytes &&
           m_replacer.replaceFile(present ? existing : m_folder / pathFromUtf8(kAccessWritten), *bytes + "\r\n");
}

bool SettingsFiles::writePlacement(const MonitorPlacement& p, std::string_view separator) {
    return writeLine(kPlacement, SettingsFormat::composePlacement(p, separator));
}

bool SettingsFiles::refreshPlacement(const MonitorPlacement& p, std::string_view separator) {
    const std::string line = SettingsFormat::composePlacement(p, separator) + "\r\n";
    // The file known to hold this line since it was last looked at, unchanged in size and time:
    // nothing to look up, read or write every 15 seconds.
    std::error_code ec;
    if (m_placement && m_placement->line == line) {
        const auto size = fs::file_size(m_placement->path, ec);
        if (!ec && size == line.size() && fs::last_write_time(m_placement->path, ec) == m_placement->modified && !ec) {
            return true;
        }
    }
    m_placement.reset();
    const fs::path path = locate(kPlacement);
    if (readBytes(kPlacement, line.size()) != line && !writeBytes(kPlacement, line)) {
        return false;
    }
    const auto modified = fs::last_write_time(path, ec);
    if (!ec) {
        m_placement = KnownPlacement{path, line, modified};
    }
    return true;
}

bool SettingsFiles::writeBatchStart(const BatchStartList& list) {
    const auto line = SettingsFormat::composeBatchStart(list);
    return line && writeLine(kBatchStart, *line);
}

bool SettingsFiles::writeLine(std::string_view name, std::string_view utf8Line) {
    auto bytes = m_codec.fromUtf8(utf8Line);
    if (!bytes) {
        return false;
    }
    *bytes += "\r\n";
    return writeBytes(name, *bytes);
}

bool SettingsFiles::writeBytes(std::string_view name, std::string_view bytes) {
    return m_replacer.replaceFile(locate(name), bytes);
}

} // namespace tarvik
