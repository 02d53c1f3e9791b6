#pragma once
// Stand-ins for everything around the editor: a host that answers questions and input boxes
// from queues and records everything the editor shows, a sound device that records the commands
// it is given, and an outside-program runner that records its calls.
#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/Editor.h"

namespace sono::test {

struct ShownMessage {
    MessageIcon icon;
    std::string caption;
    std::string text;
};

class FakeHost : public UserDialogs, public ViewObserver {
  public:
    std::deque<Answer> answers;                       // next answers; empty: No
    std::deque<std::optional<std::string>> inputs;    // next input-box answers; empty: Cancel
    std::vector<std::string> inputDefaults;           // the texts the input boxes started with
    std::deque<std::optional<std::string>> openPaths; // next open-dialog answers; empty: Cancel
    std::deque<std::optional<std::string>> savePaths; // next save-dialog answers; empty: Cancel
    // Runs when a question is asked, before it is answered (a command arriving meanwhile).
    std::function<void()> whileAsking;
    // Runs while an outside program runs (the user pressing Esc meanwhile).
    std::function<void()> whileWaiting;

    std::vector<ShownMessage> messages;
    std::vector<std::string> questions;
    std::vector<std::string> statusLog; // every text written to panel 1
    std::vector<int> progressSteps;
    std::vector<SoundChange> changes;
    bool closed = false;

    Answer ask(MessageIcon, const std::string&, const std::string& text) override {
        questions.push_back(text);
        if (whileAsking) whileAsking();
        if (answers.empty()) return Answer::No;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    // OK when the next answer is Yes.
    bool confirm(MessageIcon icon, const std::string& caption, const std::string& text) override {
        return ask(icon, caption, text) == Answer::Yes;
    }
    void showMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override {
        messages.push_back({icon, caption, text});
    }
    std::optional<std::string> askInput(const std::string&, const std::string&,
                                        const std::string& initialText) override {
        inputDefaults.push_back(initialText);
        return next(inputs);
    }
    std::optional<std::string> chooseOpenPath(const std::string&, const std::string&) override {
        return next(openPaths);
    }
    std::optional<std::string> chooseSavePath(const std::string&, const std::string&) override {
        return next(savePaths);
    }
    void statusChanged(int panel, const std::string& text) override {
        if (panel == 1) statusLog.push_back(text);
    }
    void progressShown(int step, const std::string&) override { progressSteps.push_back(step); }
    void soundChanged(const SoundChange& change) override { changes.push_back(change); }
    void waitingForOutsideProgram() override {
        if (whileWaiting) whileWaiting();
    }
    void programClosed() override { closed = true; }

    // The texts of the messages shown, in turn.
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& message : messages)
            texts.push_back(message.text);
        return texts;
    }
    // The text of the last critical message, or "" when none was shown.
    std::string lastCritical() const {
        for (auto it = messages.rbegin(); it != messages.rend(); ++it)
            if (it->icon == MessageIcon::Critical) return it->text;
        return {};
    }

  private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& queue) {
        if (queue.empty()) return std::nullopt;
        auto value = queue.front();
        queue.pop_front();
        return value;
    }
};

// Remembers the commands it was given, one word each ("open play PATH", "play", "stop", ...).
// A save writes `recordedBytes` to the file named at open, as if they had been recorded.
class FakeWaveDevice : public WaveDevice {
  public:
    std::vector<std::string> commands;
    int64_t positionMs = 0; // what position() and length() report
    int64_t lengthMs = 0;
    bool opens = true; // false: there is no such device
    std::string recordedBytes;
    std::vector<int16_t> playedLeft, playedRight;

    void setRecordingFormat(int rate, int channels) override {
        commands.push_back("format " + std::to_string(rate) + " " + std::to_string(channels));
    }
    bool open(const std::string& path, Purpose purpose) override {
        commands.push_back(std::string(purpose == Purpose::Play ? "open play " : "open record ") +
                           path);
        openPath_ = path;
        return opens;
    }
    // Frames opened from memory, copied as they were when opened.
    bool openSound(const SoundInMemory& sound) override {
        commands.push_back("open sound " + std::to_string(sound.first) + " " +
                           std::to_string(sound.frames));
        const auto from = [&](const std::vector<int16_t>& channel) {
            return std::vector<int16_t>(channel.begin() + sound.first,
                                        channel.begin() + sound.first + sound.frames);
        };
        playedLeft = from(sound.left);
        playedRight = sound.channels == 2 ? from(sound.right) : std::vector<int16_t>{};
        return opens;
    }
    void play() override { commands.push_back("play"); }
    void stop() override { commands.push_back("stop"); }
    void close() override { commands.push_back("close"); }
    void record() override { commands.push_back("record"); }
    bool save() override {
        commands.push_back("save");
        std::FILE* file = std::fopen(openPath_.c_str(), "wb");
        if (!file) return false;
        std::fwrite(recordedBytes.data(), 1, recordedBytes.size(), file);
        return std::fclose(file) == 0;
    }
    void seek(int64_t ms) override { commands.push_back("seek " + std::to_string(ms)); }
    int64_t position() const override { return positionMs; }
    int64_t length() const override { return lengthMs; }

  private:
    std::string openPath_;
};

// Outside programs never run in the core tests: every call fails to start.
class FakeCoder : public ExternalCoder {
  public:
    CoderRun run(const std::string&, const std::vector<std::string>&, std::chrono::milliseconds,
                 const std::function<void()>&) override {
        return {};
    }
};

// Files without music information, and a short genre list.
class FakeTags : public Mp3Tags {
  public:
    std::optional<Mp3Fields> read(const std::string&) override { return std::nullopt; }
    bool write(const std::string&, const Mp3Fields&) override { return false; }
    const std::vector<std::string>& genreNames() override { return genres; }
    std::vector<std::string> genres = {"Blues", "Classic Rock", "Other"};
};

} // namespace sono::test
