#pragma once
// Runs an outside program with QProcess: the program and its arguments are handed over as they
// are, never through a shell, and the program is killed when it outlasts its time limit. A bare
// program name is looked for in the program's shipped folder, then on PATH.
#include "ports/ExternalCoder.h"

namespace sono {

class ProcessCoder : public ExternalCoder {
  public:
    CoderRun run(const std::string& program, const std::vector<std::string>& arguments,
                 std::chrono::milliseconds timeLimit,
                 const std::function<void()>& waiting) override;
};

} // namespace sono
