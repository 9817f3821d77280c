#include "support/KillRounds.h"

#include "platform/Clock.h"
#include "platform/FileAppender.h"
#include "platform/FileReplacer.h"
#include "platform/TextCodec.h"
#include "settings/EventLog.h"
#include "settings/SettingsFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace tarvik::test {

namespace {

struct FixedClock : Clock {
    LocalDateTime now() const override { return {2006, 12, 6, 22, 24, 44}; }
};

SettingsRecord recordA() {
    SettingsRecord r;
    r.AlarmSoundFile = "C:\\报警\\Alarm.wav";
    return r;
}

SettingsRecord recordB() {
    SettingsRecord r = recordA();
    r.ReleaseLevel = 5;
    r.MinFreePercent = 40;
    r.ChartStyle = 2;
    r.AlarmSoundFile = "/home/用户/alarm.mid";
    return r;
}

// The length of the whole entries at the start of `log`, each one of `entries`.
std::size_t wholeEntries(const std::string& log, const std::string (&entries)[2]) {
    std::size_t at = 0;
    for (bool found = true; found;) {
        found = false;
        for (const std::string& entry : entries) {
            if (log.compare(at, entry.size(), entry) == 0) {
                at += entry.size();
                found = true;
                break;
            }
        }
    }
    return at;
}

} // namespace

void writeSettingsAndLogForever(const std::filesystem::path& folder, const std::function<void()>& started) {
    auto codec = makeSystemTextCodec();
    auto replacer = makeSystemFileReplacer();
    auto appender = makeSystemFileAppender();
    SettingsFiles files(folder, *codec, *replacer);
    FixedClock clock;
    std::string logText;
    EventLog log(files, *appender, clock, logText);
    // Every round begins with the saves, each giving its file the content it does not hold now.
    const auto now = files.readSettings(SettingsFiles::kInfo);
    unsigned first = now && *now == recordB() ? 0 : 1;
    started();
    for (unsigned i = first;; ++i) {
        const bool odd = i % 2 != 0;
        files.writeSettings(odd ? recordB() : recordA());
        files.copyInfoOverSet();
        files.writeAccess(odd ? AccessRecord{3, 3} : AccessRecord{2, 0});
        files.writePlacement(odd ? MonitorPlacement{300, 9000, 240} : MonitorPlacement{450, 150, 555},
                             odd ? ", " : ",");
        // The first entry of each writer rewrites the log, the others are appended: one line, then
        // five, so that entries often span a block boundary of the file.
        for (int n = 0; n < 4; ++n) {
            log.AppendLogLine("整理内存。");
            log.AppendLogLine(MemoryReport("物理内存总量: 2048M", "可用的物理内存: 512M", "可用的页面文件: 60%",
                                           "可用的虚拟内存: 98%"));
        }
    }
}

KillRounds::KillRounds(const TempFolder& folder) : m_folder(folder) {
    auto codec = makeSystemTextCodec();
    auto replacer = makeSystemFileReplacer();
    SettingsFiles files(folder.path(), *codec, *replacer);
    // Start from the states the writer writes, so "old" is always one of them.
    EXPECT_TRUE(files.writeSettings(recordA()));
    EXPECT_TRUE(files.copyInfoOverSet());
    folder.write("Tarvik.log", "");
    m_entries[0] = *codec->fromUtf8("2006-12-6 22:24:44 整理内存。\r\n");
    m_entries[1] = *codec->fromUtf8("2006-12-6 22:24:44 内存信息:\r\n物理内存总量: 2048M\r\n可用的物理内存: 512M\r\n"
                                    "可用的页面文件: 60%\r\n可用的虚拟内存: 98%\r\n");
}

int KillRounds::count() {
    const char* rounds = std::getenv("TARVIK_KILL_ROUNDS");
    return rounds ? std::atoi(rounds) : 500;
}

void KillRounds::check(int round) {
    auto codec = makeSystemTextCodec();
    auto replacer = makeSystemFileReplacer();
    SettingsFiles files(m_folder.path(), *codec, *replacer);
    const auto settings = files.readSettings(SettingsFiles::kSet);
    const auto master = files.readSettings(SettingsFiles::kInfo);
    ASSERT_TRUE(settings && master) << "round " << round;
    EXPECT_TRUE(*settings == recordA() || *settings == recordB()) << "round " << round;
    const bool settingsB = *settings == recordB();
    m_settingsChanged += settingsB != m_lastSettingsB ? 1 : 0;
    m_lastSettingsB = settingsB;
    EXPECT_TRUE(*master == recordA() || *master == recordB()) << "round " << round;
    if (m_folder.exists("aqset.dxl") || m_folder.exists("AqSet.dxl")) {
        const auto access = files.readAccess();
        ASSERT_TRUE(access) << "round " << round;
        EXPECT_TRUE(*access == (AccessRecord{2, 0}) || *access == (AccessRecord{3, 3}));
    }
    if (m_folder.exists("wtl.dxl")) {
        const auto placement = files.readPlacement();
        ASSERT_TRUE(placement) << "round " << round;
        EXPECT_TRUE(*placement == (MonitorPlacement{300, 9000, 240}) ||
                    *placement == (MonitorPlacement{450, 150, 555}));
    }
    // The log only ever grows by whole entries. An append cut short leaves NUL bytes and the
    // rest of its entry after the old end, which the log's readers do not take for a line.
    const std::string raw = m_folder.read("Tarvik.log");
    const std::string log(EventLog::withoutInterruptedAppend(raw));
    m_cutShort += log.size() != raw.size() ? 1 : 0;
    m_logGrew += log.size() > m_lastLog.size() ? 1 : 0;
    ASSERT_EQ(wholeEntries(log, m_entries), log.size()) << "round " << round;
    ASSERT_EQ(log.compare(0, m_lastLog.size(), m_lastLog), 0) << "round " << round;
    m_lastLog = log;
    std::string logText;
    FixedClock clock;
    auto appender = makeSystemFileAppender();
    EventLog reader(files, *appender, clock, logText);
    ASSERT_TRUE(reader.LoadLogText());
    ASSERT_EQ(logText, log) << "round " << round;
}

void KillRounds::finish(int rounds) {
    std::printf("kill test: %d rounds; settings changed in %d, the log grew in %d (to %zu bytes); %d appends cut "
                "short\n",
                rounds, m_settingsChanged, m_logGrew, m_lastLog.size(), m_cutShort);
    // A kill between creating a temporary file and renaming it leaves the temporary behind, which
    // the next replace in the folder sweeps away.
    auto codec = makeSystemTextCodec();
    auto replacer = makeSystemFileReplacer();
    SettingsFiles files(m_folder.path(), *codec, *replacer);
    ASSERT_TRUE(files.writeAccess(AccessRecord{2, 0}));
    std::string leftovers;
    for (const auto& e : std::filesystem::directory_iterator(m_folder.path())) {
        if (e.path().filename().string().rfind('.', 0) == 0) {
            leftovers += " " + e.path().filename().string();
        }
    }
    EXPECT_EQ(leftovers, "");
}

} // namespace tarvik::test
