// Long work: its progress, the time left, Cancel, and putting back what a cancelled command
// changed.
#include "editor/Editor.h"
#include "support/Numbers.h"
#include "support/Progress.h"

namespace sono {

namespace {
using Clock = std::chrono::steady_clock;
// Shorter work would only flash the button.
constexpr auto CancelOfferedAfter = std::chrono::milliseconds(500);
// Before that the rate of the work is too uncertain to tell.
constexpr auto TimeLeftShownAfter = std::chrono::seconds(2);
} // namespace

void Editor::progressStart(int kind) {
    if (kind >= 0 && kind <= 6) progressText_ = progressKindText(kind, settings_.language);
    progressStartedAt_ = Clock::now();
    latestStep_ = 0;
    cancelOffered_ = false;
    progressShowing_ = true;
    view_.progressStarted(progressText_);
}

void Editor::progressShow(int step) {
    if (cancelAtStep_ >= 0 && step >= cancelAtStep_) requestCancel();
    stopIfCancelled();
    latestStep_ = step;
    // On a worker thread the step waits for the editor's thread to show it.
    if (std::this_thread::get_id() == editorThread_) view_.progressShown(step, progressLabel(step));
}

void Editor::progressWaiting() {
    view_.progressShown(-1, progressText_);
}

void Editor::progressEnd() {
    progressShowing_ = false;
    view_.progressEnded();
}

std::string Editor::progressLabel(int step) const {
    std::string label = progressText_ + numberText(double(step)) + " %";
    const auto elapsed = Clock::now() - progressStartedAt_;
    if (elapsed >= TimeLeftShownAfter && step > 0 && step < StepCount) {
        const double seconds =
            std::chrono::duration<double>(elapsed).count() * (StepCount - step) / step;
        label += timeLeftText(seconds, settings_.language);
    }
    return label;
}

void Editor::offerCancelWhenLong() {
    if (!progressShowing_ || cancelOffered_ ||
        Clock::now() - progressStartedAt_ < CancelOfferedAfter)
        return;
    cancelOffered_ = true;
    view_.cancelOffered();
}

void Editor::waitForOutsideProgram() {
    offerCancelWhenLong();
    view_.waitingForOutsideProgram();
    stopIfCancelled();
}

void Editor::runSampleWork(const std::function<void()>& work) {
    if (!workRunner_) return work();
    // Work without a bar of its own (a snapshot kept or read) shows none.
    workRunner_->run(work, [this] {
        if (!progressShowing_) return;
        offerCancelWhenLong();
        const int step = latestStep_;
        view_.progressShown(step, progressLabel(step));
    });
}

void Editor::runCancellable(const std::function<void()>& command) {
    const BeforeCommand before{doc_.UndoLevel, doc_.RedoLevel, doc_.Changed, doc_.selection};
    forgetCancelRequest();
    bool cancelled = false;
    try {
        command();
    } catch (const WorkCancelled&) {
        cancelled = true;
        putBackCancelled(before);
    }
    cancelAtStep_ = -1;
    forgetCancelRequest();
    history_.commandEnded(cancelled);
}

void Editor::putBackCancelled(const BeforeCommand& before) {
    progressEnd();
    view_.setBusy(false);
    // The snapshot the command took before it changed anything holds the sound as it was.
    if (doc_.UndoLevel > before.undoLevel && history_.dropLast()) {
        doc_.RedoLevel = before.redoLevel;
        notifySoundChange({0, int64_t(doc_.SampleCount) - 1, true, doc_.isStereo(), true, false});
        refreshLengthPanels();
    }
    doc_.Changed = before.changed;
    doc_.selection = before.selection;
    viewCommands_.drawWaveform();
    view_.selectionChanged();
    setStatus(1, LangText("Geannuleerd.", "Cancelled."));
}

} // namespace sono
