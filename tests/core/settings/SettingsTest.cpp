#include <gtest/gtest.h>

#include <utility>

#include "EditorFixture.h"
#include "settings/Settings.h"

using namespace sono;
using sono::test::EditorFixture;
using sono::test::readBytes;
using sono::test::writeBytes;

using SettingsFiles = EditorFixture;
using namespace std::string_literals;

// What a first start writes: the options the window shows first and the curve dialogs as they
// first appear. Other values take the same places and read back as they were written.
TEST_F(SettingsFiles, TheOptionsFileHoldsEveryFieldInItsPlaceAndReadsBackAsWritten) {
    const auto le16 = [](std::initializer_list<int> values) {
        std::string out;
        for (int v : values)
            out += {char(v & 0xFF), char(v >> 8)};
        return out;
    };
    const std::string lastDir = dir.string() + "/";
    const std::string firstStart = "\0\0"s + le16({0, 0, 0, 0, 0}) + "\0"s +
                                   le16({int(lastDir.size())}) + lastDir + "\x06~"s +
                                   le16({151, 151, 118, 118, 168, 168, 1, 1, 1, 1}) + "P" +
                                   le16({84, 84, 1, 112, 112, 1}) + "\x01"s;
    EXPECT_EQ(readBytes(dir / "settings" / "audio.dat"), firstStart);

    Settings s;
    s.language = 1;
    s.options = {false, false, false, true, false, true, true, false, 3};
    s.recentFiles[0] = "/a.wav";
    s.lastDir = "/music/";
    s.curves.echoHandleTops = {1, 2, 3, 4, 5, 6};
    s.curves.echoSameChecks = {1, 0, 1};
    s.curves.volume = {7, 8, 1};
    s.curves.speed = {9, 10, 0};
    ASSERT_TRUE(writeSettingsFile(dir / "audio.dat", s));
    // Language, style, five recent entries, both-channels byte, LastDir, option bits, "~" ...
    const std::string bytes = readBytes(dir / "audio.dat");
    EXPECT_EQ(bytes.substr(0, 30),
              "\x01\x03\x06\0/a.wav"s + std::string(8, '\0') + "\x0a\x07\0/music/\x90~"s);
    const auto back = readSettingsFile(dir / "audio.dat", 6, 3);
    ASSERT_TRUE(back && writeSettingsFile(dir / "again.dat", *back));
    EXPECT_EQ(readBytes(dir / "again.dat"), bytes);
}

TEST_F(SettingsFiles, ShortOrOddFilesFallBackSafely) {
    const auto settings = [&](const std::string& bytes) {
        writeBytes(dir / "audio.dat", bytes);
        return readSettingsFile(dir / "audio.dat", 6, 3);
    };
    // Language 5, cut off after two bytes; Display Time, the last item, ends off.
    auto s = settings("\x05\x00"s);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->language, 0);
    EXPECT_FALSE(s->curves.present);
    EXPECT_FALSE(s->options.showTime);
    EXPECT_FALSE(readSettingsFile(dir / "missing.dat", 6, 3));
    // Language 3 is the first value not taken; the graph style names one of the seven items.
    s = settings("\x03\x06"s);
    EXPECT_EQ(std::pair(s->language, s->options.graphStyle), std::pair(uint8_t(0), 6));
    s = settings("\x02\x07"s);
    EXPECT_EQ(s->language, 2);
    EXPECT_TRUE(s->options.graphStyle >= 0 && s->options.graphStyle <= 6);

    // quality.dat: 8 or 16 bits, 12 the first width read as 16; 2500 .. 100000 Hz, 0 meaning
    // 11025; 16 bits at 22050 Hz without a file.
    const auto quality = [&](float bits, float rate) {
        const float values[2] = {bits, rate};
        writeBytes(dir / "q.dat", std::string(reinterpret_cast<const char*>(values), 8));
        const Quality q = readQualityFile(dir / "q.dat");
        return std::pair(q.bitsPerSample, q.sampleRate);
    };
    EXPECT_EQ(quality(24, 1000), std::pair(16.0f, 2500.0f));
    EXPECT_EQ(quality(8, 0), std::pair(8.0f, 11025.0f));
    EXPECT_EQ(quality(12, 100000), std::pair(16.0f, 100000.0f));
    EXPECT_EQ(quality(11.9f, 2500), std::pair(8.0f, 2500.0f));
    const Quality none = readQualityFile(dir / "none.dat");
    EXPECT_EQ(std::pair(none.bitsPerSample, none.sampleRate), std::pair(16.0f, 22050.0f));
}

// The options a first start turns on are checked by the window test through the menu items.
TEST_F(SettingsFiles, FirstStartWritesTheOptionsAndTheNextStartKeepsLanguageAndQuality) {
    editor->preferences().switchToDutch();
    EXPECT_TRUE(editor->shutDown());
    // 16 bits and 22050 Hz as little-endian single-precision numbers.
    EXPECT_EQ(readBytes(dir / "settings" / "quality.dat"), "\x00\x00\x80\x41\x00\x44\xac\x46"s);
    writeBytes(dir / "settings" / "quality.dat", "\x00\x00\xc0\x41\x00\x00\x7a\x44"s); // 24, 1000
    Editor next(EditorPorts{host, host, device, coder, tags},
                EditorFolders{dir / "settings", dir / "temp", "", true});
    next.startUp();
    EXPECT_EQ(next.language(), 1);
    EXPECT_EQ(next.status().panel(1), "Welkom bij Sonoplexer.");
    next.newEmptySound(); // 16 bits at 2500 Hz
    EXPECT_EQ(next.status().panel(2), " 16-bits, 2500 Hz, mono   ");

    // A language of 2 from an old options file is kept, and the texts are English.
    std::string options = readBytes(dir / "settings" / "audio.dat");
    options[0] = 2;
    EXPECT_TRUE(next.shutDown());
    writeBytes(dir / "settings" / "audio.dat", options);
    Editor old(EditorPorts{host, host, device, coder, tags},
               EditorFolders{dir / "settings", dir / "temp", "", true});
    old.startUp();
    EXPECT_EQ(old.language(), 2);
    EXPECT_EQ(old.status().panel(1), "Welcome to Sonoplexer.");
    old.newEmptySound();
    EXPECT_EQ(old.status().caption(), "No Title - Sonoplexer");
}

// A settings folder that cannot be written is said once, not at every change of an option.
TEST_F(SettingsFiles, ASettingsFolderThatCannotBeWrittenIsSaidOnce) {
    writeBytes(dir / "blocked", "a file where the folder should be");
    Editor blocked(EditorPorts{host, host, device, coder, tags},
                   EditorFolders{dir / "blocked", dir / "temp", "", true});
    blocked.startUp();
    blocked.preferences().toggleOption(&Options::listenAfterChange);
    blocked.preferences().toggleOption(&Options::bothChannels);
    EXPECT_TRUE(blocked.shutDown());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(host.messages[0].text,
              "The settings could not be saved in the folder " + (dir / "blocked").string() + ".");
    EXPECT_EQ(readBytes(dir / "blocked"), "a file where the folder should be");
}
