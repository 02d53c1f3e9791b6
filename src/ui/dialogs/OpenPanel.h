#pragma once
// The panel of the open dialog. In mode 0 (Open) it describes the file the user is on: its size,
// format and length, an overview of its waveform when "Draw Graphic" is checked, and a button
// to play it; for Import MP3 the bitrate, rate, channel mode, length and music information of
// an MP3 file. In mode 2 (Import > All Files) it holds the format under which any file is read as
// raw samples. The window makes it once and lends it to each open dialog, so the raw format
// chosen lives on between uses.
#include <QFileDialog>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

#include "DialogCaptions.h"
#include "FormatChoice.h"
#include "formats/WaveHeader.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace sono {

class Editor;

class OpenPanel : public QWidget {
    Q_OBJECT
  public:
    enum class Mode { Preview, Mp3Preview, RawFormat };
    // A raw format: 8 or 16 bits, a rate in Hz as accepted (not rounded), 1 or 2 channels.
    struct RawFormat {
        int bits = 16;
        double rate = 22050;
        int channels = 1;
    };
    // Plays a previewed file; the call returns at once.
    using Player = std::function<void(const QString& path)>;

    explicit OpenPanel(Editor& editor, QWidget* parent = nullptr);
    void setPlayer(Player play) { play_ = std::move(play); }

    // Shows the frame of `mode` with every text in the editor's language. The preview starts
    // empty with the play button disabled; the raw format keeps what was chosen last.
    void prepare(Mode mode);
    Mode mode() const { return mode_; }
    // "Openen" / "Open".
    QString dialogTitle() const;

    // The dialog's current item became `path`: a WAV file is described by its header alone,
    // drawn when "Draw Graphic" is checked, and can be played; in the MP3 preview an MP3 file is
    // described by its first frame and its tag. Anything else leaves the preview empty.
    void showFile(const QString& path);

    // Whether the dialog may close with its file. In mode 2 the rate must be accepted: an
    // "Other" rate is checked by the editor, which tells the user why it refuses one.
    bool acceptChoice();
    // The format confirmed by the last acceptChoice in mode 2.
    RawFormat rawFormat() const { return raw_; }

  private:
    void showWaveFile(const QString& path);
    void showMp3File(const QString& path);
    void clearPreview();
    void clearPicture();
    void drawOverview();
    void drawGraphicClicked(bool checked);

    Editor& editor_;
    std::vector<Caption> captions_;
    Mode mode_ = Mode::Preview;
    Player play_;

    QWidget* preview_;
    QLabel* sizeLabel_;   // Label1
    QLabel* formatLabel_; // Label3
    QLabel* picture_;     // Picture1
    QCheckBox* drawGraphic_;
    QPushButton* playButton_;
    QString previewPath_; // the file described, "" when none
    std::optional<WaveHeader> header_;

    QWidget* rawFrame_; // Frame3
    FormatChoice format_;
    RawFormat raw_;
};

// The open dialog: Qt's own (not the desktop's) dialog for one existing file, titled as the
// panel says, with the panel beside its file list following the dialog's current item. It gives
// the panel back to its owner, hidden, when it goes.
struct OpenChoice {
    QString path;
    OpenPanel::RawFormat format; // mode 2 only
};

class OpenDialog : public QFileDialog {
  public:
    OpenDialog(QWidget* parent, OpenPanel& panel, OpenPanel::Mode mode, const QString& filter,
               const QString& folder);
    ~OpenDialog() override;

    // The accepted file, with the panel's format in mode 2.
    OpenChoice choice() const;

  protected:
    // Accepting waits for the panel's consent; a refused rate keeps the dialog open.
    void done(int result) override;

  private:
    OpenPanel& panel_;
    QWidget* panelOwner_;
};

} // namespace sono
