#pragma once

#include "platform/Autostart.h"
#include "platform/FileReplacer.h"

#include <filesystem>

namespace tarvik {

// The log-on entry as an XDG autostart file, $XDG_CONFIG_HOME/autostart/<valueName>.desktop,
// which every freedesktop session starts at log-on.
class XdgAutostart : public Autostart {
public:
    explicit XdgAutostart(FileReplacer& replacer);

    bool setRunValue(const std::string& valueName, const std::string& command) override;
    bool deleteRunValue(const std::string& valueName) override;
    std::optional<std::string> runValue(const std::string& valueName) const override;

    // The Exec value for a program path, quoted and escaped as desktop entries require, and back.
    static std::string execValue(const std::string& program);
    static std::optional<std::string> programFromExec(const std::string& exec);

private:
    static std::filesystem::path entryPath(const std::string& valueName);

    FileReplacer& m_replacer;
};

} // namespace tarvik
