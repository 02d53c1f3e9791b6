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

std::string prepareWorkFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    if (!folder.parent_path().empty())
        std::filesystem::create_directories(folder.parent_path(), ignored);
    mkdir(folder.c_str(), 0700);
    const std::string name = folder.string();
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0) return "cannot make the folder for work files " + name;
    if (S_ISLNK(info.st_mode))
        return name + " is a symbolic link; name the folder for work files itself";
    if (!S_ISDIR(info.st_mode)) return name + " is not a folder";
    if (info.st_uid != geteuid()) return name + " belongs to another user";
    if (info.st_mode & 022)
        return name + " may be written by other users; work files need a folder of your own "
                      "(chmod go-w)";
    return "";
}

} // namespace sono
