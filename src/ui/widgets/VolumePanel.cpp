#include "VolumePanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace sono {

namespace {
constexpr int StepCount = 7;
constexpr QSize MeterSize(140, 34);
} // namespace

VolumePanel::VolumePanel(std::function<int()> top, std::function<int()> bottom, QWidget* window)
    : QWidget(window), top_(std::move(top)), bottom_(std::move(bottom)), label_(new QLabel) {
    setObjectName("Picture9");
    label_->setObjectName("LblVolume");
    label_->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, MeterSize.height() + 10, 6, 4);
    layout->addWidget(label_);
    setFixedSize(MeterSize.width() + 12, MeterSize.height() + 34);
    setCursor(Qt::SizeAllCursor);
    // The whole panel drags from any of its parts.
    label_->installEventFilter(this);
    installEventFilter(this);
}

namespace {
QRect levelArea() {
    return QRect(6, 6, MeterSize.width() - 22, MeterSize.height());
}
} // namespace

int VolumePanel::levelWidth() const {
    return levelArea().width();
}
int VolumePanel::levelHeight() const {
    return levelArea().height();
}

void VolumePanel::showLevels(const std::vector<int>& rows, int step, const QString& text) {
    if (rows == rows_ && step == step_ && label_->text() == text) return;
    rows_ = rows;
    step_ = std::clamp(step, 0, StepCount - 1);
    label_->setText(text);
    update();
}

void VolumePanel::clearText() {
    label_->clear();
}

void VolumePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().mid().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // `Picture7`: the level around the play position, white dots on a dark field.
    const QRect levels = levelArea();
    painter.fillRect(levels, QColor(16, 24, 32));
    painter.setPen(QColor(40, 70, 90));
    painter.drawLine(levels.left(), levels.center().y(), levels.right(), levels.center().y());
    painter.setPen(Qt::white);
    for (int x = 0; x < int(rows_.size()) && x < levels.width(); ++x)
        if (rows_[size_t(x)] >= 0 && rows_[size_t(x)] < levels.height())
            painter.drawPoint(levels.left() + x, levels.top() + rows_[size_t(x)]);
    // `Picture8`: seven bands from green to red, lit up to and with the loudness step while
    // there are levels to show, so that full scale lights the top band.
    const QRect strip(levels.right() + 6, 6, 12, MeterSize.height());
    const int band = strip.height() / StepCount;
    const int litBands = rows_.empty() ? 0 : step_ + 1;
    for (int i = 0; i < StepCount; ++i) {
        const QColor lit = QColor::fromHsv(120 - i * 20, 220, 230);
        const QRect r(strip.left(), strip.bottom() - (i + 1) * band + 1, strip.width(), band - 1);
        painter.fillRect(r, i < litBands ? lit : lit.darker(300));
    }
}

bool VolumePanel::eventFilter(QObject*, QEvent* event) {
    auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse) return false;
    const QPoint inPanel = mapFromGlobal(mouse->globalPosition().toPoint());
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        grab_ = inPanel;
        dragging_ = true;
        return true;
    }
    if (event->type() == QEvent::MouseMove && dragging_ && mouse->buttons() == Qt::LeftButton) {
        moveClamped(pos() + inPanel - grab_);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) dragging_ = false;
    return false;
}

void VolumePanel::moveClamped(QPoint topLeft) {
    const int windowWidth = parentWidget()->width();
    const int top = top_();
    const int bottom = bottom_();
    int x = std::max(std::min(topLeft.x(), windowWidth - width()), 0);
    int y = std::max(std::min(topLeft.y(), bottom - height()), top);
    onRight_ = x == windowWidth - width();
    onBottom_ = y == bottom - height();
    onTop_ = y == top;
    move(x, y);
}

void VolumePanel::keepInside() {
    QPoint at = pos();
    if (onRight_) at.setX(parentWidget()->width() - width());
    // A panel that rested on both edges of a band no taller than itself stays on the lower one.
    if (onBottom_) at.setY(bottom_() - height());
    if (onTop_ && !onBottom_) at.setY(top_());
    const bool right = onRight_, bottom = onBottom_, top = onTop_;
    moveClamped(at);
    // A resize does not take the panel off the edges it rested on.
    onRight_ = onRight_ || right;
    onBottom_ = onBottom_ || bottom;
    onTop_ = onTop_ || top;
}

} // namespace sono
