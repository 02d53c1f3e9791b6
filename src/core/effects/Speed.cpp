#include "effects/Speed.h"

#include <algorithm>
#include <cmath>

#include "support/Numbers.h"

namespace sono {

namespace {
// Slots a slow frame fills, and the room kept beyond the worst case for them and for rounding.
constexpr int64_t SlowFill = 3;
constexpr int64_t Margin = 502;
} // namespace

bool validSpeeds(SpeedSettings settings) {
    return std::isfinite(settings.startSpeed) && std::isfinite(settings.endSpeed) &&
           settings.startSpeed > 0 && settings.endSpeed > 0;
}

std::optional<int64_t> speedOutputBound(int64_t frameCount, FrameRange range,
                                        SpeedSettings settings) {
    const double slowest = std::min(settings.startSpeed, settings.endSpeed);
    const double resampled = std::ceil(double(range.size()) / slowest);
    const double bound = double(frameCount - range.size()) + resampled + SlowFill + Margin;
    if (!(bound < 9.0e18)) return std::nullopt;
    return int64_t(bound);
}

SpeedResult changeSpeed(std::span<const int16_t> x, FrameRange range, SpeedSettings settings,
                        int16_t silence, Samples& out, const StepObserver& stepDone) {
    const double start = settings.startSpeed;
    const int64_t length = range.last - range.first;
    const double slope = length > 0 ? (double(settings.endSpeed) - start) / double(length) : 0.0;
    const int16_t* in = x.data() + range.first;
    out.insert(out.end(), x.begin(), x.begin() + range.first);

    // The output position is kept in double precision: a single-precision sum stops growing on
    // long sounds (it stalls at 2^24 frames at full speed) and drifts from the chosen speed long
    // before that.
    double position = double(range.first);
    int64_t slot = range.first;
    int64_t filled = range.first; // slots before this one hold a frame
    // speedAt(k) is the speed of frame k. A speed that stays the same is known to be one, so
    // that its reciprocal is worked out once instead of at every frame.
    const auto resample = [&](int64_t begin, int64_t end, auto speedAt) {
        // The slots this step can reach, from its slowest speed (at one of its ends, the speed
        // being linear) with a frame to spare for rounding, are added at once, as silence.
        const double slowest = std::min(speedAt(begin), speedAt(end - 1));
        const double reach =
            double(slot) + double(end - begin) / slowest * (1 + 1e-9) + SlowFill + 2;
        out.resize(std::max(out.size(), size_t(reach)), silence);
        int16_t* to = out.data();
        for (int64_t k = begin; k < end; ++k) {
            const double speed = speedAt(k);
            if (slot > filled) std::fill(to + filled, to + slot, silence);
            if (speed < 1.0) {
                to[slot] = to[slot + 1] = to[slot + 2] = in[k];
                filled = std::max(filled, slot + SlowFill);
            } else {
                to[slot] = in[k];
                filled = std::max(filled, slot + 1);
            }
            position += 1.0 / speed;
            slot = roundToInt(position);
        }
    };
    forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
        // start + slope * k is start itself when the slope is 0.
        if (slope == 0) return resample(begin, end, [start](int64_t) { return start; });
        resample(begin, end, [&](int64_t k) { return start + slope * double(k); });
    });
    out.resize(size_t(slot), silence);
    out.insert(out.end(), x.begin() + range.last + 1, x.end());
    return {int64_t(out.size()), slot};
}

} // namespace sono
