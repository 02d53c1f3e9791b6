#pragma once
// The sound device as the editor uses it: what is playing (for the play cursor and the range
// markers), the recording under way and how Stop merges it, and the channel the level display
// follows. It knows files and frames, not the sound: the editor writes what is played and merges
// what was recorded.
#include <cstdint>
#include <string>

#include "ports/UserDialogs.h"
#include "ports/WaveDevice.h"
#include "settings/Settings.h"
#include "transport/LevelMeter.h"

namespace sono {

// How Stop merges a recording into the sound, as the three record commands ask.
enum class RecordingMerge { Insert, Mix, Fade };

class Transport {
  public:
    // What is being played: the played file starts startMs into the sound and holds its frames
    // fromFrame..toFrame.
    struct Playing {
        double startMs = 0;
        double fromFrame = 0;
        double toFrame = 0;
    };
    // A recording that Stop ended: its file, and whether the device wrote it whole.
    struct Recorded {
        std::string path;
        bool saved = false;
        RecordingMerge merge = RecordingMerge::Insert;
    };

    Transport(WaveDevice& device, UserDialogs& dialogs, const Settings& settings);

    // Plays frames of the sound straight from memory; they are fromFrame..toFrame of the whole
    // sound of `soundFrames` frames (either below 0: all of it), and begin startMs into it.
    // False when the device could not open them.
    bool playSound(const SoundInMemory& sound, double startMs, double fromFrame, double toFrame,
                   int64_t soundFrames);
    // Ends playback and releases the device.
    void stopPlaying();
    // A second back or forward in the file being played.
    void rewind();
    void fastForward();
    // Records into `path` in the sound's rate and channels where the device takes them. False
    // (the user has been told) when there is no sound input for it.
    bool startRecording(const std::string& path, int rate, int channels, RecordingMerge merge);
    // Ends the recording under way; the device saves its file.
    Recorded finishRecording();
    // A recording is running (until Stop merges it), and how it will be merged.
    bool recording() const { return !recordingPath_.empty(); }
    RecordingMerge recordingMerge() const { return recordingMerge_; }
    // The device is playing or recording: its position lies inside the open file.
    bool devicePlaying() const;
    const Playing& playing() const { return playing_; }
    // The frame of the sound being heard now, for a sound of `rate` frames a second. The device
    // counts from the start of the played stretch; startMs is rounded to whole milliseconds, so
    // the frame is counted from fromFrame itself.
    double heardFrame(double rate) const;
    // No sound output or input: said every time the user asked, once for automatic plays.
    void reportNoSound(bool recordingWanted, bool asked);

    // Which channel the level display follows.
    MeterChannel levelMeterChannel = MeterChannel::First;

  private:
    void seekBy(int64_t ms);

    WaveDevice& device_;
    UserDialogs& dialogs_;
    const Settings& settings_;
    Playing playing_;
    std::string recordingPath_; // the file being recorded; "" when no recording runs
    RecordingMerge recordingMerge_ = RecordingMerge::Insert;
    bool soundFailureShown_ = false;
};

} // namespace sono
