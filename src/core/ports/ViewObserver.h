#pragma once
// What the editor tells whoever shows it: texts, progress, and what changed. A host without a
// screen ignores most of it, so every notice does nothing unless overridden.
#include <string>

#include "document/SoundChange.h"

namespace sono {

class ViewObserver {
  public:
    virtual ~ViewObserver() = default;

    // Panel 1..4 of the status bar now holds text.
    virtual void statusChanged(int /*panel*/, const std::string& /*text*/) {}
    virtual void captionChanged(const std::string& /*caption*/) {}

    // While a long command runs, the window may repaint and take Cancel, but no input, timer or
    // queued signal may reach the sound until it ends.
    virtual void progressStarted(const std::string& /*label*/) {}
    // A step of 0..100, or -1 while the share of the work done is unknown.
    virtual void progressShown(int /*step*/, const std::string& /*label*/) {}
    // The work has run long enough for a Cancel button to be worth showing.
    virtual void cancelOffered() {}
    virtual void progressEnded() {}
    virtual void setBusy(bool /*busy*/) {}
    // Called again and again while the editor waits for an outside program: the window may
    // repaint, animate its progress and follow resizes, but takes no input.
    virtual void waitingForOutsideProgram() {}

    // Samples changed: the summaries and pictures of those frames must be made anew.
    virtual void soundChanged(const SoundChange& /*change*/) {}
    // The selection or the command state changed: compose the views again.
    virtual void selectionChanged() {}
    // The language changed: menus, tooltips and dialogs take their new texts.
    virtual void languageChanged() {}
    // An option (the view options among them), the recent-file list or another saved setting
    // changed.
    virtual void settingsChanged() {}
    // Tool dialogs are hidden when a new sound replaces the current one.
    virtual void hideToolDialogs() {}
    // The closing steps have run and the program ends: the window goes away.
    virtual void programClosed() {}
    // The views show frames first..last (both inclusive) across their width, or the whole sound.
    virtual void showFrames(double /*first*/, double /*last*/) {}
    virtual void showWholeSound() {}
    // Writes the views as they are shown to a BMP file; false when that failed (or there are
    // no views).
    virtual bool saveGraphic(const std::string& /*path*/) { return false; }
};

} // namespace sono
