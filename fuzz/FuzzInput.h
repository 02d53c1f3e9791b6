#pragma once
// Hands a fuzz input to a reader as the regular file it expects: the readers refuse anything
// else, links included, so the input is written to a file in a private folder of the run.
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace sono::fuzz {

// The run's folder goes with what is in it when the process ends: libFuzzer ends a run through
// exit(), which destroys static objects. (A crash leaves it behind with its input.)
class RunFolder {
  public:
    RunFolder() {
        char pattern[] = "/tmp/sonoplexer-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        path_ = pattern;
    }
    ~RunFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

inline std::string inputFile(const uint8_t* data, size_t size, const char* name = "input") {
    static const RunFolder folder;
    const std::string path = folder.path() + "/" + name;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || (size > 0 && write(fd, data, size) != ssize_t(size)) || close(fd) != 0)
        std::abort();
    return path;
}

} // namespace sono::fuzz
