// The commands that reach the desktop, driven as the menu drives them: the association's steps,
// questions and messages, the help, website and sibling-player launches, and the about count.
#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "desktop/FileAssociation.h"

using namespace sono;
using sono::test::EditorFixture;
using sono::test::readBytes;

namespace {

class FakeDesktop : public Desktop {
  public:
    std::string folder; // the program folder and AppDir
    std::vector<std::string> calls;
    bool opens = true;
    // What the store held about the editor each time the desktop was asked to follow it.
    std::vector<bool> followed;

    std::string programPath() const override { return "/opt/so no/bin/sonoplexer"; }
    std::string appDir() const override { return folder; }
    std::string programFolder() const override { return folder; }
    bool openDocument(const std::string& path) override {
        calls.push_back("open " + path);
        return opens;
    }
    bool openWebAddress(const std::string& address) override {
        calls.push_back("web " + address);
        return opens;
    }
    bool startProgram(const std::string& path, const std::vector<std::string>& arguments) override {
        std::string call = "start " + path;
        for (const std::string& argument : arguments)
            call += " " + argument;
        calls.push_back(call);
        return true;
    }
    bool follows = true; // false: the desktop's files cannot be written
    bool followAssociation(ClassesRoot& store) override {
        followed.push_back(associationPresent(store, programPath()));
        return follows;
    }
    void showAbout() override { calls.push_back("about"); }
    void showEgg() override { calls.push_back("egg"); }
};

class DesktopCommandsTest : public EditorFixture {
  protected:
    void SetUp() override {
        desktopPort = &desktop;
        EditorFixture::SetUp();
        desktop.folder = dir.string() + "/";
    }
    ClassesRoot store() { return ClassesRoot(dir / "settings" / "associations.reg"); }
    std::string lastMessage() const {
        return host.messages.empty()
                   ? ""
                   : host.messages.back().caption + ": " + host.messages.back().text;
    }
    FakeDesktop desktop;
};

} // namespace

TEST_F(DesktopCommandsTest, CreatingAndRemovingTheAssociationWritesTheStoreAndTellsTheDesktop) {
    const std::string verb = "wav File\\shell\\vrompplay";
    EXPECT_TRUE(editor->enabled(EnabledRule::AssociationAbsent));
    EXPECT_FALSE(editor->enabled(EnabledRule::AssociationPresent));

    // Cancel on the question: nothing is written.
    editor->runCommand("MMasso");
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(store().file()));
    EXPECT_TRUE(desktop.followed.empty());

    host.answers = {Answer::Yes};
    editor->runCommand("MMasso");
    EXPECT_EQ(host.statusLog.back(), "The File Association has been created.");
    ClassesRoot created = store();
    EXPECT_EQ(created.getValue(".wav", ""), "wav File");
    EXPECT_EQ(created.getValue("wav File\\shell\\open\\command", ""),
              "/opt/so no/bin/sonoplexer %1");
    EXPECT_EQ(created.getValue(verb, ""), "&Play Sound");
    EXPECT_EQ(created.getValue(verb + "\\command", ""), desktop.folder + "snapler C3%1");
    EXPECT_EQ(desktop.followed, std::vector<bool>{true});
    EXPECT_FALSE(editor->enabled(EnabledRule::AssociationAbsent));
    EXPECT_TRUE(editor->enabled(EnabledRule::AssociationPresent));

    // The verb keeps the language it was made in; made again, it is replaced, not added.
    editor->preferences().switchToDutch();
    EXPECT_EQ(store().getValue(verb, ""), "&Play Sound");
    created.setValue(verb, "stale", "left by the first");
    host.answers = {Answer::Yes};
    editor->desktop().createAssociation();
    EXPECT_EQ(store().getValue(verb, ""), "Geluid &Afspelen");
    EXPECT_EQ(store().getValue(verb, "stale"), "");

    editor->runCommand("MMdelAsso");
    EXPECT_EQ(lastMessage(), "Sonoplexer: De File Association is verwijderd.");
    EXPECT_FALSE(store().keyExists("wav File\\shell\\open\\command"));
    EXPECT_FALSE(store().keyExists(verb));
    EXPECT_EQ(store().getValue(".wav", ""), "wav File");
    EXPECT_EQ(desktop.followed, (std::vector<bool>{true, true, false}));

    // Removing what is not there only says so.
    editor->preferences().switchToEnglish();
    const std::string before = readBytes(store().file());
    editor->runCommand("MMdelAsso");
    EXPECT_EQ(lastMessage(), "Sonoplexer: There is no File Association at all.");
    EXPECT_EQ(readBytes(store().file()), before);
    EXPECT_EQ(desktop.followed.size(), 3u);
}

