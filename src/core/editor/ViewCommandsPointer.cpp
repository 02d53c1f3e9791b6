// Selecting with the pointer. The anchor is the frame where the button went down; dragging back
// across it swaps the roles of the two ends. A release over less than one frame selects nothing.
#include "editor/ViewCommands.h"

#include <utility>

#include "document/Document.h"
#include "support/Numbers.h"

namespace sono {

namespace {
double clampToSound(double frame, int32_t sampleCount) {
    return frame < sampleCount ? frame : double(sampleCount - 1);
}
} // namespace

void ViewCommands::selectionPointerDown(int view, double frame) {
    if (doc().FileName.empty()) return;
    Selection& selection = doc().selection;
    dragMovesEnd_ = true;
    dragging_ = true;
    selection.SelStart = clampToSound(frame, doc().SampleCount);
    selection.SelChannel = view;
    selection.SelEnd = selection.SelStart;
    showSelection();
}

void ViewCommands::selectionPointerMove(int view, double frame) {
    if (doc().FileName.empty()) return;
    Selection& selection = doc().selection;
    (dragMovesEnd_ ? selection.SelEnd : selection.SelStart) =
        clampToSound(frame, doc().SampleCount);
    selection.SelChannel = view;
    if (selection.SelStart > selection.SelEnd) {
        dragMovesEnd_ = !dragMovesEnd_;
        std::swap(selection.SelStart, selection.SelEnd);
    }
    showSelection();
}

void ViewCommands::selectionPointerUp() {
    dragging_ = false;
    Selection& selection = doc().selection;
    if (selection.SelEnd < selection.SelStart) {
        const double start = selection.SelStart;
        selection.SelStart = selection.SelEnd;
        selection.SelEnd = roundHalfEven(start);
    }
    if (selection.SelEnd - selection.SelStart < 1) selection.SelStart = -1;
    showSelection();
}

void ViewCommands::dragSelection(int view, double from, double to) {
    selectionPointerDown(view, from);
    selectionPointerMove(view, to);
    selectionPointerUp();
}

} // namespace sono
