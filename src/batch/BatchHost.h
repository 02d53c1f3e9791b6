#pragma once
// The editor's dialogs and view in a batch run: messages, questions and status texts become
// output records, and the answers come from the script's `answer` and `input` lines and the
// paths of its `open` and `save-as` lines.
#include <deque>
#include <optional>
#include <ostream>
#include <string>

#include "ports/UserDialogs.h"
#include "ports/ViewObserver.h"

namespace sono {

// A text as the output shows it: \r, \n, \\ and \xHH for the other control characters.
std::string escapeOutputText(const std::string& text);

class BatchHost : public UserDialogs, public ViewObserver {
  public:
    explicit BatchHost(std::ostream& out) : out_(out) {}

    void queueAnswer(Answer answer) { answers_.push_back(answer); }
    void queueInput(const std::string& text) { inputs_.push_back(text); }
    // The path the next open or save dialog returns; the dialog after it is cancelled.
    void setOpenPath(std::optional<std::string> path) { openPath_ = std::move(path); }
    void setSavePath(std::optional<std::string> path) { savePath_ = std::move(path); }
    void record(const std::string& label, const std::string& text);

    Answer ask(MessageIcon icon, const std::string& caption, const std::string& text) override;
    // Answered as a question: "yes" is OK.
    bool confirm(MessageIcon icon, const std::string& caption, const std::string& text) override;
    void showMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override;
    std::optional<std::string> askInput(const std::string& title, const std::string& prompt,
                                        const std::string& initialText) override;
    std::optional<std::string> chooseOpenPath(const std::string& filter,
                                              const std::string& initialDir) override;
    std::optional<std::string> chooseSavePath(const std::string& filter,
                                              const std::string& initialDir) override;
    void statusChanged(int panel, const std::string& text) override;

  private:
    std::ostream& out_;
    std::deque<Answer> answers_;
    std::deque<std::string> inputs_;
    std::optional<std::string> openPath_;
    std::optional<std::string> savePath_;
};

} // namespace sono
