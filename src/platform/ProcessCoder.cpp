#include "ProcessCoder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "Folders.h"

namespace sono {

namespace {
// File names travel as the bytes the file system holds.
QString local(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

QString programPath(const std::string& program) {
    const QString name = local(program);
    if (name.contains(u'/')) return name;
    const QString shipped = local(appDir()) + name;
    if (QFileInfo(shipped).isExecutable()) return shipped;
    return QStandardPaths::findExecutable(name);
}

// How long one wait lasts before the caller hears from us again.
constexpr int WaitSliceMs = 40;
} // namespace

CoderRun ProcessCoder::run(const std::string& program, const std::vector<std::string>& arguments,
                           std::chrono::milliseconds timeLimit,
                           const std::function<void()>& waiting) {
    CoderRun result;
    const QString path = programPath(program);
    if (path.isEmpty()) return result;
    QStringList list;
    for (const std::string& argument : arguments)
        list << local(argument);
    QProcess process;
    // What the program prints is not read: it could fill the pipe and stall the program.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // The coder ends with the program: killed half-way, it would otherwise go on writing a file
    // nobody will use.
    const pid_t parent = getpid();
    process.setChildProcessModifier([parent] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
    });
    process.start(path, list, QIODevice::ReadOnly);
    if (!process.waitForStarted()) return result;
    result.started = true;
    const QDeadlineTimer deadline(timeLimit);
    while (!process.waitForFinished(int(std::min<qint64>(WaitSliceMs, deadline.remainingTime())))) {
        if (process.state() == QProcess::NotRunning) break;
        if (deadline.hasExpired()) {
            // Stopped for good: nothing it writes later can surprise anyone.
            process.kill();
            process.waitForFinished();
            return result;
        }
        if (waiting) waiting();
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = result.finished ? process.exitCode() : -1;
    return result;
}

} // namespace sono
