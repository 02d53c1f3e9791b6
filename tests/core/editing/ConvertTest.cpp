// Format conversion (Properties) and the raw import (open any file).
#include <gtest/gtest.h>

#include <cstdio>

#include "EditingFixture.h"

namespace sono::test {
namespace {

using Convert = EditingFixture;

TEST_F(Convert, RateByNearestSample) {
    // 44100 -> 22050 Hz: every second frame, the last new frame 0.
    makeSound(ramp(200, 1), {}, 16, 44100);
    select(10, 20);
    editor->ChangeProp(16, 22050, 1);
    EXPECT_EQ(doc().SampleCount, 100);
    EXPECT_EQ(doc().SampleRate, 22050);
    for (int i = 0; i < 99; ++i)
        ASSERT_EQ(doc().LeftSamples[i], 1 + 2 * i) << i;
    EXPECT_EQ(left(99, 1), Samples{0});
    EXPECT_EQ(doc().SelStart, -1);
    EXPECT_EQ(doc().UndoLevel, 1);
    EXPECT_EQ(host.statusLog.back(), "The properties have been changed.");
    EXPECT_EQ(editor->panel(2), " 16-bits, 22050 Hz, mono   ");

    // 11025 -> 22050 Hz: source frame round(i / 2), halves to even.
    makeSound(ramp(100, 1), ramp(100, 1), 16, 11025);
    editor->ChangeProp(16, 22050, 2);
    EXPECT_EQ(doc().SampleCount, 200);
    EXPECT_EQ(left(0, 8), Samples({1, 1, 2, 3, 3, 3, 4, 5}));
    EXPECT_EQ(right(196, 4), Samples({99, 99, 100, 0}));

    // A rate the dialog accepts below 2500 becomes 2500.
    makeSound(ramp(400), {}, 16, 5000);
    editor->MMned();
    editor->ChangeProp(16, 1500, 1);
    EXPECT_EQ(doc().SampleRate, 2500);
    EXPECT_EQ(doc().SampleCount, 200);
    EXPECT_EQ(host.statusLog.back(), "De eigenschappen zijn veranderd.");
}

TEST_F(Convert, WidthAndChannels) {
    makeSound({-32768, -256, -255, -1, 0, 1, 255, 256, 32767}, {}, 16);
    editor->ChangeProp(8, 22050, 1);
    EXPECT_EQ(left(0, 9), Samples({0, 127, 128, 128, 128, 128, 128, 129, 255}));
    EXPECT_EQ(doc().BitsPerSample, 8);

    makeSound({0, 1, 128, 255}, {}, 8);
    editor->ChangeProp(16, 22050, 1);
    EXPECT_EQ(left(0, 4), Samples({-32766, -32512, 0, 32512}));

    makeSound({30000, 1, 3, -3}, {20000, 2, 2, -2});
    editor->ChangeProp(16, 22050, 1);
    EXPECT_EQ(left(0, 4), Samples({25000, 2, 2, -2}));
    EXPECT_EQ(doc().Channels, 1);
    EXPECT_EQ(doc().RightSamples, Samples{0});

    // Mono to stereo copies the channel; rate, width and channels in one go.
    makeSound(ramp(200, 1), {}, 16, 44100);
    editor->ChangeProp(8, 22050, 2);
    EXPECT_EQ(doc().SampleCount, 100);
    EXPECT_EQ(doc().RightSamples, doc().LeftSamples);
    EXPECT_EQ(left(0, 2), Samples({128, 128}));
    EXPECT_EQ(editor->panel(2), " 8-bits, 22050 Hz, stereo   ");
}

TEST_F(Convert, TheOtherRateIsChecked) {
    EXPECT_FALSE(editor->otherRateAccepted(999));
    EXPECT_EQ(host.messages.back().text, "The frequency must be at least 1000.");
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Information);
    EXPECT_FALSE(editor->otherRateAccepted(100001));
    EXPECT_EQ(host.messages.back().text, "The frequency can be at most 100000.");
    editor->MMned();
    EXPECT_FALSE(editor->otherRateAccepted(0));
    EXPECT_EQ(host.messages.back().text, "De frequentie moet minstens 1000 zijn.");
    EXPECT_FALSE(editor->otherRateAccepted(250000));
    EXPECT_EQ(host.messages.back().text, "De frequentie kan maximaal 100000 zijn.");
    host.messages.clear();
    EXPECT_TRUE(editor->otherRateAccepted(1000));
    EXPECT_TRUE(editor->otherRateAccepted(100000));
    EXPECT_TRUE(host.messages.empty());
}

using RawImport = EditingFixture;

TEST_F(RawImport, BytesBecomeSamples) {
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += char(i * 7);
    writeBytes(path("any.bin"), bytes);

    ASSERT_TRUE(editor->openRawFile(path("any.bin"), 8, 11025, 1));
    EXPECT_EQ(doc().SampleCount, 1000);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(doc().LeftSamples[i], uint8_t(i * 7)) << i;
    EXPECT_EQ(doc().FileName, "*");
    EXPECT_EQ(editor->caption(), "No Title - Sonoplexer");
    EXPECT_FALSE(doc().Changed);
    EXPECT_EQ(host.statusLog.back(), "The file has been opened.");
    EXPECT_EQ(editor->panel(2), " 8-bits, 11025 Hz, mono   ");
    EXPECT_EQ(*doc().Info.find("ISFT"), "Sonoplexer 1.6");
    EXPECT_EQ(editor->settings().lastDir, dir.string() + "/");

    ASSERT_TRUE(editor->openRawFile(path("any.bin"), 16, 22050, 2));
    EXPECT_EQ(doc().SampleCount, 250);
    EXPECT_EQ(left(0, 1), Samples{int16_t(uint8_t(0) | uint8_t(7) << 8)});
    EXPECT_EQ(right(0, 1), Samples{int16_t(uint8_t(14) | uint8_t(21) << 8)});
    EXPECT_EQ(editor->levelMeterChannel, "0");

    // Bytes missing in the last frame read as 0.
    writeBytes(path("seven.bin"), "\x01\x02\x03\x04\x05\x06\xff");
    ASSERT_TRUE(editor->openRawFile(path("seven.bin"), 16, 22050, 1));
    EXPECT_EQ(left(0, 4), Samples({0x0201, 0x0403, 0x0605, 0x00ff}));
    EXPECT_EQ(doc().SampleCount, 100); // 4 frames, lengthened by the redraw
    ASSERT_TRUE(editor->openRawFile(path("seven.bin"), 8, 22050, 2));
    EXPECT_EQ(left(0, 4), Samples({1, 3, 5, 255}));
    EXPECT_EQ(right(0, 4), Samples({2, 4, 6, 0}));
}

TEST_F(RawImport, KeepsTheUndoHistory) {
    makeSound(ramp(200));
    select(10, 20);
    editor->MMmute();
    writeBytes(path("any.bin"), std::string(400, '\x10'));
    ASSERT_TRUE(editor->openRawFile(path("any.bin"), 16, 44100, 1));
    EXPECT_EQ(doc().UndoLevel, 1);
    editor->MMundo();
    EXPECT_EQ(doc().LeftSamples, ramp(200));
    EXPECT_EQ(doc().SampleRate, 22050);
    EXPECT_EQ(editor->panel(2), " 16-bits, 22050 Hz, mono   ");
}

TEST_F(RawImport, RefusesRatesAndUnreadableFiles) {
    makeSound(ramp(200));
    writeBytes(path("any.bin"), "abcd");
    EXPECT_FALSE(editor->openRawFile(path("any.bin"), 16, 999, 1));
    EXPECT_EQ(host.messages.back().text, "The frequency must be at least 1000.");
    EXPECT_FALSE(editor->openRawFile(path("any.bin"), 16, 100001, 1));
    EXPECT_EQ(host.messages.back().text, "The frequency can be at most 100000.");
    EXPECT_EQ(doc().LeftSamples, ramp(200));
    EXPECT_EQ(doc().SampleRate, 22050);

    EXPECT_TRUE(editor->openRawFile(path("missing.bin"), 16, 22050, 1));
    EXPECT_EQ(host.lastCritical(), "An unknown problem has occured.");
    EXPECT_EQ(host.statusLog.back(), "The file could not be opened.");
    EXPECT_EQ(doc().LeftSamples, ramp(200));
    EXPECT_EQ(doc().FileName, "*");
}

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
    ASSERT_TRUE(editor->openRawFile(wav, 16, 8000, 2));
    EXPECT_EQ(doc().SampleCount, 411);
    EXPECT_EQ(left(0, 1), Samples{int16_t('R' | 'I' << 8)});
    const std::string decoded = fileBytes(raw);
    const auto* frames = reinterpret_cast<const uint8_t*>(decoded.data());
    ASSERT_EQ(decoded.size(), 4 * 400u);
    for (int i = 0; i < 400; ++i) {
        ASSERT_EQ(uint16_t(doc().LeftSamples[11 + i]), readLE16(frames + 4 * i)) << i;
        ASSERT_EQ(uint16_t(doc().RightSamples[11 + i]), readLE16(frames + 4 * i + 2)) << i;
    }
}

} // namespace
} // namespace sono::test
