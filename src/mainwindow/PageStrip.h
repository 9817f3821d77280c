#pragma once

#include <array>
#include <QFrame>

class QLabel;
class QScrollBar;

namespace tarvik {

class ClickLabel;

// `Picmain`: the white viewport on the left of the main window holding the scrollable strip
// `Framain` of six page buttons (icons `Imgmain`, captions `Label5`) and its scroll bar `VSCmain`.
class PageStrip : public QFrame {
    Q_OBJECT
public:
    static constexpr int kButtons = 6;
    static constexpr int kStripHeightTwips = 5895;

    explicit PageStrip(QWidget* parent = nullptr);

    QWidget* Framain() const { return m_framain; }
    QLabel* ImgMain00() const { return m_imgMain00; }
    ClickLabel* Imgmain(int i) const { return m_imgmain[static_cast<std::size_t>(i)]; }
    QLabel* Label5(int i) const { return m_label5[static_cast<std::size_t>(i)]; }
    QScrollBar* VSCmain() const { return m_vscMain; }
    // The strip's top in twips as last set by the scroll bar.
    int FramainTop() const { return m_framainTop; }

signals:
    void Imgmain_Click(int index);

public slots:
    void VSCmain_Change();
    void VSCmain_Scroll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setFramainTop(int twips);
    void setCaptionColour(int index, const QColor& colour);

    QWidget* m_client = nullptr;
    QWidget* m_framain = nullptr;
    QLabel* m_imgMain00 = nullptr;
    std::array<ClickLabel*, kButtons> m_imgmain{};
    std::array<QLabel*, kButtons> m_label5{};
    QScrollBar* m_vscMain = nullptr;
    int m_framainTop = 0;
};

} // namespace tarvik
