#pragma once
// Hands a fuzz input to a reader as the regular file it expects: the readers refuse anything
// else, links included, so the input is written to a file in a private folder of the run.
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace sono::fuzz {

inline std::string inputFile(const uint8_t* data, size_t size, const char* name = "input") {
    static const std::string folder = [] {
        char pattern[] = "/tmp/sonoplexer-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        return std::string(pattern);
    }();
    const std::string path = folder + "/" + name;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || (size > 0 && write(fd, data, size) != ssize_t(size)) || close(fd) != 0)
        std::abort();
    return path;
}

} // namespace sono::fuzz
