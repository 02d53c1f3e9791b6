#include "BatchRunner.h"

#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <utility>
#include <vector>

#include "BatchCommands.h"
#include "Folders.h"
#include "ProcessCoder.h"
#include "SilentWaveDevice.h"
#include "TagLibMp3Tags.h"
#include "WorkFolderLock.h"
#include "batch/BatchWords.h"

namespace sono {

namespace {

bool isBlankOrComment(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t\r");
    return first == std::string::npos || line[first] == '#';
}

// Runs the script's lines as they come, so a script on standard input may be written while the
// run goes on; returns the exit status. `beforeCommands` runs once, before the first line that is
// not an answer to a question (or at the end), so those answers can meet the questions it asks.
int runLines(BatchContext& context, std::istream& script, std::ostream& err,
             const std::function<void()>& beforeCommands) {
    bool started = false;
    auto start = [&] {
        if (!std::exchange(started, true)) beforeCommands();
    };
    size_t number = 0;
    for (std::string line; std::getline(script, line);) {
        ++number;
        if (isBlankOrComment(line)) continue;
        try {
            const std::vector<std::string> words = splitWords(line);
            if (words.front() != "answer") start();
            runWords(context, words);
        } catch (const BatchError& e) {
            err << "error: line " << number << ": " << e.what() << '\n';
            return 2;
        } catch (const std::exception& e) {
            err << "error: line " << number << ": unexpected failure: " << e.what() << '\n';
            return 3;
        }
    }
    start();
    return 0;
}

} // namespace

int runBatch(const BatchOptions& options, std::istream& standardInput, std::ostream& out,
             std::ostream& err) {
    std::ifstream file;
    if (options.script != "-") {
        file.open(options.script);
        if (!file) {
            err << "error: cannot read script " << options.script << '\n';
            return 2;
        }
    }
    std::istream& script = options.script == "-" ? standardInput : file;
    std::optional<std::filesystem::path> tempDir = options.tempDir;
    bool ownTempDir = !tempDir;
    if (ownTempDir) tempDir = freshTempDir();
    if (!tempDir) {
        err << "error: cannot make a folder for work files\n";
        return 2;
    }
    if (std::string problem = prepareWorkFolder(*tempDir); !problem.empty()) {
        err << "error: " << problem << '\n';
        return 2;
    }
    // The folder is this run's alone while it runs; a named one may be another run's.
    WorkFolderLock lock;
    auto state = lock.lockFolder(*tempDir);
    // A run that ended unexpectedly left its files here: the folder is this run's from now on.
    if (state == WorkFolderLock::State::Stale)
        state = lock.lockFile(*tempDir / WorkFolderLock::FileName, true);
    if (state != WorkFolderLock::State::Taken) {
        err << "error: " << refusalText(state, *tempDir, lock.error()) << '\n';
        std::error_code ignored;
        if (ownTempDir) std::filesystem::remove_all(*tempDir, ignored);
        return 2;
    }
    // The sound kept last by such a run is offered back, also when it died before writing its
    // id in the lock file or a cleaner removed that file: a run that ends normally leaves no
    // snapshot behind.
    std::optional<NewSound> crashed = readCrashedSound({*tempDir});
    // A script makes no sound: play after each change is left out.
    EditorFolders folders{options.settingsDir.value_or(defaultSettingsDir()),
                          *tempDir,
                          documentsDir(),
                          options.settingsDir.has_value(),
                          false,
                          appDir()};
    int status = 0;
    {
        BatchHost host(out);
        SilentWaveDevice device;
        ProcessCoder coder;
        TagLibMp3Tags tags;
        Editor editor(EditorPorts{host, host, device, coder, tags}, folders);
        BatchContext context{editor, host, out, {}};
        try {
            editor.startUp();
            status = runLines(context, script, err, [&] {
                if (crashed) editor.history().offerRecovery(std::move(*crashed));
            });
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
