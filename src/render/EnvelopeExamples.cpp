#include "EnvelopeExamples.h"

#include <QPainter>

#include <algorithm>
#include <vector>

#include "support/Numbers.h"

namespace sono {

namespace {

constexpr QRgb Black = 0xFF000000;

bool isBlack(const QImage& picture, int x, int y) {
    return (picture.pixel(x, y) & 0xFFFFFF) == 0;
}

QImage cleared(QSize size, QRgb background) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

// Rows from..to (either order, fractions rounded) of column x, as far as they lie in the image.
void column(QImage& image, int x, double from, double to) {
    if (x < 0 || x >= image.width()) return;
    int first = int(roundToInt(std::min(from, to)));
    int last = int(roundToInt(std::max(from, to)));
    first = std::max(first, 0);
    last = std::min(last, image.height() - 1);
    for (int y = first; y <= last; ++y)
        image.setPixel(x, y, Black);
}

void zeroLine(QImage& image) {
    if (ExampleZeroRow >= image.height()) return;
    for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, ExampleZeroRow, Black);
}

// The heights above and below the zero line, per picture column, drawn as black columns.
struct Heights {
    explicit Heights(int width) : up(size_t(width), 0), down(size_t(width), 0) {}
    std::vector<int> up;
    std::vector<int> down;

    void takeOutline(const ExampleOutline& outline, int outlineColumn, size_t at) {
        up[at] = ExampleZeroRow - outline.top[size_t(outlineColumn - ExampleFirstColumn)];
        down[at] = outline.bottom[size_t(outlineColumn - ExampleFirstColumn)] - ExampleZeroRow;
    }
    void draw(QImage& image) const {
        for (size_t c = 0; c < up.size(); ++c)
            column(image, int(c), ExampleZeroRow - up[c], ExampleZeroRow + down[c]);
    }
};

} // namespace

ExampleOutline readExampleOutline(const QImage& picture) {
    ExampleOutline outline;
    outline.top.fill(ExampleZeroRow);
    outline.bottom.fill(ExampleZeroRow);
    for (int x = ExampleFirstColumn; x <= ExampleLastColumn && x < picture.width(); ++x) {
        const size_t i = size_t(x - ExampleFirstColumn);
        for (int y = 0; y <= ExampleZeroRow && y < picture.height(); ++y)
            if (isBlack(picture, x, y)) {
                outline.top[i] = int16_t(y);
                break;
            }
        for (int y = picture.height() - 1; y > ExampleZeroRow; --y)
            if (isBlack(picture, x, y)) {
                outline.bottom[i] = int16_t(y);
                break;
            }
    }
    return outline;
}

QImage volumeExample(const ExampleOutline& outline, QSize size, QRgb background, double startFactor,
                     double endFactor) {
    QImage image = cleared(size, background);
    zeroLine(image);
    for (int x = ExampleFirstColumn; x <= ExampleLastColumn; ++x) {
        const size_t i = size_t(x - ExampleFirstColumn);
        const double f = startFactor + (endFactor - startFactor) * x / ExampleLastColumn;
        column(image, x, ExampleZeroRow - f * (ExampleZeroRow - outline.top[i]),
               ExampleZeroRow + f * (outline.bottom[i] - ExampleZeroRow));
    }
    return image;
}

QImage speedExample(const ExampleOutline& outline, QSize size, QRgb background, double startSpeed,
                    double endSpeed) {
    QImage image = cleared(size, background);
    zeroLine(image);
    Heights heights(size.width());
    double p = 0;
    for (int c = ExampleFirstColumn; c <= ExampleLastColumn; ++c) {
        // A position just short of the right edge would round onto the column past it.
        const int64_t at = roundToInt(p);
        if (at < size.width()) heights.takeOutline(outline, c, size_t(at));
        p += 1 / (startSpeed + (endSpeed - startSpeed) * c / ExampleLastColumn);
    }
    heights.draw(image);
    return image;
}

QImage echoExample(const ExampleOutline& outline, const QImage& picture, QSize size,
                   QRgb background, const EchoExampleSettings& echo) {
    QImage image = cleared(size, background);
    {
        QPainter painter(&image);
        painter.drawImage(0, 0, picture);
    }
    zeroLine(image);
    const int width = size.width();
    Heights heights(width);
    const int n = std::max(echo.repeats, 1);
    // From right to left, so a column is a source of echoes before the echoes of the columns on
    // its left reach it: echoes are not echoed again.
    for (int x = std::min(ExampleLastColumn, width - 1); x >= ExampleFirstColumn; --x) {
        const size_t source = size_t(x);
        heights.takeOutline(outline, x, source);
        const double along = double(x) / ExampleLastColumn;
        const double delay = echo.startDelayMs + (echo.endDelayMs - echo.startDelayMs) * along;
        const double volume = echo.startVolume + (echo.endVolume - echo.startVolume) * along;
        for (int r = 1; r <= n; ++r) {
            const double f = echo.softer ? double(n + 1 - r) / n : 1.0;
            const int64_t t = roundToInt(delay * r / 5 + x); // 5 milliseconds a column
            if (t < 0 || t >= width) continue;
            const size_t target = size_t(t);
            heights.up[target] =
                int(roundToInt(volume * heights.up[source] / 100 * f + heights.up[target]));
            heights.down[target] =
                int(roundToInt(volume * heights.down[source] / 100 * f + heights.down[target]));
        }
    }
    heights.draw(image);
    return image;
}

} // namespace sono
