#pragma once

#include <optional>
#include <string>

namespace tarvik {

enum class MessageIcon { None, Information, Question };

// Message boxes and file dialogs. Texts are UTF-8; an empty title means the program's title.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with a single OK button.
    virtual void message(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // A modal box with OK and Cancel and the question icon; true for OK.
    virtual bool confirm(const std::string& text, const std::string& title) = 0;
    // Open-file dialog; nullopt when cancelled. `filter` uses the "描述(*.a;*.b)|*.a;*.b" form.
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& directory,
                                                const std::string& filter) = 0;
    // Save-file dialog; nullopt when cancelled.
    virtual std::optional<std::string> saveFile(const std::string& title, const std::string& directory,
                                                const std::string& fileName, const std::string& defaultSuffix,
                                                const std::string& filter) = 0;
};

} // namespace tarvik
