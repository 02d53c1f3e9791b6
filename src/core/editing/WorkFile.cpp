#include "editing/WorkFile.h"

#include <fcntl.h>
#include <unistd.h>

namespace sono {

WorkFileWriter::WorkFileWriter(const std::filesystem::path& path) : path_(path) {
    // Made afresh and exclusively: whatever stands under the name (a link planted in a shared
    // folder included) is removed as a name, never written through.
    unlink(path_.c_str());
    const int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 && !(file_ = fdopen(fd, "wb"))) close(fd);
    ok_ = file_ != nullptr;
}

WorkFileWriter::~WorkFileWriter() {
    if (!file_) return;
    std::fclose(file_);
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

void WorkFileWriter::write(const void* data, size_t count) {
    if (ok_ && count > 0 && std::fwrite(data, 1, count, file_) != count) ok_ = false;
}

bool WorkFileWriter::finish() {
    if (!file_) return false;
    if (std::fclose(file_) != 0) ok_ = false;
    file_ = nullptr;
    if (!ok_) {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    return ok_;
}

} // namespace sono
