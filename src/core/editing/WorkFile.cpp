#include "editing/WorkFile.h"

namespace sono {

WorkFileWriter::WorkFileWriter(const std::filesystem::path& path) : path_(path) {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
    file_ = std::fopen(path_.c_str(), "wb");
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
