// The frame the effects share (stop playback, take the undo snapshot, work out the range and the
// channels, run the passes with progress, report, redraw and play) and the effects themselves.
#include "editor/EffectCommands.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "editor/Editor.h"
#include "effects/Echo.h"
#include "effects/Filter.h"
#include "effects/Modulation.h"
#include "effects/Normalize.h"
#include "effects/Reverse.h"
#include "effects/SegmentEffects.h"
#include "effects/Shrink.h"
#include "effects/Soften.h"
#include "effects/Speed.h"
#include "effects/Volume.h"
#include "support/ChannelMemory.h"
#include "support/Numbers.h"
#include "support/Progress.h"
#include "support/SideBySide.h"
#include "support/StatusTexts.h"

namespace sono {

namespace {

class EffectFrame {
  public:
    // Works out the range (the selection, or the whole sound) and the channels that take part;
    // nothing visible happens yet.
    EffectFrame(Editor& editor, UserDialogs& dialogs, ViewObserver& view);

    bool soundLoaded() const { return !doc_.FileName.empty(); }
    FrameRange range() const { return range_; }
    // An effect's own adjustment of the range, made after the frame has set it.
    void setRange(FrameRange range);
    bool eightBit() const { return doc_.BitsPerSample == 8; }

    // Tells the user why the effect does not run; nothing has changed.
    void refuse(std::string_view dutch, std::string_view english);
    void refuseSetting();
    // For effects that rebuild the channels that take part at up to `frames` frames each: new
    // arrays for those (only what is written of them is ever touched), room to pad the other, and
    // whatever allocateMore asks for, made before anything changes. False (the user has been
    // told) when the length is beyond a 32-bit frame count or the memory is not there.
    template <class AllocateMore>
    bool makeRoomToRebuild(int64_t frames, AllocateMore&& allocateMore);
    bool makeRoomToRebuild(int64_t frames) {
        return makeRoomToRebuild(frames, [] {});
    }

    // Stop, undo snapshot, busy pointer, progress. False when the snapshot could not be taken:
    // the effect then does nothing more.
    bool start();
    // The effect also changes frames behind its range, up to `last`.
    void changesThrough(int64_t last) { changedLast_ = last; }

    // pass(samples, stepDone) for channel 1, then channel 2, each that takes part. The steps of
    // the passes fill [base, base + width] of the progress bar.
    template <class Pass> void eachChannel(Pass&& pass, int base = 0, int width = StepCount);
    // The same for passes that share nothing between the channels: over a long stereo range the
    // second channel runs on a thread of its own beside the first, which alone shows progress.
    template <class Pass> void eachChannelAtOnce(Pass&& pass, int base = 0, int width = StepCount);
    // pass(left, right, range, stepDone) once for the channels that take part, together (right is
    // empty when one takes part, and left is that one), for passes whose work per frame the
    // channels share. Over a long range the second half runs on a thread of its own beside the
    // first, which alone shows progress.
    template <class Pass> void channelsTogether(Pass&& pass);

    // For effects that rebuild a channel at a new length, in place of start(): rebuild(old
    // samples, new array, stepDone) appends the new channel to the array that makeRoomToRebuild
    // made. Only then is the undo snapshot taken: the old arrays themselves when every channel
    // was rebuilt, so that no copy of them is needed. The new arrays then take their place; a
    // stereo sound takes the longer channel's length and the shorter channel is padded with
    // silence at its end. False when the snapshot could not be taken: nothing has changed.
    template <class Rebuild> bool rebuildChannels(Rebuild&& rebuild);

    // The notice of what changed, message in panel 1, end of progress, the duration and size
    // panels when the length changed, redraw, and playback when the option asks for it.
    void finish(std::string_view dutch, std::string_view english);

  private:
    Samples& channel(int index) { return index == 0 ? doc_.LeftSamples : doc_.RightSamples; }
    bool takesPart(int index) const {
        return index == 0 ? scope_.first : doc_.isStereo() && scope_.second;
    }
    StepObserver progressOf(int index, int base, int width);
    // For the work beside the one that shows progress.
    StepObserver stopWhenCancelled() const;
    // Below this many frames a second thread costs about as much as it saves.
    static constexpr int64_t AtOnceFromFrames = int64_t(1) << 20;

