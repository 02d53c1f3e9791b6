// The Edit menu's selection commands: copy, cut, delete, erase, mute and add silence.
#include <charconv>

#include "editing/ClipFile.h"
#include "editing/SelectionEdits.h"
#include "editor/Editor.h"
#include "support/Numbers.h"
#include "support/Progress.h"
#include "support/StatusTexts.h"

namespace sono {

namespace {
// A number as the input box accepts it: blanks around it, a sign, digits with one point, an
// exponent. The value is read with the point as decimal sign whatever the locale.
std::optional<double> numberFrom(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos) return std::nullopt;
    std::string_view number(text.data() + begin, end - begin + 1);
    if (number.front() == '+') number.remove_prefix(1);
    if (number.empty() || number.front() == '+') return std::nullopt;
    double value = 0;
    auto [rest, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                         std::chars_format::general);
    if (error != std::errc() || rest != number.data() + number.size()) return std::nullopt;
    if (number.find_first_of("nNiIxXpP") != std::string_view::npos) return std::nullopt;
    return value;
}
} // namespace

void Editor::refreshLengthPanels() {
    setStatus(3, durationPanelText(doc_, settings_.language));
    setStatus(4, sizePanelText(doc_, settings_.language));
}

ChannelScope Editor::editChannels() const {
    return doc_.selection.channels(doc_.isStereo(), settings_.options.bothChannels);
}

bool Editor::copySelection() {
    playbackCommands_.stop();
    fitArrays(doc_);
    const FrameRange span = doc_.selection.editRange(doc_.SampleCount);
    const ChannelScope scope = editChannels();
    std::vector<ClipBlock> blocks;
    if (scope.first) blocks.push_back({1, doc_.LeftSamples.data() + span.first});
    if (scope.second) blocks.push_back({2, doc_.RightSamples.data() + span.first});
    // A clip that cannot be written leaves no clip file; Cut and Erase then keep the sound.
    if (!writeClipFile(clipFilePath(folders_.tempDir), int32_t(span.size()),
                       int32_t(roundToInt(doc_.BitsPerSample)),
                       int32_t(roundToInt(doc_.SampleRate)), blocks)) {
        view_.selectionChanged();
        dialogs_.showMessage(
            MessageIcon::Critical, ProgramCaption,
            LangText("Het geselecteerde deel kon niet worden gekopiëerd, omdat de "
                     "tijdelijke map niet beschreven kan worden.",
                     "The selected part could not be copied, because the temporary "
                     "folder cannot be written."));
        return false;
    }
    setStatus(
        1, LangText("Het geselecteerde deel is gekopiëerd.", "The selected part has been copied."));
    view_.selectionChanged();
    return true;
}

bool Editor::deleteSelection() {
    playbackCommands_.stop();
    if (!history_.push()) return false;
    progressStart(ProgressEditing);
    const FrameRange span = doc_.selection.editRange(doc_.SampleCount);
    const ChannelScope scope = editChannels();
    const int32_t count = doc_.SampleCount;
    sampleWork([&] { deleteFrames(doc_, scope, span, [this](int step) { progressShow(step); }); });
    // What followed the deleted frames moved forward.
    notifySoundChange({span.first, int64_t(doc_.SampleCount) - 1, scope.first,
                       doc_.isStereo() && scope.second, doc_.SampleCount != count, false});
    progressEnd();
    setStatus(1, LangText("Het geselecteerde deel is verwijderd.",
                          "The selected part has been deleted."));
    refreshLengthPanels();
    drawWaveform();
    selectNothing();
    playbackCommands_.playAfterChange();
    return true;
}

bool Editor::muteSelection() {
    playbackCommands_.stop();
    if (!history_.push()) return false;
    view_.setBusy(true);
    const FrameRange span = doc_.selection.editRange(doc_.SampleCount);
    const ChannelScope scope = editChannels();
    progressStart(ProgressEditing);
    const int divisor = doc_.isStereo() && settings_.options.bothChannels ? 2 : 1;
    sampleWork(
        [&] { muteFrames(doc_, scope, span, divisor, [this](int step) { progressShow(step); }); });
    notifySoundChange(
        {span.first, span.last, scope.first, doc_.isStereo() && scope.second, false, false});
    progressEnd();
    drawWaveform();
    view_.setBusy(false);
    setStatus(1, LangText("Het geselecteerde deel is tot stilte gemaakt.",
                          "The selected part has been muted."));
    playbackCommands_.playAfterChange();
    return true;
}

void Editor::copy() {
    if (doc_.FileName.empty()) return;
    copySelection();
}

void Editor::cut() {
    if (!enabled(EnabledRule::SelectionMade)) return;
    if (!copySelection() || !deleteSelection()) return;
    setStatus(1, LangText("Het geselecteerde deel is geknipt.", "The selected part has been cut."));
}

void Editor::deleteSelected() {
    if (enabled(EnabledRule::SelectionMade)) deleteSelection();
}

void Editor::erase() {
    if (!enabled(EnabledRule::SelectionMade)) return;
    if (!copySelection() || !muteSelection()) return;
    setStatus(1,
              LangText("Het geselecteerde deel is gewist.", "The selected part has been erased."));
}

void Editor::mute() {
    if (enabled(EnabledRule::SelectionMade)) muteSelection();
}

void Editor::addSilence() {
    if (doc_.FileName.empty()) return;
    const std::string title = LangText("Stilte Toevoegen", "Add Silence");
    std::string text;
    float seconds = 0;
    for (;;) {
        auto answer = dialogs_.askInput(
            title,
            LangText("Hoeveel stille seconden wilt u aan het eind van dit geluid toevoegen?",
                     "How many silent seconds do you want to add to the end of this sound?"),
            lastSilenceAnswer_);
        if (!answer || answer->empty()) return;
        text = *answer;
        std::replace(text.begin(), text.end(), ',', '.');
        auto value = numberFrom(text);
        if (!value) {
            dialogs_.showMessage(MessageIcon::Critical, title,
                                 LangText("Geef een nummer op.", "Please type a number."));
            continue;
        }
        seconds = float(*value);
        if (seconds < 0.1f || seconds > 60.0f) {
            dialogs_.showMessage(MessageIcon::Critical, title,
                                 LangText("Geef een nummer op tussen 0,1 en 60.",
                                          "Please type a number between 0.1 and 60."));
            continue;
        }
        break;
    }
    lastSilenceAnswer_ = text;
    playbackCommands_.stop();
    const float added = seconds * doc_.SampleRate;
    const int64_t newCount = roundToInt(double(added) + doc_.SampleCount);
    const int32_t oldCount = doc_.SampleCount;
    if (!makeRoomFor(newCount) || !history_.push()) return;
    const bool eightBit = doc_.BitsPerSample == 8;
    if (eightBit) progressStart(ProgressEditing);
    sampleWork(
        [&] { appendSilence(doc_, int32_t(newCount), [this](int step) { progressShow(step); }); });
    if (eightBit) progressEnd();
    notifySoundChange({oldCount, newCount - 1, true, doc_.isStereo(), true, false});
    refreshLengthPanels();
    setStatus(1, LangText("Stilte is toegevoegd.", "Silence has been added."));
    drawWaveform();
    playbackCommands_.playAfterChange();
}

} // namespace sono
