#pragma once
// An outside program (the MP3 coder) run to its end: a program path and its arguments, each
// passed as it stands (no shell, so no file name is ever taken as an option or a command), and a
// time limit after which the program is stopped.
#include <chrono>
#include <functional>
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
    // A program named without a folder is looked for beside the editor first, then on the
    // search path. `waiting` is called every few hundredths of a second while the program runs.
    virtual CoderRun run(const std::string& program, const std::vector<std::string>& arguments,
                         std::chrono::milliseconds timeLimit,
                         const std::function<void()>& waiting) = 0;
};

} // namespace sono
