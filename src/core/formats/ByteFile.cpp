#include "formats/ByteFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sono {

std::unique_ptr<InputFile> InputFile::open(const std::string& path, Links links) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC |
                                            (links == Links::Refuse ? O_NOFOLLOW : 0));
    if (fd < 0) return nullptr;
    struct stat info {};
    std::FILE* file = nullptr;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0)
        file = fdopen(fd, "rb");
    if (!file) {
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<InputFile>(new InputFile(file, int64_t(info.st_size)));
}

InputFile::~InputFile() {
    std::fclose(file_);
}

bool InputFile::seek(int64_t position) {
    if (position < 0) return false;
    if (fseeko(file_, off_t(position), SEEK_SET) != 0) return false;
    position_ = position;
    return true;
}

size_t InputFile::read(void* buffer, size_t count) {
    size_t done = std::fread(buffer, 1, count, file_);
    position_ += int64_t(done);
    return done;
}

size_t InputFile::readAt(int64_t position, void* buffer, size_t count) const {
    size_t done = 0;
    while (done < count) {
        const ssize_t got = pread(fileno(file_), static_cast<char*>(buffer) + done, count - done,
                                  off_t(position + int64_t(done)));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += size_t(got);
    }
    return done;
}

std::optional<std::string> readSmallFile(const std::string& path, int64_t largest) {
    auto in = InputFile::open(path);
    if (!in || in->size() > largest) return std::nullopt;
    std::string bytes(size_t(in->size()), '\0');
    bytes.resize(in->read(bytes.data(), bytes.size()));
    return bytes;
}

WriteFailure writeFailureOf(int errorNumber) {
    switch (errorNumber) {
    case 0:
        return WriteFailure::None;
    case ENOSPC:
    case EDQUOT:
        return WriteFailure::NoSpace;
    case EFBIG:
        return WriteFailure::TooLarge;
    case EACCES:
    case EPERM:
    case EROFS:
        return WriteFailure::NoPermission;
    case ENAMETOOLONG:
        return WriteFailure::NameTooLong;
    case EISDIR:
        return WriteFailure::NotRegular;
    default:
        return WriteFailure::Other;
    }
}

SaveTarget inspectSaveTarget(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) return SaveTarget::Missing;
    if (!S_ISREG(info.st_mode)) return SaveTarget::NotRegular;
    // The superuser may write anything; a file nobody may write is read-only all the same.
    if ((info.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)
        return SaveTarget::ReadOnly;
    return SaveTarget::Replaceable;
}

std::string resolvedSaveTarget(const std::string& target) {
    char resolved[PATH_MAX];
    if (realpath(target.c_str(), resolved)) return resolved;
    return target;
}

namespace {
constexpr const char* PartialPrefix = ".sonoplexer-";
constexpr const char* PartialSuffix = ".part";

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Whether process `pid` has ended: gone, or a zombie nobody has reaped yet, which writes nothing
// any more either.
bool processEnded(pid_t pid) {
    if (kill(pid, 0) != 0) return errno == ESRCH;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto name = line.rfind(')');
    return name != std::string::npos && name + 2 < line.size() &&
           (line[name + 2] == 'Z' || line[name + 2] == 'X');
}

// A hidden partial file whose maker was killed before it was renamed over its target. Its name
// carries the making process's number; when that process has ended the file is nobody's.
void removeAbandonedPartials(const std::string& folder) {
    DIR* entries = opendir(folder.c_str());
    if (!entries) return;
    const size_t prefix = std::strlen(PartialPrefix), suffix = std::strlen(PartialSuffix);
    while (const dirent* entry = readdir(entries)) {
        const std::string name = entry->d_name;
        if (name.size() <= prefix + suffix || name.compare(0, prefix, PartialPrefix) != 0 ||
            name.compare(name.size() - suffix, suffix, PartialSuffix) != 0)
            continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix, &end, 10);
        if (end == name.c_str() + prefix || *end != '-' || pid <= 0 || pid > INT_MAX) continue;
        if (pid_t(pid) != getpid() && processEnded(pid_t(pid)))
            unlinkat(dirfd(entries), name.c_str(), 0);
    }
    closedir(entries);
}