    Editor& editor_;
    UserDialogs& dialogs_;
    ViewObserver& view_;
    Document& doc_;
    FrameRange range_;
    ChannelScope scope_;
    int passes_;
    int64_t framesBefore_;
    int64_t changedLast_ = -1;
    Samples rebuilt_[2]; // the rebuilt channels, for this effect alone
};

EffectFrame::EffectFrame(Editor& editor, UserDialogs& dialogs, ViewObserver& view)
    : editor_(editor), dialogs_(dialogs), view_(view), doc_(editor.doc()),
      range_(doc_.selection.effectRange(doc_.SampleCount)), scope_(editor.editChannels()),
      passes_(scope_.both() ? 2 : 1), framesBefore_(doc_.SampleCount) {}

void EffectFrame::setRange(FrameRange range) {
    range_ = range;
}

void EffectFrame::refuse(std::string_view dutch, std::string_view english) {
    dialogs_.showMessage(MessageIcon::Exclamation, ProgramCaption,
                         editor_.LangText(dutch, english));
}

void EffectFrame::refuseSetting() {
    refuse("Met deze instelling kan het effect niet worden uitgevoerd. Er is niets veranderd.",
           "The effect cannot be applied with this setting. Nothing has been changed.");
}

template <class AllocateMore>
bool EffectFrame::makeRoomToRebuild(int64_t frames, AllocateMore&& allocateMore) {
    if (frames <= MaxSampleCount) {
        try {
            for (int index = 0; index < (doc_.isStereo() ? 2 : 1); ++index) {
                if (takesPart(index))
                    reserveChannel(rebuilt_[index], size_t(frames));
                else
                    growChannel(channel(index), size_t(frames));
            }
            allocateMore();
            return true;
        } catch (const std::bad_alloc&) {
        } catch (const std::length_error&) {
        }
        rebuilt_[0] = rebuilt_[1] = Samples();
    }
    editor_.refuseTooLong();
    return false;
}

bool EffectFrame::start() {
    editor_.playback().stop();
    if (!editor_.history().push()) return false;
    view_.setBusy(true);
    setRange(range_);
    editor_.work().progressStart(ProgressEditing);
    return true;
}

StepObserver EffectFrame::progressOf(int index, int base, int width) {
    // Channel 1 fills the first part of the bar and channel 2 the last; a single pass all of it.
    const double passes = passes_;
    if (index == 0)
        return [this, base, passes](int step) {
            editor_.work().progressShow(int(roundToInt(base + step / passes)));
        };
    return [this, base, width, passes](int step) {
        editor_.work().progressShow(int(roundToInt(base + width - (width - step) / passes)));
    };
}

StepObserver EffectFrame::stopWhenCancelled() const {
    return [](int) { stopIfCancelled(); };
}

template <class Pass> void EffectFrame::eachChannel(Pass&& pass, int base, int width) {
    editor_.work().sampleWork([&] {
        for (int index = 0; index < 2; ++index)
            if (takesPart(index))
                pass(std::span<int16_t>(channel(index)), progressOf(index, base, width));
    });
}

template <class Pass> void EffectFrame::eachChannelAtOnce(Pass&& pass, int base, int width) {
    if (!takesPart(0) || !takesPart(1) || range_.size() < AtOnceFromFrames)
        return eachChannel(pass, base, width);
    editor_.work().sampleWork([&] {
        sideBySide(
            [&] {
                pass(std::span<int16_t>(channel(0)),
                     [this, base](int step) { editor_.work().progressShow(base + step); });
            },
            [&] { pass(std::span<int16_t>(channel(1)), stopWhenCancelled()); });
    });
}

template <class Pass> void EffectFrame::channelsTogether(Pass&& pass) {
    std::span<int16_t> first, second;
    for (int index = 0; index < 2; ++index)
        if (takesPart(index)) (first.empty() ? first : second) = channel(index);
    if (first.empty()) return;
    const StepObserver progress = [this](int step) { editor_.work().progressShow(step); };
    editor_.work().sampleWork([&] {
        if (range_.size() < AtOnceFromFrames) return pass(first, second, range_, progress);
        const int64_t middle = range_.first + range_.size() / 2;
        sideBySide(
            [&] {
                pass(first, second, FrameRange{range_.first, middle - 1}, progress);
            },
            [&] {
                pass(first, second, FrameRange{middle, range_.last}, stopWhenCancelled());
            });
    });
}

template <class Rebuild> bool EffectFrame::rebuildChannels(Rebuild&& rebuild) {
    editor_.playback().stop();
    view_.setBusy(true);
    editor_.work().progressStart(ProgressEditing);
    const auto rebuildOne = [&](int index, const StepObserver& stepDone) {
        rebuild(std::span<const int16_t>(channel(index)), rebuilt_[index], stepDone);
    };
    // Over a long stereo range the second channel is rebuilt on a thread of its own beside the
    // first, which alone shows progress.
    editor_.work().sampleWork([&] {
        if (takesPart(0) && takesPart(1) && range_.size() >= AtOnceFromFrames)
            sideBySide(
                [&] { rebuildOne(0, [this](int step) { editor_.work().progressShow(step); }); },
                [&] { rebuildOne(1, stopWhenCancelled()); });
        else
            for (int index = 0; index < 2; ++index)
                if (takesPart(index)) rebuildOne(index, progressOf(index, 0, StepCount));
    });

    const bool everyChannel = takesPart(0) && (!doc_.isStereo() || takesPart(1));
    if (!editor_.history().push(everyChannel ? UndoSnapshots::Write::HandingOverOld
                                             : UndoSnapshots::Write::InBackground)) {
        rebuilt_[0] = rebuilt_[1] = Samples();
        editor_.work().progressEnd();
        view_.setBusy(false);
        return false;
    }
    for (int index = 0; index < 2; ++index)
        if (takesPart(index)) {
            channel(index).swap(rebuilt_[index]);
            rebuilt_[index] = Samples(); // what the snapshot did not take goes at once
        }
    const bool stereo = doc_.isStereo();
    int64_t longest = 0;
    for (int index = 0; index < (stereo ? 2 : 1); ++index)
        longest = std::max<int64_t>(longest, int64_t(channel(index).size()));
    // Room for the padding was made beforehand; the room the new arrays were not filled to was
    // never touched, and so costs no memory.
    const int16_t silence = doc_.silenceValue();
    for (int index = 0; index < (stereo ? 2 : 1); ++index)
        channel(index).resize(size_t(longest), silence);
    doc_.SampleCount = int32_t(longest);
    return true;
}

void EffectFrame::finish(std::string_view dutch, std::string_view english) {
    // An effect that changed the length moved or padded everything behind the range, in every
    // channel.
    const bool lengthChanged = doc_.SampleCount != framesBefore_;
    const bool stereo = doc_.isStereo();
    editor_.notifySoundChange(
        {range_.first,
         lengthChanged ? int64_t(doc_.SampleCount) - 1 : std::max(range_.last, changedLast_),
         scope_.first || lengthChanged, stereo && (scope_.second || lengthChanged), lengthChanged,
         false});
    editor_.status().setPanel(1, editor_.LangText(dutch, english));
    editor_.work().progressEnd();
    if (lengthChanged) editor_.status().refreshLengthPanels();
    editor_.view().drawWaveform();
    view_.setBusy(false);
    editor_.playback().playAfterChange();
}

} // namespace

EffectCommands::EffectCommands(Editor& editor, UserDialogs& dialogs, ViewObserver& view)
    : editor_(editor), dialogs_(dialogs), view_(view) {}

Document& EffectCommands::doc() {
    return editor_.doc();
}

// ---------------------------------------------------------------- simple transforms

void EffectCommands::reverse() {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded() || !frame.start()) return;
    frame.eachChannelAtOnce([&](std::span<int16_t> x, const StepObserver& stepDone) {
        reverseFrames(x, frame.range(), stepDone);
    });
    frame.finish("Het geluid is omgedraaid.", "The sound has been reversed.");
}

