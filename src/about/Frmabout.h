#pragma once

#include <QWidget>
#include <string>

class QLabel;

namespace tarvik {

class ClickLabel;
class Shell;

// The about box: a borderless picture with the version, the author and the contact address.
// A click on the picture closes it; a click on the contact line opens the user's mail program.
class Frmabout : public QWidget {
    Q_OBJECT
public:
    Frmabout(Shell& shell, std::string programFolder, QWidget* parent = nullptr);

    // "版本: " with the major and minor version of the application.
    static QString versionText();

    ClickLabel* Image1() const { return m_image1; }
    QLabel* Label1() const { return m_label1; }
    QLabel* Label2() const { return m_label2; }
    ClickLabel* Label4() const { return m_label4; }

public slots:
    void Image1_Click();
    void Label4_Click();

private:
    void Form_Load();

    Shell& m_shell;
    std::string m_programFolder;
    ClickLabel* m_image1 = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    ClickLabel* m_label4 = nullptr;
};

} // namespace tarvik
