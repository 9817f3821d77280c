#include "platform/linux/QtProcessLauncher.h"

#include "platform/linux/OwnEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace tarvik {

namespace {

bool runnable(const QFileInfo& file) {
    return file.isFile() && file.isExecutable();
}

} // namespace

QStringList QtProcessLauncher::splitCommandLine(const std::string& commandLine, const std::string& workingDirectory) {
    const QString line = QString::fromStdString(commandLine).trimmed();
    if (line.isEmpty()) {
        return {};
    }
    // The batch list stores bare program paths, which may hold blanks without quotes; a line
    // that names an executable file as a whole is that program, as Windows would run it.
    const QDir folder(QString::fromStdString(workingDirectory));
    const QFileInfo whole(folder, line);
    if (runnable(whole)) {
        return {whole.absoluteFilePath()};
    }
    // A line naming an existing file that cannot be run (a document, a folder) fails the start:
    // split at its blanks it could name another program ("/opt/My" for "/opt/My Tools/notes.txt").
    if (whole.exists()) {
        return {};
    }
    // A bare program name is looked for in the program folder first and then on PATH, as
    // Windows looks beside the starting program before the search path.
    QStringList args = QProcess::splitCommand(line);
    if (!args.isEmpty() && !args.first().contains(QLatin1Char('/'))) {
        const QFileInfo local(folder, args.first());
        if (runnable(local)) {
            args.first() = local.absoluteFilePath();
        }
    }
    return args;
}

bool QtProcessLauncher::startMinimized(const std::string& commandLine, const std::string& workingDirectory) {
    QStringList args = splitCommandLine(commandLine, workingDirectory);
    if (args.isEmpty()) {
        return false;
    }
    QProcess process;
    process.setProgram(args.takeFirst());
    process.setArguments(args);
    process.setWorkingDirectory(QString::fromStdString(workingDirectory));
    // What the program chose for its own Qt (the X11 platform on a Wayland session) is not the
    // user's choice for the programs they start with it.
    process.setProcessEnvironment(OwnEnvironment::userEnvironment());
    // X11 offers no portable way to ask for a new program's first window to be minimised
    // (that is up to the program and the window manager), so it opens as it likes.
    return process.startDetached();
}

} // namespace tarvik
