// Playing and recording: the device plays the sound (or the selection) where it lies in memory;
// a recording goes to a temporary file that Stop reads and merges.
#include <cmath>

#include "editor/Editor.h"
#include "formats/WavWriter.h"
#include "support/Numbers.h"

namespace sono {

std::string Editor::newTempSoundName() const {
    for (int n = 0;; ++n) {
        const auto name = folders_.tempDir / ("sonoplexer" + numberText(double(n)) + "$.tmp");
        std::error_code error;
        if (!std::filesystem::exists(name, error)) return name.string();
    }
}

void Editor::play() {
    startPlaying(true);
}

void Editor::startPlaying(bool asked) {
    if (doc_.FileName.empty()) return;
    stop();
    Selection& selection = doc_.selection;
    if (selection.exists() && selection.SelStart > selection.SelEnd)
        std::swap(selection.SelStart, selection.SelEnd);
    // The level display follows the channel the selection was made in.
    transport_.levelMeterChannel = meterChannelOf(doc_);
    if (!settings_.options.bothChannels && doc_.isStereo())
        transport_.levelMeterChannel =
            selection.SelChannel == 2 ? MeterChannel::Second : MeterChannel::First;
    const bool shown = selection.exists();
    // The selection's frames as a file of them would hold them.
    const int64_t frameBytes = int64_t(doc_.Channels) * int64_t(doc_.BitsPerSample / 8);
    const SoundInMemory sound{doc_.LeftSamples,
                              doc_.RightSamples,
                              shown ? selection.savedFirst() : 0,
                              shown ? wavLayout(doc_, selection.savedFrames()).dataSize / frameBytes
                                    : doc_.SampleCount,
                              int(roundToInt(doc_.SampleRate)),
                              int(doc_.Channels),
                              int(doc_.BitsPerSample)};
    // The play cursor counts from where the played stretch starts in the sound.
    if (!transport_.playSound(sound, roundHalfEven(selection.SelStart * 1000 / doc_.SampleRate),
                              shown ? selection.SelStart : -1, shown ? selection.SelEnd : -1,
                              doc_.SampleCount))
        transport_.reportNoSound(false, asked);
}

void Editor::playAfterChange() {
    if (settings_.options.listenAfterChange && folders_.playsSound) startPlaying(false);
}

void Editor::stop() {
    if (doc_.FileName.empty()) return;
    if (transport_.recording()) {
        const RecordingMerge merge = transport_.recordingMerge();
        pasteClip(merge != RecordingMerge::Insert, merge == RecordingMerge::Fade, true);
        return;
    }
    transport_.stopPlaying();
}

void Editor::startRecording(RecordingMerge merge) {
    if (doc_.FileName.empty()) return;
    stop();
    transport_.startRecording(newTempSoundName(), int(roundToInt(doc_.SampleRate)),
                              int(doc_.Channels), merge);
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
    if (!transport_.devicePlaying() || transport_.recording()) return;
    Selection& selection = doc_.selection;
    const double frame = transport_.heardFrame(doc_.SampleRate);
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
    if (doc_.isStereo() && !settings_.options.bothChannels)
        settingsCommands_.toggleOption(&Options::bothChannels);
    viewCommands_.showSelection();
}

} // namespace sono
