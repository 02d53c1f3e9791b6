#pragma once
// Everything the editor needs from the world around it. The window implements it with Qt, the
// batch runner with standard output, the tests with fakes. Texts arrive already in the current
// language and in UTF-8.
#include <optional>
#include <string>

namespace sono {

enum class Answer { Yes, No, Cancel };
enum class MessageIcon { Critical, Information, Exclamation, Question };

class EditorHost {
  public:
    virtual ~EditorHost() = default;

    // A Yes/No/Cancel question.
    virtual Answer ask(MessageIcon icon, const std::string& caption, const std::string& text) = 0;
    virtual void showMessage(MessageIcon icon, const std::string& caption,
                             const std::string& text) = 0;
    // An input box; nullopt when the user cancels.
    virtual std::optional<std::string> askInput(const std::string& title, const std::string& prompt,
                                                const std::string& initialText) = 0;
    // The save dialog; nullopt when the user cancels.
    virtual std::optional<std::string> chooseSavePath(const std::string& filter,
                                                      const std::string& initialDir) = 0;

    // What follows only tells the host what changed; a host without a screen ignores it.

    // Panel 1..4 of the status bar now holds text.
    virtual void statusChanged(int /*panel*/, const std::string& /*text*/) {}
    virtual void captionChanged(const std::string& /*caption*/) {}

    virtual void progressStarted(const std::string& /*label*/) {}
    virtual void progressShown(int /*step*/, const std::string& /*label*/) {}
    virtual void progressEnded() {}
    virtual void setBusy(bool /*busy*/) {}

    // The samples or the format changed: the pictures must be drawn anew.
    virtual void waveformChanged() {}
    // The selection or the command state changed: compose the views again.
    virtual void selectionChanged() {}
    // The language changed: menus, tooltips and dialogs take their new texts.
    virtual void languageChanged() {}
    // An option, the recent-file list or another saved setting changed.
    virtual void settingsChanged() {}
    // Tool dialogs are hidden when a new sound replaces the current one.
    virtual void hideToolDialogs() {}

    virtual void stopPlayback() {}
    virtual void playFile(const std::string& /*path*/) {}
};

} // namespace sono
