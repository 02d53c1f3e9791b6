#include "effects/Echo.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "document/Numbers.h"
#include "document/SampleWidth.h"
#include "effects/VectorClones.h"

namespace sono {

namespace {
// Delay (seconds) and echo volume (fraction) at the start of the range and their slopes per frame.
struct EchoCurve {
    double delay, delaySlope, volume, volumeSlope;
};

EchoCurve echoCurve(const EchoSettings& settings, FrameRange range) {
    const double d1 = settings.startDelayMs / 1000.0;
    const double d2 = settings.endDelayMs / 1000.0;
    const double v1 = settings.startVolumePercent / 100.0;
    const double v2 = settings.endVolumePercent / 100.0;
    const int64_t length = range.last - range.first;
    if (length <= 0) return {d1, 0, v1, 0};
    return {d1, (d2 - d1) / double(length), v1, (v2 - v1) / double(length)};
}
} // namespace

bool validEcho(const EchoSettings& settings) {
    const float values[] = {settings.startDelayMs, settings.endDelayMs, settings.startVolumePercent,
                            settings.endVolumePercent};
    return std::all_of(std::begin(values), std::end(values),
                       [](float v) { return std::isfinite(v); }) &&
           settings.startDelayMs >= 0 && settings.endDelayMs >= 0;
}

std::optional<int64_t> echoLastFrame(const EchoSettings& settings, FrameRange range,
                                     int64_t frameCount, double sampleRate) {
    const double repeats = settings.repeats;
    // A range of one frame has only the start delay, like its echoes.
    const double endDelayMs = range.size() > 1 ? settings.endDelayMs : settings.startDelayMs;
    const double lastAtEnd = endDelayMs / 1000.0 * sampleRate * repeats + range.last;
    const double lastAtStart = settings.startDelayMs / 1000.0 * sampleRate * repeats + range.first;
    double last = double(frameCount - 1);
    if (lastAtEnd > last) last = roundHalfEven(lastAtEnd);
    if (lastAtStart > last) last = roundHalfEven(lastAtStart);
    if (!(last < 9.0e18)) return std::nullopt;
    return int64_t(last);
}

namespace {
// What one pass of the echo loop needs besides the sums.
struct EchoPass {
    EchoCurve curve;
    FrameRange range;
    int repeats;
    bool softer;
    double sampleRate;
    double lastFrame;
};

// The frames i in [begin, end) of the pass, counted back from the end of the range. Every
// sample goes through several roundings, which the baseline instruction set leaves to a library
// call; the machine's own instructions do each in one.
template <class Width>
SONO_VECTOR_CLONES void echoFrames(int32_t* sum, int64_t begin, int64_t end, EchoPass p) {
    for (int64_t i = begin; i < end; ++i) {
        const int64_t k = p.range.last - i;
        const double offset = double(k - p.range.first);
        const double delay = p.curve.delay + p.curve.delaySlope * offset;
        const double volume = p.curve.volume + p.curve.volumeSlope * offset;
        for (int r = 1; r <= p.repeats; ++r) {
            const double at = roundHalfEven(delay * p.sampleRate * r + double(k));
            if (at > p.lastFrame) continue;
            const int64_t target = int64_t(at);
            const double weight = p.softer ? volume * (p.repeats + 1 - r) / p.repeats : volume;
            // A delay of 0 lands on the source itself, which is then read anew.
            const double source = sum[k] - Width::center;
            const double total = roundHalfEven(weight * source + sum[target]);
            // Saturating keeps the sum defined even for absurd volumes from a script.
            sum[target] = int32_t(std::clamp<double>(total, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
        }
    }
}
} // namespace

void addEcho(std::span<int16_t> x, FrameRange range, const EchoSettings& settings,
             double sampleRate, bool eightBit, std::vector<int32_t>& acc,
             const StepObserver& stepDone) {
    const EchoPass pass{
        echoCurve(settings, range), range, settings.repeats, settings.softer, sampleRate,
        double(x.size()) - 1};
    acc.assign(x.begin(), x.end());
    withWidth(eightBit, [&]<class Width>(Width) {
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            echoFrames<Width>(acc.data(), begin, end, pass);
        });
        std::transform(acc.begin(), acc.end(), x.begin(),
                       [](int32_t value) { return clipped<Width>(value); });
    });
}

} // namespace sono
