#pragma once
// The words of a batch script's line, as the runner reads them.
#include <stdexcept>
#include <string>
#include <vector>

namespace sono {

// A line the runner cannot carry out as written; the run stops with exit status 2.
struct BatchError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Splits a script line into words: blanks separate, a double-quoted word may hold blanks and \".
// Throws BatchError for an unterminated quote.
std::vector<std::string> splitWords(const std::string& line);

} // namespace sono
