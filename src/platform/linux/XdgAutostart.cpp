#include "platform/linux/XdgAutostart.h"

#include "platform/linux/XdgFolders.h"
#include "settings/Paths.h"

#include <fstream>
#include <string_view>
#include <vector>

namespace tarvik {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// Splits an unescaped Exec value into its arguments with the quoting rules of desktop entries
// (which are those of a POSIX shell's double quotes), leniently for hand-edited files.
std::vector<std::string> splitExec(std::string_view s) {
    std::vector<std::string> args;
    std::string current;
    bool inArg = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inArg) {
                args.push_back(std::move(current));
                current.clear();
                inArg = false;
            }
            continue;
        }
        inArg = true;
        if (c == '"') {
            for (++i; i < s.size() && s[i] != '"'; ++i) {
                if (s[i] == '\\' && i + 1 < s.size() &&
                    std::string_view("\"`$\\").find(s[i + 1]) != std::string_view::npos) {
                    ++i;
                }
                current += s[i];
            }
        } else if (c == '\'') {
            for (++i; i < s.size() && s[i] != '\''; ++i) {
                current += s[i];
            }
        } else if (c == '\\' && i + 1 < s.size()) {
            current += s[++i];
        } else {
            current += c;
        }
    }
    if (inArg) {
        args.push_back(std::move(current));
    }
    return args;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

} // namespace

XdgAutostart::XdgAutostart(FileReplacer& replacer) : m_replacer(replacer) {}

fs::path XdgAutostart::entryPath(const std::string& valueName) {
    const fs::path home = xdgBaseFolder("XDG_CONFIG_HOME", ".config");
    return home.empty() ? fs::path() : home / "autostart" / (valueName + ".desktop");
}

std::string XdgAutostart::execValue(const std::string& program) {
    std::string quoted;
    if (program.empty() || program.find_first_of(kReserved) != std::string::npos) {
        quoted = "\"";
        for (const char c : program) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') {
                quoted += '\\';
            }
            quoted += c;
        }
        quoted += '"';
    } else {
        quoted = program;
    }
    // Then the field-code rule (a literal % is %%) and the escapes every string value takes.
    std::string out;
    for (const char c : quoted) {
        switch (c) {
        case '%':
            out += "%%";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> XdgAutostart::programFromExec(const std::string& exec) {
    std::string unescaped;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (c == '\\' && i + 1 < exec.size()) {
            const char e = exec[++i];
            unescaped += e == 's' ? ' ' : e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
        } else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
            unescaped += '%';
            ++i;
        } else {
            unescaped += c;
        }
    }
    std::vector<std::string> args = splitExec(unescaped);
    if (args.empty()) {
        return std::nullopt;
    }
    // An entry edited by hand may carry arguments; they are part of the command then.
    std::string command = args.front();
    for (std::size_t i = 1; i < args.size(); ++i) {
        command += ' ';
        command += args[i];
    }
    return command;
}

bool XdgAutostart::setRunValue(const std::string& valueName, const std::string& command) {
    const fs::path path = entryPath(valueName);
    if (path.empty()) {
        return false;
    }
    std::error_code ec;
    createPrivateFolders(path.parent_path(), ec);
    const std::string entry = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=塔维内存整理\n"
                              "Name[en]=Tarvik\n"
                              "Exec=" +
                              execValue(command) +
                              "\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n";
    return m_replacer.replaceFile(path, entry);
}

bool XdgAutostart::deleteRunValue(const std::string& valueName) {
    const fs::path path = entryPath(valueName);
    if (path.empty()) {
        return true; // without a config folder there is no entry to start the program
    }
    std::error_code ec;
    fs::remove(path, ec);
    // Whatever is left under the entry's name (a dangling link too) is still an entry.
    return fs::symlink_status(path, ec).type() == fs::file_type::not_found;
}

std::optional<std::string> XdgAutostart::runValue(const std::string& valueName) const {
    const fs::path path = entryPath(valueName);
    if (path.empty()) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string line;
    bool inMainGroup = false;
    std::optional<std::string> exec;
    while (std::getline(in, line)) {
        const std::string_view l = trim(line);
        if (l.empty() || l.front() == '#') {
            continue;
        }
        if (l.front() == '[') {
            inMainGroup = l == "[Desktop Entry]";
            continue;
        }
        const std::size_t eq = l.find('=');
        if (!inMainGroup || eq == std::string_view::npos) {
            continue;
        }
        const std::string_view key = trim(l.substr(0, eq));
        const std::string_view value = trim(l.substr(eq + 1));
        if (key == "Exec") {
            exec = programFromExec(std::string(value));
        } else if (key == "Hidden" && value == "true") {
            // XDG autostart treats a hidden entry as deleted.
            return std::nullopt;
        }
    }
    return exec;
}

} // namespace tarvik
