#include "platform/linux/DesktopShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>

namespace tarvik {

QUrl DesktopShell::urlFor(const std::string& target, const std::string& workingDirectory) {
    const QString text = QString::fromStdString(target).trimmed();
    if (text.isEmpty()) {
        return {};
    }
    // A scheme has at least two letters, so a "C:\..." path left over from a Windows setting
    // is not taken for a link.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(text).hasMatch()) {
        return QUrl(text);
    }
    const QDir base(workingDirectory.empty() ? QDir::currentPath() : QString::fromStdString(workingDirectory));
    return QUrl::fromLocalFile(QDir::cleanPath(base.absoluteFilePath(text)));
}

void DesktopShell::open(const std::string& target, const std::string& workingDirectory) {
    // The desktop services belong to the GUI application; without one there is nothing to ask.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return;
    }
    const QUrl url = urlFor(target, workingDirectory);
    if (url.isValid()) {
        QDesktopServices::openUrl(url);
    }
}

} // namespace tarvik
