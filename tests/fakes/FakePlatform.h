#pragma once

#include "platform/Platform.h"

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarvik::test {

class FakeMemorySource : public MemorySource {
public:
    MemoryStatus next;
    bool fail = false; // the system gives no figures
    int samples = 0;
    std::optional<MemoryStatus> sample() override {
        ++samples;
        return fail ? std::nullopt : std::optional(next);
    }
    // Total and free physical memory in bytes; the other figures are set to plausible values.
    void set(std::uint64_t totalPhys, std::uint64_t availPhys);
};

class FakeClock : public Clock {
public:
    LocalDateTime time{2006, 12, 6, 22, 24, 44};
    LocalDateTime now() const override { return time; }
};

// Wraps the system's file replacer; can be told to refuse writes.
class FakeFileReplacer : public FileReplacer {
public:
    FakeFileReplacer();
    bool failAll = false;
    int failNext = 0;                   // refuse this many writes, then succeed
    std::vector<std::string> failNames; // file names (any letter case) whose writes are refused
    std::vector<std::filesystem::path> written;
    bool replaceFile(const std::filesystem::path& target, std::string_view bytes) override;
    // Whether a write to `target` is refused now; a refusal counts against failNext.
    bool refuses(const std::filesystem::path& target);

private:
    std::unique_ptr<FileReplacer> m_real;
};

// Wraps the system's appender. A disk that refuses writes refuses appends too: whatever the
// replacer is told to refuse fails here as well, leaving the file as it was.
class FakeFileAppender : public FileAppender {
public:
    explicit FakeFileAppender(FakeFileReplacer& replacer);
    std::vector<std::filesystem::path> appended; // every append that reached the file system
    Result appendIfUnchanged(const std::filesystem::path& target, std::uint64_t expectedSize,
                             std::string_view expectedTail, std::string_view bytes) override;

private:
    FakeFileReplacer& m_replacer;
    std::unique_ptr<FileAppender> m_real;
};

class FakeAllocator : public BlockAllocator {
public:
    bool refuse = false;
    std::vector<std::size_t> allocations; // sizes in bytes, in order
    int released = 0;
    bool lastBlockFullyBlank = false; // every 2-byte character of the last block was a blank
    void* allocate(std::size_t bytes) override;
    void release(void* block, std::size_t bytes) override;
};

class FakeClipboard : public Clipboard {
public:
    bool fail = false;
    int clears = 0;
    bool clear() override {
        ++clears;
        return !fail;
    }
};

class FakeAutostart : public Autostart {
public:
    std::map<std::string, std::string> values;
    int deletes = 0;
    bool refuse = false; // the entry can be neither written nor removed
    bool setRunValue(const std::string& name, const std::string& command) override {
        if (!refuse) {
            values[name] = command;
        }
        return !refuse;
    }
    bool deleteRunValue(const std::string& name) override {
        ++deletes;
        if (!refuse) {
            values.erase(name);
        }
        return values.count(name) == 0;
    }
    std::optional<std::string> runValue(const std::string& name) const override {
        auto it = values.find(name);
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
};

class FakeSoundPlayer : public SoundPlayer {
public:
    std::string fileName;
    std::vector<std::string> commands; // "file|verb"
    void setFileName(const std::string& path) override { fileName = path; }
    void command(std::string_view verb) override { commands.push_back(fileName + "|" + std::string(verb)); }
};

class FakeShell : public Shell {
public:
    std::vector<std::pair<std::string, std::string>> opened; // target, working directory
    std::vector<std::uintptr_t> owners;
    void open(const std::string& target, const std::string& dir, std::uintptr_t owner) override {
        opened.emplace_back(target, dir);
        owners.push_back(owner);
    }
};

class FakeLauncher : public ProcessLauncher {
public:
    std::vector<std::string> started;
    std::string failOn; // a command line that cannot be started
    bool startMinimized(const std::string& commandLine, const std::string&) override {
        if (!failOn.empty() && commandLine == failOn) {
            return false;
        }
        started.push_back(commandLine);
        return true;
    }
};

class FakeInstanceGuard : public InstanceGuard {
public:
    bool another = false;
    bool anotherInstanceRuns() override { return another; }
};

class FakeEnder : public ProcessEnder {
public:
    std::vector<int> calls;
    void endNow(int exitCode) override { calls.push_back(exitCode); }
    bool ended() const { return !calls.empty(); }
};

class FakeTrayAnimator : public TrayAnimator {
public:
    struct Call {
        ScreenRect window;
        int direction;
        std::uintptr_t nativeWindow;
    };
    std::vector<Call> calls;
    bool present = true; // a tray on the desktop
    std::vector<std::function<void()>> watches;
    bool trayPresent() const override { return present; }
    void watchForTray(std::function<void()> appeared) override { watches.push_back(std::move(appeared)); }
    // A tray comes and the desktop announces it.
    void trayAppears() {
        present = true;
        for (const auto& appeared : watches) {
            appeared();
        }
    }
    void animate(std::uintptr_t nativeWindow, const ScreenRect& window, const std::optional<ScreenRect>&,
                 const ScreenRect&, int direction) override {
        calls.push_back({window, direction, nativeWindow});
    }
};

// Records every box and answers with preset replies.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        std::string kind; // "message" / "confirm" / "open" / "save"
        std::string text;
        std::string title;
        MessageIcon icon = MessageIcon::None;
        std::string directory, fileName, suffix, filter;
    };
    std::vector<Shown> shown;
    std::deque<bool> confirmAnswers;              // default: OK
    std::deque<std::optional<std::string>> files; // default: cancelled

    void message(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool confirm(const std::string& text, const std::string& title) override;
    std::optional<std::string> openFile(const std::string& title, const std::string& directory,
                                        const std::string& filter) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& directory,
                                        const std::string& fileName, const std::string& suffix,
                                        const std::string& filter) override;
    std::vector<std::string> messages() const; // texts of the message boxes, in order
};

// A desktop whose tray kind and drag are set by the test, and whose session the test ends.
class FakeDesktop : public Desktop {
public:
    bool statusNotifierHost = false;
    bool systemMove = false;
    std::vector<std::uintptr_t> keptOffTaskbar; // native windows, in order
    std::vector<std::uintptr_t> trayMenuOwners;
    std::vector<std::function<void()>> sessionEndWatches;
    bool trayIsStatusNotifierHost() override { return statusNotifierHost; }
    void keepOffTaskbar(std::uintptr_t nativeWindow) override { keptOffTaskbar.push_back(nativeWindow); }
    bool dragBySystemMove() const override { return systemMove; }
    void prepareTrayMenu(std::uintptr_t ownerWindow) override { trayMenuOwners.push_back(ownerWindow); }
    void watchSessionEnd(std::function<void()> onEnd) override { sessionEndWatches.push_back(std::move(onEnd)); }
    // The desktop session ends the program.
    void endSession() {
        for (const auto& onEnd : sessionEndWatches) {
            onEnd();
        }
    }
};

// Every fake, plus the system's real code page converter.
class FakePlatform {
public:
    FakePlatform();
    std::unique_ptr<TextCodec> codecImpl;
    FakeMemorySource memory;
    FakeFileReplacer replacer;
    FakeFileAppender appender;
    FakeClock clock;
    FakeAllocator allocator;
    FakeClipboard clipboard;
    FakeAutostart autostart;
    FakeSoundPlayer sound;
    FakeShell shell;
    FakeLauncher launcher;
    FakeInstanceGuard instanceGuard;
    FakeEnder ender;
    FakeTrayAnimator trayAnimator;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    Platform platform;
};

} // namespace tarvik::test
