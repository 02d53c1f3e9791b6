// Selecting with the pointer. The anchor is the frame where the button went down; dragging back
// across it swaps the roles of the two ends. A release over less than one frame selects nothing.
#include <algorithm>
#include <utility>

#include "Editor.h"
#include "document/Numbers.h"

namespace sono {

namespace {
float clampToSound(double frame, int32_t sampleCount) {
    return frame < sampleCount ? float(frame) : float(sampleCount - 1);
}
} // namespace

void Editor::selectionPointerDown(int view, double frame) {
    if (doc_.FileName.empty()) return;
    dragMovesEnd_ = true;
    doc_.SelStart = clampToSound(frame, doc_.SampleCount);
    doc_.SelChannel = view;
    doc_.SelEnd = doc_.SelStart;
    ShowSelection();
}

void Editor::selectionPointerMove(int view, double frame) {
    if (doc_.FileName.empty()) return;
    (dragMovesEnd_ ? doc_.SelEnd : doc_.SelStart) = clampToSound(frame, doc_.SampleCount);
    doc_.SelChannel = view;
    if (doc_.SelStart > doc_.SelEnd) {
        dragMovesEnd_ = !dragMovesEnd_;
        std::swap(doc_.SelStart, doc_.SelEnd);
    }
    ShowSelection();
}

void Editor::selectionPointerUp() {
    if (doc_.SelEnd < doc_.SelStart) {
        float start = doc_.SelStart;
        doc_.SelStart = doc_.SelEnd;
        doc_.SelEnd = float(roundHalfEven(start));
    }
    if (doc_.SelEnd - doc_.SelStart < 1) doc_.SelStart = -1;
    ShowSelection();
}

void Editor::dragSelection(int view, double from, double to) {
    selectionPointerDown(view, from);
    selectionPointerMove(view, to);
    selectionPointerUp();
}

} // namespace sono
