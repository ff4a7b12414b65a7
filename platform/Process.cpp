#include "Process.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "Messages.h"
#include "ProgramFolder.h"

namespace platform {
namespace {

std::function<void(bool)> g_busyHandler;

// Where a bare program name is found: the working folder, the program folder, then the search path.
QString locateProgram(const QString& name, const QString& workingFolder)
{
    QStringList candidates{name};
#ifndef Q_OS_WIN
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        candidates.prepend(name.left(name.size() - 4));
#endif
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
        for (const auto& c : candidates)
            if (QFileInfo(c).isFile())
                return c;
        return name;
    }
    const QStringList folders{workingFolder.isEmpty() ? QDir::currentPath() : workingFolder,
                              QString::fromStdString(programFolder().string())};
    for (const auto& folder : folders)
        for (const auto& c : candidates) {
            const QFileInfo info(QDir(folder).filePath(c));
            if (info.isFile() && info.isExecutable())
                return info.absoluteFilePath();
        }
    for (const auto& c : candidates) {
        const QString found = QStandardPaths::findExecutable(c);
        if (!found.isEmpty())
            return found;
    }
    return name;
}

} // namespace

void setBusyHandler(std::function<void(bool)> handler)
{
    g_busyHandler = std::move(handler);
}

Result<int> ShellAndWait(MessageSink& sink, const std::string& commandLine, const std::filesystem::path& workingFolder)
{
    QStringList words = QProcess::splitCommand(QString::fromStdString(commandLine));
    const QString folder = QString::fromStdString(workingFolder.string());
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);

    QString reason;
    if (words.isEmpty()) {
        reason = QStringLiteral("No program was named.");
    } else {
        const QString program = locateProgram(words.takeFirst(), folder);
        process.start(program, words);
        if (!process.waitForStarted(-1))
            reason = process.errorString();
    }
    if (!reason.isEmpty()) {
        const std::string message = "Error running '" + commandLine + "'\r\n" + reason.toStdString();
        sink.message(message);
        return makeError(ErrorKind::ProcessFailed, message);
    }

    if (g_busyHandler)
        g_busyHandler(true);
    // Poll briefly and let the event loop run in between, so a window stays painted and responsive.
    const bool hasEventLoop = QCoreApplication::instance() != nullptr;
    while (!process.waitForFinished(hasEventLoop ? 20 : -1)) {
        if (process.state() == QProcess::NotRunning)
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    if (g_busyHandler)
        g_busyHandler(false);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace platform
