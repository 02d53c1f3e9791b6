// The Edit menu's selection commands: copy, cut, delete, erase, mute and add silence.
#include "editor/EditCommands.h"

#include <algorithm>
#include <charconv>
#include <new>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "editing/ClipFile.h"
#include "editing/SelectionEdits.h"
#include "editor/Editor.h"
#include "support/ChannelMemory.h"
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

EditCommands::EditCommands(Editor& editor, UserDialogs& dialogs, ViewObserver& view,
                           std::filesystem::path tempDir)
    : editor_(editor), dialogs_(dialogs), view_(view), tempDir_(std::move(tempDir)) {}

Document& EditCommands::doc() {
    return editor_.doc();
}

bool EditCommands::copySelection() {
    editor_.playback().stop();
    fitArrays(doc());
    const FrameRange span = doc().selection.editRange(doc().SampleCount);
    const ChannelScope scope = editor_.editChannels();
    std::vector<ClipBlock> blocks;
    if (scope.first) blocks.push_back({1, doc().LeftSamples.data() + span.first});
    if (scope.second) blocks.push_back({2, doc().RightSamples.data() + span.first});
    // A clip that cannot be written leaves no clip file; Cut and Erase then keep the sound.
    if (!writeClipFile(clipFilePath(tempDir_), int32_t(span.size()),
                       int32_t(roundToInt(doc().BitsPerSample)),
                       int32_t(roundToInt(doc().SampleRate)), blocks)) {
        view_.selectionChanged();
        dialogs_.showMessage(
            MessageIcon::Critical, ProgramCaption,
            editor_.LangText("Het geselecteerde deel kon niet worden gekopiëerd, omdat de "
                             "tijdelijke map niet beschreven kan worden.",
                             "The selected part could not be copied, because the temporary "
                             "folder cannot be written."));
        return false;
    }
    editor_.status().setPanel(1, editor_.LangText("Het geselecteerde deel is gekopiëerd.",
                                                  "The selected part has been copied."));
    view_.selectionChanged();
    return true;
}

bool EditCommands::deleteSelection() {
    editor_.playback().stop();
    if (!editor_.history().push()) return false;
    editor_.work().progressStart(ProgressEditing);
    const FrameRange span = doc().selection.editRange(doc().SampleCount);
    const ChannelScope scope = editor_.editChannels();
    const int32_t count = doc().SampleCount;
    editor_.work().sampleWork([&] {
        deleteFrames(doc(), scope, span, [this](int step) { editor_.work().progressShow(step); });
    });
    // What followed the deleted frames moved forward.
    editor_.notifySoundChange({span.first, int64_t(doc().SampleCount) - 1, scope.first,
                               doc().isStereo() && scope.second, doc().SampleCount != count,
                               false});
    editor_.work().progressEnd();
    editor_.status().setPanel(1, editor_.LangText("Het geselecteerde deel is verwijderd.",
                                                  "The selected part has been deleted."));
    editor_.status().refreshLengthPanels();
    editor_.view().drawWaveform();
    editor_.view().selectNothing();
    editor_.playback().playAfterChange();
    return true;
}

bool EditCommands::muteSelection() {
    editor_.playback().stop();
    if (!editor_.history().push()) return false;
    view_.setBusy(true);
    const FrameRange span = doc().selection.editRange(doc().SampleCount);
    const ChannelScope scope = editor_.editChannels();
    editor_.work().progressStart(ProgressEditing);
    const int divisor = doc().isStereo() && editor_.options().bothChannels ? 2 : 1;
    editor_.work().sampleWork([&] {
        muteFrames(doc(), scope, span, divisor,
                   [this](int step) { editor_.work().progressShow(step); });
    });
    editor_.notifySoundChange(
        {span.first, span.last, scope.first, doc().isStereo() && scope.second, false, false});
    editor_.work().progressEnd();
    editor_.view().drawWaveform();
    view_.setBusy(false);
    editor_.status().setPanel(1, editor_.LangText("Het geselecteerde deel is tot stilte gemaakt.",
                                                  "The selected part has been muted."));
    editor_.playback().playAfterChange();
    return true;
}

void EditCommands::copy() {
    if (doc().FileName.empty()) return;
    copySelection();
}

void EditCommands::cut() {
    if (!editor_.enabled(EnabledRule::SelectionMade)) return;
    if (!copySelection() || !deleteSelection()) return;
    editor_.status().setPanel(1, editor_.LangText("Het geselecteerde deel is geknipt.",
                                                  "The selected part has been cut."));
}

void EditCommands::deleteSelected() {
    if (editor_.enabled(EnabledRule::SelectionMade)) deleteSelection();
}

void EditCommands::erase() {
    if (!editor_.enabled(EnabledRule::SelectionMade)) return;
    if (!copySelection() || !muteSelection()) return;
    editor_.status().setPanel(1, editor_.LangText("Het geselecteerde deel is gewist.",
                                                  "The selected part has been erased."));
}

void EditCommands::mute() {
    if (editor_.enabled(EnabledRule::SelectionMade)) muteSelection();
}

bool EditCommands::makeRoomFor(int64_t frames) {
    if (frames <= MaxSampleCount) {
        try {
            growChannel(doc().LeftSamples, size_t(frames));
            if (doc().isStereo()) growChannel(doc().RightSamples, size_t(frames));
            return true;
        } catch (const std::bad_alloc&) {
        } catch (const std::length_error&) {
        }
    }
    editor_.refuseTooLong();
    return false;
}

void EditCommands::addSilence() {
    if (doc().FileName.empty()) return;
    const std::string title = editor_.LangText("Stilte Toevoegen", "Add Silence");
    std::string text;
    float seconds = 0;
    for (;;) {
        auto answer = dialogs_.askInput(
            title,
            editor_.LangText(
                "Hoeveel stille seconden wilt u aan het eind van dit geluid toevoegen?",
                "How many silent seconds do you want to add to the end of this sound?"),
            lastSilenceAnswer_);
        if (!answer || answer->empty()) return;
        text = *answer;
        std::replace(text.begin(), text.end(), ',', '.');
        auto value = numberFrom(text);
        if (!value) {
            dialogs_.showMessage(MessageIcon::Critical, title,
                                 editor_.LangText("Geef een nummer op.", "Please type a number."));
            continue;
        }
        seconds = float(*value);
        if (seconds < 0.1f || seconds > 60.0f) {
            dialogs_.showMessage(MessageIcon::Critical, title,
                                 editor_.LangText("Geef een nummer op tussen 0,1 en 60.",
                                                  "Please type a number between 0.1 and 60."));
            continue;
        }
        break;
    }
    lastSilenceAnswer_ = text;
    editor_.playback().stop();
    const float added = seconds * doc().SampleRate;
    const int64_t newCount = roundToInt(double(added) + doc().SampleCount);
    const int32_t oldCount = doc().SampleCount;
    if (!makeRoomFor(newCount) || !editor_.history().push()) return;
    const bool eightBit = doc().BitsPerSample == 8;
    if (eightBit) editor_.work().progressStart(ProgressEditing);
    editor_.work().sampleWork([&] {
        appendSilence(doc(), int32_t(newCount),
                      [this](int step) { editor_.work().progressShow(step); });
    });
    if (eightBit) editor_.work().progressEnd();
    editor_.notifySoundChange({oldCount, newCount - 1, true, doc().isStereo(), true, false});
    editor_.status().refreshLengthPanels();
    editor_.status().setPanel(1,
                              editor_.LangText("Stilte is toegevoegd.", "Silence has been added."));
    editor_.view().drawWaveform();
    editor_.playback().playAfterChange();
}

} // namespace sono
