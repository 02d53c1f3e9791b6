#include "BatchRunner.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "BatchCommands.h"
#include "Folders.h"
#include "ProcessCoder.h"
#include "SilentWaveDevice.h"
#include "TagLibMp3Tags.h"
#include "WorkFolderLock.h"

namespace sono {

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
                    word += '"';
                    i += 2;
                } else if (line[i] == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    word += line[i++];
                }
            }
            if (!closed) throw BatchError("a quoted word is not closed");
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

namespace {

// Runs the lines; returns the exit status.
int runLines(BatchContext& context, const std::vector<std::string>& lines, std::ostream& err) {
    for (size_t n = 0; n < lines.size(); ++n) {
        size_t first = lines[n].find_first_not_of(" \t\r");
        if (first == std::string::npos || lines[n][first] == '#') continue;
        try {
            runWords(context, splitWords(lines[n]));
        } catch (const BatchError& e) {
            err << "error: line " << n + 1 << ": " << e.what() << '\n';
            return 2;
        } catch (const std::exception& e) {
            err << "error: line " << n + 1 << ": unexpected failure: " << e.what() << '\n';
            return 3;
        }
    }
    return 0;
}

bool readScript(const std::string& script, std::istream& standardInput,
                std::vector<std::string>& lines) {
    std::ifstream file;
    std::istream* in = &standardInput;
    if (script != "-") {
        file.open(script);
        if (!file) return false;
        in = &file;
    }
    for (std::string line; std::getline(*in, line);)
        lines.push_back(line);
    return true;
}

} // namespace

int runBatch(const BatchOptions& options, std::istream& standardInput, std::ostream& out,
             std::ostream& err) {
    std::vector<std::string> lines;
    if (!readScript(options.script, standardInput, lines)) {
        err << "error: cannot read script " << options.script << '\n';
        return 2;
    }
    std::optional<std::filesystem::path> tempDir = options.tempDir;
    bool ownTempDir = !tempDir;
    if (ownTempDir) tempDir = freshTempDir();
    if (!tempDir || !prepareFolder(*tempDir)) {
        err << "error: cannot make a folder for work files\n";
        return 2;
    }
    // The folder is this run's alone while it runs; a named one may be another run's.
    WorkFolderLock lock;
    if (auto state = lock.lockFolder(*tempDir); state != WorkFolderLock::State::Taken) {
        err << "error: " << refusalText(state, *tempDir, lock.error()) << '\n';
        std::error_code ignored;
        if (ownTempDir) std::filesystem::remove_all(*tempDir, ignored);
        return 2;
    }
    // A script makes no sound: play after each change is left out.
    EditorFolders folders{options.settingsDir.value_or(defaultSettingsDir()), *tempDir,
                          documentsDir(), options.settingsDir.has_value(), false};
    int status = 0;
    {
        BatchHost host(out);
        SilentWaveDevice device;
        ProcessCoder coder;
        TagLibMp3Tags tags;
        Editor editor(EditorPorts{host, host, device, coder, tags}, folders);
        BatchContext context{editor, host, out};
        try {
            editor.startUp();
            status = runLines(context, lines, err);
            editor.shutDown();
        } catch (const std::exception& e) {
            err << "error: unexpected failure: " << e.what() << '\n';
            status = 3;
        }
    }
    out.flush();
    lock.release();
    if (ownTempDir) {
        std::error_code ignored;
        std::filesystem::remove_all(*tempDir, ignored);
    }
    return status;
}

} // namespace sono
