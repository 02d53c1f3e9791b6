#pragma once
// The three curve dialogs: the volume ("Form3"), the speed ("SnelheidForm") and the echo
// ("EchoForm", with the delay, the echo volume and the repeats, and the softer-repeats box
// "Check1"). Each sets its parameters in curve panels and shows what they do to a small example
// waveform ("EXA"). The keys 1 and 2 (in the echo dialog 1 to 6) move the blocks up, with Ctrl
// down.
//
// The blocks and boxes are kept in the editor's options, which the options file mirrors, so they
// are the same the next time the dialog shows and after a restart. The file holds the tops as
// whole pixels; the panels' scales say how they are read back.
#include <QImage>

#include <vector>

#include "EffectDialog.h"
#include "EnvelopeExamples.h"
#include "effects/Envelope.h"

class QCheckBox;
class QLabel;

namespace sono {

class CurvePanel;

// The example picture of the three dialogs, read once.
struct ExamplePicture {
    QImage picture; // "example.gif"; null when it could not be read
    ExampleOutline outline;
    QRgb background; // the picture's own background, also behind the drawings
};
const ExamplePicture& examplePicture();

class CurveDialog : public EffectDialog {
    Q_OBJECT
  public:
    enum class Kind { Volume, Speed, Echo };
    static constexpr QSize ExampleSize{200, 157};

    CurveDialog(Kind kind, Editor& editor, QWidget* parent = nullptr);

  protected:
    void prepare() override;
    // Volume and speed: the percentages of the left and right blocks. Echo: the delays in
    // milliseconds, the echo volumes in percent, the repeats and whether they get softer.
    Arguments arguments() const override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void addPanel(CurveScale scale, CurveSentence sentence);
    // Puts the kept state into the panels, and keeps the panels' state.
    void restoreState();
    void keepState();
    void drawExample();

    Kind kind_;
    std::vector<CurvePanel*> panels_;
    QCheckBox* softer_ = nullptr;
    QLabel* example_;
};

} // namespace sono
