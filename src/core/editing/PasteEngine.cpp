#include "editing/PasteEngine.h"

#include <algorithm>
#include <limits>

#include "support/ChannelMemory.h"
#include "support/Numbers.h"
#include "support/Progress.h"
#include "document/SampleWidth.h"
#include "editing/SelectionEdits.h"

namespace sono {

namespace {
constexpr int PassSlices = 50;

// Where the clip goes and how long the sound becomes, worked out before anything changes.
struct MergePlan {
    bool append = false; // no selection and no mix: the clip replaces the last frame and one
                         // appended frame of silence
    int target = 1;      // channels that take the clip
    ChannelScope scope;
    int64_t selStart = 0;
    int64_t selEnd = -1;
    int64_t frames = 0; // the sound's frames once the appended frame is there
    bool rateDiffers = false;
    int64_t converted = 0; // the clip's frames at the sound's rate
    int64_t merged = 0;    // the frames that replace the selection
    int64_t resultCount = 0;
};

int64_t convertedLength(const Document& doc, const ClipSource& clip) {
    const float q = float(double(doc.SampleRate) / clip.rate);
    return std::max<int64_t>(roundToInt(double(q) * clip.frames - 1), 0);
}

MergePlan planMerge(const Document& doc, const ClipSource& clip, const PasteRequest& request) {
    MergePlan plan;
    const int64_t count = std::max(doc.SampleCount, 0);
    const bool stereo = doc.isStereo();
    plan.target = stereo && request.bothChannels ? 2 : 1;
    plan.scope = doc.selection.channels(stereo, request.bothChannels);
    // Without a selection, a mix starts at the beginning and a plain paste replaces the last
    // frame and one appended frame of silence.
    if (!doc.hasSelection() || count == 0) {
        plan.target = int(doc.Channels);
        plan.scope = {true, stereo};
        if (request.mix) {
            plan.selStart = 0;
            plan.selEnd = count - 1;
        } else {
            plan.append = true;
            plan.selStart = std::max<int64_t>(count - 1, 0);
            plan.selEnd = count;
        }
    } else {
        const FrameRange range = doc.selection.pasteRange(count);
        plan.selStart = range.first;
        plan.selEnd = range.last;
    }
    plan.frames = count + (plan.append ? 1 : 0);
    const int64_t selected = plan.selEnd - plan.selStart + 1;
    plan.rateDiffers = float(clip.rate) != doc.SampleRate;
    plan.converted = plan.rateDiffers ? convertedLength(doc, clip) : clip.frames;
    plan.merged = request.mix ? std::max(selected, plan.converted) : plan.converted;
    const int64_t replaced = plan.frames + plan.merged - selected;
    // One channel of a stereo sound that grows lengthens the other with silence; one that
    // shrinks leaves the length as it is.
    plan.resultCount = stereo && plan.target == 1 && doc.hasSelection()
                           ? std::max(replaced, plan.frames)
                           : replaced;
    return plan;
}

class Merge {
  public:
    Merge(Document& doc, ClipSource& clip, const PasteRequest& request,
          const std::function<void(int)>& progress)
        : doc_(doc), clip_(clip), request_(request), progress_(progress) {}

