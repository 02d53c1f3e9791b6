#include "formats/ByteFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sono {

std::unique_ptr<InputFile> InputFile::open(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
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

namespace {
std::string resolvedTarget(const std::string& target) {
    // Write through a symbolic link to the file it names instead of replacing the link.
    char resolved[PATH_MAX];
    if (realpath(target.c_str(), resolved)) return resolved;
    return target;
}
} // namespace

ReplacingFile::ReplacingFile(const std::string& target) : target_(resolvedTarget(target)) {
    std::string pattern = target_ + ".XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) return;
    temporary_ = pattern;
    struct stat old {};
    mode_t mode = 0666;
    if (stat(target_.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }
    fchmod(fd, mode);
    file_ = fdopen(fd, "wb");
    if (!file_) {
        close(fd);
        return;
    }
    ok_ = true;
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
    if (std::fclose(file_) != 0) ok_ = false;
    file_ = nullptr;
    if (!ok_) return false;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) return ok_ = false;
    committed_ = true;
    return true;
}

} // namespace sono
