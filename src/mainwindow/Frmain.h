#pragma once

#include "app/MainWindowPage.h"

#include <array>
#include <functional>
#include <optional>
#include <QWidget>
#include <string>

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace tarvik {

struct AppContext;
class LogPage;
class MemoryInfoPage;
class PageStrip;
class SoftwareSettingsPage;
class UserLevelPage;
class UserSettingsPage;

// The main window: the page strip on the left, five pages on the right of which exactly one is
// visible, the status line and the buttons "关于" and "帮助".
class Frmain : public QWidget {
    Q_OBJECT
public:
    explicit Frmain(AppContext& context, QWidget* parent = nullptr);
    ~Frmain() override;

    // Fills every page; run once, right after the window is built.
    void Form_Load();
    // Refills the settings pages from the stored settings and reloads the log view.
    void RefreshPages();
    // Puts the stored settings into the controls of the three settings pages and applies the
    // level rules. false when the batch-start file could not be read (the process is ending).
    bool FillSettingsControls();
    // Reads afn.dxl into the software page's batch-start list; an unreadable file ends the program.
    bool LoadBatchStartView();
    // Makes `page` visible and hides the four others, in page order.
    void showPage(MainWindowPage page);
    // The visible page, or none (never after a page command).
    std::optional<MainWindowPage> currentPage() const;

    void setShowAbout(std::function<void()> showAbout) { m_showAbout = std::move(showAbout); }
    // Applies the stored chart style to the monitor window at once; the settings save uses it.
    void setApplyChartStyle(std::function<void()> apply) { m_applyChartStyle = std::move(apply); }

    QGroupBox* pageFrame(MainWindowPage page) const { return m_pages[static_cast<std::size_t>(page)]; }
    MemoryInfoPage* memoryPage() const { return m_memoryPage; }
    UserSettingsPage* userSettingsPage() const { return m_userPage; }
    SoftwareSettingsPage* softwareSettingsPage() const { return m_softwarePage; }
    UserLevelPage* userLevelPage() const { return m_levelPage; }
    LogPage* logPage() const { return m_logPage; }
    PageStrip* Picmain() const { return m_strip; }
    QLabel* LabelTS() const { return m_labelTS; }
    QPushButton* CmdAbout() const { return m_cmdAbout; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }
    QTimer* Timer1() const { return m_timer1; }

signals:
    // The user closed the window with its close box; it is deleted next.
    void closedByUser();

public slots:
    void Timer1_Timer();
    void Imgmain_Click(int index);
    void CmdHelp_Click();
    void CmdAbout_Click();
    // The "保存设置" buttons: 0 user settings, 1 software settings, 2 user level.
    void CmdSaveSet_Click(int index);
    void setStatus(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class SaveOutcome { Saved, Refused, Failed };
    SaveOutcome SaveUserSettings();
    SaveOutcome SaveSoftwareSettings();
    SaveOutcome SaveUserLevel();
    // Refuses, with a message, an alarm sound path that a settings line cannot hold.
    bool soundFileStorable(const std::string& path);
    // info.dxl with the alarm choice of the user settings page, then its copy over set.dxl.
    bool writeSettingsFiles(bool alarmFromUserPage);
    void SelectStoredUsageType();

    AppContext& m_ctx;
    std::function<void()> m_showAbout;
    std::function<void()> m_applyChartStyle;

    PageStrip* m_strip = nullptr;
    std::array<QGroupBox*, kMainWindowPages> m_pages{};
    MemoryInfoPage* m_memoryPage = nullptr;
    UserSettingsPage* m_userPage = nullptr;
    SoftwareSettingsPage* m_softwarePage = nullptr;
    UserLevelPage* m_levelPage = nullptr;
    LogPage* m_logPage = nullptr;
    QLabel* m_labelTS = nullptr;
    QPushButton* m_cmdAbout = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QTimer* m_timer1 = nullptr;
};

} // namespace tarvik
