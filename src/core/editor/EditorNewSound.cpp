// The document's own file-less steps: a new empty sound and the information texts.
#include <cstdio>
#include <ctime>

#include "editor/Editor.h"
#include "support/StatusTexts.h"

namespace sono {

namespace {
std::string todayMonthDayYear() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[40];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", local.tm_mon + 1, local.tm_mday,
                  local.tm_year + 1900);
    return text;
}
} // namespace

void Editor::newEmptySound() {
    playbackCommands_.stop();
    if (!doc_.FileName.empty() && (doc_.UndoLevel > 0 || doc_.Changed) &&
        !soundFiles_.offerSaveFirst())
        return;
    installSound({{1, doc_.SampleRate, doc_.BitsPerSample},
                  100,
                  Samples(100, doc_.silenceValue()),
                  Samples{0}});
    doc_.FileName = "*";
    status_.setCaption(captionForUntitled(settings_.language));
    history_.clear();
    doc_.Changed = false; // a silence has nothing to lose
    freshInfoFields();
    status_.setPanel(1,
                     LangText("Een nieuw geluid is aangemaakt.", "A new sound has been created."));
    viewCommands_.selectNothing();
    viewCommands_.drawWaveform();
}

void Editor::freshInfoFields() {
    doc_.Info.clear();
    doc_.DispText.clear();
    *doc_.Info.find("ICRD") = todayMonthDayYear();
    *doc_.Info.find("ISFT") = std::string(ProgramSignature);
}

bool Editor::setInfoText(std::string_view id, const std::string& text) {
    if (id == "DISP") {
        doc_.DispText = text;
        return true;
    }
    std::string* field = doc_.Info.find(id);
    if (!field) return false;
    *field = text;
    return true;
}

} // namespace sono
