#include "about/Frmabout.h"

#include "about/AboutPicture.h"
#include "platform/Shell.h"
#include "settings/Texts.h"
#include "ui/ClickLabel.h"
#include "ui/ProgramIcon.h"
#include "ui/Twips.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVersionNumber>

namespace tarvik {

namespace {

// The labels lie over the picture and show it through their background.
template <typename Label> Label* overlayLabel(QWidget* parent, const QRect& geometry, const QColor& colour) {
    auto* label = new Label(parent);
    label->setGeometry(geometry);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
}

} // namespace

Frmabout::Frmabout(Shell& shell, std::string programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_shell(shell), m_programFolder(std::move(programFolder)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("关于"));
    setWindowIcon(ProgramIcon::icon());
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
    setFixedSize(twipsToPx(5385), twipsToPx(3585));

    m_image1 = new ClickLabel(this);
    m_image1->setGeometry(twipsRect(0, 0, 5400, 3600));
    m_image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image1->setPixmap(AboutPicture::draw());
    connect(m_image1, &ClickLabel::clicked, this, &Frmabout::Image1_Click);

    const QColor light(179, 210, 236);
    m_label1 = overlayLabel<ClickLabel>(this, twipsRect(120, 2760, 1695, 255), light);
    m_label2 = overlayLabel<ClickLabel>(this, twipsRect(120, 3000, 3015, 255), light);
    m_label2->setText(QString::fromUtf8(Texts::kAboutAuthor));
    m_label4 = overlayLabel<ClickLabel>(this, twipsRect(120, 3240, 2415, 255), QColor(224, 224, 224));
    m_label4->setText(QStringLiteral("E-mail:") + QString::fromUtf8(Texts::kAboutContact));
    m_label4->setCursor(Qt::PointingHandCursor);
    connect(m_label4, &ClickLabel::clicked, this, &Frmabout::Label4_Click);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    Form_Load();
}

QString Frmabout::versionText() {
    const QVersionNumber v = QVersionNumber::fromString(QCoreApplication::applicationVersion());
    return QStringLiteral("版本: %1.%2").arg(v.majorVersion()).arg(v.minorVersion());
}

void Frmabout::Form_Load() {
    m_label1->setText(versionText());
}

void Frmabout::Image1_Click() {
    close();
}

void Frmabout::Label4_Click() {
    m_shell.open(std::string("mailto:") + Texts::kAboutContact, m_programFolder, winId());
}

} // namespace tarvik
