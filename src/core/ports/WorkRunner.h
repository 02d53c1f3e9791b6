#pragma once
// Where the sample work of a long command runs. Without a runner (the batch runner, most tests)
// it runs at once on the caller's thread; the window runs it on a worker thread and keeps
// painting, answering only Cancel, until it ends.
#include <functional>

#include "support/Cancellation.h"

namespace sono {

class WorkRunner {
  public:
    virtual ~WorkRunner() = default;
    // Runs `work` and returns when it has ended, passing on what it threw. `whileWaiting` is
    // called on the caller's thread every few hundredths of a second until then.
    virtual void run(const std::function<void()>& work,
                     const std::function<void()>& whileWaiting) = 0;
};

} // namespace sono
