#include "StatusPanel.h"

#include <QFontMetrics>

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
