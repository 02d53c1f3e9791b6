// Playing and recording: the sound (or the selection) is written to a temporary WAV file that
// the device plays; a recording goes to a temporary file that Stop reads and merges.
#include <cmath>

#include "support/Numbers.h"
#include "support/Progress.h"
#include "support/StatusTexts.h"
#include "editor/Editor.h"

namespace sono {

std::string Editor::newTempSoundName() const {
    for (int n = 0;; ++n) {
        const auto name = folders_.tempDir / ("sonoplexer" + numberText(double(n)) + "$.tmp");
        std::error_code error;
        if (!std::filesystem::exists(name, error)) return name.string();
    }
}

bool Editor::recording() const {
    return !recordingPath_.empty();
}

bool Editor::devicePlaying() const {
    const int64_t position = device_.position();
    return position > 0 && position < device_.length();
}

void Editor::reportNoSound(bool recordingWanted, bool asked) {
    // Said every time the user asks, and once for the plays that follow every change.
    if (!asked && soundFailureShown_) return;
    soundFailureShown_ = true;
    dialogs_.showMessage(
        MessageIcon::Critical, ProgramCaption,
        recordingWanted
            ? LangText("Er kan niet worden opgenomen: er is geen geluidsingang, of die neemt dit "
                       "formaat niet aan.",
                       "Nothing can be recorded: there is no sound input, or it does not take "
                       "this format.")
            : LangText("Het geluid kan niet worden afgespeeld: er is geen geluidsuitgang, of die "
                       "neemt dit formaat niet aan.",
                       "The sound cannot be played: there is no sound output, or it does not "
                       "take this format."));
}

bool Editor::playFile(const std::string& path, double StartMs, double FromFrame, double ToFrame) {
    playing_.startMs = StartMs;
    const bool range = FromFrame >= 0 && ToFrame >= 0;
    playing_.PlayFrom = range ? FromFrame : 0;
    playing_.PlayTo = range ? ToFrame : doc_.SampleCount - 1;
    device_.stop();
    device_.close();
    if (!device_.open(path, WaveDevice::Purpose::Play)) return false;
    device_.play();
    return true;
}

void Editor::play() {
    startPlaying(true);
}

void Editor::startPlaying(bool asked) {
    if (doc_.FileName.empty()) return;
    stop();
    const std::string file = newTempSoundName();
    Selection& selection = doc_.selection;
    if (selection.exists() && selection.SelStart > selection.SelEnd)
        std::swap(selection.SelStart, selection.SelEnd);
    if (!writeWave(file, ProgressPreparingPlay, {.selectionOnly = selection.exists()})) return;
    // The play cursor counts from where the played stretch starts in the sound.
    const bool shown = selection.exists();
    if (!playFile(file, roundHalfEven(selection.SelStart * 1000 / doc_.SampleRate),
                  shown ? selection.SelStart : -1, shown ? selection.SelEnd : -1))
        reportNoSound(false, asked);
}

void Editor::playAfterChange() {
    if (settings_.options.listenAfterChange && folders_.playsSound) startPlaying(false);
}

void Editor::stop() {
    if (doc_.FileName.empty()) return;
    if (recording()) {
        pasteClip(recordingMerge_ != RecordingMerge::Insert,
                  recordingMerge_ == RecordingMerge::Fade, true);
        return;
    }
    device_.stop();
    device_.close();
}

void Editor::seekBy(int64_t ms) {
    const int64_t position = device_.position();
    const int64_t length = device_.length();
    if (recording() || position < 0 || position >= length) return;
    device_.seek(std::clamp<int64_t>(position + ms, 0, length - 1));
    device_.play();
}

void Editor::rewind() {
    seekBy(-1000);
}
void Editor::fastForward() {
    seekBy(1000);
}

void Editor::startRecording(RecordingMerge merge) {
    if (doc_.FileName.empty()) return;
    stop();
    recordingMerge_ = merge;
    const std::string path = newTempSoundName();
    // Recorded in the sound's own rate and channels where the device takes them.
    device_.setRecordingFormat(int(roundToInt(doc_.SampleRate)), int(doc_.Channels));
    if (!device_.open(path, WaveDevice::Purpose::Record)) return reportNoSound(true, true);
    recordingPath_ = path;
    device_.record();
}

void Editor::record() {
    startRecording(RecordingMerge::Insert);
}
void Editor::recordMixed() {
    startRecording(RecordingMerge::Mix);
}
void Editor::recordFading() {
    startRecording(RecordingMerge::Fade);
}

void Editor::markAtPlayPosition(bool start) {
    if (!devicePlaying() || recording()) return;
    Selection& selection = doc_.selection;
    // The device counts from the start of the played stretch; startMs is rounded to whole
    // milliseconds, so the frame is counted from PlayFrom itself.
    const double frame = playing_.PlayFrom + device_.position() * doc_.SampleRate / 1000;
    if (start) {
        if (selection.SelStart == -1) selection.SelEnd = -1;
        selection.SelStart = frame;
        if (selection.SelEnd == -1 || selection.SelEnd <= selection.SelStart)
            selection.SelEnd = doc_.SampleCount - 1;
    } else {
        selection.SelEnd = frame;
        if (selection.SelStart == -1 || selection.SelStart >= selection.SelEnd)
            selection.SelStart = 0;
    }
    if (doc_.isStereo() && !settings_.options.bothChannels) toggleBothChannels();
    showSelection();
}

} // namespace sono