    MergeResult run() {
        fitArrays(doc_);
        const MergePlan plan = planMerge(doc_, clip_, request_);
        const int64_t count = std::max(doc_.SampleCount, 0);
        const bool stereo = doc_.isStereo();
        target_ = plan.target;
        selStart_ = plan.selStart;
        selEnd_ = plan.selEnd;
        const int64_t frames = plan.frames;
        if (plan.append) {
            doc_.SampleCount = int32_t(frames);
            const int16_t silence = doc_.silenceValue();
            doc_.LeftSamples.resize(size_t(count));
            doc_.LeftSamples.resize(size_t(frames), silence);
            if (stereo) {
                doc_.RightSamples.resize(size_t(count));
                doc_.RightSamples.resize(size_t(frames), silence);
            }
        }
        doc_.selection.SelStart = double(selStart_);
        doc_.selection.SelEnd = double(selEnd_);

        const bool oneChannel = stereo && target_ == 1;
        editLeft_ = plan.scope.first;
        editRight_ = stereo && plan.scope.second;
        const bool toMono = clip_.channels == 2 && target_ == 1;
        const bool toStereo = stereo && (clip_.channels == 1 || toMono);
        const bool bitsDiffer = clip_.bits != int(doc_.BitsPerSample);
        passes_ = int(toMono) + int(toStereo) + int(bitsDiffer) +
                  (plan.rateDiffers ? (stereo ? 2 : 1) : 0) +
                  (request_.mix ? int(editLeft_) + int(editRight_) : 0) + int(oneChannel);
        total_ = request_.fromRecording ? 2 * passes_ : passes_;
        done_ = request_.fromRecording ? passes_ : 0;

        if (toMono) averageToMono();
        if (toStereo) {
            clip_.b = clip_.a;
            clip_.channels = 2;
            pass(1, [](int64_t, int64_t) {});
        }
        if (bitsDiffer) convertBits();
        if (plan.rateDiffers) convertRate(plan.converted);
        if (request_.mix) {
            if (editLeft_) mixInto(doc_.LeftSamples, clip_.a);
            if (editRight_) mixInto(doc_.RightSamples, clip_.b);
            clip_.frames = int32_t(plan.merged);
        }
        const int64_t selected = selEnd_ - selStart_ + 1;
        replaceSelection(frames, oneChannel);
        doc_.selection.SelEnd = double(selStart_ + clip_.frames);

        // When the clip is not as long as the selection, everything behind it moved; a channel
        // that grew alone lengthened the other one with silence.
        const bool lengthChanged = doc_.SampleCount != count;
        const bool moved = clip_.frames != selected;
        const SoundChange change{selStart_,
                                 moved ? int64_t(doc_.SampleCount) - 1
                                       : selStart_ + clip_.frames - 1,
                                 editLeft_ || lengthChanged,
                                 stereo && (editRight_ || lengthChanged),
                                 lengthChanged,
                                 false};
        return {target_, change};
    }

  private:
    // Runs body over n frames in 50 slices; the bar is shared equally among the passes.
    template <class Body> void pass(int64_t n, Body&& body) {
        inSlices(n, PassSlices, body, [&](int k) {
            int64_t step =
                (int64_t(done_) * PassSlices + k + 1) * 100 / (int64_t(total_) * PassSlices);
            progress_(int(std::min<int64_t>(step, 99)));
        });
        ++done_;
    }

    void averageToMono() {
        pass(clip_.frames, [&](int64_t begin, int64_t end) {
            for (int64_t i = begin; i < end; ++i)
                clip_.a[i] = int16_t(roundToInt((double(clip_.a[i]) + clip_.b[i]) / 2));
        });
        clip_.b.clear();
        clip_.channels = 1;
    }

    void convertBits() {
        const bool toEight = doc_.BitsPerSample == 8;
        auto convert = [&](Samples& channel, int64_t begin, int64_t end) {
            for (int64_t i = begin; i < end; ++i) {
                int64_t x = channel[i];
                channel[i] = toEight ? clipped<Bits8>(double(x / 256 + 128))
                                     : clipped<Bits16>(double(256 * x - 32768));
            }
        };
        pass(clip_.frames, [&](int64_t begin, int64_t end) {
            convert(clip_.a, begin, end);
            if (clip_.channels == 2) convert(clip_.b, begin, end);
        });
        clip_.bits = int(doc_.BitsPerSample);
    }

    // Nearest earlier-or-later sample, no filtering. For large upward factors the last new
    // frames would point one past the clip; they take its last sample.
    void convertRate(int64_t newLength) {
        const double ratio = double(clip_.rate) / double(doc_.SampleRate);
        const int64_t last = int64_t(clip_.frames) - 1;
        auto rebuild = [&](Samples& channel) {
            Samples out(static_cast<size_t>(newLength));
            pass(newLength, [&](int64_t begin, int64_t end) {
                for (int64_t i = begin; i < end; ++i)
                    out[i] = channel[std::min(roundToInt(ratio * double(i)), last)];
            });
            channel.swap(out);
        };
        rebuild(clip_.a);
        if (doc_.isStereo()) rebuild(clip_.b);
        clip_.frames = int32_t(newLength);
        clip_.rate = int32_t(doc_.SampleRate);
    }

