#pragma once
// One parameter of a curve dialog: its title, the panel `Geheel` with two blocks joined by a line
// (the left block sets the value at the start of the range, the right one at its end), the "stays
// the same" box `Zelfde` that ties the blocks together, and the sentence that states the setting.
// The panel's colour and the sentence follow the blocks.
//
// Blocks keep their tops in fractions of a pixel: the mouse moves them one pixel per pixel of the
// pointer, the keyboard by two thirds of a pixel. Controls are named as in the rest of the dialog:
// "Titel<i>", "Geheel<i>", "Blok<2i>", "Blok<2i+1>", "Zelfde<i>", "Verklaring<i>".
#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>

#include "effects/Envelope.h"

class QCheckBox;
class QLabel;

namespace sono {

class CurvePanel : public QWidget {
    Q_OBJECT
  public:
    // What a key moves a block by, up or down, and what the repeats panel adds to that: together
    // one repeat.
    static constexpr double KeyStep = 2.0 / 3;
    static constexpr double RepeatKeyStep = 18;

    enum Side { Left = 0, Right = 1 };

    CurvePanel(int index, CurveScale scale, CurveSentence sentence, const QPixmap& mover,
               QWidget* parent = nullptr);

    const CurveScale& scale() const { return scale_; }
    double top(Side side) const { return tops_[side]; }
    int value(Side side) const { return blockValue(tops_[side], scale_); }
    bool same() const;

    // Puts the blocks and the box where they were kept, as they are: re-apply the blocks after.
    void setState(double leftTop, double rightTop, bool same);
    // The box checked and out of the user's reach: the panel always states one value.
    void lockSame();
    void setTexts(const QString& title, const QString& sameText, uint8_t language);

    // The move of a drag: the block's top becomes `top` (kept inside the panel); with the box
    // checked the other block follows. Then line, colour and sentence follow, and changed() is
    // sent. Placing a block where it stands re-applies it.
    void placeBlock(Side side, double top);
    void moveBlock(Side side, double by) { placeBlock(side, tops_[side] + by); }

  signals:
    void changed();

  private:
    class Area;
    class Block;
    void refresh();

    CurveScale scale_;
    CurveSentence sentence_;
    uint8_t language_ = 0;
    std::array<double, 2> tops_{};
    QLabel* title_;
    Area* area_;
    std::array<Block*, 2> blocks_{};
    QCheckBox* same_;
    QLabel* explanation_;
};

} // namespace sono
