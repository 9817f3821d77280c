#pragma once

#include "monitor/MainWindowHost.h"

#include <QPointer>
#include <QWidget>

namespace tarvik {

struct AppContext;

// Owns the main window: builds it on demand and rebuilds it after the user closed it.
class FrmainHost : public MainWindowHost {
public:
    explicit FrmainHost(AppContext& context);
    ~FrmainHost() override;

    void create() override;
    void showWindow() override;
    void hideWindow() override;
    void openAtPage(Page page) override;
    std::optional<std::array<std::string, 4>> memoryCaptions() const override;

    QWidget* window() const { return m_window; }

private:
    AppContext& m_ctx;
    QPointer<QWidget> m_window;
};

} // namespace tarvik
