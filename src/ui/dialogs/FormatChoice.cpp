#include "FormatChoice.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "editor/Editor.h"
#include "support/Numbers.h"

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

FormatChoice::FormatChoice(std::vector<Caption>& captions) {
    widthFrame_ = new QGroupBox;
    widthFrame_->setObjectName("Frame1");
    captions.push_back({widthFrame_, "Bitrate", "Bitrate"});
    bits8_ = option("Option2", "8 bits");
    bits16_ = option("Option3", "16 bits");
    auto* widthColumn = new QVBoxLayout(widthFrame_);
    widthColumn->addWidget(bits8_);
    widthColumn->addWidget(bits16_);
    widthColumn->addStretch(1);

    rateFrame_ = new QGroupBox;
    rateFrame_->setObjectName("Frame2");
    captions.push_back({rateFrame_, "Frequentie", "Frequency"});
    const char* fixedRateNames[] = {"Option1", "Option4", "Option5"};
    for (size_t i = 0; i < fixedRates_.size(); ++i)
        fixedRates_[i] =
            option(fixedRateNames[i],
                   QString::fromStdString(shortestDecimal(FixedSampleRates[i])) + " Hz");
    otherRate_ = option("Option6");
    captions.push_back({otherRate_, "Anders:", "Other:"});
    otherRateText_ = new QLineEdit;
    otherRateText_->setObjectName("Text1");
    otherRateText_->setMaximumWidth(90);
    QObject::connect(otherRate_, &QRadioButton::toggled, otherRateText_, &QLineEdit::setEnabled);
    auto* otherLine = new QHBoxLayout;
    otherLine->addWidget(otherRate_);
    otherLine->addWidget(otherRateText_);
    otherLine->addWidget(new QLabel("Hz"));
    otherLine->addStretch(1);
    auto* rateColumn = new QVBoxLayout(rateFrame_);
    for (QRadioButton* button : fixedRates_)
        rateColumn->addWidget(button);
    rateColumn->addLayout(otherLine);

    stereo_ = new QCheckBox;
    stereo_->setObjectName("Check1");
    captions.push_back({stereo_, "&Stereo", "&Stereo"});
}

void FormatChoice::select(int bits, double rate, int channels) {
    (bits == 8 ? bits8_ : bits16_)->setChecked(true);
    otherRateText_->setText(QString::fromStdString(shortestDecimal(rate)));
    QRadioButton* rateChoice = otherRate_;
    for (size_t i = 0; i < fixedRates_.size(); ++i)
        if (rate == FixedSampleRates[i]) rateChoice = fixedRates_[i];
    rateChoice->setChecked(true);
    otherRateText_->setEnabled(otherRate_->isChecked());
    stereo_->setChecked(channels != 1);
}

int FormatChoice::bits() const {
    return bits8_->isChecked() ? 8 : 16;
}

int FormatChoice::channels() const {
    return stereo_->isChecked() ? 2 : 1;
}

std::optional<double> FormatChoice::acceptedRate(Editor& editor) const {
    for (size_t i = 0; i < fixedRates_.size(); ++i)
        if (fixedRates_[i]->isChecked()) return FixedSampleRates[i];
    const double typed = leadingNumber(otherRateText_->text());
    if (!editor.files().otherRateAccepted(typed)) {
        otherRateText_->setFocus();
        return std::nullopt;
    }
    return typed;
}

} // namespace sono
