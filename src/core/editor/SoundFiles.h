#pragma once
// The sound's files: open (a WAV file, a recent one, any file as raw samples), save and save as,
// the save-first question, and the format conversion of the Properties dialog. The folder the
// file dialogs open in is kept here too.
#include <cstdint>
#include <string>

#include "formats/ByteFile.h"
#include "formats/WavReader.h"
#include "ports/UserDialogs.h"
#include "ports/ViewObserver.h"

namespace sono {

class Editor;
struct Document;

// How SoundFiles::writeWave writes the sound.
struct WaveWrite {
    // For the MP3 coder: 8-bit samples widened to 16 bits on the way, and the sound as it is (no
    // silent frame added to it, its format fields as they were).
    bool forCoder = false;
};

class SoundFiles {
  public:
    SoundFiles(Editor& editor, UserDialogs& dialogs, ViewObserver& view);

    // ---- open ----
    // Open: the open dialog (asked again for a file that does not exist), then openChosenFile.
    void openFile();
    // Steps of Open after the dialog: remembers the folder, then openWave(path, path).
    void openChosenFile(const std::string& path);
    // The recent-file item `index`: its file, with the item's caption less its access key as
    // the display name.
    void openRecentFile(int index);
    // By value: callers pass the current file name or a recent-file entry, which this changes.
    // True when the file's sound replaced the one there was.
    bool openWave(std::string path, std::string displayName);

    // ---- save ----
    // The save-first question; false when the user cancelled.
    bool offerSaveFirst();
    // The sound to its own file, through Save As for an untitled one. True when it was written.
    bool saveToItsFile(int saveKind);
    // Writes the sound as the WAV file `path` with the progress of `saveKind`: the file holds an
    // even number of frames (an odd sound gets a silent frame first), the texts their padding
    // zeros. A failure is said; a file not named ".tmp" marks the sound saved. True when written.
    bool writeWave(const std::string& path, int saveKind, WaveWrite how = {});
    // Why a file was not written, as a second paragraph of the failure message ("" when unknown).
    std::string writeFailureText(WriteFailure failure) const;
    void save();
    void saveAs();

    // ---- the file dialogs ----
    // The open and save dialogs' filter, "Wave-files (*.wav)|*.wav|All Files (*.*)|*.*".
    std::string waveFileFilter() const;
    // Where the file dialogs open: the folder of the sound's file, else the folder used last.
    std::string dialogFolder() const;
    // The folder of a file the user chose becomes the one the file dialogs open next.
    void rememberFolderOf(const std::string& path);

    // ---- format conversion and raw import ----
    // Converts the whole sound: rate (limited to 2500..100000), then bits, then channels.
    void changeProperties(int bits, int32_t rate, int channels);
    // The properties dialog's OK: a rate other than the fixed ones is checked first.
    void applyProperties(int bits, double rate, int channels);
    // The check of an "Other" rate in the properties and raw-import panels: shows why a rate
    // below 1000 or above 100000 is refused.
    bool otherRateAccepted(double rate);
    // Open any file as raw samples (the panel's choices). False when the rate was refused, so
    // the dialog stays open; a file that cannot be read is reported and counts as done.
    bool openRawFile(const std::string& path, int bits, double rate, int channels);

  private:
    // The editor's document, which the files fill and are written from.
    Document& doc();
    const Document& doc() const;

    void resetForReading();
    void reportFileLists(const std::string& path, const WavReadResult& read);
    std::string failureText(const WavReadResult& read) const;

    Editor& editor_;
    UserDialogs& dialogs_;
    ViewObserver& view_;
};

} // namespace sono
