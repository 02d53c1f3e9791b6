#pragma once
// The effects of the Effects menu. Each works on the selection (in one channel or both, by the
// both-channels option) or, with nothing selected, on the whole sound, and does nothing when no
// sound is loaded.
#include <cstdint>

#include "ports/UserDialogs.h"
#include "ports/ViewObserver.h"

namespace sono {

class Editor;
struct Document;

class EffectCommands {
  public:
    EffectCommands(Editor& editor, UserDialogs& dialogs, ViewObserver& view);

    void reverse();
    void normalize();
    void soften();
    // Shrink with blocks of blockSize frames (2..10 from the dialog).
    void shrink(int16_t blockSize);
    // Factors at the first and last frame of the range; 1 leaves the sound as it is.
    void changeVolume(float fromFactor, float toFactor);
    // Speeds at the first and last frame of the range; 2 is twice as fast. The length changes.
    void changeSpeed(float fromSpeed, float toSpeed);
    // Delays in milliseconds and echo volumes in percent at the first and last frame of the
    // range, repeats repeats, softer 1 for each repeat softer than the one before.
    void makeEcho(float delayFrom, float volumeFrom, float delayTo, float volumeTo, int16_t repeats,
                  int16_t softer);
    void alienVoice1(); // an octave up by doubling every cycle
    void alienVoice2(); // ring modulation
    void satellite();
    void creaking();
    // Multiplies by factor every sample louder (louder) or quieter than percent of full scale.
    void filterByThreshold(bool louder, float percent, float factor);

  private:
    // The editor's document, which the effects change.
    Document& doc();

    Editor& editor_;
    UserDialogs& dialogs_;
    ViewObserver& view_;
};

} // namespace sono