void EffectCommands::normalize() {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded() || !frame.start()) return;
    // The last frame of the sound is never normalized.
    FrameRange range = frame.range();
    if (range.last == doc().SampleCount - 1) range.last = doc().SampleCount - 2;
    frame.setRange(range);

    const int half = StepCount / 2;
    // Each channel widens extremes of its own, so that both can be scanned at once.
    SampleExtremes leftExtremes, rightExtremes;
    frame.eachChannelAtOnce(
        [&](std::span<int16_t> x, const StepObserver& stepDone) {
            scanExtremes(x, range,
                         x.data() == doc().LeftSamples.data() ? leftExtremes : rightExtremes,
                         stepDone);
        },
        0, half);
    const SampleExtremes extremes{std::max(leftExtremes.largest, rightExtremes.largest),
                                  std::min(leftExtremes.smallest, rightExtremes.smallest)};
    const int32_t peak = peakOf(extremes, frame.eightBit());
    // A silent range has no peak to scale to: it stays as it is.
    if (range.size() > 0 && peak == 0) {
        frame.finish("Het volume is niet veranderd, want het geluid is stil.",
                     "The volume has not been changed, because the sound is silent.");
        return;
    }
    if (peak > 0)
        frame.eachChannelAtOnce(
            [&](std::span<int16_t> x, const StepObserver& stepDone) {
                normalizeFrames(x, range, peak, frame.eightBit(), stepDone);
            },
            half, half);
    frame.finish("Het volume is genormaliseerd.", "The volume has been normalized.");
}

