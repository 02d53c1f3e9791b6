#pragma once
// The properties dialog: the sample width, rate and channel count the sound is to be converted
// to. It checks an "Other" rate before it closes with OK; the window then runs the conversion.
// Made once and kept, so it is only hidden.
#include <QDialog>

#include <cstdint>
#include <vector>

#include "DialogCaptions.h"
#include "FormatChoice.h"

namespace sono {

class Editor;

class PropertiesDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PropertiesDialog(Editor& editor, QWidget* parent = nullptr);

    // Chooses the current format of the sound and sets the captions in the current language.
    void load();

    // The choice confirmed with OK: 8 or 16 bits, a rate in Hz (not yet limited), 1 or 2.
    int bits() const { return format_.bits(); }
    int32_t rate() const { return rate_; }
    int channels() const { return format_.channels(); }

  private:
    void confirm();

    Editor& editor_;
    std::vector<Caption> captions_;
    FormatChoice format_;
    int32_t rate_ = 0;
};

} // namespace sono
