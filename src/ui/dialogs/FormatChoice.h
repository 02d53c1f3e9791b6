#pragma once
// The choice of a sound format that the properties dialog and the raw import panel share: a
// frame "Bitrate" with 8 and 16 bits, a frame "Frequentie" / "Frequency" with the fixed rates and
// "Anders:" / "Other:" with a box for another rate (enabled only while it is chosen), and a check
// box "&Stereo". The owner lays the three out; Qt's parents own the widgets from then on.
#include <array>
#include <optional>
#include <vector>

#include "DialogCaptions.h"
#include "formats/FormatConversion.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace sono {

class Editor;

class FormatChoice {
  public:
    // Makes the controls and adds their captions to `captions`.
    explicit FormatChoice(std::vector<Caption>& captions);

    QGroupBox* widthFrame() const { return widthFrame_; }
    QGroupBox* rateFrame() const { return rateFrame_; }
    QCheckBox* stereoBox() const { return stereo_; }

    // Chooses a format: a rate that is not one of the fixed ones is chosen as "Other", written in
    // its box.
    void select(int bits, double rate, int channels);
    int bits() const;     // 8 or 16
    int channels() const; // 1 or 2
    // The chosen rate: a fixed one, or the number the "Other" box starts with when the editor
    // accepts it. nullopt once the editor has said why it refuses it; the box then has the focus.
    std::optional<double> acceptedRate(Editor& editor) const;

  private:
    QGroupBox* widthFrame_;
    QGroupBox* rateFrame_;
    QRadioButton* bits8_;
    QRadioButton* bits16_;
    std::array<QRadioButton*, FixedSampleRates.size()> fixedRates_;
    QRadioButton* otherRate_;
    QLineEdit* otherRateText_;
    QCheckBox* stereo_;
};

} // namespace sono
