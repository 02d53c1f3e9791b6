#include "EffectDialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>

#include "editor/Editor.h"

namespace sono {

EffectDialog::EffectDialog(Editor& editor, const char* name, QWidget* parent, const char* okDutch,
                           const char* okEnglish)
    : QDialog(parent), editor_(editor) {
    setObjectName(name);
    setModal(true);
    auto [apply, cancel] = makeOkCancel(*this, captions_, okDutch, okEnglish);
    apply_ = apply;
    cancel_ = cancel;
    connect(apply_, &QPushButton::clicked, this, [this] {
        if (confirm()) accept();
    });
}

std::optional<Arguments> EffectDialog::ask(const Exec& exec) {
    applyCaptions(captions_, editor_);
    prepare();
    if (exec(*this) != QDialog::Accepted) return std::nullopt;
    return arguments();
}

QString EffectDialog::text(std::string_view dutch, std::string_view english) const {
    return QString::fromStdString(editor_.LangText(dutch, english));
}

void EffectDialog::closeEvent(QCloseEvent* event) {
    if (editor_.status().panel(1) != editor_.LangText("Tot ziens!", "Bye bye!")) {
        event->ignore();
        reject();
        return;
    }
    // The window is closing: this dialog goes too, without answering.
    event->accept();
    done(QDialog::Rejected);
    deleteLater();
}

QHBoxLayout* EffectDialog::buttonRow(QWidget* first) {
    auto* buttons = new QHBoxLayout;
    if (first) buttons->addWidget(first);
    buttons->addStretch(1);
    buttons->addWidget(apply_);
    buttons->addWidget(cancel_);
    return buttons;
}

} // namespace sono
