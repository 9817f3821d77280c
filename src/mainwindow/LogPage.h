#pragma once

#include <array>
#include <QGroupBox>

class QLabel;
class QPlainTextEdit;

namespace tarvik {

struct AppContext;
class ClickLabel;

// `FmeLog`, page 4 of the main window: the event log as text, with refresh, save-as and clear.
class LogPage : public QGroupBox {
    Q_OBJECT
public:
    LogPage(AppContext& context, QWidget* parent = nullptr);

    // Reads Tarvik.log into the view; on failure tells the user and keeps the view as it was.
    void LoadLogView();
    // The text last loaded into the view: every line followed by CR LF.
    const QString& viewText() const { return m_text; }

    QPlainTextEdit* TxtRZ() const { return m_txtRZ; }
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

private:
    void showText(const QString& text);

    AppContext& m_ctx;
    QString m_text;
    QPlainTextEdit* m_txtRZ = nullptr;
    std::array<ClickLabel*, 3> m_images{};
    std::array<QLabel*, 3> m_captions{};
};

} // namespace tarvik