// A short hidden name that fits wherever the target's name fits; mkostemps fills in the Xs.
std::string partialPattern(const std::string& folder) {
    return folder + "/" + PartialPrefix + std::to_string(getpid()) + "-XXXXXX" + PartialSuffix;
}

mode_t newFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The permission bits a file replacing `target` gets: those of the file there, else a new file's.
mode_t modeReplacing(const std::string& target) {
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) return old.st_mode & 07777;
    return newFileMode();
}
} // namespace

std::string makePartialBeside(const std::string& target) {
    const std::string folder = folderOf(target);
    removeAbandonedPartials(folder);
    std::string name = partialPattern(folder);
    const int fd = mkostemps(name.data(), int(std::strlen(PartialSuffix)), O_CLOEXEC);
    if (fd < 0) return {};
    fchmod(fd, modeReplacing(target));
    close(fd);
    return name;
}

ReplacingFile::ReplacingFile(const std::string& target, Kind kind)
    : target_(kind == Kind::UserFile ? resolvedSaveTarget(target) : target),
      folder_(folderOf(target_)), sync_(kind != Kind::WorkFile) {
    if (kind == Kind::UserFile) {
        switch (inspectSaveTarget(target_)) {
        case SaveTarget::ReadOnly:
            fail(EACCES);
            return;
        case SaveTarget::NotRegular:
            fail(EISDIR);
            return;
        default:
            break;
        }
    }
    removeAbandonedPartials(folder_);
    if (!openTemporary(kind == Kind::UserFile ? modeReplacing(target_) : newFileMode()))
        fail(errno);
}

void ReplacingFile::fail(int errorNumber) {
    if (failure_ != WriteFailure::None) return;
    failure_ = writeFailureOf(errorNumber);
    if (failure_ == WriteFailure::None) failure_ = WriteFailure::Other;
}

// An unnamed file in the target's folder leaves nothing behind whenever the program stops; a
// file system without them gets a short hidden name, which, like the name given at commit,
// carries the process number.
bool ReplacingFile::openTemporary(mode_t mode) {
    int fd = open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (fd < 0) {
        std::string pattern = partialPattern(folder_);
        fd = mkostemps(pattern.data(), int(std::strlen(PartialSuffix)), O_CLOEXEC);
        if (fd < 0) return false;
        temporary_ = pattern;
    }
    fchmod(fd, mode);
    file_ = fdopen(fd, "w+b");
    if (!file_) {
        const int error = errno;
        close(fd);
        if (!temporary_.empty()) unlink(temporary_.c_str());
        temporary_.clear();
        errno = error;
        return false;
    }
    return true;
}

// The unnamed file gets a hidden name only for the moment before it is renamed over the target.
bool ReplacingFile::giveName() {
    if (!temporary_.empty()) return true;
    const std::string self = "/proc/self/fd/" + std::to_string(fileno(file_));
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        std::string name = folder_ + "/" + PartialPrefix + std::to_string(getpid()) + "-" +
                           std::to_string(attempt) + PartialSuffix;
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temporary_ = name;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

ReplacingFile::~ReplacingFile() {
    if (file_) std::fclose(file_);
    if (!committed_ && !temporary_.empty()) unlink(temporary_.c_str());
}

void ReplacingFile::write(const void* data, size_t count) {
    if (ok() && count > 0 && std::fwrite(data, 1, count, file_) != count) fail(errno);
}

bool ReplacingFile::commit() {
    if (!file_) return false;
    if (std::fflush(file_) != 0 || (sync_ && fsync(fileno(file_)) != 0)) fail(errno);
    if (ok() && !giveName()) fail(errno);
    if (std::fclose(file_) != 0) fail(errno);
    file_ = nullptr;
    if (!ok()) return false;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        fail(errno);
        return false;
    }
    committed_ = true;
    return true;
}

} // namespace sono
