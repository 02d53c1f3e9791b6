// Playing and recording: the device plays the sound (or the selection) where it lies in memory;
// a recording goes to a temporary file that Stop reads and merges.
#include "editor/PlaybackCommands.h"

#include <cmath>
#include <system_error>
#include <utility>

#include "editor/Editor.h"
#include "formats/WavWriter.h"
#include "support/Numbers.h"

namespace sono {

PlaybackCommands::PlaybackCommands(Editor& editor, Transport& transport,
                                   std::filesystem::path tempDir, bool playsSound)
    : editor_(editor), transport_(transport), tempDir_(std::move(tempDir)),
      playsSound_(playsSound) {}

Document& PlaybackCommands::doc() {
    return editor_.doc();
}

std::string PlaybackCommands::newTempSoundName() const {
    for (int n = 0;; ++n) {
        const auto name = tempDir_ / ("sonoplexer" + numberText(double(n)) + "$.tmp");
        std::error_code error;
        if (!std::filesystem::exists(name, error)) return name.string();
    }
}

void PlaybackCommands::play() {
    startPlaying(true);
}

void PlaybackCommands::startPlaying(bool asked) {
    if (doc().FileName.empty()) return;
    stop();
    Selection& selection = doc().selection;
    if (selection.exists() && selection.SelStart > selection.SelEnd)
        std::swap(selection.SelStart, selection.SelEnd);
    // The level display follows the channel the selection was made in.
    transport_.levelMeterChannel = meterChannelOf(doc());
    if (!editor_.options().bothChannels && doc().isStereo())
        transport_.levelMeterChannel =
            selection.SelChannel == 2 ? MeterChannel::Second : MeterChannel::First;
    const bool shown = selection.exists();
    // The selection's frames as a file of them would hold them.
    const int64_t frameBytes = int64_t(doc().Channels) * int64_t(doc().BitsPerSample / 8);
    const SoundInMemory sound{
        doc().LeftSamples,
        doc().RightSamples,
        shown ? selection.savedFirst() : 0,
        shown ? wavLayout(doc(), selection.savedFrames()).dataSize / frameBytes : doc().SampleCount,
        int(roundToInt(doc().SampleRate)),
        int(doc().Channels),
        int(doc().BitsPerSample)};
    // The play cursor counts from where the played stretch starts in the sound.
    if (!transport_.playSound(sound, roundHalfEven(selection.SelStart * 1000 / doc().SampleRate),
                              shown ? selection.SelStart : -1, shown ? selection.SelEnd : -1,
                              doc().SampleCount))
        transport_.reportNoSound(false, asked);
}

void PlaybackCommands::playAfterChange() {
    if (editor_.options().listenAfterChange && playsSound_) startPlaying(false);
}

void PlaybackCommands::stop() {
    if (doc().FileName.empty()) return;
    if (transport_.recording()) {
        const RecordingMerge merge = transport_.recordingMerge();
        editor_.edits().pasteClip(merge != RecordingMerge::Insert, merge == RecordingMerge::Fade,
                                  true);
        return;
    }
    transport_.stopPlaying();
}

void PlaybackCommands::startRecording(RecordingMerge merge) {
    if (doc().FileName.empty()) return;
    stop();
    transport_.startRecording(newTempSoundName(), int(roundToInt(doc().SampleRate)),
                              int(doc().Channels), merge);
}

void PlaybackCommands::record() {
    startRecording(RecordingMerge::Insert);
}
void PlaybackCommands::recordMixed() {
    startRecording(RecordingMerge::Mix);
}
void PlaybackCommands::recordFading() {
    startRecording(RecordingMerge::Fade);
}

void PlaybackCommands::markAtPlayPosition(bool start) {
    if (!transport_.devicePlaying() || transport_.recording()) return;
    Selection& selection = doc().selection;
    const double frame = transport_.heardFrame(doc().SampleRate);
    if (start) {
        if (selection.SelStart == -1) selection.SelEnd = -1;
        selection.SelStart = frame;
        if (selection.SelEnd == -1 || selection.SelEnd <= selection.SelStart)
            selection.SelEnd = doc().SampleCount - 1;
    } else {
        selection.SelEnd = frame;
        if (selection.SelStart == -1 || selection.SelStart >= selection.SelEnd)
            selection.SelStart = 0;
    }
    if (doc().isStereo() && !editor_.options().bothChannels)
        editor_.preferences().toggleOption(&Options::bothChannels);
    editor_.view().showSelection();
}

} // namespace sono
