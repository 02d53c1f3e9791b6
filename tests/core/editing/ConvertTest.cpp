// Format conversion (Properties) and the raw import (open any file).
#include <gtest/gtest.h>

#include <cstdio>

#include "EditingFixture.h"

namespace sono::test {
namespace {

using Convert = EditingFixture;

TEST_F(Convert, RateByNearestSample) {
    // 44100 -> 22050 Hz: every second frame, the last new frame 0.
    load(ramp(200, 1), {}, 16, 44100);
    select(10, 20);
    editor->ChangeProp(16, 22050, 1);
    EXPECT_EQ(doc().SampleCount, 100);
    for (int i = 0; i < 99; ++i)
        ASSERT_EQ(left()[i], 1 + 2 * i) << i;
    EXPECT_EQ(left(99, 1), Samples{0});
    EXPECT_EQ(doc().SelStart, -1);
    EXPECT_EQ(doc().UndoLevel, 1);
    EXPECT_EQ(host.statusLog.back(), "The properties have been changed.");
    EXPECT_EQ(editor->panel(2), " 16-bits, 22050 Hz, mono   ");

    // 11025 -> 22050 Hz: source frame round(i / 2), halves to even.
    load(ramp(100, 1), ramp(100, 1), 16, 11025);
    editor->ChangeProp(16, 22050, 2);
    EXPECT_EQ(doc().SampleCount, 200);
    EXPECT_EQ(left(0, 8), Samples({1, 1, 2, 3, 3, 3, 4, 5}));
    EXPECT_EQ(right(196, 4), Samples({99, 99, 100, 0}));

    // A rate the dialog accepts below 2500 becomes 2500.
    load(ramp(400), {}, 16, 5000);
    editor->ChangeProp(16, 1500, 1);
    EXPECT_EQ(doc().SampleRate, 2500);
    EXPECT_EQ(doc().SampleCount, 200);
}

TEST_F(Convert, WidthAndChannels) {
    load({-32768, -256, -255, -1, 0, 1, 255, 256, 32767}, {}, 16);
    editor->ChangeProp(8, 22050, 1);
    EXPECT_EQ(left(0, 9), Samples({0, 127, 128, 128, 128, 128, 128, 129, 255}));

    load({0, 1, 128, 255}, {}, 8);
    editor->ChangeProp(16, 22050, 1);
    EXPECT_EQ(left(0, 4), Samples({-32766, -32512, 0, 32512}));

    load({30000, 1, 3, -3}, {20000, 2, 2, -2});
    editor->ChangeProp(16, 22050, 1);
    EXPECT_EQ(left(0, 4), Samples({25000, 2, 2, -2}));
    EXPECT_EQ(doc().Channels, 1);
    EXPECT_EQ(right(), Samples{0});

    // Mono to stereo copies the channel; rate, width and channels in one go.
    load(ramp(200, 1), {}, 16, 44100);
    editor->ChangeProp(8, 22050, 2);
    EXPECT_EQ(doc().SampleCount, 100);
    EXPECT_EQ(right(), left());
    EXPECT_EQ(left(0, 2), Samples({128, 128}));
    EXPECT_EQ(editor->panel(2), " 8-bits, 22050 Hz, stereo   ");
}

TEST_F(Convert, TheOtherRateIsChecked) {
    const std::pair<int, const char*> refused[] = {
        {999, "The frequency must be at least 1000."},
        {100001, "The frequency can be at most 100000."},
        {0, "De frequentie moet minstens 1000 zijn."},
        {250000, "De frequentie kan maximaal 100000 zijn."},
    };
    for (const auto& [rate, text] : refused) {
        if (rate == 0) editor->MMned();
        EXPECT_FALSE(editor->otherRateAccepted(rate));
        EXPECT_EQ(host.messages.back().text, text);
        EXPECT_EQ(host.messages.back().icon, MessageIcon::Information);
    }
    host.messages.clear();
    EXPECT_TRUE(editor->otherRateAccepted(1000));
    EXPECT_TRUE(editor->otherRateAccepted(100000));
    EXPECT_TRUE(host.messages.empty());
}

using RawImport = EditingFixture;

TEST_F(RawImport, BytesBecomeSamples) {
    std::string bytes(1000, 0);
    for (int i = 0; i < 1000; ++i)
        bytes[i] = char(i * 7);
    writeBytes(path("any.bin"), bytes);

    ASSERT_TRUE(editor->openRawFile(path("any.bin"), 8, 11025, 1));
    EXPECT_EQ(doc().SampleCount, 1000);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(left()[i], uint8_t(i * 7)) << i;
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

TEST_F(RawImport, RefusesRatesAndUnreadableFilesAndKeepsTheUndoHistory) {
    load(ramp(200));
    writeBytes(path("any.bin"), "abcd");
    EXPECT_FALSE(editor->openRawFile(path("any.bin"), 16, 999, 1));
    EXPECT_EQ(host.messages.back().text, "The frequency must be at least 1000.");
    EXPECT_FALSE(editor->openRawFile(path("any.bin"), 16, 100001, 1));
    EXPECT_EQ(host.messages.back().text, "The frequency can be at most 100000.");
    EXPECT_EQ(left(), ramp(200));
    EXPECT_EQ(doc().SampleRate, 22050);

    EXPECT_TRUE(editor->openRawFile(path("missing.bin"), 16, 22050, 1));
    EXPECT_EQ(host.lastCritical(), "An unknown problem has occured.");
    EXPECT_EQ(host.statusLog.back(), "The file could not be opened.");
    EXPECT_EQ(left(), ramp(200));
    EXPECT_EQ(doc().FileName, "*");

    // A sound opened raw keeps the undo history.
    select(10, 20);
    editor->MMmute();
    writeBytes(path("any.bin"), std::string(400, '\x10'));
    ASSERT_TRUE(editor->openRawFile(path("any.bin"), 16, 44100, 1));
    EXPECT_EQ(doc().UndoLevel, 1);
    editor->MMundo();
    EXPECT_EQ(left(), ramp(200));
    EXPECT_EQ(editor->panel(2), " 16-bits, 22050 Hz, mono   ");
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
    // sox decodes interleaved frames; the editor holds the channels apart.
    std::string interleaved;
    for (int i = 11; i < 411; ++i)
        interleaved += le16({left()[i], right()[i]});
    EXPECT_EQ(interleaved, readBytes(raw));
}

} // namespace
} // namespace sono::test
