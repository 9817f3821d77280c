#include "fakes/FakePlatform.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace tarvik::test {

void FakeMemorySource::set(std::uint64_t totalPhys, std::uint64_t availPhys) {
    next.dwLength = 32;
    next.dwTotalPhys = totalPhys;
    next.dwAvailPhys = availPhys;
    next.dwTotalPageFile = totalPhys * 2;
    next.dwAvailPageFile = totalPhys * 8 / 5;
    next.dwTotalVirtual = 2147352576ULL;
    next.dwAvailVirtual = 2104492032ULL;
}

FakeFileReplacer::FakeFileReplacer() : m_real(makeSystemFileReplacer()) {}

bool FakeFileReplacer::refuses(const std::filesystem::path& target) {
    if (failAll) {
        return true;
    }
    if (failNext > 0) {
        --failNext;
        return true;
    }
    for (const std::string& name : failNames) {
        if (strcasecmp(target.filename().string().c_str(), name.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

bool FakeFileReplacer::replaceFile(const std::filesystem::path& target, std::string_view bytes) {
    if (refuses(target)) {
        return false;
    }
    written.push_back(target);
    return m_real->replaceFile(target, bytes);
}

FakeFileAppender::FakeFileAppender(FakeFileReplacer& replacer)
    : m_replacer(replacer), m_real(makeSystemFileAppender()) {}

FileAppender::Result FakeFileAppender::appendIfUnchanged(const std::filesystem::path& target,
                                                         std::uint64_t expectedSize, std::string_view expectedTail,
                                                         std::string_view bytes) {
    if (m_replacer.refuses(target)) {
        return Result::Failed;
    }
    appended.push_back(target);
    return m_real->appendIfUnchanged(target, expectedSize, expectedTail, bytes);
}

void* FakeAllocator::allocate(std::size_t bytes) {
    allocations.push_back(bytes);
    if (refuse) {
        return nullptr;
    }
    return std::malloc(bytes);
}

void FakeAllocator::release(void* block, std::size_t bytes) {
    ++released;
    const auto* p = static_cast<const unsigned char*>(block);
    lastBlockFullyBlank = bytes % 2 == 0;
    for (std::size_t i = 0; i + 1 < bytes && lastBlockFullyBlank; i += 2) {
        lastBlockFullyBlank = p[i] == 0x20 && p[i + 1] == 0x00;
    }
    std::free(block);
}

void FakeDialogs::message(const std::string& text, const std::string& title, MessageIcon icon) {
    shown.push_back({"message", text, title, icon, {}, {}, {}, {}});
}

bool FakeDialogs::confirm(const std::string& text, const std::string& title) {
    shown.push_back({"confirm", text, title, MessageIcon::Question, {}, {}, {}, {}});
    if (confirmAnswers.empty()) {
        return true;
    }
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakeDialogs::openFile(const std::string& title, const std::string& directory,
                                                 const std::string& filter) {
    shown.push_back({"open", {}, title, MessageIcon::None, directory, {}, {}, filter});
    if (files.empty()) {
        return std::nullopt;
    }
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<std::string> FakeDialogs::saveFile(const std::string& title, const std::string& directory,
                                                 const std::string& fileName, const std::string& suffix,
                                                 const std::string& filter) {
    shown.push_back({"save", {}, title, MessageIcon::None, directory, fileName, suffix, filter});
    if (files.empty()) {
        return std::nullopt;
    }
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::vector<std::string> FakeDialogs::messages() const {
    std::vector<std::string> texts;
    for (const auto& s : shown) {
        if (s.kind == "message") {
            texts.push_back(s.text);
        }
    }
    return texts;
}

FakePlatform::FakePlatform()
    : codecImpl(makeSystemTextCodec()),
      appender(replacer), platform{memory,    *codecImpl,   replacer, appender, clock,    allocator,
                                   clipboard, autostart,    sound,    shell,    launcher, instanceGuard,
                                   ender,     trayAnimator, dialogs,  desktop} {}

} // namespace tarvik::test
