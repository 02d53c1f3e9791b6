// Format conversion (Properties) and the raw import (open any file). The samples, panels and
// messages of both are in the batch script editing.sb; here what it cannot see.
#include <gtest/gtest.h>

#include <cstdio>

#include "EditingFixture.h"

namespace sono::test {
namespace {

using Convert = EditingFixture;

TEST_F(Convert, StereoToMonoLeavesTheSecondChannelAsOneZero) {
    load({30000, 1, 3, -3}, {20000, 2, 2, -2});
    editor->files().changeProperties(16, 22050, 1);
    EXPECT_EQ(right(), Samples{0});
}

using RawImport = EditingFixture;

// A WAV file opened raw includes its header: after the 44 header bytes come the samples sox
// decodes from the same file.
TEST_F(RawImport, AWaveFileOpenedRawIncludesItsHeader) {
    if (std::system("sox --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "sox is not installed";
    const std::string wav = path("tone.wav"), raw = path("tone.raw");
    const std::string make =
        "sox -D -n -r 8000 -b 16 -c 2 '" + wav + "' synth 0.05 sine 440 sine 300";
    const std::string decode = "sox '" + wav + "' -t raw -e signed -b 16 -L '" + raw + "'";
    ASSERT_EQ(std::system((make + " && " + decode).c_str()), 0);
    ASSERT_EQ(std::filesystem::file_size(wav), 44 + 4 * 400u);
    ASSERT_TRUE(editor->files().openRawFile(wav, 16, 8000, 2));
    EXPECT_EQ(doc().SampleCount, 411);
    EXPECT_EQ(left(0, 1), Samples{int16_t('R' | 'I' << 8)});
    // sox decodes interleaved frames; the editor holds the channels apart.
    std::string interleaved;
    for (int i = 11; i < 411; ++i)
        interleaved += le16({left()[i], right()[i]});
    EXPECT_EQ(interleaved, readBytes(raw));
    EXPECT_EQ(editor->settings().lastDir, dir.string() + "/");
}

} // namespace
} // namespace sono::test
