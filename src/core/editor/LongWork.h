#pragma once
// Long work: the progress bar of a command and the time left, the loops over samples run through
// the work runner (on a worker thread in the window), and Cancel. What a cancelled command put
// back is the editor's; when it is cancelled, and how the user sees the work go, is decided here.
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>

#include "ports/ViewObserver.h"
#include "ports/WorkRunner.h"
#include "settings/Settings.h"

namespace sono {

class LongWork {
  public:
    // runner: none runs the work at once on the caller's thread.
    LongWork(ViewObserver& view, WorkRunner* runner, const Settings& settings);

    // The progress bar, with the text of its kind (support/Progress.h; another number keeps the
    // last text), then steps 0..100, then its end.
    void progressStart(int kind);
    void progressShow(int step);
    void progressEnd();
    // Progress of work whose share done is not known: the text alone.
    void progressWaiting();

    // Runs the sample work of a long command through the work runner and returns what the work
    // returns. The work must not reach the ports: its progress steps are shown from the caller's
    // thread. Once cancelWork is called it stops soon after with WorkCancelled.
    template <class Work> auto sampleWork(Work&& work);
    // The user's Cancel: the long work under way stops at its next step.
    void cancelWork() { requestCancel(); }
    // For the batch runner and tests: the next command is cancelled at its first progress step of
    // `step` (0..100) or more.
    void cancelNextCommandAt(int step) { cancelAtStep_ = step; }
    // Called again and again while an outside program runs: the window repaints and takes Cancel.
    void waitForOutsideProgram();

    // Runs a command of the table; when its long work is cancelled, `putBack` restores what it
    // changed. A command starts without a cancel request and leaves none behind. True when it
    // was cancelled.
    bool runCancellable(const std::function<void()>& command, const std::function<void()>& putBack);

  private:
    void runSampleWork(const std::function<void()>& work);
    // The progress bar's text at `step`, with the time left once the work has run a while.
    std::string progressLabel(int step) const;
    // Offers Cancel once the work has run long enough to be worth it.
    void offerCancelWhenLong();

    ViewObserver& view_;
    WorkRunner* runner_;
    const Settings& settings_;
    const std::thread::id editorThread_ = std::this_thread::get_id();
    std::string progressText_;
    std::chrono::steady_clock::time_point progressStartedAt_;
    std::atomic<int> latestStep_ = 0;
    int cancelAtStep_ = -1;
    bool cancelOffered_ = false;
    bool progressShowing_ = false; // between progressStart and progressEnd
};

template <class Work> auto LongWork::sampleWork(Work&& work) {
    using Result = decltype(work());
    if constexpr (std::is_void_v<Result>) {
        runSampleWork(work);
    } else {
        std::optional<Result> result;
        runSampleWork([&] { result.emplace(work()); });
        return std::move(*result);
    }
}

} // namespace sono
