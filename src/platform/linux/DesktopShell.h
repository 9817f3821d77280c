#pragma once

#include "platform/Shell.h"

#include <QUrl>

namespace tarvik {

// Opens documents and links through the desktop's handlers (xdg-open behind QDesktopServices).
class DesktopShell : public Shell {
public:
    void open(const std::string& target, const std::string& workingDirectory, std::uintptr_t ownerWindow) override;

    // What `open` hands to the desktop: a link as it is, anything else as a local file,
    // relative paths taken from `workingDirectory`.
    static QUrl urlFor(const std::string& target, const std::string& workingDirectory);

    // Few Linux desktops can show a CHM file. Without a viewer, a help file "X.chm" opens as the
    // HTML pages laid beside it in "help/index.html", when they are there; any other URL stays.
    static QUrl helpFallback(const QUrl& url, bool chmViewerKnown);
    // Whether a desktop file claims CHM files (mimeapps.list or mimeinfo.cache in the XDG folders).
    static bool chmViewerKnown();
};

} // namespace tarvik
