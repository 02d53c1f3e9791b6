#include <gtest/gtest.h>

#include <tuple>

#include "EditorFixture.h"
#include "settings/Settings.h"

using namespace sono;
using sono::test::EditorFixture;
using sono::test::readBytes;
using sono::test::writeBytes;

using SettingsFiles = EditorFixture;
using namespace std::string_literals;

TEST_F(SettingsFiles, OptionsFileLayoutRoundTrips) {
    Settings s;
    s.language = 1;
    s.options.bothChannels = false;
    s.options.listenAfterChange = false;
    s.options.realTimeVolume = false;
    s.options.unknownChunks = false;
    s.options.zoom = true;
    s.options.showInfo = true;
    s.options.graphStyle = 3;
    s.recentFiles[0] = "/a.wav";
    s.lastDir = "/music/";
    s.curves.echoHandleTops = {1, 2, 3, 4, 5, 6};
    s.curves.echoSameChecks = {1, 0, 1};
    s.curves.volume = {7, 8, 1};
    s.curves.speed = {9, 10, 0};
    s.options.showTime = true;
    auto file = dir / "audio.dat";
    ASSERT_TRUE(writeSettingsFile(file, s));

    std::string bytes = readBytes(file);
    // language, style, five recent entries, both-channels byte, LastDir, option bits, "~" ...
    std::string expectedStart = std::string("\x01\x03\x06\x00/a.wav", 10) + std::string(8, '\0') +
                                "\x0a" + std::string("\x07\x00/music/", 9) + "\x90" + "~";
    EXPECT_EQ(bytes.substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(bytes.size(), expectedStart.size() + 12 + 2 + 6 + 1 + 12 + 1);
    EXPECT_EQ(bytes.back(), '\x01');

    // Read back and written again, every field comes out as it went in.
    auto back = readSettingsFile(file, 6, 3);
    ASSERT_TRUE(back && writeSettingsFile(dir / "again.dat", *back));
    EXPECT_EQ(readBytes(dir / "again.dat"), bytes);
}

TEST_F(SettingsFiles, ShortOrOddFilesFallBackSafely) {
    auto file = dir / "audio.dat";
    writeBytes(file, std::string("\x05\x00", 2)); // language 5, cut off after two bytes
    auto s = readSettingsFile(file, 6, 3);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->language, 0);
    EXPECT_FALSE(s->curves.present);
    // Display Time, the last item, ends off when the file ends before it.
    EXPECT_FALSE(s->options.showTime);
    EXPECT_FALSE(readSettingsFile(dir / "missing.dat", 6, 3));

    // Language 3 is the first value not taken; the graph style names one of the seven items.
    writeBytes(file, std::string("\x03\x06", 2));
    s = readSettingsFile(file, 6, 3);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->language, 0);
    EXPECT_EQ(s->options.graphStyle, 6);
    writeBytes(file, std::string("\x02\x07", 2));
    s = readSettingsFile(file, 6, 3);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->language, 2);
    EXPECT_GE(s->options.graphStyle, 0);
    EXPECT_LE(s->options.graphStyle, 6);

    // quality.dat: 24 bits at 1000 Hz becomes 16 bits at 2500 Hz; a rate of 0 means 11025.
    float values[2] = {24, 1000};
    writeBytes(dir / "q.dat", std::string(reinterpret_cast<char*>(values), 8));
    Quality q = readQualityFile(dir / "q.dat");
    EXPECT_EQ(q.bitsPerSample, 16);
    EXPECT_EQ(q.sampleRate, 2500);
    values[0] = 8;
    values[1] = 0;
    writeBytes(dir / "q.dat", std::string(reinterpret_cast<char*>(values), 8));
    q = readQualityFile(dir / "q.dat");
    EXPECT_EQ(q.bitsPerSample, 8);
    EXPECT_EQ(q.sampleRate, 11025);
    // 12 bits is the first width read as 16; both rate limits are kept as they are.
    for (auto [bits, rate, readBits] : {std::tuple{12.0f, 100000.0f, 16}, {11.9f, 2500.0f, 8}}) {
        values[0] = bits;
        values[1] = rate;
        writeBytes(dir / "q.dat", std::string(reinterpret_cast<char*>(values), 8));
        q = readQualityFile(dir / "q.dat");
        EXPECT_EQ(q.bitsPerSample, readBits);
        EXPECT_EQ(q.sampleRate, rate);
    }
    q = readQualityFile(dir / "none.dat");
    EXPECT_EQ(q.bitsPerSample, 16);
    EXPECT_EQ(q.sampleRate, 22050);
}

// The options a first start turns on are checked by the window test through the menu items.
TEST_F(SettingsFiles, FirstStartWritesTheOptionsAndTheNextStartKeepsLanguageAndQuality) {
    EXPECT_TRUE(std::filesystem::exists(dir / "settings" / "audio.dat"));

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
    next.newEmptySound();
    EXPECT_EQ(next.doc().BitsPerSample, 16);
    EXPECT_EQ(next.doc().SampleRate, 2500);
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

// What a first start writes: the options the window shows first and the curve dialogs as they
// first appear.
TEST_F(SettingsFiles, AFirstStartWritesEveryFieldOfTheOptionsFile) {
    auto le16 = [](std::initializer_list<int> values) {
        std::string out;
        for (int v : values)
            out += {char(v & 0xFF), char(v >> 8)};
        return out;
    };
    const std::string lastDir = dir.string() + "/";
    const std::string expected = "\0\0"s + le16({0, 0, 0, 0, 0}) + "\0"s +
                                 le16({int(lastDir.size())}) + lastDir + "\x06~"s +
                                 le16({151, 151, 118, 118, 168, 168, 1, 1, 1, 1}) + "P" +
                                 le16({84, 84, 1, 112, 112, 1}) + "\x01"s;
    EXPECT_EQ(readBytes(dir / "settings" / "audio.dat"), expected);
}
