// Cost of one log entry as the log grows: every entry reads the whole log and rewrites it
// atomically (temporary file, flush to disk, rename). Prints the median of several entries for
// logs of about 10 KB, 1 MB and 10 MB.
#include "platform/Clock.h"
#include "platform/FileReplacer.h"
#include "platform/TextCodec.h"
#include "settings/EventLog.h"
#include "settings/SettingsFiles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct FixedClock : tarvik::Clock {
    tarvik::LocalDateTime now() const override { return {2006, 12, 6, 22, 24, 44}; }
};

} // namespace

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("tarvik-log-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    auto codec = tarvik::makeSystemTextCodec();
    auto replacer = tarvik::makeSystemFileReplacer();
    tarvik::SettingsFiles files(folder, *codec, *replacer);
    FixedClock clock;
    std::string logText;
    tarvik::EventLog log(files, clock, logText);

    // A typical entry in code page 936 bytes, repeated to the wanted size.
    const std::string line = *codec->fromUtf8("2006-12-6 22:24:44 系统可用内存低于最低限度25%，自动整理内存。\r\n");
    std::printf("%-10s %14s\n", "log size", "ms per entry");
    for (std::size_t size : {10u * 1024, 1024u * 1024, 10u * 1024 * 1024}) {
        std::string content;
        while (content.size() < size) {
            content += line;
        }
        std::ofstream(folder / "Tarvik.log", std::ios::binary | std::ios::trunc) << content;
        std::vector<double> ms;
        for (int i = 0; i < entries; ++i) {
            const auto t = std::chrono::steady_clock::now();
            log.AppendLogLine("整理内存。");
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count());
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%-10s %14.2f\n",
                    size >= 1048576 ? (std::to_string(size >> 20) + " MB").c_str()
                                    : (std::to_string(size >> 10) + " KB").c_str(),
                    ms[ms.size() / 2]);
    }
    fs::remove_all(folder);
    return 0;
}
