// Selecting with the pointer, in frames.
#include <gtest/gtest.h>

#include "EditorFixture.h"

using namespace sono;
using sono::test::EditorFixture;

class SelectionPointer : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        editor->MMleeg(); // 100 frames
    }
    const Document& doc() { return editor->doc(); }
};

TEST_F(SelectionPointer, ClickWithoutMovingSelectsNothingButOneFrameSpanSurvives) {
    editor->selectionPointerDown(1, 40);
    editor->selectionPointerUp();
    EXPECT_EQ(doc().SelStart, -1);

    editor->dragSelection(2, 40, 41);
    EXPECT_EQ(doc().SelStart, 40);
    // 41 is odd and moves up to 42 when shown: the smallest selection spans at least one frame.
    EXPECT_EQ(doc().SelEnd, 42);
    EXPECT_EQ(doc().SelChannel, 2);
}

TEST_F(SelectionPointer, DraggingPastTheEndStopsAtTheLastFrame) {
    editor->dragSelection(1, 10, 5000);
    EXPECT_EQ(doc().SelStart, 10);
    EXPECT_EQ(doc().SelEnd, 99);
    editor->dragSelection(1, 5000, 20);
    EXPECT_EQ(doc().SelStart, 20);
    EXPECT_EQ(doc().SelEnd, 99);
}

TEST_F(SelectionPointer, CrossingTheAnchorSwapsEndsAndTheAnchorStays) {
    editor->selectionPointerDown(1, 50);
    editor->selectionPointerMove(1, 30);
    EXPECT_EQ(doc().SelStart, 30);
    EXPECT_EQ(doc().SelEnd, 50);
    editor->selectionPointerMove(1, 70);
    EXPECT_EQ(doc().SelStart, 50);
    EXPECT_EQ(doc().SelEnd, 70);
    editor->selectionPointerMove(1, 20);
    editor->selectionPointerUp();
    EXPECT_EQ(doc().SelStart, 20);
    EXPECT_EQ(doc().SelEnd, 50);
}

TEST_F(SelectionPointer, NothingHappensWithoutASound) {
    EditorFixture::TearDown();
    EditorFixture::SetUp();
    editor->dragSelection(1, 10, 20);
    EXPECT_EQ(doc().SelStart, -1);
}
