#pragma once

#include "settings/SettingsRecord.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

class TextCodec;
class FileReplacer;

// The files in the program folder. Names match without regard to case; reads are bounded;
// every write is an atomic replace in code page 936 with CR LF line ends.
class SettingsFiles {
public:
    static constexpr std::string_view kSet = "set.dxl";
    static constexpr std::string_view kInfo = "info.dxl";
    static constexpr std::string_view kAccess = "AqSet.dxl";
    static constexpr std::string_view kAccessWritten = "aqset.dxl";
    static constexpr std::string_view kPlacement = "wtl.dxl";
    static constexpr std::string_view kBatchStart = "afn.dxl";
    static constexpr std::string_view kLog = "Tarvik.log";
    // A settings line longer than this is a failed read.
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;
    // A settings file read whole (info.dxl copied over set.dxl) holds one such line; a larger one
    // is not a settings file and is not copied.
    static constexpr std::size_t kMaxSettingsFileBytes = 1024 * 1024;
    // The largest log read. The program's busiest writer, an automatic release every 15 seconds,
    // adds about 370 KB a day, so a log of this size took two years of memory kept short all day and
    // decades of usual use; a larger file is damaged or not this program's, and holding it (the
    // log's copy, and the page's view while shown) would make this memory tool a big consumer.
    static constexpr std::size_t kMaxLogBytes = 256u * 1024 * 1024;

    SettingsFiles(std::filesystem::path folder, const TextCodec& codec, FileReplacer& replacer);

    const std::filesystem::path& folder() const { return m_folder; }
    const TextCodec& codec() const { return m_codec; }
    FileReplacer& replacer() { return m_replacer; }

    // Whether a text field such as the alarm sound path can go into a settings line: no comma or
    // line break, and nothing code page 936 cannot hold.
    bool canStore(std::string_view text) const;

    // The existing entry whose name matches `name` without regard to case; folder/name when none does.
    std::filesystem::path locate(std::string_view name) const;

    // Whole file, raw bytes; nullopt when it cannot be opened or read or holds more than maxBytes.
    std::optional<std::string> readBytes(std::string_view name, std::size_t maxBytes = kMaxLogBytes) const;
    // First line, decoded to UTF-8 as Windows decodes code page 936; nullopt when missing, empty
    // or too long.
    std::optional<std::string> readFirstLine(std::string_view name) const;

    // The first line of a file that starts with `fileStart`, without its line end; nullopt when the
    // file is empty or the line is longer than `maxLineBytes`. The same for the whole file as for its
    // first maxLineBytes + 2 bytes, which is all readFirstLine reads.
    static std::optional<std::string_view> firstLine(std::string_view fileStart,
                                                     std::size_t maxLineBytes = kMaxLineBytes);
    // firstLine decoded from code page 936 as Windows decodes it: bytes without a character do not
    // fail the read.
    static std::optional<std::string> decodeFirstLine(std::string_view fileStart, const TextCodec& codec);

    std::optional<SettingsRecord> readSettings(std::string_view name) const; // set.dxl or info.dxl
    std::optional<AccessRecord> readAccess() const;
    std::optional<MonitorPlacement> readPlacement() const;
    std::optional<BatchStartList> readBatchStart() const;

    // Each returns false, leaving the file as it was, when the line cannot be stored or written.
    bool writeSettings(const SettingsRecord& r); // info.dxl
    bool copyInfoOverSet();
    bool writeAccess(const AccessRecord& r); // aqset.dxl
    bool writePlacement(const MonitorPlacement& p, std::string_view separator);
    // Like writePlacement, but leaves the file alone when it already holds exactly that line (known
    // without reading it while its size and time of change are those it had when last looked at).
    bool refreshPlacement(const MonitorPlacement& p, std::string_view separator);
    bool writeBatchStart(const BatchStartList& list);
    // `utf8Line` plus CR LF as the only line of the file.
    bool writeLine(std::string_view name, std::string_view utf8Line);
    bool writeBytes(std::string_view name, std::string_view bytes);

private:
    std::filesystem::path m_folder;
    const TextCodec& m_codec;
    FileReplacer& m_replacer;
    // What the placement file held when refreshPlacement last looked at it.
    struct KnownPlacement {
        std::filesystem::path path;
        std::string line;
        std::filesystem::file_time_type modified;
    };
    std::optional<KnownPlacement> m_placement;
};

} // namespace tarvik
