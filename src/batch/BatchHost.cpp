#include "BatchHost.h"

#include <cstdio>
#include <utility>

namespace sono {

std::string escapeOutputText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else if (c < 32) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else
            out += char(c);
    }
    return out;
}

void BatchHost::record(const std::string& label, const std::string& text) {
    out_ << label << ": " << escapeOutputText(text) << '\n';
}

namespace {
const char* answerWord(Answer answer) {
    switch (answer) {
    case Answer::Yes:
        return "yes";
    case Answer::No:
        return "no";
    default:
        return "cancel";
    }
}
} // namespace

Answer BatchHost::ask(MessageIcon icon, const std::string& caption, const std::string& text) {
    // Without an answer from the script: keep the sound unsaved when asked to save first (the
    // question icon), and go ahead when asked to overwrite a file (the information icon).
    Answer answer = icon == MessageIcon::Question ? Answer::No : Answer::Yes;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    out_ << "question [" << escapeOutputText(caption) << "]: " << escapeOutputText(text) << " -> "
         << answerWord(answer) << '\n';
    return answer;
}

bool BatchHost::confirm(MessageIcon icon, const std::string& caption, const std::string& text) {
    return ask(icon, caption, text) == Answer::Yes;
}

void BatchHost::showMessage(MessageIcon icon, const std::string& caption, const std::string& text) {
    const char* kind = icon == MessageIcon::Critical      ? "critical"
                       : icon == MessageIcon::Exclamation ? "exclamation"
                                                          : "information";
    out_ << "message " << kind << " [" << escapeOutputText(caption)
         << "]: " << escapeOutputText(text) << '\n';
}

std::optional<std::string> BatchHost::askInput(const std::string& title, const std::string& prompt,
                                               const std::string&) {
    std::optional<std::string> answer;
    if (!inputs_.empty()) {
        answer = inputs_.front();
        inputs_.pop_front();
    }
    out_ << "input [" << escapeOutputText(title) << "]: " << escapeOutputText(prompt) << " -> "
         << (answer ? escapeOutputText(*answer) : std::string("cancel")) << '\n';
    return answer;
}

std::optional<std::string> BatchHost::chooseOpenPath(const std::string&, const std::string&) {
    return std::exchange(openPath_, std::nullopt);
}

std::optional<std::string> BatchHost::chooseSavePath(const std::string&, const std::string&) {
    return std::exchange(savePath_, std::nullopt);
}

void BatchHost::statusChanged(int panel, const std::string& text) {
    if (panel == 1) record("status", text);
}

} // namespace sono
