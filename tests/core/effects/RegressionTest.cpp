// Effects checked once more against their exact texts and panels.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "EffectFixture.h"
#include "document/Numbers.h"
#include "document/Texts.h"

namespace sono::test {
namespace {

using EffectRegression = EffectFixture;

// The effects that change the length write the duration and size panels; the format panel is
// theirs to leave alone, as the format does not change.
TEST_F(EffectRegression, LengthChangingEffectsRewriteOnlyDurationAndSize) {
    const std::vector<std::pair<std::string, std::function<void()>>> effects = {
        {"speed", [&] { editor->VeranderSnelheid(2, 2); }},
        {"echo", [&] { editor->MaakEcho(100, 50, 100, 50, 1, 0); }},
        {"alien", [&] { editor->MMalien(); }},
        {"creak", [&] { editor->MMgekraak(); }},
    };
    for (const auto& [name, run] : effects) {
        SCOPED_TRACE(name);
        Document& d = doc();
        d.FileName = "*";
        d.BitsPerSample = 16;
        d.SampleRate = 8000;
        d.Channels = 1;
        d.SampleCount = 8000;
        d.LeftSamples = sine(8000, 40, 20000);
        d.RightSamples = {0};
        d.SelStart = d.SelEnd = -1;
        editor->setStatus(2, "format panel");
        editor->setStatus(3, "");
        editor->setStatus(4, "");
        run();
        EXPECT_NE(doc().SampleCount, 8000);
        EXPECT_EQ(editor->panel(2), "format panel");
        const auto ms = int32_t(roundToInt(doc().SampleCount * 1000.0 / 8000));
        EXPECT_EQ(editor->panel(3), "Time: " + FormatDuration(ms));
        EXPECT_EQ(editor->panel(4).rfind("File: ", 0), 0u);
    }
}

} // namespace
} // namespace sono::test
