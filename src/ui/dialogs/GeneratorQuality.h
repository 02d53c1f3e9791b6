#pragma once
// The Quality frame both generator dialogs end with: the rate ("Frame3", one of the generators'
// three rates) beside the bits ("Frame4", 8 or 16), 11025 Hz and 8 bits chosen at first.
#include <array>
#include <cstddef>
#include <vector>

#include "DialogCaptions.h"

class QGroupBox;
class QRadioButton;

namespace sono {

class GeneratorQuality {
  public:
    // Adds the frames' captions to `captions`.
    explicit GeneratorQuality(std::vector<Caption>& captions);

    QGroupBox* frame() const { return frame_; }
    // Index of the chosen rate in GeneratorRates.
    size_t rateIndex() const;
    bool eightBit() const;

  private:
    QGroupBox* frame_;
    std::array<QRadioButton*, 3> rates_;
    QRadioButton* bits8_;
};

} // namespace sono
