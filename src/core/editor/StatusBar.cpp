#include "editor/StatusBar.h"

#include "support/StatusTexts.h"

namespace sono {

StatusBar::StatusBar(ViewObserver& view, const Document& doc, const Settings& settings)
    : view_(view), doc_(doc), settings_(settings) {}

void StatusBar::setCaption(const std::string& caption) {
    caption_ = caption;
    view_.captionChanged(caption);
}

void StatusBar::setPanel(int number, const std::string& text) {
    panels_.at(number) = text;
    view_.statusChanged(number, text);
}

void StatusBar::refreshPanels() {
    setPanel(2, formatPanelText(doc_));
    refreshLengthPanels();
}

void StatusBar::refreshLengthPanels() {
    setPanel(3, durationPanelText(doc_, settings_.language));
    setPanel(4, sizePanelText(doc_, settings_.language));
}

} // namespace sono
