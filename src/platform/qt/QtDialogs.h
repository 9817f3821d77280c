#pragma once

#include "platform/Dialogs.h"

#include <QString>

namespace tarvik {

// Message boxes and file dialogs, parented to the active window.
class QtDialogs : public Dialogs {
public:
    void message(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool confirm(const std::string& text, const std::string& title) override;
    std::optional<std::string> openFile(const std::string& title, const std::string& directory,
                                        const std::string& filter) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& directory,
                                        const std::string& fileName, const std::string& defaultSuffix,
                                        const std::string& filter) override;

    // "描述(*.a;*.b)|*.a;*.b|..." as Qt's name filters, "描述(*.a *.b);;...".
    static QString toQtFilter(const std::string& filter);
};

} // namespace tarvik
