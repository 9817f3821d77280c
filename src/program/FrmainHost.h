#pragma once

#include "app/MainWindowHost.h"

#include <functional>
#include <QPointer>

namespace tarvik {

struct AppContext;
class Frmabout;
class Frmain;

// Owns the main window and the about box: builds the window on demand, rebuilds it after the
// user closed it, and keeps a single about box for the whole program.
class FrmainHost : public MainWindowHost {
public:
    explicit FrmainHost(AppContext& context);
    ~FrmainHost() override;
    FrmainHost(const FrmainHost&) = delete;
    FrmainHost& operator=(const FrmainHost&) = delete;

    void create() override;
    void showWindow() override;
    void hideWindow() override;
    void openAtPage(MainWindowPage page) override;
    void chartStyleChanged() override;
    std::optional<std::array<std::string, 4>> memoryCaptions() const override;

    // Shows the about box, or brings the open one forward.
    void showAbout();
    // How the settings save applies a new chart style to the monitor window.
    void setApplyChartStyle(std::function<void()> apply);

    Frmain* window() const;
    Frmabout* aboutBox() const;

private:
    AppContext& m_ctx;
    std::function<void()> m_applyChartStyle;
    QPointer<Frmain> m_window;
    QPointer<Frmabout> m_about;
};

} // namespace tarvik
