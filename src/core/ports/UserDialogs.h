#pragma once
// The questions the editor asks the user: message boxes, input boxes and the file dialogs. The
// window shows them with Qt, the batch runner answers them from the script, the tests from
// queues. Texts arrive already in the current language, in UTF-8.
#include <optional>
#include <string>

namespace sono {

enum class Answer { Yes, No, Cancel };
enum class MessageIcon { Critical, Information, Exclamation, Question };

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    // A Yes/No/Cancel question.
    virtual Answer ask(MessageIcon icon, const std::string& caption, const std::string& text) = 0;
    // An OK/Cancel question; true for OK.
    virtual bool confirm(MessageIcon icon, const std::string& caption, const std::string& text) = 0;
    virtual void showMessage(MessageIcon icon, const std::string& caption,
                             const std::string& text) = 0;
    // An input box; nullopt when the user cancels.
    virtual std::optional<std::string> askInput(const std::string& title, const std::string& prompt,
                                                const std::string& initialText) = 0;
    // The open and save dialogs, with a filter such as "Wave-files (*.wav)|*.wav|All Files
    // (*.*)|*.*" and the folder they start in; nullopt when the user cancels.
    virtual std::optional<std::string> chooseOpenPath(const std::string& filter,
                                                      const std::string& initialDir) = 0;
    virtual std::optional<std::string> chooseSavePath(const std::string& filter,
                                                      const std::string& initialDir) = 0;
};

} // namespace sono
