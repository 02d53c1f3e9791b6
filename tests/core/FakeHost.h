#pragma once
// A host for driving the editor in tests: it answers questions and input boxes from queues and
// records everything the editor shows.
#include <deque>
#include <string>
#include <vector>

#include "EditorHost.h"

namespace sono::test {

struct ShownMessage {
    MessageIcon icon;
    std::string caption;
    std::string text;
};

class FakeHost : public EditorHost {
  public:
    std::deque<Answer> answers;                       // next answers; empty: No
    std::deque<std::optional<std::string>> inputs;    // next input-box answers; empty: Cancel
    std::deque<std::optional<std::string>> savePaths; // next save-dialog answers; empty: Cancel

    std::vector<ShownMessage> messages;
    std::vector<std::string> questions;
    std::vector<std::string> statusLog; // every text written to panel 1
    std::vector<int> progressSteps;
    int waveformRedraws = 0;
    int playbackStops = 0;
    std::vector<std::string> playedFiles;

    Answer ask(MessageIcon, const std::string&, const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return Answer::No;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void showMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override {
        messages.push_back({icon, caption, text});
    }
    std::optional<std::string> askInput(const std::string&, const std::string&,
                                        const std::string&) override {
        if (inputs.empty()) return std::nullopt;
        auto value = inputs.front();
        inputs.pop_front();
        return value;
    }
    std::optional<std::string> chooseSavePath(const std::string&, const std::string&) override {
        if (savePaths.empty()) return std::nullopt;
        auto value = savePaths.front();
        savePaths.pop_front();
        return value;
    }
    void statusChanged(int panel, const std::string& text) override {
        if (panel == 1) statusLog.push_back(text);
    }
    void progressShown(int step, const std::string&) override { progressSteps.push_back(step); }
    void waveformChanged() override { ++waveformRedraws; }
    void stopPlayback() override { ++playbackStops; }
    void playFile(const std::string& path) override { playedFiles.push_back(path); }

    // The text of the last critical message, or "" when none was shown.
    std::string lastCritical() const {
        for (auto it = messages.rbegin(); it != messages.rend(); ++it)
            if (it->icon == MessageIcon::Critical) return it->text;
        return {};
    }
};

} // namespace sono::test
