#pragma once

#include "platform/Shell.h"

#include <QUrl>

namespace tarvik {

// Opens documents and links through the desktop's handlers (xdg-open behind QDesktopServices).
class DesktopShell : public Shell {
public:
    void open(const std::string& target, const std::string& workingDirectory) override;

    // What `open` hands to the desktop: a link as it is, anything else as a local file,
    // relative paths taken from `workingDirectory`.
    static QUrl urlFor(const std::string& target, const std::string& workingDirectory);
};

} // namespace tarvik
