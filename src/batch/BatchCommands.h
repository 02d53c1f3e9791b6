#pragma once
// The words of the batch language. The editor's commands come from its command table, each
// with the words its table entry gives it and its parameters as further words; a few words of
// the script's own answer questions, set options or print what the program holds.
#include <ostream>
#include <string>
#include <vector>

#include "BatchHost.h"
#include "batch/BatchWords.h"
#include "editor/Editor.h"

namespace sono {

using Words = std::vector<std::string>;

struct BatchContext {
    Editor& editor;
    BatchHost& host;
    std::ostream& out;
    // The synthesizer dialog of the run: its period and settings live on from one synth to the
    // next, as the dialog's do.
    SynthSettings synth = {};
};

// Carries out one script line, split into words.
void runWords(BatchContext& context, const Words& words);

} // namespace sono
