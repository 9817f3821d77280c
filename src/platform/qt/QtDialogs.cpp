#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>

namespace tarvik {

namespace {

QString titleOrProgram(const std::string& title) {
    return title.empty() ? QStringLiteral("塔维内存整理") : QString::fromStdString(title);
}

std::optional<std::string> chosen(const QString& file) {
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(file).toStdString();
}

} // namespace

QString QtDialogs::toQtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (description.isEmpty() && patterns.isEmpty()) {
            continue;
        }
        // Qt reads the patterns from the last parentheses of the description, blank-separated;
        // the description's own copy of them is replaced by the real ones.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')'))) {
            if (patterns.isEmpty()) {
                patterns = description.mid(open + 1, description.size() - open - 2);
            }
            description.truncate(open);
        }
        QStringList list = patterns.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
        if (list.isEmpty()) {
            list << QStringLiteral("*");
        }
        description = description.trimmed();
        if (description.isEmpty()) {
            description = list.join(QLatin1Char(' ')) + QLatin1Char(' ');
        }
        filters << description + QLatin1Char('(') + list.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

void QtDialogs::message(const std::string& text, const std::string& title, MessageIcon icon) {
    const QMessageBox::Icon qtIcon = icon == MessageIcon::Information ? QMessageBox::Information
                                     : icon == MessageIcon::Question  ? QMessageBox::Question
                                                                      : QMessageBox::NoIcon;
    QMessageBox box(qtIcon, titleOrProgram(title), QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtDialogs::confirm(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, titleOrProgram(title), QString::fromStdString(text),
                    QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

std::optional<std::string> QtDialogs::openFile(const std::string& title, const std::string& directory,
                                               const std::string& filter) {
    return chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), titleOrProgram(title),
                                               QString::fromStdString(directory), toQtFilter(filter)));
}

std::optional<std::string> QtDialogs::saveFile(const std::string& title, const std::string& directory,
                                               const std::string& fileName, const std::string& defaultSuffix,
                                               const std::string& filter) {
    QFileDialog dialog(QApplication::activeWindow(), titleOrProgram(title), QString::fromStdString(directory),
                       toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(defaultSuffix));
    if (!fileName.empty()) {
        dialog.selectFile(QString::fromStdString(fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return chosen(dialog.selectedFiles().constFirst());
}

} // namespace tarvik
