#pragma once
// A work file in the private temporary folder, written from scratch each time. The old file is
// removed first; a file that could not be written completely is removed again, so a reader never
// meets a half-written one. No sync to disk: work files do not outlive the session.
#include <cstdio>
#include <filesystem>

namespace sono {

class WorkFileWriter {
  public:
    explicit WorkFileWriter(const std::filesystem::path& path);
    ~WorkFileWriter(); // an unfinished file is removed
    WorkFileWriter(const WorkFileWriter&) = delete;
    WorkFileWriter& operator=(const WorkFileWriter&) = delete;

    void write(const void* data, size_t count);
    // Closes the file; false (and no file) when anything failed.
    bool finish();

  private:
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    bool ok_ = false;
};

} // namespace sono
