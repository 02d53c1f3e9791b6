// The commands that reach the desktop: the WAV file association, help, the website, the
// sibling player and the about box. Without a desktop (a batch run) they do nothing.
#include <filesystem>

#include "desktop/FileAssociation.h"
#include "desktop/HomePage.h"
#include "support/StatusTexts.h"
#include "editor/Editor.h"

namespace sono {

namespace {
constexpr int AboutCountForEgg = 3;
} // namespace

bool Editor::associationPresent() const {
    return desktop_ && sono::associationPresent(classesRoot_, desktop_->programPath());
}

void Editor::createAssociation() {
    if (!desktop_) return;
    const std::string question =
        LangText("Als u een File Association maakt, worden vanaf nu alle WAV-bestanden "
                 "automatisch met Sonoplexer geopend.\r\rWilt u nu een File Association maken?",
                 "If you create a File Association, all WAV-files will from now on automatically "
                 "be opened in Sonoplexer.\r\rDo you want to create a File Association now?");
    if (!dialogs_.confirm(MessageIcon::Information, ProgramCaption, question)) return;
    auto failed = [&] {
        setStatus(1, LangText("De File Association is niet gemaakt.",
                              "The File Association has not been created."));
        dialogs_.showMessage(
            MessageIcon::Critical, ProgramCaption,
            LangText("Er is iets fout gegaan. De File Association is niet gemaakt.",
                     "An error occured. The File Association has not been "
                     "created."));
    };
    if (!setAssociation(classesRoot_, WavExtension, associationCommand(desktop_->programPath()))) {
        failed();
        return;
    }
    // A second association replaces the verb of the first instead of adding another.
    const std::string verbKey = playVerbKey(classesRoot_);
    const std::string shellKey = verbKey.substr(0, verbKey.rfind('\\'));
    if (classesRoot_.keyExists(verbKey)) classesRoot_.deleteKey(shellKey, PlayVerb);
    classesRoot_.createKey(verbKey + "\\command");
    classesRoot_.setValue(verbKey, "", playVerbText(language()));
    classesRoot_.setValue(verbKey + "\\command", "", playVerbCommand(desktop_->programFolder()));
    if (!desktop_->followAssociation(classesRoot_)) {
        // WAV files would not open here after all: the store says so again, and the desktop
        // drops what it did take over.
        removeOpenCommand(classesRoot_);
        desktop_->followAssociation(classesRoot_);
        failed();
        return;
    }
    setStatus(
        1, LangText("De File Association is gemaakt.", "The File Association has been created."));
    dialogs_.showMessage(
        MessageIcon::Information, ProgramCaption,
        LangText("De File Association is gemaakt. Mogelijk gaat hij pas werken nadat u zich "
                 "opnieuw heeft aangemeld.",
                 "The File Association has been created. It's possible that you have to log in "
                 "again before the File Association will work."));
}

void Editor::removeAssociation() {
    if (!desktop_) return;
    auto report = [&](MessageIcon icon, const std::string& status, const std::string& message) {
        setStatus(1, status);
        dialogs_.showMessage(icon, ProgramCaption, message);
    };
    if (!classesRoot_.keyExists(OpenCommandKey)) {
        const std::string none = LangText("Er is helemaal geen File Associaton.",
                                          "There is no File Association at all.");
        report(MessageIcon::Information, none, none);
        return;
    }
    const std::string notRemoved = LangText("De File Association kon niet worden verwijderd.",
                                            "The File Association could not be removed.");
    const std::string notRemovedMessage =
        LangText("Er ging iets fout. De File Association kon niet worden verwijderd.",
                 "An error has occured. The File Association could not be removed.");
    if (!removeOpenCommand(classesRoot_)) {
        report(MessageIcon::Critical, notRemoved, notRemovedMessage);
        return;
    }
    const std::string verbKey = playVerbKey(classesRoot_);
    if (classesRoot_.keyExists(verbKey))
        classesRoot_.deleteKey(verbKey.substr(0, verbKey.rfind('\\')), PlayVerb);
    if (!desktop_->followAssociation(classesRoot_)) {
        report(MessageIcon::Critical, notRemoved, notRemovedMessage);
        return;
    }
    const std::string removed =
        LangText("De File Association is verwijderd.", "The File Association has been removed.");
    report(MessageIcon::Information, removed, removed);
}

void Editor::showHelp() {
    if (!desktop_) return;
    const std::string manual =
        desktop_->appDir() + LangText("help/nl/index.html", "help/en/index.html");
    std::error_code error;
    if (!std::filesystem::is_regular_file(manual, error) || !desktop_->openDocument(manual))
        dialogs_.showMessage(MessageIcon::Information, "Help",
                             LangText("Het Help-document kan niet worden geopend.",
                                      "The Help-document can't be opened."));
}

void Editor::openWebsite() {
    if (!desktop_) return;
    const std::string address = homePageAddress(desktop_->appDir(), language());
    if (!desktop_->openWebAddress(address))
        dialogs_.showMessage(
            MessageIcon::Information, address,
            LangText("De website kan niet automatisch worden geopend op uw computer.",
                     "The website can't be opened automatically at your computer."));
}

void Editor::startPlayer() {
    if (!desktop_) return;
    const std::string player = desktop_->programFolder() + SiblingPlayer;
    std::error_code error;
    // The player speaks the language of these settings, and plays the sound's file.
    std::vector<std::string> arguments{"--settings-dir", folders_.settingsDir.string()};
    if (!doc_.FileName.empty() && doc_.FileName != "*")
        arguments.insert(arguments.end(), {"--", doc_.FileName});
    if (!std::filesystem::is_regular_file(player, error) ||
        !desktop_->startProgram(player, arguments))
        dialogs_.showMessage(MessageIcon::Critical, "Snapler",
                             LangText("Snapler is niet gevonden.", "Snapler has not been found."));
}

void Editor::showAbout() {
    if (aboutCount_ < AboutCountForEgg) ++aboutCount_;
    if (desktop_) desktop_->showAbout();
}

bool Editor::eggShown() const {
    return aboutCount_ >= AboutCountForEgg;
}

void Editor::showSnail() {
    if (desktop_ && eggShown()) desktop_->showEgg();
}

} // namespace sono
