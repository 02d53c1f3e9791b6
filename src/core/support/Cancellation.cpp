#include "support/Cancellation.h"

#include <atomic>

namespace sono {

namespace {
std::atomic<bool> cancelRequest = false;
} // namespace

void requestCancel() {
    cancelRequest = true;
}

void forgetCancelRequest() {
    cancelRequest = false;
}

bool cancelRequested() {
    return cancelRequest.load(std::memory_order_relaxed);
}

void stopIfCancelled() {
    if (cancelRequested()) throw WorkCancelled{};
}

} // namespace sono
