#include "editor/DesktopCommands.h"

#include <filesystem>

#include "desktop/FileAssociation.h"
#include "desktop/HomePage.h"
#include "editor/Editor.h"
#include "support/StatusTexts.h"

namespace sono {

namespace {
constexpr int AboutCountForEgg = 3;
} // namespace

DesktopCommands::DesktopCommands(Editor& editor, UserDialogs& dialogs, Desktop* desktop,
                                 const std::filesystem::path& settingsDir)
    : editor_(editor), dialogs_(dialogs), desktop_(desktop), settingsDir_(settingsDir),
      store_(settingsDir / "associations.reg") {}

bool DesktopCommands::associationPresent() const {
    return desktop_ && sono::associationPresent(store_, desktop_->programPath());
}

void DesktopCommands::createAssociation() {
    if (!desktop_) return;
    const std::string question = editor_.LangText(
        "Als u een File Association maakt, worden vanaf nu alle WAV-bestanden "
        "automatisch met Sonoplexer geopend.\r\rWilt u nu een File Association maken?",
        "If you create a File Association, all WAV-files will from now on automatically "
        "be opened in Sonoplexer.\r\rDo you want to create a File Association now?");
    if (!dialogs_.confirm(MessageIcon::Information, ProgramCaption, question)) return;
    auto failed = [&] {
        editor_.status().setPanel(1,
                                  editor_.LangText("De File Association is niet gemaakt.",
                                                   "The File Association has not been created."));
        dialogs_.showMessage(
            MessageIcon::Critical, ProgramCaption,
            editor_.LangText("Er is iets fout gegaan. De File Association is niet gemaakt.",
                             "An error occured. The File Association has not been "
                             "created."));
    };
    if (!setAssociation(store_, WavExtension, associationCommand(desktop_->programPath()))) {
        failed();
        return;
    }
    // A second association replaces the verb of the first instead of adding another.
    const std::string verbKey = playVerbKey(store_);
    const std::string shellKey = verbKey.substr(0, verbKey.rfind('\\'));
    if (store_.keyExists(verbKey)) store_.deleteKey(shellKey, PlayVerb);
    store_.createKey(verbKey + "\\command");
    store_.setValue(verbKey, "", playVerbText(editor_.language()));
    store_.setValue(verbKey + "\\command", "", playVerbCommand(desktop_->programFolder()));
    if (!desktop_->followAssociation(store_)) {
        // WAV files would not open here after all: the store says so again, and the desktop
        // drops what it did take over.
        removeOpenCommand(store_);
        desktop_->followAssociation(store_);
        failed();
        return;
    }
    editor_.status().setPanel(1, editor_.LangText("De File Association is gemaakt.",
                                                  "The File Association has been created."));
    dialogs_.showMessage(
        MessageIcon::Information, ProgramCaption,
        editor_.LangText(
            "De File Association is gemaakt. Mogelijk gaat hij pas werken nadat u zich "
            "opnieuw heeft aangemeld.",
            "The File Association has been created. It's possible that you have to log in "
            "again before the File Association will work."));
}

void DesktopCommands::removeAssociation() {
    if (!desktop_) return;
    auto report = [&](MessageIcon icon, const std::string& status, const std::string& message) {
        editor_.status().setPanel(1, status);
        dialogs_.showMessage(icon, ProgramCaption, message);
    };
    if (!store_.keyExists(OpenCommandKey)) {
        const std::string none = editor_.LangText("Er is helemaal geen File Associaton.",
                                                  "There is no File Association at all.");
        report(MessageIcon::Information, none, none);
        return;
    }
    const std::string notRemoved =
        editor_.LangText("De File Association kon niet worden verwijderd.",
                         "The File Association could not be removed.");
    const std::string notRemovedMessage =
        editor_.LangText("Er ging iets fout. De File Association kon niet worden verwijderd.",
                         "An error has occured. The File Association could not be removed.");
    if (!removeOpenCommand(store_)) {
        report(MessageIcon::Critical, notRemoved, notRemovedMessage);
        return;
    }
    const std::string verbKey = playVerbKey(store_);
    if (store_.keyExists(verbKey))
        store_.deleteKey(verbKey.substr(0, verbKey.rfind('\\')), PlayVerb);
    if (!desktop_->followAssociation(store_)) {
        report(MessageIcon::Critical, notRemoved, notRemovedMessage);
        return;
    }
    const std::string removed = editor_.LangText("De File Association is verwijderd.",
                                                 "The File Association has been removed.");
    report(MessageIcon::Information, removed, removed);
}

void DesktopCommands::showHelp() {
    if (!desktop_) return;
    const std::string manual =
        desktop_->appDir() + editor_.LangText("help/nl/index.html", "help/en/index.html");
    std::error_code error;
    if (!std::filesystem::is_regular_file(manual, error) || !desktop_->openDocument(manual))
        dialogs_.showMessage(MessageIcon::Information, "Help",
                             editor_.LangText("Het Help-document kan niet worden geopend.",
                                              "The Help-document can't be opened."));
}

void DesktopCommands::openWebsite() {
    if (!desktop_) return;
    const std::string address = homePageAddress(desktop_->appDir(), editor_.language());
    if (!desktop_->openWebAddress(address))
        dialogs_.showMessage(
            MessageIcon::Information, address,
            editor_.LangText("De website kan niet automatisch worden geopend op uw computer.",
                             "The website can't be opened automatically at your computer."));
}

void DesktopCommands::startPlayer() {
    if (!desktop_) return;
    const std::string player = desktop_->programFolder() + SiblingPlayer;
    std::error_code error;
    // The player speaks the language of these settings, and plays the sound's file.
    std::vector<std::string> arguments{"--settings-dir", settingsDir_.string()};
    if (!editor_.doc().FileName.empty() && editor_.doc().FileName != "*")
        arguments.insert(arguments.end(), {"--", editor_.doc().FileName});
    if (!std::filesystem::is_regular_file(player, error) ||
        !desktop_->startProgram(player, arguments))
        dialogs_.showMessage(
            MessageIcon::Critical, "Snapler",
            editor_.LangText("Snapler is niet gevonden.", "Snapler has not been found."));
}

void DesktopCommands::showAbout() {
    if (aboutCount_ < AboutCountForEgg) ++aboutCount_;
    if (desktop_) desktop_->showAbout();
}

bool DesktopCommands::snailShown() const {
    return aboutCount_ >= AboutCountForEgg;
}

void DesktopCommands::showSnail() {
    if (desktop_ && snailShown()) desktop_->showEgg();
}

} // namespace sono
