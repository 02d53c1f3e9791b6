#include "WorkFolderLock.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sono {

namespace {

// The open file is still the one under `path`: its owner may have removed it between our open
// and our flock, and another run may have made a new one since.
bool stillNamed(int fd, const std::filesystem::path& path) {
    struct stat opened {};
    struct stat named {};
    return fstat(fd, &opened) == 0 && lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool writeProcessId(int fd) {
    const std::string text = std::to_string(getpid()) + '\n';
    return ftruncate(fd, 0) == 0 &&
           pwrite(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

} // namespace

WorkFolderLock::State WorkFolderLock::lockFolder(const std::filesystem::path& folder) {
    return lockFile(folder / FileName, false);
}

WorkFolderLock::State WorkFolderLock::lockFile(const std::filesystem::path& path,
                                               bool takeOverStale) {
    release();
    // A few rounds at most: another round is needed only when the file was removed or replaced
    // between our open and our flock.
    for (int round = 0; round < 8; ++round) {
        // No O_EXCL: the file may be a crashed run's. A symbolic link planted under the name is
        // refused (ELOOP) instead of followed.
        int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            error_ = errno;
            return State::Failed;
        }
        struct stat info {};
        const bool statted = fstat(fd, &info) == 0;
        if (!statted || !S_ISREG(info.st_mode)) {
            error_ = statted ? EINVAL : errno; // a pipe, socket or device under the name
            close(fd);
            return State::Failed;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            error_ = errno;
            close(fd);
            return error_ == EWOULDBLOCK ? State::Busy : State::Failed;
        }
        if (!stillNamed(fd, path)) {
            close(fd);
            continue;
        }
        // Read the size only now that we hold the lock: a run that has just made the file
        // writes its id while holding it.
        if (fstat(fd, &info) == 0 && info.st_size > 0 && !takeOverStale) {
            close(fd); // lets go of the flock and leaves the file as it is
            return State::Stale;
        }
        if (!writeProcessId(fd)) {
            error_ = errno;
            close(fd);
            return State::Failed;
        }
        fd_ = fd;
        path_ = path;
        return State::Taken;
    }
    error_ = EAGAIN;
    return State::Failed;
}

void WorkFolderLock::release() {
    if (fd_ < 0) return;
    // Removed while still held, so nobody finds the file unlocked in between.
    unlink(path_.c_str());
    close(fd_);
    fd_ = -1;
    path_.clear();
}

std::vector<std::filesystem::path> abandonedRunFolders(const std::filesystem::path& parent) {
    std::vector<std::filesystem::path> abandoned;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(parent, error)) {
        if (!entry.path().filename().string().starts_with("run-") || !entry.is_directory(error) ||
            entry.is_symlink(error))
            continue;
        WorkFolderLock probe;
        const WorkFolderLock::State state = probe.lockFolder(entry.path());
        if (state == WorkFolderLock::State::Stale || state == WorkFolderLock::State::Taken)
            abandoned.push_back(entry.path());
    }
    return abandoned;
}

std::string refusalText(WorkFolderLock::State state, const std::filesystem::path& folder,
                        int error) {
    const std::string name = folder.string();
    const std::string lockFile = (folder / WorkFolderLock::FileName).string();
    switch (state) {
    case WorkFolderLock::State::Taken:
        return "";
    case WorkFolderLock::State::Busy:
        return name + " is in use by another run of Sonoplexer; a folder for work files serves "
                      "one run at a time";
    case WorkFolderLock::State::Stale:
        return name +
               " holds the work files of a run that ended unexpectedly; to use it "
               "anyway, remove " +
               lockFile;
    case WorkFolderLock::State::Failed:
        break;
    }
    return "cannot lock " + name + " for work files: " + lockFile + ": " + std::strerror(error);
}

} // namespace sono
