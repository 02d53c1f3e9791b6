#include "ProcessCoder.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace sono {

namespace {
// File names travel as the bytes the file system holds.
QString local(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}
} // namespace

CoderRun ProcessCoder::run(const std::string& program, const std::vector<std::string>& arguments,
                           std::chrono::milliseconds timeLimit) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << local(argument);
    QProcess process;
    // What the program prints is not read: it could fill the pipe and stall the program.
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(local(program), list, QIODevice::ReadOnly);
    CoderRun result;
    if (!process.waitForStarted()) return result;
    result.started = true;
    if (!process.waitForFinished(int(timeLimit.count()))) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = result.finished ? process.exitCode() : -1;
    return result;
}

} // namespace sono
