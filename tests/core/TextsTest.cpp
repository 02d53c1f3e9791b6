#include <gtest/gtest.h>

#include "support/Numbers.h"
#include "support/StatusTexts.h"
#include "support/Texts.h"

using namespace sono;

// Durations in minutes, seconds and hundredths; sizes in units of 1024 with the language's decimal
// sign; numbers with a blank where a minus would be.
TEST(Texts, DurationsSizesAndNumbers) {
    EXPECT_EQ(FormatDuration(5070), "5.07");
    EXPECT_EQ(FormatDuration(59999), "59.99");
    EXPECT_EQ(FormatDuration(60000), "1:00.00");
    EXPECT_EQ(FormatDuration(3723450), "62:03.45");
    EXPECT_EQ(FormatFileSize(1023, 0), "1023 bytes");
    EXPECT_EQ(FormatFileSize(1024, 0), "1 kb");
    EXPECT_EQ(FormatFileSize(1572864, 1), " 1,5 mb");
    EXPECT_EQ(FormatFileSize(1.5f * 1024 * 1024 * 1024, 0), " 1.5 gb");
    // Each unit runs up to just below 1024 of itself: one byte short of 1 MiB is 1023.999 kb,
    // which one decimal makes 1024.0, written without its ".0".
    EXPECT_EQ(FormatFileSize(1048575, 0), "1024 kb");
    EXPECT_EQ(FormatFileSize(1048576, 0), "1 mb");
    EXPECT_EQ(numberText(16.0f), " 16");
    EXPECT_EQ(numberText(-1.0), "-1");
    EXPECT_EQ(numberText(1.5), " 1.5");
}

// The batch scripts show the panels of many sounds; this size they do not reach.
TEST(StatusTexts, SizePanelRaisesAnExactMultipleOf1024ByAWhole1024) {
    Document doc;
    doc.BitsPerSample = 16;
    doc.SampleRate = 44100;
    doc.Channels = 1;
    doc.SampleCount = 512;
    EXPECT_EQ(sizePanelText(doc, 1), "Bestand: 2 kb");
    // 1 MiB - 1024 bytes of samples are raised to exactly 1 MiB; one frame less stays below.
    doc.SampleCount = 523776;
    EXPECT_EQ(sizePanelText(doc, 0), "File: 1 mb");
    doc.SampleCount = 523775;
    EXPECT_EQ(sizePanelText(doc, 0), "File: 1023 kb");
}

// The caption names the file as it is; the recent files' menu shows names in lower case.
TEST(StatusTexts, LowerCaseTakesEveryLatin1CapitalButTheMultiplicationSign) {
    EXPECT_EQ(captionForFile("/Music/Été.WAV"), "/Music/Été.WAV - Sonoplexer");
    EXPECT_EQ(toLowerText("/Music/ÀÉÖ×ØÞß ÿ.WAV"), "/music/àéö×øþß ÿ.wav");
    EXPECT_EQ(toLowerText("àéö×øþ"), "àéö×øþ");
}
