#include "PropertiesDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/Editor.h"
#include "support/Numbers.h"

namespace sono {

PropertiesDialog::PropertiesDialog(Editor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor), format_(captions_) {
    setObjectName("PropForm");
    setModal(true);

    auto [ok, cancel] = makeOkCancel(*this, captions_);
    connect(ok, &QPushButton::clicked, this, &PropertiesDialog::confirm);

    auto* frames = new QHBoxLayout;
    frames->addWidget(format_.widthFrame());
    frames->addWidget(format_.rateFrame(), 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(format_.stereoBox());
    bottom->addStretch(1);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PropertiesDialog::load() {
    applyCaptions(captions_, editor_);
    setWindowTitle(QString::fromStdString(editor_.LangText(" Eigenschappen", " Properties")));

    const Document& doc = editor_.doc();
    format_.select(int(doc.BitsPerSample), doc.SampleRate, int(doc.Channels));
}

void PropertiesDialog::confirm() {
    const std::optional<double> rate = format_.acceptedRate(editor_);
    if (!rate) return;
    rate_ = int32_t(roundToInt(*rate));
    accept();
}

} // namespace sono
