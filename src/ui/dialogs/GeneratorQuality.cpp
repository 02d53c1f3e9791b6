#include "GeneratorQuality.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "generators/Synthesizer.h"

namespace sono {

GeneratorQuality::GeneratorQuality(std::vector<Caption>& captions)
    : frame_(named(new QGroupBox, "Frame2")), bits8_(named(new QRadioButton("8-bit"), "Option2")) {
    static_assert(std::tuple_size_v<decltype(GeneratorRates)> == 3);
    const char* rateNames[] = {"Option1", "Option4", "Option5"};
    auto* rateFrame = named(new QGroupBox, "Frame3");
    captions.push_back({rateFrame, "Frequentie", "Frequency"});
    auto* rateColumn = new QVBoxLayout(rateFrame);
    for (size_t i = 0; i < rates_.size(); ++i) {
        rates_[i] =
            named(new QRadioButton(QString::number(GeneratorRates[i]) + " Hz"), rateNames[i]);
        rateColumn->addWidget(rates_[i]);
    }
    rates_[0]->setChecked(true);
    auto* bitsFrame = named(new QGroupBox, "Frame4");
    captions.push_back({bitsFrame, "Bitrate", "Bitrate"});
    auto* bitsColumn = new QVBoxLayout(bitsFrame);
    bitsColumn->addWidget(bits8_);
    bitsColumn->addWidget(named(new QRadioButton("16-bit"), "Option3"));
    bitsColumn->addStretch(1);
    bits8_->setChecked(true);
    captions.push_back({frame_, "Kwaliteit", "Quality"});
    auto* qualityRow = new QHBoxLayout(frame_);
    qualityRow->addWidget(rateFrame);
    qualityRow->addWidget(bitsFrame);
}

size_t GeneratorQuality::rateIndex() const {
    for (size_t i = 0; i < rates_.size(); ++i)
        if (rates_[i]->isChecked()) return i;
    return 0;
}

bool GeneratorQuality::eightBit() const {
    return bits8_->isChecked();
}

} // namespace sono
