#include "StatusPanel.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace sono {

namespace {
constexpr int Margin = 6;
} // namespace

StatusPanel::StatusPanel(Width width, const QStringList& longest, QWidget* parent)
    : QLabel(parent), width_(width), longest_(longest) {
    setTextFormat(Qt::PlainText);
    setContentsMargins(Margin, 0, Margin, 0);
    if (width_ == Width::Rest) {
        setMinimumWidth(fontMetrics().averageCharWidth() * 16);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    fitWidth();
}

int StatusPanel::widthFor(const QString& text) const {
    // A little more than the text, so that no rounding of the font cuts its last letter.
    return fontMetrics().horizontalAdvance(text) + contentsMargins().left() +
           contentsMargins().right() + 4;
}

void StatusPanel::fitWidth() {
    if (width_ == Width::Rest) return;
    int wanted = 0;
    if (width_ == Width::OfText) {
        wanted = full_.isEmpty() ? 0 : widthFor(full_);
    } else if (!full_.isEmpty()) {
        for (const QString& text : longest_ + QStringList(full_))
            wanted = std::max(wanted, widthFor(text));
    }
    setFixedWidth(wanted);
    setVisible(wanted > 0);
}

void StatusPanel::setPicture(const QPixmap& picture) {
    picture_ = picture.isNull()
                   ? picture
                   : picture.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // The text moves right by the picture's width.
    const int room = picture_.isNull() ? 0 : picture_.width() + Margin;
    setContentsMargins(Margin + room, 0, Margin, 0);
    fitWidth();
    showFitting();
}

void StatusPanel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(Margin, (height() - picture_.height()) / 2, picture_);
}

void StatusPanel::setPanelText(const QString& text) {
    full_ = text;
    setToolTip(text);
    fitWidth();
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
