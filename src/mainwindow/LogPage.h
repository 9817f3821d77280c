#pragma once

#include "settings/EventLog.h"

#include <array>
#include <optional>
#include <QGroupBox>
#include <string>

class QLabel;

namespace tarvik {

struct AppContext;
class ClickLabel;
class LogView;

// `FmeLog`, page 4 of the main window: the event log as text, with refresh, save-as and clear.
// The log is read into the view when the page can be seen and the log changed since the view
// last showed it; while the window is hidden the view holds none of it.
class LogPage : public QGroupBox {
    Q_OBJECT
public:
    LogPage(AppContext& context, QWidget* parent = nullptr);

    // Reads Tarvik.log into the view (see above); on failure tells the user and keeps the view as
    // it was, whether or not the page can be seen.
    void LoadLogView();

    LogView* TxtRZ() const { return m_txtRZ; }
    ClickLabel* ImgaeSX() const { return m_images[0]; }
    ClickLabel* ImageSave() const { return m_images[1]; }
    ClickLabel* ImageQK() const { return m_images[2]; }
    QLabel* caption(int i) const { return m_captions[static_cast<std::size_t>(i)]; }

signals:
    void statusChanged(const QString& text);

public slots:
    void ImgaeSX_Click();
    void ImageSave_Click();
    void ImageQK_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Puts the log into the view unless it already shows the log as `now`; false when unreadable.
    bool showLog(const EventLog::Stamp& now);
    void reportUnreadable();
    // Shows the log's `bytes`, under a first line saying so when older entries are left out.
    void bytesToView(std::string bytes, bool olderLeftOut);

    AppContext& m_ctx;
    LogView* m_txtRZ = nullptr;
    std::optional<EventLog::Stamp> m_shown; // the log the view shows, or showed before the window hid
    bool m_holdsLog = false;                // the view holds that log's lines
    int m_topRow = 0;                       // where the reader was when the window hid
    std::array<ClickLabel*, 3> m_images{};
    std::array<QLabel*, 3> m_captions{};
};

} // namespace tarvik