TEST_F(DesktopCommandsTest, WhatCannotBeWrittenIsAFailureAndAnotherProgramsTypeKeepsTheVerb) {
    // The desktop cannot follow: the association is not made after all, in the store either.
    desktop.follows = false;
    host.answers = {Answer::Yes};
    editor->desktop().createAssociation();
    EXPECT_EQ(lastMessage(), "Sonoplexer: An error occured. The File Association has not been "
                             "created.");
    EXPECT_EQ(desktop.followed, (std::vector<bool>{true, false}));
    EXPECT_TRUE(editor->enabled(EnabledRule::AssociationAbsent));
    desktop.follows = true;
    host.answers = {Answer::Yes};
    editor->desktop().createAssociation();
    desktop.follows = false;
    editor->desktop().removeAssociation();
    EXPECT_EQ(host.statusLog.back(), "The File Association could not be removed.");
    desktop.follows = true;
    desktop.followed.clear();
    std::filesystem::remove(store().file());

    std::filesystem::create_directories(store().file());
    host.answers = {Answer::Yes};
    editor->desktop().createAssociation();
    EXPECT_EQ(host.statusLog.back(), "The File Association has not been created.");
    EXPECT_TRUE(desktop.followed.empty());
    std::filesystem::remove(store().file());

    // Removing: another program's type that ".wav" points to loses only our verb.
    ClassesRoot other = store();
    other.setValue("wav File\\shell\\open\\command", "", "/usr/bin/other %1");
    other.setValue(".wav", "", "Other.Sound");
    other.setValue("Other.Sound\\shell\\vrompplay\\command", "", "snapler C3%1");
    other.setValue("Other.Sound\\shell\\open\\command", "", "/usr/bin/other %1");
    editor->desktop().removeAssociation();
    EXPECT_EQ(host.statusLog.back(), "The File Association has been removed.");
    EXPECT_FALSE(store().keyExists("Other.Sound\\shell\\vrompplay"));
    EXPECT_EQ(store().getValue("Other.Sound\\shell\\open\\command", ""), "/usr/bin/other %1");
}

// Help and the website through the desktop, and the about box's count, are the window test's.
TEST_F(DesktopCommandsTest, TheManualAndThePlayerAreLaunchedWhenTheyAreThere) {
    // The manual in the language of the moment, when it is there.
    editor->desktop().showHelp();
    EXPECT_EQ(lastMessage(), "Help: The Help-document can't be opened.");
    EXPECT_TRUE(desktop.calls.empty());
    std::filesystem::create_directories(dir / "help" / "nl");
    std::ofstream(dir / "help" / "nl" / "index.html") << "<html></html>";
    editor->preferences().switchToDutch();
    editor->desktop().showHelp();
    EXPECT_EQ(desktop.calls.back(), "open " + desktop.folder + "help/nl/index.html");

    editor->desktop().startPlayer();
    EXPECT_EQ(lastMessage(), "Snapler: Snapler is niet gevonden.");
    std::ofstream(dir / "snapler") << "#!/bin/sh\n";
    editor->desktop().startPlayer();
    const std::string player =
        "start " + desktop.folder + "snapler --settings-dir " + (dir / "settings").string();
    EXPECT_EQ(desktop.calls.back(), player);
    // With the sound's file, when it has one.
    load(test::ramp(100));
    doc().FileName = path("a b.wav");
    editor->desktop().startPlayer();
    EXPECT_EQ(desktop.calls.back(), player + " -- " + path("a b.wav"));
}