    void mixInto(const Samples& channel, Samples& clipChannel) {
        const int64_t n = clip_.frames;
        const int64_t selected = selEnd_ - selStart_ + 1;
        const int64_t longer = std::max(selected, n);
        const int64_t overlap = std::min(selected, n);
        const bool eightBit = doc_.BitsPerSample == 8;
        Samples out(static_cast<size_t>(longer));
        pass(longer, [&](int64_t begin, int64_t end) {
            for (int64_t i = begin; i < end; ++i) {
                if (i >= overlap) {
                    out[i] = selected > n ? channel[selStart_ + i] : clipChannel[i];
                    continue;
                }
                const int64_t c = clipChannel[i];
                const int64_t d = channel[selStart_ + i];
                if (request_.overlap) {
                    const float clipWeight = float(double(i) / overlap);
                    const float soundWeight = float(double(overlap - i) / overlap);
                    out[i] = int16_t(std::clamp<int64_t>(
                        roundToInt(c * double(clipWeight) + d * double(soundWeight)),
                        std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
                } else {
                    out[i] = eightBit ? clipped<Bits8>(double(c + d - 128))
                                      : clipped<Bits16>(double(c + d));
                }
            }
        });
        clipChannel.swap(out);
    }

    void replaceSelection(int64_t frames, bool oneChannel) {
        const int64_t n = clip_.frames;
        const int64_t newLength = frames + n - (selEnd_ - selStart_ + 1);
        auto replace = [&](Samples& channel, const Samples& clipChannel) {
            Samples out;
            reserveChannel(out, size_t(std::max<int64_t>(newLength, 1)));
            out.insert(out.end(), channel.begin(), channel.begin() + selStart_);
            if (passes_ == 0) progress_(33);
            out.insert(out.end(), clipChannel.begin(), clipChannel.begin() + n);
            if (passes_ == 0) progress_(66);
            out.insert(out.end(), channel.begin() + selEnd_ + 1, channel.begin() + frames);
            if (passes_ == 0) progress_(99);
            if (out.empty()) out.push_back(0);
            channel.swap(out);
        };
        if (editLeft_) replace(doc_.LeftSamples, clip_.a);
        if (editRight_) replace(doc_.RightSamples, clip_.b);

        const size_t kept = size_t(std::max<int64_t>(newLength, 0));
        if (!oneChannel) {
            doc_.SampleCount = int32_t(newLength);
            doc_.LeftSamples.resize(std::max<size_t>(kept, 1));
            if (doc_.isStereo()) doc_.RightSamples.resize(std::max<size_t>(kept, 1));
            return;
        }
        // One channel of a stereo sound changed length: the shorter channel is lengthened with
        // silence, existing samples stay.
        const int64_t count = std::max(newLength, frames);
        Samples& edited = editLeft_ ? doc_.LeftSamples : doc_.RightSamples;
        Samples& other = editLeft_ ? doc_.RightSamples : doc_.LeftSamples;
        const int16_t silence = doc_.silenceValue();
        pass(1, [&](int64_t, int64_t) {
            edited.resize(kept);
            edited.resize(size_t(std::max<int64_t>(count, 1)), silence);
            other.resize(size_t(frames));
            other.resize(size_t(std::max<int64_t>(count, 1)), silence);
        });
        doc_.SampleCount = int32_t(count);
    }

    Document& doc_;
    ClipSource& clip_;
    const PasteRequest& request_;
    const std::function<void(int)>& progress_;
    int target_ = 1;
    int64_t selStart_ = 0;
    int64_t selEnd_ = -1;
    bool editLeft_ = true;
    bool editRight_ = false;
    int passes_ = 0;
    int total_ = 0;
    int done_ = 0;
};
} // namespace

int64_t mergedSampleCount(const Document& doc, const ClipSource& clip,
                          const PasteRequest& request) {
    return planMerge(doc, clip, request).resultCount;
}

MergeResult mergeClip(Document& doc, ClipSource& clip, const PasteRequest& request,
                      const std::function<void(int)>& progress) {
    return Merge(doc, clip, request, progress).run();
}

} // namespace sono
