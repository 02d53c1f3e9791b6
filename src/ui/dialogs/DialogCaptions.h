#pragma once
// What the program's dialogs share: widgets named for the tests and the settings, captions that
// follow the language, and the OK and Cancel buttons they end with.
#include <vector>

class QDialog;
class QPushButton;
class QWidget;

namespace sono {

class Editor;

// The widget, given its object name.
template <class T> T* named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

// A group box title, label or button text in both languages.
struct Caption {
    QWidget* widget;
    const char* dutch;
    const char* english;
};

// Gives every widget its caption in the editor's current language.
void applyCaptions(const std::vector<Caption>& captions, const Editor& editor);

// OK ("Command1", the default button) and Cancel ("Command2", which rejects the dialog), their
// captions added to `captions`. What OK does is up to the dialog; the effect dialogs call it
// Apply.
struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancel makeOkCancel(QDialog& dialog, std::vector<Caption>& captions, const char* okDutch = "&OK",
                      const char* okEnglish = "&OK");

} // namespace sono
