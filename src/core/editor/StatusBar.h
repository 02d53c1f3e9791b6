#pragma once
// The window's caption and the four panels of its status bar, as the editor last set them: panel 1
// says what happened, panels 2 to 4 show the sound's format, duration and size. Hosts without a
// window (the batch runner, the tests) read them back here.
#include <array>
#include <string>

#include "document/Document.h"
#include "ports/ViewObserver.h"
#include "settings/Settings.h"

namespace sono {

class StatusBar {
  public:
    StatusBar(ViewObserver& view, const Document& doc, const Settings& settings);

    const std::string& caption() const { return caption_; }
    // Panel 1..4.
    const std::string& panel(int number) const { return panels_.at(number); }
    void setCaption(const std::string& caption);
    void setPanel(int number, const std::string& text);
    // Panels 2 to 4 from the sound: its format, duration and size.
    void refreshPanels();
    // The duration and size panels, after a change of length.
    void refreshLengthPanels();

  private:
    ViewObserver& view_;
    const Document& doc_;
    const Settings& settings_;
    std::string caption_ = "Sonoplexer";
    std::array<std::string, 5> panels_; // index 1..4
};

} // namespace sono
