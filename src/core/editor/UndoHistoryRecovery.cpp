// Bringing back the sound of a run that ended unexpectedly: its undo store still holds the sound
// as it was before its last change.
#include <algorithm>

#include "editing/UndoStore.h"
#include "editor/Editor.h"
#include "editor/UndoHistory.h"
#include "support/StatusTexts.h"

namespace sono {

std::optional<NewSound> readCrashedSound(const std::vector<std::filesystem::path>& crashedFolders) {
    // The newest snapshot may have been cut short by the crash; then the one before it counts.
    Document kept;
    const auto snapshots = undoSnapshotsNewestFirst(crashedFolders);
    if (std::none_of(snapshots.begin(), snapshots.end(), [&](const std::filesystem::path& file) {
            return readUndoSnapshot(file, kept) == SnapshotRead::Loaded;
        }))
        return std::nullopt;
    return takeSound(kept);
}

bool UndoHistory::offerRecovery(NewSound crashed) {
    if (dialogs_.ask(
            MessageIcon::Question, "Sonoplexer",
            editor_.LangText("Sonoplexer is de vorige keer onverwacht gestopt. Het laatste geluid "
                             "dat toen bewaard was, kan worden teruggehaald. Wilt u dit geluid "
                             "terughalen?",
                             "Sonoplexer stopped unexpectedly last time. The last sound it had "
                             "kept can be brought back. Do you want to bring this sound back?")) !=
        Answer::Yes)
        return false;
    editor_.playback().stop();
    editor_.installSound(std::move(crashed));
    Document& doc = editor_.doc();
    doc.FileName = "*";
    editor_.status().setCaption(captionForUntitled(editor_.language()));
    clear();
    doc.Info.clear();
    doc.DispText.clear();
    // Nothing of it is in a file yet.
    doc.Changed = true;
    editor_.status().setPanel(
        1, editor_.LangText("Het geluid is teruggehaald.", "The sound has been brought back."));
    editor_.view().selectNothing();
    editor_.view().drawWaveform();
    return true;
}

} // namespace sono
