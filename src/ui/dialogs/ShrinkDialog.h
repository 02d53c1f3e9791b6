#pragma once
// The shrink dialog: how much to shrink, as a block size of 2 (a little) to 10 frames (a lot) on
// the scroll bar "Slider1". Its value stays between uses.
#include "EffectDialog.h"

class QScrollBar;

namespace sono {

class ShrinkDialog : public EffectDialog {
    Q_OBJECT
  public:
    explicit ShrinkDialog(Editor& editor, QWidget* parent = nullptr);

  protected:
    void prepare() override;
    // The block size.
    Arguments arguments() const override;

  private:
    QScrollBar* slider_;
};

} // namespace sono
