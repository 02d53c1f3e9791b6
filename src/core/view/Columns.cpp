#include "view/Columns.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "support/Numbers.h"
#include "support/Progress.h"
#include "view/SampleExtremes.h"

namespace sono {

ColumnFrames columnFrames(const ViewWindow& view, int width, int column) {
    if (width <= 0) return {roundToInt(view.ViewStart), 0, -1};
    const double w = width;
    if (view.zoomed()) {
        const double from = view.ViewStart + view.span * column / w;
        const double to = view.ViewStart + view.span * (column + 1) / w;
        const auto first = int64_t(std::ceil(from));
        return {first, first, int64_t(std::ceil(to)) - 1, from, to};
    }
    const double span = view.ViewEnd - view.ViewStart;
    // Neighbouring columns may share a frame when a position rounds to a half, and the last frame
    // of the view falls into no column: the bounds are the program's own and kept as they are.
    const int64_t first = roundToInt(view.ViewStart + span * column / w);
    const int64_t last = roundToInt(view.ViewStart + span * (column + 1) / w - 1);
    return {first, first, last};
}

std::vector<ColumnExtremes> columnExtremes(std::span<const int16_t> samples, const ViewWindow& view,
                                           int width,
                                           const std::function<void(int step)>& stepDone) {
    const int columns = std::max(width, 0);
    std::vector<ColumnExtremes> extremes(static_cast<size_t>(columns));
    const int64_t count = int64_t(samples.size());
    // Every column starts from its seed, so one that holds no frame still has a height. A frame
    // outside the samples is skipped (a seed there leaves the column at 0).
    for (int c = 0; c < columns; ++c)
        extremes[size_t(c)] =
            detail::columnSeed(samples.data(), count, view, columnFrames(view, width, c));
    inSlices(
        columns, StepCount,
        [&](int64_t begin, int64_t end) {
            for (int64_t c = begin; c < end; ++c) {
                const ColumnFrames frames = columnFrames(view, width, int(c));
                const int64_t first = std::max<int64_t>(frames.first, 0);
                const int64_t last = std::min<int64_t>(frames.last, count - 1);
                if (first <= last)
                    detail::foldExtremes(extremes[size_t(c)], samples.data() + first,
                                         samples.data() + last + 1);
            }
        },
        [&](int step) {
            if (stepDone) stepDone(step);
        });
    return extremes;
}

ColumnRows columnRows(ColumnExtremes extremes, bool eightBit, int height) {
    // Full scale fills the height around the middle: at 256 rows, one row per 8-bit step or per
    // 256 16-bit steps. An odd height's middle lies half way down its middle row.
    const double half = height / 2.0;
    const auto row = [&](int16_t value) {
        const double centred = eightBit ? double(value - 128) * 256 : double(value);
        return int(roundToInt(half - centred * height / 65536));
    };
    ColumnRows rows{row(extremes.high), row(extremes.low)};
    if (rows.bottom <= rows.top) rows.bottom = rows.top + 1;
    return rows;
}

std::vector<TimeMark> timeMarks(const ViewWindow& view, int width, double sampleRate) {
    std::vector<TimeMark> marks;
    if (width <= 0 || !(sampleRate > 0)) return marks;
    const double shown = view.ViewEnd + 1 - view.ViewStart;
    // The interval: the power of ten not above the seconds of 100 columns, times the largest of
    // 1 to 5 that stays below them; at least a hundredth of a second. Both are single precision.
    // The powers reach up to hours, so that the marks of a long sound stay apart.
    const float secondsPer100 = float(shown * 100 / width / sampleRate);
    float tickInterval = 100000;
    do {
        tickInterval = tickInterval / 10;
    } while (tickInterval >= 0.01 && secondsPer100 < tickInterval);
    int k = 0;
    do {
        ++k;
    } while (float(tickInterval * float(k)) < secondsPer100 && k <= 5);
    tickInterval = tickInterval * float(k - 1);
    if (tickInterval < 0.01) tickInterval = 0.01f;

    // The marks start at the first frame shown, not at a round time. Below 50 frames a second the
    // step rounds to 0: then only that first mark is drawn.
    const int64_t step = roundToInt(double(tickInterval) * sampleRate);
    const int64_t last = roundToInt(view.ViewEnd);
    const double framesPerMs = sampleRate / 1000;
    for (int64_t f = roundToInt(view.ViewStart); f <= last; f += step) {
        const double x = roundHalfEven((double(f) - view.ViewStart) / shown * width);
        const double ms = std::clamp(roundHalfEven(double(f) / framesPerMs),
                                     double(std::numeric_limits<int32_t>::min()),
                                     double(std::numeric_limits<int32_t>::max()));
        marks.push_back({int(x), int32_t(ms)});
        if (step <= 0) break;
    }
    return marks;
}

} // namespace sono
