// The words of the Edit menu, New sound, Properties and open any file.
#include "BatchCommands.h"
#include "document/Numbers.h"

namespace sono {

namespace {

double frameArg(const std::string& word) {
    const double frame = numberArg(word, "a frame number");
    if (frame < 0) throw BatchError("expected a frame number, got '" + word + "'");
    return frame;
}

int channelsArg(const std::string& word) {
    return choiceArg(word, {"mono", "stereo"}) == 1 ? 2 : 1;
}
int bitsArg(const std::string& word) {
    return choiceArg(word, {"8", "16"}) == 0 ? 8 : 16;
}

void select(BatchContext& c, const Words& a) {
    if (a.size() == 1) {
        if (choiceArg(a[0], {"all", "none"}) == 0)
            c.editor.MMAlles();
        else
            c.editor.MMNiets();
        return;
    }
    const int view = a.size() == 3 ? int(choiceArg(a[2], {"1", "2"})) + 1 : 1;
    c.editor.dragSelection(view, frameArg(a[0]), frameArg(a[1]));
}

// The properties dialog's OK: a rate other than the three fixed ones is checked first.
void properties(BatchContext& c, const Words& a) {
    if (c.editor.doc().FileName.empty()) return;
    const int bits = bitsArg(a[0]);
    const double rate = numberArg(a[1], "a rate");
    const int channels = channelsArg(a[2]);
    const bool fixed = rate == 11025 || rate == 22050 || rate == 44100;
    if (!fixed && !c.editor.otherRateAccepted(rate)) return;
    c.editor.ChangeProp(bits, int32_t(roundHalfEven(rate)), channels);
}

} // namespace

void registerEditCommands(CommandTable& t) {
    t.add("new", &Editor::MMleeg);
    t.add("copy", &Editor::MMcopy);
    t.add("cut", &Editor::MMcut);
    t.add("paste", &Editor::MMpaste);
    t.add("paste-mix", &Editor::MMpasteMix);
    t.add("paste-fade", &Editor::MMpasteOverloper);
    t.add("delete", &Editor::MMdel);
    t.add("erase", &Editor::MMerase);
    t.add("mute", &Editor::MMmute);
    t.add("add-silence", &Editor::MMSilence);
    t.add("undo", &Editor::MMundo);
    t.add("redo", &Editor::MMredo);
    t.add("select", 1, 3, select);
    t.add("properties", 3, 3, properties);
    t.add("open-raw", 4, 4, [](BatchContext& c, const Words& a) {
        c.editor.openRawFile(a[0], bitsArg(a[1]), numberArg(a[2], "a rate"), channelsArg(a[3]));
    });
}

} // namespace sono
