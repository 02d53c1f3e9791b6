#pragma once
// An editor holding a sound made in the test, for driving the effects through the editor.
#include <cmath>
#include <numbers>
#include <random>

#include "EditorFixture.h"

namespace sono::test {

class EffectFixture : public EditorFixture {
  protected:
    // Puts an untitled sound into the editor as a generator leaves it: nothing selected, unchanged.
    void load(Samples left, Samples right = {}, float bits = 16, float rate = 44100) {
        Document& d = doc();
        d.FileName = "*";
        d.SampleCount = int32_t(left.size());
        d.Channels = right.empty() ? 1.0f : 2.0f;
        d.LeftSamples = std::move(left);
        d.RightSamples = right.empty() ? Samples{0} : std::move(right);
        d.BitsPerSample = bits;
        d.SampleRate = rate;
        d.SelStart = d.SelEnd = -1;
        d.Changed = false;
    }
    // A selection dragged in view 1 or 2, with the both-channels option set as asked.
    void select(int first, int last, int view = 1, bool bothChannels = true) {
        if (editor->options().bothChannels != bothChannels) editor->MMbeide();
        doc().SelStart = float(first);
        doc().SelEnd = float(last);
        doc().SelChannel = view;
    }
    Document& doc() { return editor->doc(); }
    Samples& left() { return doc().LeftSamples; }
    Samples& right() { return doc().RightSamples; }

    static Samples filled(size_t frames, int16_t value) { return Samples(frames, value); }
    static Samples noise(size_t frames, unsigned seed, int low = -32768, int high = 32767) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> value(low, high);
        Samples samples(frames);
        for (auto& s : samples)
            s = int16_t(value(random));
        return samples;
    }
    static Samples sine(size_t frames, int period, int amplitude) {
        Samples samples(frames);
        for (size_t k = 0; k < frames; ++k)
            samples[k] = int16_t(
                std::lround(amplitude * std::sin(2 * std::numbers::pi * double(k) / period)));
        return samples;
    }
};

} // namespace sono::test
