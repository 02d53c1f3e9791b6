#pragma once
// The advanced filter dialog: whether samples louder ("Combo1" index 0) or quieter than a
// threshold ("HScroll1", 1..99 % of full scale) are multiplied, and by what ("HScroll2", a factor
// of 0.1..2.0 in tenths), stated as one sentence ("Label4"). Its choices stay between uses.
#include "EffectDialog.h"

class QComboBox;
class QLabel;
class QScrollBar;

namespace sono {

class FilterDialog : public EffectDialog {
    Q_OBJECT
  public:
    explicit FilterDialog(Editor& editor, QWidget* parent = nullptr);

  protected:
    void prepare() override;
    // Louder (index 0) or quieter, the threshold in percent, the factor.
    Arguments arguments() const override;

  private:
    // The sentence from the labels and the choices as they stand.
    void Scroller();

    QLabel* ifVolume_;
    QComboBox* louder_;
    QLabel* than_;
    QScrollBar* threshold_;
    QLabel* multiplied_;
    QScrollBar* factor_;
    QLabel* sentence_;
};

} // namespace sono
