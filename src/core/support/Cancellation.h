#pragma once
// Cancelling long work. The user's Cancel may come from any thread; the work looks for it after
// each progress step and, inside a step, between pieces of the effects' loops, so that a step made
// long by its settings (an echo of many repeats on an hour of sound) still stops at once. One
// command runs at a time, so the request belongs to the process.
namespace sono {

// Thrown out of the sample work when the user cancelled it; the command that started the work
// then puts everything back as it was.
struct WorkCancelled {};

void requestCancel();
// A new command starts without a request, and one that ends leaves none behind.
void forgetCancelRequest();
bool cancelRequested();
// Throws WorkCancelled once the work was cancelled.
void stopIfCancelled();

} // namespace sono
