#include "ShrinkDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace sono {

ShrinkDialog::ShrinkDialog(Editor& editor, QWidget* parent)
    : EffectDialog(editor, "KrimpForm", parent), slider_(new QScrollBar(Qt::Horizontal)) {
    slider_->setObjectName("Slider1");
    slider_->setRange(2, 10);
    slider_->setPageStep(1);
    slider_->setValue(4);
    slider_->setMinimumWidth(260);
    auto* little = new QLabel;
    little->setObjectName("Label1");
    captions_.push_back({little, "Een beetje", "A little"});
    auto* much = new QLabel;
    much->setObjectName("Label2");
    captions_.push_back({much, "Veel", "A lot"});

    auto* ends = new QHBoxLayout;
    ends->addWidget(little);
    ends->addStretch(1);
    ends->addWidget(much);
    QHBoxLayout* buttons = buttonRow();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(slider_);
    layout->addLayout(ends);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ShrinkDialog::prepare() {
    setWindowTitle(text(" Krimpen", " Shrink"));
}

Arguments ShrinkDialog::arguments() const {
    return {int64_t(slider_->value())};
}

} // namespace sono
