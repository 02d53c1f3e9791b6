#include "formats/ByteFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
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

SaveTarget inspectSaveTarget(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) return SaveTarget::Missing;
    if (!S_ISREG(info.st_mode)) return SaveTarget::NotRegular;
    // The superuser may write anything; a file nobody may write is read-only all the same.
    if ((info.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)
        return SaveTarget::ReadOnly;
    return info.st_nlink > 1 ? SaveTarget::Shared : SaveTarget::Replaceable;
}

std::string resolvedSaveTarget(const std::string& target) {
    char resolved[PATH_MAX];
    if (realpath(target.c_str(), resolved)) return resolved;
    return target;
}

namespace {
// Copies the whole of the open file `in` into the existing target, truncating it first.
bool copyInPlace(int in, const std::string& target) {
    const int out = open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    bool ok = out >= 0 && lseek(in, 0, SEEK_SET) == 0;
    std::vector<char> block(1 << 20);
    while (ok) {
        const ssize_t got = read(in, block.data(), block.size());
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        for (ssize_t done = 0; ok && done < got;) {
            const ssize_t put = write(out, block.data() + done, size_t(got - done));
            ok = put > 0;
            done += put;
        }
    }
    if (out >= 0 && (fsync(out) != 0 || close(out) != 0)) ok = false;
    return ok;
}
} // namespace

bool copyIntoShared(const std::string& from, const std::string& target) {
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    const bool ok = in >= 0 && copyInPlace(in, target);
    if (in >= 0) close(in);
    unlink(from.c_str());
    return ok;
}

namespace {
constexpr const char* PartialPrefix = ".sonoplexer-";
constexpr const char* PartialSuffix = ".part";

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A hidden partial file of a save that was killed in the instant between naming it and renaming it
// over its target. Its name carries the saving process's number; when that process is gone the
// file is nobody's.
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
        if (pid_t(pid) != getpid() && kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            unlinkat(dirfd(entries), name.c_str(), 0);
    }
    closedir(entries);
}

mode_t newFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}
} // namespace

ReplacingFile::ReplacingFile(const std::string& target, Links links)
    : target_(links == Links::Follow ? resolvedSaveTarget(target) : target),
      folder_(folderOf(target_)) {
    mode_t mode = newFileMode();
    if (links == Links::Follow) {
        switch (inspectSaveTarget(target_)) {
        case SaveTarget::ReadOnly:
        case SaveTarget::NotRegular:
            return;
        case SaveTarget::Shared:
            shared_ = true;
            [[fallthrough]];
        case SaveTarget::Replaceable: {
            struct stat old {};
            if (stat(target_.c_str(), &old) == 0) mode = old.st_mode & 07777;
            break;
        }
        case SaveTarget::Missing:
            break;
        }
    }
    removeAbandonedPartials(folder_);
    ok_ = openTemporary(mode);
}

// An unnamed file in the target's folder leaves nothing behind whenever the program stops; a
// file system without them gets a short hidden name, which fits wherever the target's name fits
// and, like the name given at commit, carries the process number.
bool ReplacingFile::openTemporary(mode_t mode) {
    int fd = open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (fd < 0) {
        std::string pattern =
            folder_ + "/" + PartialPrefix + std::to_string(getpid()) + "-XXXXXX" + PartialSuffix;
        fd = mkostemps(pattern.data(), int(std::strlen(PartialSuffix)), O_CLOEXEC);
        if (fd < 0) return false;
        temporary_ = pattern;
    }
    fchmod(fd, mode);
    file_ = fdopen(fd, "w+b");
    if (!file_) {
        close(fd);
        if (!temporary_.empty()) unlink(temporary_.c_str());
        temporary_.clear();
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
    if (ok_ && count > 0 && std::fwrite(data, 1, count, file_) != count) ok_ = false;
}

bool ReplacingFile::commit() {
    if (!file_) return false;
    if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0) ok_ = false;
    if (ok_ && shared_)
        ok_ = copyInPlace(fileno(file_), target_);
    else if (ok_)
        ok_ = giveName();
    if (std::fclose(file_) != 0) ok_ = false;
    file_ = nullptr;
    if (!ok_ || shared_) return ok_;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) return ok_ = false;
    committed_ = true;
    return true;
}

} // namespace sono
