#include "platform/linux/DesktopShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStandardPaths>

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

void DesktopShell::open(const std::string& target, const std::string& workingDirectory, std::uintptr_t) {
    // The desktop services belong to the GUI application; without one there is nothing to ask.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return;
    }
    QUrl url = urlFor(target, workingDirectory);
    if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".chm"), Qt::CaseInsensitive)) {
        url = helpFallback(url, chmViewerKnown());
    }
    if (url.isValid()) {
        QDesktopServices::openUrl(url);
    }
}

QUrl DesktopShell::helpFallback(const QUrl& url, bool chmViewerKnown) {
    if (chmViewerKnown || !url.isLocalFile()) {
        return url;
    }
    const QFileInfo file(url.toLocalFile());
    if (file.suffix().compare(QStringLiteral("chm"), Qt::CaseInsensitive) != 0) {
        return url;
    }
    const QString pages = file.dir().filePath(QStringLiteral("help/index.html"));
    return QFileInfo::exists(pages) ? QUrl::fromLocalFile(pages) : url;
}

bool DesktopShell::chmViewerKnown() {
    QStringList lists;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        lists << dir + QStringLiteral("/mimeapps.list");
    }
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        lists << dir + QStringLiteral("/mimeapps.list") << dir + QStringLiteral("/mimeinfo.cache");
    }
    static const QRegularExpression claim(QStringLiteral("^\\s*application/(vnd\\.ms-htmlhelp|x-chm)\\s*=\\s*[^;\\s]"),
                                          QRegularExpression::MultilineOption);
    for (const QString& path : lists) {
        QFile f(path);
        // These files are small; anything huge is not one of them.
        if (f.size() < 4 * 1024 * 1024 && f.open(QIODevice::ReadOnly) &&
            claim.match(QString::fromUtf8(f.readAll())).hasMatch()) {
            return true;
        }
    }
    return false;
}

} // namespace tarvik
