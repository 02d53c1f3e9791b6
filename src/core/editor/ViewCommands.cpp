// What the views show of the document: the sound, the selection, the graph style and the zoom.
#include "editor/ViewCommands.h"

#include <algorithm>

#include "editor/Editor.h"
#include "support/Numbers.h"
#include "support/StatusTexts.h"

namespace sono {

ViewCommands::ViewCommands(Editor& editor, UserDialogs& dialogs, ViewObserver& view)
    : editor_(editor), dialogs_(dialogs), view_(view) {}

Document& ViewCommands::doc() {
    return editor_.doc();
}

void ViewCommands::drawWaveform() {
    Document& sound = doc();
    size_t frames = size_t(std::max(sound.SampleCount, 0));
    sound.LeftSamples.resize(std::max<size_t>(frames, 1), 0);
    if (sound.isStereo()) sound.RightSamples.resize(std::max<size_t>(frames, 1), 0);
    // The views need at least 100 frames; a shorter sound gets silence at its end.
    if (sound.SampleCount < 100) {
        int16_t silence = sound.silenceValue();
        sound.LeftSamples.resize(100, silence);
        std::fill(sound.LeftSamples.begin() + frames, sound.LeftSamples.end(), silence);
        if (sound.isStereo()) {
            sound.RightSamples.resize(100, silence);
            std::fill(sound.RightSamples.begin() + frames, sound.RightSamples.end(), silence);
        }
        sound.SampleCount = 100;
        editor_.notifySoundChange({int64_t(frames), 99, true, sound.isStereo(), true, false});
    }
    showSelection();
}

void ViewCommands::showSelection() {
    Selection& selection = doc().selection;
    if (selection.exists()) {
        selection.SelStart = roundHalfEven(selection.SelStart + 0.5);
        selection.SelEnd = roundHalfEven(selection.SelEnd + 0.5);
    }
    if (selection.SelEnd > doc().SampleCount - 1) selection.SelEnd = doc().SampleCount - 1;
    // Rounding can push a selection on the last frame past its end, leaving it to end before it
    // starts: that selects nothing. While the button is down such a press is still the anchor
    // of the drag.
    if (!dragging_ && selection.exists() && selection.SelEnd < selection.SelStart)
        selection.SelStart = -1;
    view_.selectionChanged();
}

void ViewCommands::chooseGraphStyle(int style) {
    editor_.settings().options.graphStyle = style;
    editor_.preferences().saveSettings();
    view_.settingsChanged();
    drawWaveform();
}

void ViewCommands::saveGraphic() {
    if (doc().FileName.empty()) return;
    auto path =
        dialogs_.chooseSavePath(editor_.LangText("Bitmaps (*.bmp)|*.bmp|Alle Bestanden (*.*)|*.*",
                                                 "Bitmaps (*.bmp)|*.bmp|All Files(*.*)|*.*"),
                                editor_.files().dialogFolder());
    if (!path || path->empty() || !view_.saveGraphic(*path)) return;
    const std::string text = editor_.LangText("De grafiek is opgeslagen als een BMP-bestand.",
                                              "The graphic has been saved as a BMP-file.");
    editor_.status().setPanel(1, text);
    dialogs_.showMessage(MessageIcon::Information, ProgramCaption, text);
}

void ViewCommands::zoomToSelection() {
    if (!doc().hasSelection()) return;
    const Selection& selection = doc().selection;
    view_.showFrames(std::min(selection.SelStart, selection.SelEnd),
                     std::max(selection.SelStart, selection.SelEnd));
}

void ViewCommands::zoomToWholeSound() {
    view_.showWholeSound();
}

void ViewCommands::selectAll() {
    doc().selection.SelEnd = doc().SampleCount - 1;
    doc().selection.SelStart = 0;
    if (!editor_.options().bothChannels)
        editor_.preferences().toggleOption(&Options::bothChannels);
    else
        showSelection();
}

void ViewCommands::selectNothing() {
    if (doc().FileName.empty()) return;
    doc().selection.clear();
    showSelection();
}

} // namespace sono
