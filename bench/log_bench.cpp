// Cost of one log entry as the log grows, for logs of about 10 KB, 1 MB and 10 MB: appended to a
// log that holds what the program last wrote (one write, flushed to disk), and when another
// program changed the log meanwhile (the whole log read and rewritten atomically: temporary
// file, flush to disk, rename). Prints the median of several entries of each kind.
// "log_bench write <file> <MiB>" writes a log of that size instead.
#include "platform/Clock.h"
#include "platform/FileAppender.h"
#include "platform/FileReplacer.h"
#include "platform/TextCodec.h"
#include "settings/EventLog.h"
#include "settings/SettingsFiles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct FixedClock : tarvik::Clock {
    tarvik::LocalDateTime now() const override { return {2006, 12, 6, 22, 24, 44}; }
};

} // namespace

// A log of `mib` MiB as months of automatic release would leave it: memory reports, releases by
// hand and automatic releases, each with its own time.
int writeLog(const char* path, double mib) {
    auto codec = tarvik::makeSystemTextCodec();
    std::string log;
    for (unsigned n = 0; log.size() < static_cast<std::size_t>(mib * 1048576); ++n) {
        const tarvik::LocalDateTime t{2006, 1 + static_cast<int>(n / 89280 % 12), 1 + static_cast<int>(n / 2880 % 28),
                                      static_cast<int>(n / 120 % 24), static_cast<int>(n / 2 % 60),
                                      static_cast<int>(n % 2 * 30)};
        std::string message;
        switch (n % 4) {
        case 0:
            message = tarvik::MemoryReport("物理内存总量: 2048M", "可用的物理内存: " + std::to_string(300 + n % 500) + "M",
                                           "可用的页面文件: 60%", "可用的虚拟内存: 98%");
            break;
        case 1:
            message = "整理内存。";
            break;
        default:
            message = "系统可用内存低于最低限度25%，自动整理内存。";
        }
        log += *codec->fromUtf8(tarvik::EventLog::formatTimestamp(t) + " " + message + "\r\n");
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << log;
    return out ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc > 3 && std::string(argv[1]) == "write") {
        return writeLog(argv[2], std::atof(argv[3]));
    }
    const int entries = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("tarvik-log-bench-" + std::to_string(::getpid()));
    auto codec = tarvik::makeSystemTextCodec();
    auto replacer = tarvik::makeSystemFileReplacer();
    auto appender = tarvik::makeSystemFileAppender();
    FixedClock clock;

    // One program folder per log size, each with its own log as the running program has it.
    struct Log {
        std::size_t size;
        fs::path path;
        std::unique_ptr<tarvik::SettingsFiles> files;
        std::string logText;
        std::unique_ptr<tarvik::EventLog> log;
        std::vector<double> appended, rewritten;
    };
    const std::string line = *codec->fromUtf8("2006-12-6 22:24:44 系统可用内存低于最低限度25%，自动整理内存。\r\n");
    std::vector<Log> logs;
    for (std::size_t size : {10u * 1024, 1024u * 1024, 10u * 1024 * 1024}) {
        Log& l = logs.emplace_back();
        l.size = size;
        const fs::path folder = root / std::to_string(size);
        fs::create_directories(folder);
        l.path = folder / "Tarvik.log";
        std::string content;
        while (content.size() < size) {
            content += line;
        }
        std::ofstream(l.path, std::ios::binary | std::ios::trunc) << content;
        l.files = std::make_unique<tarvik::SettingsFiles>(folder, *codec, *replacer);
        l.log = std::make_unique<tarvik::EventLog>(*l.files, *appender, clock, l.logText);
        l.log->LoadLogText(); // as at start
    }
    auto timeEntry = [](Log& l) {
        const auto t = std::chrono::steady_clock::now();
        l.log->AppendLogLine("整理内存。");
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
    };
    // The sizes take turns, so that each sees the disk as busy as the others do.
    for (int i = 0; i < entries; ++i) {
        for (Log& l : logs) {
            l.appended.push_back(timeEntry(l)); // the file holds what the program last wrote
        }
    }
    for (int i = 0; i < entries; ++i) {
        for (Log& l : logs) {
            // Another program changed the log: the entry reads it and rewrites it whole.
            std::ofstream(l.path, std::ios::binary | std::ios::app) << line;
            l.rewritten.push_back(timeEntry(l));
        }
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("%-10s %14s %14s\n", "log size", "appended ms", "rewritten ms");
    for (const Log& l : logs) {
        std::printf("%-10s %14.2f %14.2f\n",
                    l.size >= 1048576 ? (std::to_string(l.size >> 20) + " MB").c_str()
                                      : (std::to_string(l.size >> 10) + " KB").c_str(),
                    median(l.appended), median(l.rewritten));
    }
    fs::remove_all(root);
    return 0;
}
