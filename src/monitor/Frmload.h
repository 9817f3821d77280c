#pragma once

#include "app/AppContext.h"
#include "app/MainWindowHost.h"
#include "memory/Supervisor.h"
#include "monitor/WindowDrag.h"

#include <array>
#include <QPointer>
#include <QWidget>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace tarvik {

class ChartSurface;
class CurtMenu;
class TrayClicks;

// The monitor window and the program's start-up object: a small borderless, always-on-top
// window showing the free physical memory as a bar, a line chart or a peak chart, with the tray
// icon, the popup menu and the timers that supervise memory.
class Frmload : public QWidget, private SupervisionActions {
    Q_OBJECT
public:
    Frmload(AppContext& context, MainWindowHost& mainWindow, QWidget* parent = nullptr);
    ~Frmload() override;

    // The start-up sequence. false when it ended the process (through ProcessEnder).
    bool Form_Load();

    void SetJm();
    void ZLMem();
    void DrawCharts();
    void ToggleMonitorWindow();
    // The free percentage as the bar shows it: its whole-pixel width in twips ÷ 12.
    float BarPercent() const;
    MonitorPlacement currentPlacement() const;
    // Device pixels per logical pixel of the charts; the window follows its screen's, tests set one.
    void setChartPixelRatio(double ratio);

    // Controls, for the main window and for tests.
    QWidget* panel(int style) const { return m_fme[static_cast<std::size_t>(style)]; }
    QWidget* Label4() const { return m_label4; }
    QLabel* Label1(int i) const { return m_label1[static_cast<std::size_t>(i)]; }
    QLabel* LabelJM(int i) const { return m_labelJM[static_cast<std::size_t>(i)]; }
    ChartSurface* Pic1() const { return m_pic1; }
    ChartSurface* Pic2() const { return m_pic2; }
    CurtMenu* MNU();
    CurtMenu* MnuJM();
    QAction* MnuYC();
    QSystemTrayIcon* trayIcon() const { return m_tray; }
    QTimer* timer(int n) const; // 1, 2 or 3; Timer1 and Timer3 run on one timer
    // Runs while a tray that comes may still hide a window shown only for want of one.
    QTimer* lateTrayTimer() const { return m_lateTrayTimer; }
    Supervisor& supervisor() { return m_supervisor; }
    const std::array<double, 43>& LineHistory() const { return m_lineHistory; }
    const std::array<double, 43>& PeakHistory() const { return m_peakHistory; }

public slots:
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    void MnuYC_Click();
    void MnuZL_Click();
    void MnuQK_Click();
    void MnuRZ_Click();
    void MnuZCK_Click();
    void MnuSet_Click();
    void MnuHelp_Click();
    void MnuExit_Click();
    void MnuJM_Click(int style); // MnuJM0..MnuJM2
    void LabelJM_Click(int index);
    // Closing by the system (log-off) or from the keyboard: saves the placement only.
    void Form_Unload();
    // The tray icon's events: double-click (a StatusNotifierItem host's single activation)
    // toggles the window, the context click opens the menu.
    void trayActivated(int reason);
    // Double-click on the bar, its panel or a chart.
    void toggleMainWindow();
    // The desktop announced a tray: the icon goes there, and a window shown at start only because
    // there was none is hidden as the settings ask, unless the user has taken it in hand or the
    // start is long past.
    void trayAppeared();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // SupervisionActions
    std::optional<float> barPercent() override { return m_figuresCurrent ? std::optional(BarPercent()) : std::nullopt; }
    void soundAlarm() override;
    void releaseMemory() override { ZLMem(); }
    void appendLog(const std::string& message) override;
    std::string memoryReport() override;
    void writePlacement() override;

    void buildPanels();
    void buildMenus();
    void buildTray();
    // Without a tray at start: the icon waits for one, and `mayHide` lets it hide the window.
    void watchForLateTray(bool mayHide);
    void startTimers();
    // false when the stored place cannot be a pixel position; the window then stays where it was.
    bool applyPlacement(const MonitorPlacement& placement);
    void moveWithinReach(bool placeable);
    void applySettings(const SettingsRecord& settings);
    bool readSettingsFiles();
    bool failStartup(const char* logLine, const char* message);
    void renderVisibleCharts();
    void followPixelRatio();
    void setCaptionIfChanged(QLabel* label, const QString& text);
    // Sizes the percentage figures and the ">" buttons to their texts (from then on as they
    // change) and gives the window its icon.
    void prepareFirstPaint();
    void fitLabelToText(QLabel* label);
    // Gives the latest caption and tooltip to the percentage labels that can be seen.
    void showFigures();
    template <typename Step> void guarded(Step&& step);
    void setMonitorShown(bool shown);
    void popupMenuAt(const QPoint& globalPos, bool centred);
    void animateToTray(int direction);

    AppContext& m_ctx;
    MainWindowHost& m_mainWindow;
    Supervisor m_supervisor;
    WindowDrag m_drag;

    std::array<QWidget*, 3> m_fme{};
    QWidget* m_label4 = nullptr;
    std::array<QLabel*, 3> m_label1{};
    std::array<QLabel*, 3> m_labelJM{};
    ChartSurface* m_pic1 = nullptr;
    ChartSurface* m_pic2 = nullptr;
    std::array<double, 43> m_lineHistory{};
    std::array<double, 43> m_peakHistory{};
    std::array<bool, 2> m_chartStale{true, true}; // line chart, peak chart
    QString m_caption;                            // the percentage labels' caption and tooltip of the latest sample
    QString m_tip;
    int m_captionPercent = -1;     // the figures they show; -1 before the first sample
    bool m_figuresCurrent = false; // the latest sample was read
    bool m_sampleFailed = false;   // the latest sample could not be read (and was logged)
    std::uint64_t m_tipMB = 0;

    CurtMenu* m_mnu = nullptr;
    CurtMenu* m_mnuJM = nullptr;
    QAction* m_mnuYC = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    TrayClicks* m_trayClicks = nullptr;
    QTimer* m_timer1 = nullptr; // also runs Timer3_Timer
    QTimer* m_timer2 = nullptr;
    QTimer* m_timer3 = nullptr;                // the same timer as m_timer1
    bool m_loaded = false;                     // the start-up went through; before that no file may be written
    bool m_textsMeasured = false;              // the labels are sized to their texts (after the start-up's tray icon)
    static constexpr int kLateTrayMs = 120000; // later, the user has had the window before them
    bool m_lateTrayHides = false;              // shown only for want of a tray, and not yet touched
    QTimer* m_lateTrayTimer = nullptr;
    bool m_followsScreen = false; // the native window's screen changes are followed
    QMetaObject::Connection m_screenScale;
};

} // namespace tarvik
