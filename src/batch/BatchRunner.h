#pragma once
// `sonoplexer --batch SCRIPT`: one editor session without a window, driven by a script.
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

namespace sono {

struct BatchOptions {
    std::string script;                               // a path, or "-" for standard input
    std::optional<std::filesystem::path> settingsDir; // read and written when given
    std::optional<std::filesystem::path> tempDir;     // else a fresh private folder
};

// Runs the script; returns the exit status: 0; 2 for a line that cannot be carried out as
// written, or a folder for work files that is another run's; 3 for an unexpected failure (its
// text goes to err).
int runBatch(const BatchOptions& options, std::istream& standardInput, std::ostream& out,
             std::ostream& err);

} // namespace sono
