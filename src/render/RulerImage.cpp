#include "RulerImage.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace sono {

QImage rulerImage(const Ruler& ruler, int width) {
    QImage image(std::max(width, 1), RulerHeight, QImage::Format_RGB32);
    image.fill(QColor(240, 240, 240));
    QPainter painter(&image);
    QFont font;
    font.setPixelSize(10);
    painter.setFont(font);
    const QColor ink(0, 0, 128);
    painter.setPen(ink);
    painter.drawLine(0, 0, image.width() - 1, 0);
    for (const RulerMark& mark : ruler.marks) {
        const int x = int(std::floor(mark.x));
        painter.fillRect(QRect(x, 0, 1, 6), ink);
        painter.drawText(QRect(x + 3, 3, 200, RulerHeight - 3), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromStdString(rulerLabel(mark.seconds, ruler.decimals)));
    }
    return image;
}

QImage withRuler(const QImage& graphic, const QImage& ruler) {
    QImage whole(graphic.width(), graphic.height() + ruler.height(), QImage::Format_RGB32);
    QPainter painter(&whole);
    painter.drawImage(0, 0, graphic);
    painter.drawImage(0, graphic.height(), ruler);
    return whole;
}

} // namespace sono
