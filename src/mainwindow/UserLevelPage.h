#pragma once

#include <array>
#include <QGroupBox>

class QLabel;
class QPushButton;
class QRadioButton;

namespace tarvik {

// `FmeJB`, page 3 of the main window: the three user levels, each with its explanation, and the
// short description `Label3JB` of the level chosen.
class UserLevelPage : public QGroupBox {
    Q_OBJECT
public:
    UserLevelPage(QWidget* parent = nullptr);

    // Chooses the option of a stored level; a level outside 1..3 chooses the beginner's.
    void selectLevel(int level);
    // The level of the chosen option; 1 when none is chosen.
    int chosenLevel() const;

    QRadioButton* OptCJ() const { return m_options[0]; }
    QRadioButton* OptZJ() const { return m_options[1]; }
    QRadioButton* OptGJ() const { return m_options[2]; }
    QLabel* Label3JB() const { return m_label3JB; }
    QPushButton* CmdSaveSet() const { return m_cmdSaveSet; }

public slots:
    void OptCJ_Click();
    void OptZJ_Click();
    void OptGJ_Click();

private:
    std::array<QRadioButton*, 3> m_options{};
    QLabel* m_label3JB = nullptr;
    QPushButton* m_cmdSaveSet = nullptr;
};

} // namespace tarvik
