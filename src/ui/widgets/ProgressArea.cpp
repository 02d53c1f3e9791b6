#include "ProgressArea.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>

namespace sono {

ProgressArea::ProgressArea(QWidget* parent)
    : QWidget(parent), label_(new QLabel(this)), bar_(new QProgressBar(this)),
      cancel_(new QPushButton(this)) {
    setObjectName("pctProgress");
    label_->setObjectName("lblProgress");
    bar_->setObjectName("imgProgress");
    label_->setTextFormat(Qt::PlainText);
    label_->setMinimumWidth(
        fontMetrics().horizontalAdvance("Opname verwerken... 99 % - nog 59 min 59 s") + 8);
    bar_->setRange(0, 100);
    bar_->setTextVisible(false);
    cancel_->setObjectName("cmdCancelWork");
    cancel_->setFocusPolicy(Qt::NoFocus);
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, &ProgressArea::cancelClicked);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(label_);
    layout->addWidget(bar_, 1);
    layout->addWidget(cancel_);
    hide();
}

void ProgressArea::start(const QString& label) {
    label_->setText(label);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    show();
    // The window's layout would give the area its place only in the event loop, which a running
    // command does not reach.
    if (QWidget* parent = parentWidget(); parent && parent->layout()) parent->layout()->activate();
    repaintNow();
}

void ProgressArea::showStep(int step, const QString& label) {
    label_->setText(label);
    // An unknown share shows as a bar that keeps moving.
    if (step < 0)
        bar_->setRange(0, 0);
    else
        bar_->setValue(step);
    repaintNow();
}

void ProgressArea::offerCancel(const QString& caption) {
    cancel_->setText(caption);
    cancel_->show();
    repaintNow();
}

void ProgressArea::end() {
    label_->clear();
    cancel_->hide();
    hide();
}

void ProgressArea::repaintNow() {
    repaint();
}

} // namespace sono
