#include "MorseDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "editor/Editor.h"
#include "generators/Morse.h"
#include "generators/Synthesizer.h"

namespace sono {

MorseDialog::MorseDialog(Editor& editor, QWidget* parent)
    : EffectDialog(editor, "Morse", parent, "OK", "OK"),
      message_(named(new QLineEdit("SOS"), "Text1")),
      interval_(named(new QScrollBar(Qt::Horizontal), "Vites")),
      intervalLabel_(named(new QLabel, "Label2")), quality_(captions_),
      keepText_(named(new QCheckBox, "Check1")) {
    auto* messageLabel = named(new QLabel, "Label1");
    captions_.push_back({messageLabel, "Bericht", "Message"});
    messageLabel->setBuddy(message_);
    message_->setMinimumWidth(260);
    message_->installEventFilter(this);
    interval_->setRange(MorseIntervalMin, MorseIntervalMax);
    interval_->setPageStep(10);
    interval_->setValue(MorseIntervalInitial);
    connect(interval_, &QScrollBar::valueChanged, this, &MorseDialog::showTexts);

    keepText_->setChecked(true);
    captions_.push_back(
        {keepText_, "Tekst in geluidsinformatie opslaan", "Save text in sound information"});

    auto* picture = named(new QLabel, "Image1");
    picture->setPixmap(
        QPixmap(QString::fromStdString((editor.generators().shareDir() / "Morse.gif").string())));
    picture->setAlignment(Qt::AlignCenter);

    auto* left = new QVBoxLayout;
    left->addWidget(messageLabel);
    left->addWidget(message_);
    left->addSpacing(6);
    left->addWidget(intervalLabel_);
    left->addWidget(interval_);
    left->addSpacing(6);
    left->addWidget(quality_.frame());
    left->addWidget(keepText_);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(picture, 0, Qt::AlignTop);
    QHBoxLayout* buttons = buttonRow();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MorseDialog::showTexts() {
    applyCaptions(captions_, editor_);
    setWindowTitle(text(" Morsebericht", " Morse Message"));
    intervalLabel_->setText(text("Interval (", "Interval(") + QString::number(interval_->value()) +
                            " ms)");
}

void MorseDialog::prepare() {
    showTexts();
}

Arguments MorseDialog::arguments() const {
    return {message_->text().toStdString(), int64_t(interval_->value()),
            int64_t(quality_.rateIndex()), sampleWidthChoice(quality_.eightBit() ? 8 : 16),
            int64_t(keepText_->isChecked() ? 1 : 0)};
}

bool MorseDialog::confirm() {
    if (editor_.generators().morseTextAccepted(message_->text().toStdString())) return true;
    message_->setFocus();
    return false;
}

void MorseDialog::showEvent(QShowEvent* event) {
    EffectDialog::showEvent(event);
    message_->setFocus();
    message_->selectAll();
}

bool MorseDialog::eventFilter(QObject* watched, QEvent* event) {
    // The message is chosen whole whenever it gets the focus, also by a click (after which the
    // press would otherwise place the cursor).
    if (watched == message_ && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, message_, &QLineEdit::selectAll);
    return EffectDialog::eventFilter(watched, event);
}

} // namespace sono
