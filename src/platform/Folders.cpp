#include "Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace sono {

namespace {
std::filesystem::path systemTemp() {
    return QDir::tempPath().toStdString();
}
} // namespace

std::string appDir() {
    const QString beside = QCoreApplication::applicationDirPath() + "/share";
    const QString dir = QDir(beside).exists()
                            ? beside
                            : QCoreApplication::applicationDirPath() + "/../share/sonoplexer";
    return (QDir::cleanPath(dir) + '/').toStdString();
}

std::filesystem::path defaultSettingsDir() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (dir.isEmpty()) dir = QDir::homePath() + "/.config/sonoplexer";
    return dir.toStdString();
}

std::string documentsDir() {
    // The file dialogs start here on a first run, so it must be a folder that exists.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::homePath();
    return (dir.endsWith('/') ? dir : dir + '/').toStdString();
}

std::optional<std::filesystem::path> privateTempDir() {
    std::filesystem::path dir = systemTemp() / ("sonoplexer-" + std::to_string(getuid()));
    if (mkdir(dir.c_str(), 0700) == 0) return dir;
    struct stat info {};
    // lstat: a symbolic link planted under our name is not followed.
    if (lstat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid()) {
        if ((info.st_mode & 077) != 0 && chmod(dir.c_str(), 0700) != 0) return freshTempDir();
        return dir;
    }
    return freshTempDir();
}

std::optional<std::filesystem::path> freshTempDir() {
    std::string pattern = (systemTemp() / "sonoplexer-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return std::nullopt;
    return std::filesystem::path(pattern);
}

std::optional<std::filesystem::path> makeRunFolder(const std::filesystem::path& parent) {
    std::string pattern = (parent / ("run-" + std::to_string(getpid()) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) return std::nullopt;
    return std::filesystem::path(pattern);
}

bool prepareFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

} // namespace sono
