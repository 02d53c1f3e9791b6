#include "FilterDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace sono {

namespace {
// A factor in tenths with one decimal and a leading zero: 0.1, 1.5, 2.0.
QString factorText(int tenths) {
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

QLabel* label(const char* name) {
    return named(new QLabel, name);
}
} // namespace

FilterDialog::FilterDialog(Editor& editor, QWidget* parent)
    : EffectDialog(editor, "Filt", parent), ifVolume_(label("Label1")), louder_(new QComboBox),
      than_(label("Label2")), threshold_(new QScrollBar(Qt::Horizontal)),
      multiplied_(label("Label3")), factor_(new QScrollBar(Qt::Horizontal)),
      sentence_(label("Label4")) {
    captions_.push_back({ifVolume_, "Als het volume ", "If the volume is "});
    captions_.push_back({than_, "is dan", "than"});
    captions_.push_back({multiplied_, "moet het volume worden vermenigvuldigd met",
                         "the volume must be multiplied by"});
    louder_->setObjectName("Combo1");
    threshold_->setObjectName("HScroll1");
    threshold_->setRange(1, 99);
    threshold_->setPageStep(5);
    threshold_->setValue(50);
    factor_->setObjectName("HScroll2");
    factor_->setRange(1, 20);
    factor_->setPageStep(1);
    factor_->setValue(20);
    sentence_->setWordWrap(true);
    sentence_->setFrameShape(QFrame::StyledPanel);
    sentence_->setMargin(6);
    sentence_->setMinimumHeight(3 * sentence_->fontMetrics().lineSpacing() + 12);
    sentence_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(louder_, &QComboBox::currentIndexChanged, this, &FilterDialog::Scroller);
    connect(threshold_, &QScrollBar::valueChanged, this, &FilterDialog::Scroller);
    connect(factor_, &QScrollBar::valueChanged, this, &FilterDialog::Scroller);

    auto* first = new QHBoxLayout;
    first->addWidget(ifVolume_);
    first->addWidget(louder_);
    first->addWidget(than_);
    first->addStretch(1);
    QHBoxLayout* buttons = buttonRow();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(first);
    layout->addWidget(threshold_);
    layout->addSpacing(6);
    layout->addWidget(multiplied_);
    layout->addWidget(factor_);
    layout->addSpacing(6);
    layout->addWidget(sentence_);
    layout->addLayout(buttons);
    setMinimumWidth(400);
}

void FilterDialog::prepare() {
    setWindowTitle(text(" Geavanceerde Filter", " Advanced Filter"));
    // The list again in the current language, with the choice it had.
    const int chosen = std::max(louder_->currentIndex(), 0);
    {
        const QSignalBlocker quiet(louder_);
        louder_->clear();
        louder_->addItems({text("hoger", "higher"), text("lager", "lower")});
        louder_->setCurrentIndex(chosen);
    }
    Scroller();
}

Arguments FilterDialog::arguments() const {
    return {int64_t(louder_->currentIndex()), double(threshold_->value()),
            double(factor_->value()) / 10};
}

void FilterDialog::Scroller() {
    sentence_->setText(ifVolume_->text() + louder_->currentText() + ' ' + than_->text() + ' ' +
                       QString::number(threshold_->value()) + " %, " + multiplied_->text() + ' ' +
                       factorText(factor_->value()) + " .");
}

} // namespace sono
