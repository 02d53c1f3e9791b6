#pragma once
// An outside program (the MP3 coder) run to its end: a program path and its arguments, each
// passed as it stands (no shell, so no file name is ever taken as an option or a command), and a
// time limit after which the program is stopped.
#include <chrono>
#include <string>
#include <vector>

namespace sono {

struct CoderRun {
    bool started = false;  // the program could be started at all
    bool finished = false; // it ended by itself within the time limit
    int exitCode = -1;     // its exit status when it finished
};

class ExternalCoder {
  public:
    virtual ~ExternalCoder() = default;
    virtual CoderRun run(const std::string& program, const std::vector<std::string>& arguments,
                         std::chrono::milliseconds timeLimit) = 0;
};

} // namespace sono
