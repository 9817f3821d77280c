#pragma once

#include "settings/SettingsRecord.h"

#include <cstdint>
#include <optional>
#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace tarvik {

// `FmeRun`, page 2 of the main window: automatic memory reports and their interval, start at
// log-on, hiding the monitor at start and the monitor's chart style. Two settings ride along
// unseen: the CPU option `ChkCPU_ZL` and the batch-start list `List1` in the hidden `FmePQ`.
class SoftwareSettingsPage : public QGroupBox {
    Q_OBJECT
public:
    SoftwareSettingsPage(QWidget* parent = nullptr);

    // The interval box gets the stored minutes as they are; minutes outside 10..60 are kept
    // for the save until the box is changed.
    void fillInterval(std::uint8_t stored);
    std::optional<std::uint8_t> heldInterval() const { return m_heldInterval; }
    // A style outside the list chooses no entry and is kept for the save.
    void fillChartStyle(std::uint8_t stored);

    // The batch-start list: each entry's text is its command line, its tick whether it starts.
    void setBatchStartList(const BatchStartList& list);
    BatchStartList batchStartList() const;

    // The chart style the save stores.
    std::uint8_t ChartStylePending = 0;

    QWidget* FmeSoftSet() const { return m_fmeSoftSet; }
    QCheckBox* ChkZDJL() const { return m_chkZDJL; }
    QLineEdit* TxtZDJL() const { return m_txtZDJL; }
    // Text the program puts into the minutes box, which the box's two-character limit leaves whole.
    void setIntervalText(const QString& text);
    QScrollBar* VScrollZDJL() const { return m_vScrollZDJL; }
    QLabel* Label1() const { return m_label1; }
    QCheckBox* Chkrun() const { return m_chkrun; }
    QCheckBox* ChkYC() const { return m_chkYC; }
    QCheckBox* ChkCPU_ZL() const { return m_chkCPU_ZL; }
    QComboBox* CmbJM() const { return m_cmbJM; }
    QGroupBox* FmePQ() const { return m_fmePQ; }
    QListWidget* List1() const { return m_list1; }
    QPushButton* CmdSaveSet() const { return m_cmdSaveSet; }

public slots:
    void ChkZDJL_Click(bool ticked);
    void VScrollZDJL_Change(int value);
    void CmbJM_Change(int index);

private:
    std::optional<std::uint8_t> m_heldInterval;

    QWidget* m_fmeSoftSet = nullptr;
    QCheckBox* m_chkZDJL = nullptr;
    QLabel* m_lblZDJL = nullptr;
    QLineEdit* m_txtZDJL = nullptr;
    class TwoCharacters;
    TwoCharacters* m_intervalLimit = nullptr;
    QScrollBar* m_vScrollZDJL = nullptr;
    QLabel* m_label1 = nullptr;
    QCheckBox* m_chkrun = nullptr;
    QCheckBox* m_chkYC = nullptr;
    QCheckBox* m_chkCPU_ZL = nullptr;
    QComboBox* m_cmbJM = nullptr;
    QGroupBox* m_fmePQ = nullptr;
    QListWidget* m_list1 = nullptr;
    QPushButton* m_cmdSaveSet = nullptr;
};

} // namespace tarvik
