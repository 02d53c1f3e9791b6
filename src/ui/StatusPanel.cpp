#include "StatusPanel.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace sono {

StatusPanel::StatusPanel(const QStringList& widest, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setContentsMargins(4, 0, 4, 0);
    if (widest.isEmpty()) {
        setMinimumWidth(fontMetrics().averageCharWidth() * 16);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        return;
    }
    int width = 0;
    for (const QString& text : widest)
        width = std::max(width, fontMetrics().horizontalAdvance(text));
    setFixedWidth(width + contentsMargins().left() + contentsMargins().right() + 4);
}

void StatusPanel::setPicture(const QPixmap& picture) {
    picture_ = picture.isNull()
                   ? picture
                   : picture.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // The text moves right by the picture's width; the fixed widths grow with it.
    const int room = picture_.isNull() ? 0 : picture_.width() + 4;
    setContentsMargins(4 + room, 0, 4, 0);
    if (minimumWidth() == maximumWidth()) setFixedWidth(width() + room);
    showFitting();
}

void StatusPanel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(4, (height() - picture_.height()) / 2, picture_);
}

void StatusPanel::setPanelText(const QString& text) {
    full_ = text;
    setToolTip(text);
    showFitting();
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showFitting();
}

void StatusPanel::showFitting() {
    const int room = contentsRect().width();
    setText(fontMetrics().elidedText(full_, Qt::ElideRight, std::max(room, 0)));
}

} // namespace sono
