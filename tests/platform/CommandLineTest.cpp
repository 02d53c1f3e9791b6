// The command line: options in either spelling, "--" before a file whose name starts with a
// dash, and refusals of what is not an option. --help, --version and the refusal's words as the
// user sees them are in app_command_line (command_line_test.sh).
#include <gtest/gtest.h>

#include "CommandLine.h"

using namespace sono;
using Action = CommandLine::Action;

TEST(CommandLine, OptionsFileAndTheEndOfOptions) {
    CommandLine line = parseCommandLine(
        {"--settings-dir", "/s", "--temp-dir=/t", "-style", "fusion", "--", "-odd.wav"});
    EXPECT_EQ(line.action, Action::Run);
    EXPECT_EQ(line.settingsDir, "/s");
    EXPECT_EQ(line.tempDir, "/t");
    EXPECT_EQ(line.file, "-odd.wav");
    EXPECT_EQ(line.toolkitOptions, (std::vector<std::string>{"-style", "fusion"}));
    EXPECT_FALSE(line.script);

    line = parseCommandLine({"--batch", "-", "--", "--help"});
    EXPECT_EQ(line.script, "-");
    EXPECT_EQ(line.file, "--help");
    EXPECT_EQ(parseCommandLine({"plain.wav"}).file, "plain.wav");

    EXPECT_EQ(parseCommandLine({"a.wav", "--help"}).action, Action::Help);
}

TEST(CommandLine, WhatIsNotAnOptionIsRefusedNotOpened) {
    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{"-odd.wav"},
                                               {"--verbose"},
                                               {"--settings-dir"},
                                               {"a.wav", "b.wav"},
                                               {"a.wav", "--", "b.wav"},
                                               {"-platform"}}) {
        CommandLine line = parseCommandLine(words);
        EXPECT_EQ(line.action, Action::Refuse) << words[0];
        EXPECT_FALSE(line.error.empty());
    }
}