void EffectCommands::soften() {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded() || !frame.start()) return;
    // Each frame reads its right-hand neighbour, so the range ends one frame earlier.
    FrameRange range = frame.range();
    --range.last;
    frame.setRange(range);
    frame.eachChannelAtOnce([&](std::span<int16_t> x, const StepObserver& stepDone) {
        softenFrames(x, range, frame.eightBit(), stepDone);
    });
    frame.finish("Het geluid is verzacht.", "The sound has been softened.");
}

void EffectCommands::shrink(int16_t blockSize) {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded()) return;
    if (blockSize < 1) return frame.refuseSetting();
    if (!frame.start()) return;
    frame.eachChannelAtOnce([&](std::span<int16_t> x, const StepObserver& stepDone) {
        shrinkFrames(x, doc().SampleCount, frame.range(), blockSize, stepDone);
    });
    frame.finish("Het geluid is gekrompen.", "The sound has been shrunk.");
}

// ---------------------------------------------------------------- the curve effects

void EffectCommands::changeVolume(float fromFactor, float toFactor) {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded()) return;
    editor_.preferences().saveSettings();
    if (!std::isfinite(fromFactor) || !std::isfinite(toFactor)) return frame.refuseSetting();
    if (!frame.start()) return;
    frame.eachChannelAtOnce([&](std::span<int16_t> x, const StepObserver& stepDone) {
        sono::changeVolume(x, frame.range(), {fromFactor, toFactor}, frame.eightBit(), stepDone);
    });
    frame.finish("Het volume is veranderd.", "The volume has been changed.");
}

void EffectCommands::changeSpeed(float fromSpeed, float toSpeed) {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded()) return;
    editor_.preferences().saveSettings();
    const SpeedSettings speeds{fromSpeed, toSpeed};
    if (!validSpeeds(speeds)) return frame.refuseSetting();
    const FrameRange range = frame.range();
    const int64_t bound = speedOutputBound(doc().SampleCount, range, speeds)
                              .value_or(std::numeric_limits<int64_t>::max());
    if (!frame.makeRoomToRebuild(bound)) return;
    const int16_t silence = doc().silenceValue();
    // Where the resampled stretch ends, the same in both channels (which may be rebuilt at once).
    std::atomic<int64_t> rangeEnd = 0;
    if (!frame.rebuildChannels(
            [&](std::span<const int16_t> x, Samples& out, const StepObserver& stepDone) {
                rangeEnd = sono::changeSpeed(x, range, speeds, silence, out, stepDone).rangeEnd;
            }))
        return;
    // The selection now ends with the resampled stretch; a stretch sped up to nothing keeps its
    // first frame selected.
    if (doc().hasSelection())
        doc().selection.SelEnd =
            double(std::max<int64_t>(rangeEnd - 1, int64_t(doc().selection.SelStart)));
    frame.finish("De snelheid is veranderd.", "The speed has been changed.");
}

