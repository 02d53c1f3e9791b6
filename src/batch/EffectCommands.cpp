// The words of the Effects menu. Percentages are the dialogs' numbers: the volume and speed
// dialogs hand over value / 100, the echo dialog its milliseconds and percentages unchanged.
#include <limits>

#include "BatchCommands.h"

namespace sono {

namespace {

// A percentage as the volume and speed dialogs hand it over: value / 100 in single precision.
float fractionArg(const std::string& word) {
    return float(numberArg(word, "a percentage") / 100);
}

int16_t countArg(const std::string& word, const char* what) {
    const int64_t value = wholeArg(word, what);
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw BatchError(std::string("expected ") + what + " of at most 32767, got '" + word + "'");
    return int16_t(value);
}

} // namespace

void registerEffectCommands(CommandTable& t) {
    t.add("volume", 2, 2, [](BatchContext& c, const Words& a) {
        c.editor.VeranderVolume(fractionArg(a[0]), fractionArg(a[1]));
    });
    t.add("speed", 2, 2, [](BatchContext& c, const Words& a) {
        c.editor.VeranderSnelheid(fractionArg(a[0]), fractionArg(a[1]));
    });
    t.add("echo", 6, 6, [](BatchContext& c, const Words& a) {
        const float delay = float(numberArg(a[0], "a delay in milliseconds"));
        const float delay2 = float(numberArg(a[1], "a delay in milliseconds"));
        const float volume = float(numberArg(a[2], "a percentage"));
        const float volume2 = float(numberArg(a[3], "a percentage"));
        const int16_t repeats = countArg(a[4], "a number of repeats");
        const int16_t softer = choiceArg(a[5], {"equal", "softer"}) == 1 ? 1 : 0;
        c.editor.MaakEcho(delay, volume, delay2, volume2, repeats, softer);
    });
    t.add("normalize", &Editor::MMnormalize);
    t.add("reverse", &Editor::MMreverse);
    t.add("soften", &Editor::MMDempen);
    t.add("shrink", 1, 1, [](BatchContext& c, const Words& a) {
        c.editor.Krimper(countArg(a[0], "a block size"));
    });
    t.add("alien1", &Editor::MMalien);
    t.add("alien2", &Editor::MMalien2);
    t.add("satellite", &Editor::MMsat);
    t.add("creaking", &Editor::MMgekraak);
    t.add("filter", 3, 3, [](BatchContext& c, const Words& a) {
        const bool louder = choiceArg(a[0], {"higher", "lower"}) == 0;
        c.editor.FilterSub(louder, float(numberArg(a[1], "a percentage")),
                           float(numberArg(a[2], "a factor")));
    });
}

} // namespace sono
