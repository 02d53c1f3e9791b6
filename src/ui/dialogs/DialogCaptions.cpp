#include "DialogCaptions.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "editor/Editor.h"

namespace sono {

void applyCaptions(const std::vector<Caption>& captions, const Editor& editor) {
    for (const Caption& caption : captions) {
        QString text = QString::fromStdString(editor.LangText(caption.dutch, caption.english));
        if (auto* group = qobject_cast<QGroupBox*>(caption.widget))
            group->setTitle(text);
        else if (auto* label = qobject_cast<QLabel*>(caption.widget))
            label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(caption.widget))
            button->setText(text);
    }
}

OkCancel makeOkCancel(QDialog& dialog, std::vector<Caption>& captions, const char* okDutch,
                      const char* okEnglish) {
    auto* ok = new QPushButton;
    ok->setObjectName("Command1");
    ok->setDefault(true);
    captions.push_back({ok, okDutch, okEnglish});
    auto* cancel = new QPushButton;
    cancel->setObjectName("Command2");
    captions.push_back({cancel, "&Annuleren", "&Cancel"});
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return {ok, cancel};
}

} // namespace sono
