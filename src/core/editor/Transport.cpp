#include "editor/Transport.h"

#include <algorithm>
#include <utility>

#include "support/StatusTexts.h"
#include "support/Texts.h"

namespace sono {

Transport::Transport(WaveDevice& device, UserDialogs& dialogs, const Settings& settings)
    : device_(device), dialogs_(dialogs), settings_(settings) {}

bool Transport::playSound(const SoundInMemory& sound, double startMs, double fromFrame,
                          double toFrame, int64_t soundFrames) {
    playing_.startMs = startMs;
    const bool range = fromFrame >= 0 && toFrame >= 0;
    playing_.fromFrame = range ? fromFrame : 0;
    playing_.toFrame = range ? toFrame : double(soundFrames - 1);
    device_.stop();
    device_.close();
    if (!device_.openSound(sound)) return false;
    device_.play();
    return true;
}

void Transport::stopPlaying() {
    device_.stop();
    device_.close();
}

bool Transport::devicePlaying() const {
    const int64_t position = device_.position();
    return position > 0 && position < device_.length();
}

void Transport::seekBy(int64_t ms) {
    const int64_t position = device_.position();
    const int64_t length = device_.length();
    if (recording() || position < 0 || position >= length) return;
    device_.seek(std::clamp<int64_t>(position + ms, 0, length - 1));
    device_.play();
}

void Transport::rewind() {
    seekBy(-1000);
}

void Transport::fastForward() {
    seekBy(1000);
}

bool Transport::startRecording(const std::string& path, int rate, int channels,
                               RecordingMerge merge) {
    recordingMerge_ = merge;
    device_.setRecordingFormat(rate, channels);
    if (!device_.open(path, WaveDevice::Purpose::Record)) {
        reportNoSound(true, true);
        return false;
    }
    recordingPath_ = path;
    device_.record();
    return true;
}

Transport::Recorded Transport::finishRecording() {
    device_.stop();
    const bool saved = device_.save();
    device_.close();
    return {std::exchange(recordingPath_, std::string()), saved, recordingMerge_};
}

double Transport::heardFrame(double rate) const {
    return playing_.fromFrame + double(device_.position()) * rate / 1000;
}

void Transport::reportNoSound(bool recordingWanted, bool asked) {
    if (!asked && soundFailureShown_) return;
    soundFailureShown_ = true;
    const uint8_t language = settings_.language;
    dialogs_.showMessage(
        MessageIcon::Critical, ProgramCaption,
        recordingWanted
            ? LangText(language,
                       "Er kan niet worden opgenomen: er is geen geluidsingang, of die neemt dit "
                       "formaat niet aan.",
                       "Nothing can be recorded: there is no sound input, or it does not take "
                       "this format.")
            : LangText(language,
                       "Het geluid kan niet worden afgespeeld: er is geen geluidsuitgang, of die "
                       "neemt dit formaat niet aan.",
                       "The sound cannot be played: there is no sound output, or it does not "
                       "take this format."));
}

} // namespace sono
