#include "editor/LongWork.h"

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

LongWork::LongWork(ViewObserver& view, WorkRunner* runner, const Settings& settings)
    : view_(view), runner_(runner), settings_(settings) {}

void LongWork::progressStart(int kind) {
    if (kind >= 0 && kind <= 6) progressText_ = progressKindText(kind, settings_.language);
    progressStartedAt_ = Clock::now();
    latestStep_ = 0;
    cancelOffered_ = false;
    progressShowing_ = true;
    view_.progressStarted(progressText_);
}

void LongWork::progressShow(int step) {
    if (cancelAtStep_ >= 0 && step >= cancelAtStep_) requestCancel();
    stopIfCancelled();
    latestStep_ = step;
    // On a worker thread the step waits for the editor's thread to show it.
    if (std::this_thread::get_id() == editorThread_) view_.progressShown(step, progressLabel(step));
}

void LongWork::progressWaiting() {
    view_.progressShown(-1, progressText_);
}

void LongWork::progressEnd() {
    progressShowing_ = false;
    view_.progressEnded();
}

std::string LongWork::progressLabel(int step) const {
    std::string label = progressText_ + numberText(double(step)) + " %";
    const auto elapsed = Clock::now() - progressStartedAt_;
    if (elapsed >= TimeLeftShownAfter && step > 0 && step < StepCount) {
        const double seconds =
            std::chrono::duration<double>(elapsed).count() * (StepCount - step) / step;
        label += timeLeftText(seconds, settings_.language);
    }
    return label;
}

void LongWork::offerCancelWhenLong() {
    if (!progressShowing_ || cancelOffered_ ||
        Clock::now() - progressStartedAt_ < CancelOfferedAfter)
        return;
    cancelOffered_ = true;
    view_.cancelOffered();
}

void LongWork::waitForOutsideProgram() {
    offerCancelWhenLong();
    view_.waitingForOutsideProgram();
    stopIfCancelled();
}

void LongWork::runSampleWork(const std::function<void()>& work) {
    if (!runner_) return work();
    // Work without a bar of its own (a snapshot kept or read) shows none.
    runner_->run(work, [this] {
        if (!progressShowing_) return;
        offerCancelWhenLong();
        const int step = latestStep_;
        view_.progressShown(step, progressLabel(step));
    });
}

bool LongWork::runCancellable(const std::function<void()>& command,
                              const std::function<void()>& putBack) {
    forgetCancelRequest();
    bool cancelled = false;
    try {
        command();
    } catch (const WorkCancelled&) {
        cancelled = true;
        putBack();
    }
    cancelAtStep_ = -1;
    forgetCancelRequest();
    return cancelled;
}

} // namespace sono
