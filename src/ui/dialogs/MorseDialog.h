#pragma once
// The Morse dialog `Morse`: the message ("Text1"), the unit's length ("Vites", 10..200
// ms), the rate and the width, whether the message is kept as the sound's subject ("Check1"), and
// the picture Morse.gif. OK hands the values to `makeMorse`; an empty message is refused first.
// Made once and hidden between uses, so its settings live on.
#include "EffectDialog.h"
#include "GeneratorQuality.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace sono {

class MorseDialog : public EffectDialog {
    Q_OBJECT
  public:
    explicit MorseDialog(Editor& editor, QWidget* parent = nullptr);

    // Every text in the current language, the interval label with its value.
    void showTexts();

  protected:
    void prepare() override;
    // The message, the interval, the rate's and the width's index, noinfo (0) or info (1).
    Arguments arguments() const override;
    bool confirm() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* message_;
    QScrollBar* interval_;
    QLabel* intervalLabel_;
    GeneratorQuality quality_;
    QCheckBox* keepText_;
};

} // namespace sono