void EffectCommands::makeEcho(float delayFrom, float volumeFrom, float delayTo, float volumeTo,
                              int16_t repeats, int16_t softer) {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded()) return;
    editor_.preferences().saveSettings();
    const EchoSettings echo{delayFrom, volumeFrom, delayTo, volumeTo, repeats, softer == 1};
    if (!validEcho(echo)) return frame.refuseSetting();
    const FrameRange range = frame.range();
    const double rate = doc().SampleRate;
    const std::optional<int64_t> last = echoLastFrame(echo, range, doc().SampleCount, rate);
    const int64_t frames = last ? *last + 1 : std::numeric_limits<int64_t>::max();
    // Each channel sums in a buffer of its own, so that both can be at work at once.
    std::vector<int32_t> leftSums, rightSums;
    const auto reserveSums = [&] {
        const size_t slots = echoScratchSlots(echo, range, frames, rate);
        reserveScratch(leftSums, slots);
        if (doc().isStereo()) reserveScratch(rightSums, slots);
    };
    if (!frame.makeRoomToRebuild(frames, reserveSums)) return;
    // Echoes beyond the end lengthen the sound with silence.
    frame.changesThrough(frames - 1);
    if (!frame.rebuildChannels(
            [&](std::span<const int16_t> x, Samples& out, const StepObserver& stepDone) {
                std::vector<int32_t>& sums =
                    x.data() == doc().LeftSamples.data() ? leftSums : rightSums;
                addEcho(x, frames, range, echo, rate, frame.eightBit(), sums, out, stepDone);
            }))
        return;
    frame.finish("Er is een echo gemaakt.", "An echo has been made.");
}

// ---------------------------------------------------------------- character effects

void EffectCommands::alienVoice1() {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded()) return;
    const FrameRange range = frame.range();
    const int64_t bound = alienVoiceBound(doc().SampleCount);
    if (!frame.makeRoomToRebuild(bound) ||
        !frame.rebuildChannels(
            [&](std::span<const int16_t> x, Samples& out, const StepObserver& stepDone) {
                alienVoiceFrames(x, range, out, stepDone);
            }))
        return;
    frame.finish("Het geluid klinkt nu buitenaards.", "The sound now sounds alien.");
}

void EffectCommands::creaking() {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded()) return;
    const FrameRange range = frame.range();
    const int64_t bound = creakBound(doc().SampleCount, range);
    if (!frame.makeRoomToRebuild(bound) ||
        !frame.rebuildChannels(
            [&](std::span<const int16_t> x, Samples& out, const StepObserver& stepDone) {
                creakFrames(x, range, frame.eightBit(), out, stepDone);
            }))
        return;
    frame.finish("Het geluid klinkt nu krakerig.", "The sound now sounds creaking.");
}

void EffectCommands::alienVoice2() {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded() || !frame.start()) return;
    frame.eachChannelAtOnce([&](std::span<int16_t> x, const StepObserver& stepDone) {
        ringModulate(x, frame.range(), frame.eightBit(), stepDone);
    });
    frame.finish("Het geluid klinkt nu buitenaards.", "The sound now sounds alien.");
}

void EffectCommands::satellite() {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded() || !frame.start()) return;
    frame.channelsTogether([&](std::span<int16_t> left, std::span<int16_t> right, FrameRange range,
                               const StepObserver& stepDone) {
        satelliteModulate(left, right, range, doc().SampleRate, frame.eightBit(), stepDone);
    });
    frame.finish("Het geluid is door een satelliet gegaan.",
                 "The sound has gone through a satellite.");
}

// ---------------------------------------------------------------- advanced filter

void EffectCommands::filterByThreshold(bool louder, float percent, float factor) {
    EffectFrame frame(editor_, dialogs_, view_);
    if (!frame.soundLoaded()) return;
    if (!std::isfinite(percent) || !std::isfinite(factor)) return frame.refuseSetting();
    if (!frame.start()) return;
    frame.eachChannelAtOnce([&](std::span<int16_t> x, const StepObserver& stepDone) {
        filterFrames(x, frame.range(), {louder, percent, factor}, frame.eightBit(), stepDone);
    });
    frame.finish("De filter is toegepast.", "The filter has been applied.");
}

} // namespace sono
