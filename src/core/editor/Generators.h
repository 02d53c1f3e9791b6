#pragma once
// The generators: the synthesizer's sound and its period files, and the Morse message. Both
// replace the sound as a whole, as opening a file does.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "generators/Synthesizer.h"
#include "ports/UserDialogs.h"
#include "ports/ViewObserver.h"

namespace sono {

class Editor;

// What the Morse dialog hands over: the message (UTF-8), the unit in milliseconds, the format,
// and whether the message becomes the sound's subject.
struct MorseSettings {
    std::string text;
    int intervalMs = 75;
    int rate = 11025;
    int bits = 8;
    bool textInInfo = true;
};

class Generators {
  public:
    Generators(Editor& editor, UserDialogs& dialogs, ViewObserver& view,
               std::filesystem::path settingsDir, std::filesystem::path shareDir);

    // The synthesizer's Open: the sound replaced by the period repeated as `settings` say,
    // opened as an untitled sound (after the save-first question).
    void synthesize(const SynthSettings& settings);
    // The folders the period-file list shows, in the order a name is looked up: the settings
    // folder (periods the user saved), then the shipped files.
    std::vector<std::filesystem::path> periodFolders() const;
    // The shipped files (pictures, period files); empty when the host named none.
    const std::filesystem::path& shareDir() const { return shareDir_; }
    // A click on a period file in the list: its points spread over the period and its frequency
    // set. False (the user has been told) when the file is missing or damaged.
    bool loadPeriodFile(const std::string& name, SynthSettings& settings);
    // The dialog's Save: asks a name, checks it, asks before overwriting, writes the period into
    // the settings folder. The name written, or nullopt when nothing was written.
    std::optional<std::string> savePeriod(const Period& period, int frequency);
    // The hidden period encoder ("Save QVF"): channel 1 of the sound, clipped to 0..255, as
    // new_file.qvf in the settings folder with the number of periods asked for as its code.
    void encodePeriodFile();
    // The Morse dialog's OK check: an empty message is refused with a message.
    bool morseTextAccepted(const std::string& text);
    // The sound replaced by the message keyed in Morse code.
    void makeMorse(const MorseSettings& settings);

  private:
    // The synthesized sound written under a new temporary name; that name, or "" (the user has
    // been told) when it could not be written.
    std::string writeSynthesizedSound(const SynthSettings& settings);
    // The first steps of a generator: stop, the save-first question (false on Cancel), no sound
    // loaded any more, no undo history.
    bool leaveSound();

    Editor& editor_;
    UserDialogs& dialogs_;
    ViewObserver& view_;
    std::filesystem::path settingsDir_;
    std::filesystem::path shareDir_;
};

} // namespace sono
