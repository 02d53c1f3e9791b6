#pragma once
// The save dialog of Export MP3: Qt's own file dialog with the encoder panel beside its file list:
// the bitrate, the Stereo box, and the music information the file is given.
#include <QFileDialog>

#include <string>
#include <vector>

#include "DialogCaptions.h"
#include "editor/Commands.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace sono {

class Editor;

class Mp3SaveDialog : public QFileDialog {
  public:
    // `bitrate` is the one chosen last time (96 before the first export).
    Mp3SaveDialog(QWidget* parent, Editor& editor, const QString& filter, const QString& folder,
                  int bitrate);

    // The export's parameters for the accepted file `path`: path, bitrate, channel mode and the
    // six fields (all empty when Add Information is unchecked: the file then gets no tag).
    Arguments arguments(std::string path) const;
    int bitrate() const;

  private:
    std::vector<Caption> captions_;
    QComboBox* bitrates_;
    QCheckBox* stereo_;             // Check3
    QCheckBox* addFields_;          // Check1
    QGroupBox* fieldsFrame_;        // Frame2
    std::vector<QLineEdit*> texts_; // title, artist, album, year, comment
    QComboBox* genre_;
};

} // namespace sono
