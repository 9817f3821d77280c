#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <QGroupBox>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tarvik {

struct AppContext;

// `FmeSet`, page 1 of the main window: the computer usage type with its three presets and, in
// the frame `FmeZL`, how and when memory is released. The presets work through the controls'
// own change handlers, so the pending values and the enabled states follow whatever they set.
class UserSettingsPage : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int kCustomUsage = 3;
    // Supervision ticks of the period list's elements "15分钟" .. "60分钟".
    static constexpr std::array<std::int16_t, 4> kPeriodTicks{180, 360, 480, 720};
    // The element of a tick count, or -1 when none has it.
    static int periodElement(std::int16_t ticks);

    UserSettingsPage(AppContext& context, QWidget* parent = nullptr);

    // How "自定义..." refills every settings page from the stored settings.
    void setFillSettingsControls(std::function<void()> fill) { m_fillSettingsControls = std::move(fill); }

    // A stored value outside a slider's range: the slider shows the nearest value it has, and the
    // stored one is what the save keeps until the slider is set again.
    void fillReleaseLevel(std::uint8_t stored);
    void fillMinimum(std::uint8_t stored);
    std::uint8_t releaseLevel() const;
    std::uint8_t minFreePercent() const;

    // The values the save stores for the alarm, the automatic release and the period.
    bool AlarmPending = false;
    bool AutoReleasePending = false;
    std::int16_t PeriodTicksPending = 720;

    QComboBox* CmbLX() const { return m_cmbLX; }
    QLabel* Label1LXJS() const { return m_label1LXJS; }
    QGroupBox* FmeZL() const { return m_fmeZL; }
    QScrollBar* HScrollDX() const { return m_hScrollDX; }
    QLabel* Label1ZLVal() const { return m_label1ZLVal; }
    QScrollBar* HScrollZL() const { return m_hScrollZL; }
    QCheckBox* Chkzl() const { return m_chkzl; }
    QCheckBox* Chksou() const { return m_chksou; }
    QLineEdit* Text1() const { return m_text1; }
    QPushButton* Com1() const { return m_com1; }
    QCheckBox* ChkMZ() const { return m_chkMZ; }
    QComboBox* CmbMZ() const { return m_cmbMZ; }
    QCheckBox* ChkQK() const { return m_chkQK; }
    QPushButton* CmdSaveSet() const { return m_cmdSaveSet; }

public slots:
    void CmbLX_Click(int index);
    void HScrollZL_Change(int value);
    void Chksou_Click(bool ticked);
    void Chkzl_Click(bool ticked);
    void ChkMZ_Click(bool ticked);
    void CmbMZ_Click(int index);
    void Com1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyPreset(int usage);
    std::string factorySound() const;

    AppContext& m_ctx;
    std::function<void()> m_fillSettingsControls;
    std::optional<std::uint8_t> m_heldReleaseLevel;
    std::optional<std::uint8_t> m_heldMinimum;
    bool m_inChkMZ = false;

    QComboBox* m_cmbLX = nullptr;
    QLabel* m_label1LXJS = nullptr;
    QGroupBox* m_fmeZL = nullptr;
    QLabel* m_label1DX = nullptr;
    std::array<QLabel*, 2> m_label1D{};
    QScrollBar* m_hScrollDX = nullptr;
    QLabel* m_label1ZLVal = nullptr;
    QScrollBar* m_hScrollZL = nullptr;
    QCheckBox* m_chkzl = nullptr;
    QCheckBox* m_chksou = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_com1 = nullptr;
    QCheckBox* m_chkMZ = nullptr;
    QComboBox* m_cmbMZ = nullptr;
    QLabel* m_label1ZDZL = nullptr;
    QCheckBox* m_chkQK = nullptr;
    QPushButton* m_cmdSaveSet = nullptr;
};

} // namespace tarvik
