#include "PropForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cctype>
#include <charconv>
#include <cmath>

#include "document/Numbers.h"
#include "editor/Editor.h"

namespace sono {

namespace {

// The number a text starts with, 0 when it starts with none: "1500 Hz" gives 1500, "abc" 0.
double leadingNumber(const QString& text) {
    const std::string s = text.trimmed().toStdString();
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+') ++first;
    const char* digits = first != last && *first == '-' ? first + 1 : first;
    // from_chars would also read "inf" and "nan"; a typed rate is digits and a point.
    if (digits == last || !(std::isdigit(static_cast<unsigned char>(*digits)) || *digits == '.'))
        return 0;
    double value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) return *first == '-' ? -HUGE_VAL : HUGE_VAL;
    return error == std::errc() ? value : 0;
}

QRadioButton* option(const char* name, const QString& caption = {}) {
    auto* button = new QRadioButton(caption);
    button->setObjectName(name);
    return button;
}

} // namespace

PropForm::PropForm(Editor& editor, QWidget* parent) : QDialog(parent), editor_(editor) {
    setObjectName("PropForm");
    setModal(true);

    auto* width = new QGroupBox;
    width->setObjectName("Frame1");
    captions_.push_back({width, "Bitrate", "Bitrate"});
    bits8_ = option("Option2", "8 bits");
    bits16_ = option("Option3", "16 bits");
    auto* widthColumn = new QVBoxLayout(width);
    widthColumn->addWidget(bits8_);
    widthColumn->addWidget(bits16_);
    widthColumn->addStretch(1);

    auto* rate = new QGroupBox;
    rate->setObjectName("Frame2");
    captions_.push_back({rate, "Frequentie", "Frequency"});
    const char* fixedRateNames[] = {"Option1", "Option4", "Option5"};
    for (size_t i = 0; i < fixedRates_.size(); ++i)
        fixedRates_[i] =
            option(fixedRateNames[i],
                   QString::fromStdString(shortestDecimal(FixedSampleRates[i])) + " Hz");
    otherRate_ = option("Option6");
    captions_.push_back({otherRate_, "Anders:", "Other:"});
    otherRateText_ = new QLineEdit;
    otherRateText_->setObjectName("Text1");
    otherRateText_->setMaximumWidth(90);
    connect(otherRate_, &QRadioButton::toggled, otherRateText_, &QLineEdit::setEnabled);
    auto* otherLine = new QHBoxLayout;
    otherLine->addWidget(otherRate_);
    otherLine->addWidget(otherRateText_);
    otherLine->addWidget(new QLabel("Hz"));
    otherLine->addStretch(1);
    auto* rateColumn = new QVBoxLayout(rate);
    for (QRadioButton* button : fixedRates_)
        rateColumn->addWidget(button);
    rateColumn->addLayout(otherLine);

    stereo_ = new QCheckBox;
    stereo_->setObjectName("Check1");
    captions_.push_back({stereo_, "&Stereo", "&Stereo"});

    auto [ok, cancel] = makeOkCancel(*this, captions_);
    connect(ok, &QPushButton::clicked, this, &PropForm::confirm);

    auto* frames = new QHBoxLayout;
    frames->addWidget(width);
    frames->addWidget(rate, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(stereo_);
    bottom->addStretch(1);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PropForm::load() {
    applyCaptions(captions_, editor_);
    setWindowTitle(QString::fromStdString(editor_.LangText(" Eigenschappen", " Properties")));

    const Document& doc = editor_.doc();
    (doc.BitsPerSample == 8 ? bits8_ : bits16_)->setChecked(true);
    otherRateText_->setText(QString::fromStdString(shortestDecimal(doc.SampleRate)));
    QRadioButton* rateChoice = otherRate_;
    for (size_t i = 0; i < fixedRates_.size(); ++i)
        if (doc.SampleRate == FixedSampleRates[i]) rateChoice = fixedRates_[i];
    rateChoice->setChecked(true);
    otherRateText_->setEnabled(otherRate_->isChecked());
    stereo_->setChecked(doc.Channels != 1);
}

int PropForm::bits() const {
    return bits8_->isChecked() ? 8 : 16;
}

int PropForm::channels() const {
    return stereo_->isChecked() ? 2 : 1;
}

void PropForm::confirm() {
    if (otherRate_->isChecked()) {
        const double typed = leadingNumber(otherRateText_->text());
        if (!editor_.otherRateAccepted(typed)) {
            otherRateText_->setFocus();
            return;
        }
        rate_ = int32_t(roundToInt(typed));
    } else {
        for (size_t i = 0; i < fixedRates_.size(); ++i)
            if (fixedRates_[i]->isChecked()) rate_ = int32_t(FixedSampleRates[i]);
    }
    accept();
}

} // namespace sono
