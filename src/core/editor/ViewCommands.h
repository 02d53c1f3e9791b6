#pragma once
// The view side of the document: what the views draw and which frames they show, the graph
// style, the graphic saved as a bitmap, and the selection as the user makes it (Select All,
// Select Nothing, the pointer gestures in the views).
#include "ports/UserDialogs.h"
#include "ports/ViewObserver.h"

namespace sono {

class Editor;
struct Document;

class ViewCommands {
  public:
    ViewCommands(Editor& editor, UserDialogs& dialogs, ViewObserver& view);

    // The sound as the views draw it: at least 100 frames (silence after a shorter sound), then
    // the selection.
    void drawWaveform();
    // The selection rounded to whole frames and kept within the sound, then shown.
    void showSelection();
    // One of the seven graph styles, 0..6 as the options file stores them.
    void chooseGraphStyle(int style);
    // Save Graphic As BMP: the views as they are shown, written by the view.
    void saveGraphic();
    // The views show the selected frames, or the whole sound.
    void zoomToSelection();
    void zoomToWholeSound();
    void selectAll();
    void selectNothing();

    // The primary-button gestures in view 1 (upper) or 2 (lower), with the pointer position
    // already turned into a frame number; the window and the batch runner share them.
    void selectionPointerDown(int view, double frame);
    void selectionPointerMove(int view, double frame);
    void selectionPointerUp();
    // A whole drag: down at `from`, a move to `to`, release.
    void dragSelection(int view, double from, double to);

  private:
    // The editor's document, whose selection the views show.
    Document& doc();

    Editor& editor_;
    UserDialogs& dialogs_;
    ViewObserver& view_;
    bool dragMovesEnd_ = true; // which end follows the pointer; the other is the anchor
    bool dragging_ = false;    // the primary button is down in a view
};

} // namespace sono
