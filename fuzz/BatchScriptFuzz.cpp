// Feeds arbitrary lines to the batch language's word splitter: a line is either refused with a
// message or split into words; words that need no quotes, written out again, split the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "batch/BatchWords.h"

namespace {
bool plain(const std::string& word) {
    return !word.empty() && word.find_first_of(" \t\r\"") == std::string::npos;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> words;
    try {
        words = sono::splitWords(line);
    } catch (const sono::BatchError&) {
        return 0;
    }
    std::string again;
    std::vector<std::string> plainWords;
    for (const std::string& word : words)
        if (plain(word)) again += word + ' ', plainWords.push_back(word);
    if (sono::splitWords(again) != plainWords) std::abort();
    return 0;
}
