#pragma once

#include "app/MainWindowPage.h"

#include <array>
#include <optional>
#include <string>

namespace tarvik {

// The main window as the monitor window sees it: built on demand, shown, hidden, opened at a page.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // Builds the window hidden when it does not exist yet.
    virtual void create() = 0;
    // Shows the window not modal, building it first when needed; pages and position stay.
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // Shows the window at a page, restores it from minimised and asks it to refresh its pages.
    virtual void openAtPage(MainWindowPage page) = 0;
    // The stored chart style changed outside the window (the monitor window's style menu).
    virtual void chartStyleChanged() = 0;
    // The four captions of the memory page as they stand, when the window exists.
    virtual std::optional<std::array<std::string, 4>> memoryCaptions() const = 0;
};

} // namespace tarvik
