#include "WaveformImages.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "support/Numbers.h"
#include "support/Texts.h"
#include "view/ViewWindow.h"

namespace sono {

namespace {

const QColor SelectionBackground(0, 0, 128);
// Frames stand out as points from this many pixels per frame on.
constexpr double FramePointPixels = 4;

int rounded(double value) {
    return int(roundToInt(value));
}

// Repeats the picture from the top-left corner until the image is covered.
void tile(QPainter& painter, const QImage& picture, const QSize& size) {
    if (picture.isNull()) return;
    for (int y = 0; y < size.height(); y += picture.height())
        for (int x = 0; x < size.width(); x += picture.width())
            painter.drawImage(x, y, picture);
}

void drawBackground(QImage& image, GraphStyle style, StylePictures& pictures) {
    QPainter painter(&image);
    const QRect whole = image.rect();
    switch (style) {
    case GraphStyle::Standard:
        painter.fillRect(whole, Qt::white);
        break;
    case GraphStyle::Dark:
        painter.fillRect(whole, Qt::black);
        break;
    case GraphStyle::Flowers: {
        const QImage& flowers = pictures.picture("flowers.jpg");
        if (!flowers.isNull())
            painter.drawImage(whole, flowers, QRect(0, 0, flowers.width() / 2, flowers.height()));
        break;
    }
    case GraphStyle::Green:
        tile(painter, pictures.picture("audio.grf"), image.size());
        break;
    case GraphStyle::Space: {
        tile(painter, pictures.picture("space.gif"), image.size());
        const QImage& earth = pictures.picture("earth.jpg");
        if (!earth.isNull()) painter.drawImage(QRect(image.width() - 90, 20, 60, 60), earth);
        break;
    }
    case GraphStyle::Fire:
        if (const QImage& fire = pictures.picture("fire.jpg"); !fire.isNull())
            painter.drawImage(whole, fire);
        break;
    case GraphStyle::Sunset:
        if (const QImage& sunset = pictures.picture("sunset.jpg"); !sunset.isNull())
            painter.drawImage(whole, sunset);
        break;
    }
}

// Rows top..bottom - 1 of column c, written straight into the image: one colour per column is
// the common case and costs no painter call.
void columnLine(QImage& image, int c, ColumnRows rows, QRgb colour) {
    if (c < 0 || c >= image.width()) return;
    const int top = std::max(rows.top, 0);
    const int bottom = std::min(rows.bottom, image.height());
    for (int y = top; y < bottom; ++y)
        reinterpret_cast<QRgb*>(image.scanLine(y))[c] = colour;
}

// A box between two corners, both included.
void box(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& colour) {
    painter.fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                           QPoint(std::max(x1, x2), std::max(y1, y2))),
                     colour);
}

void drawColumns(QImage& normal, QImage& selection, const std::vector<ColumnExtremes>& columns,
                 const RenderRequest& request, StylePictures& pictures) {
    const bool eightBit = request.doc.BitsPerSample == 8;
    std::vector<ColumnRows> rows;
    rows.reserve(columns.size());
    for (const ColumnExtremes& extremes : columns)
        rows.push_back(columnRows(extremes, eightBit, normal.height()));
    for (int c = 0; c < int(rows.size()); ++c)
        columnLine(selection, c, rows[size_t(c)], qRgb(255, 255, 255));

    const GraphStyle style = request.style;
    // The styles that cut their columns from a picture.
    static const QImage none;
    const QImage& strip = style == GraphStyle::Flowers ? pictures.picture("flowers.jpg")
                          : style == GraphStyle::Space ? pictures.picture("space.bmp")
                          : style == GraphStyle::Fire  ? pictures.picture("fire.bmp")
                                                       : none;
    if (style == GraphStyle::Flowers || style == GraphStyle::Space || style == GraphStyle::Fire) {
        if (strip.isNull()) return;
        QPainter painter(&normal);
        const double half = strip.width() / 2;
        const double width = request.width;
        for (int c = 0; c < int(rows.size()); ++c) {
            const ColumnRows r = rows[size_t(c)];
            const int h = r.bottom - r.top;
            if (style == GraphStyle::Flowers)
                painter.drawImage(QPoint(c, r.top), strip,
                                  QRect(rounded(half + c / (width / half)), r.top, 1, h));
            else
                painter.drawImage(QRect(c, r.top, 1, h), strip, QRect(0, 0, 1, strip.height()));
        }
        return;
    }
    if (style == GraphStyle::Dark) {
        QPainter painter(&normal);
        for (int c = 0; c < int(rows.size()); ++c) {
            const auto [top, bottom] = rows[size_t(c)];
            box(painter, c - 3, top - 3, c + 3, bottom + 3, QColor(50, 50, 50));
            box(painter, c - 2, top - 2, c + 2, bottom + 2, QColor(100, 100, 100));
            box(painter, c - 1, top - 1, c + 1, bottom + 1, QColor(150, 150, 150));
        }
    }
    const QRgb lineColour = style == GraphStyle::Green ? qRgb(0, 255, 0) : qRgb(0, 0, 0);
    for (int c = 0; c < int(rows.size()); ++c) {
        const ColumnRows r = rows[size_t(c)];
        const int h = r.bottom - r.top;
        columnLine(normal, c, r,
                   style == GraphStyle::Sunset
                       ? qRgb(std::min(h, 255), std::min(rounded(h / 4.0), 255), 0)
                       : lineColour);
    }
}

// A point of 3 x 3 pixels around (x, y).
void dot(QImage& image, int x, int y, QRgb colour) {
    for (int c = x - 1; c <= x + 1; ++c)
        columnLine(image, c, {y - 1, y + 2}, colour);
}

// At deep zoom every frame shows as a point on the line that joins them.
void drawFramePoints(QImage& normal, QImage& selection, const Samples& samples,
                     const RenderRequest& request) {
    const ViewWindow& view = request.view;
    if (!view.zoomed() || view.span * FramePointPixels > request.width) return;
    const bool eightBit = request.doc.BitsPerSample == 8;
    const int64_t count = std::min<int64_t>(request.doc.SampleCount, int64_t(samples.size()));
    const auto last = std::min<int64_t>(int64_t(std::ceil(view.ViewEnd)), count - 1);
    const QRgb colour = request.style == GraphStyle::Green      ? qRgb(0, 255, 0)
                        : request.style == GraphStyle::Standard ? qRgb(0, 0, 0)
                                                                : qRgb(255, 255, 255);
    for (auto k = std::max<int64_t>(int64_t(std::ceil(view.ViewStart)), 0); k <= last; ++k) {
        const int x = int(std::floor(XAtFrame(double(k), view, count, 0, request.width)));
        const int16_t value = samples[size_t(k)];
        const int y = columnRows({value, value}, eightBit, normal.height()).top;
        dot(normal, x, y, colour);
        dot(selection, x, y, qRgb(255, 255, 255));
    }
}

void drawTimeScale(QImage& normal, QImage& selection, const RenderRequest& request) {
    QFont font;
    font.setPixelSize(10);
    const QColor markColour =
        request.style == GraphStyle::Standard ? SelectionBackground : QColor(Qt::white);
    const int height = normal.height();
    for (const TimeMark& mark :
         timeMarks(request.view, request.width, double(request.doc.SampleRate))) {
        const QString text = QString::fromStdString(FormatDuration(mark.ms));
        for (QImage* image : {&normal, &selection}) {
            QPainter painter(image);
            painter.setFont(font);
            const QColor colour = image == &normal ? markColour : QColor(Qt::white);
            painter.fillRect(QRect(mark.x, height - 15, 1, 15), colour);
            painter.setPen(colour);
            painter.drawText(QRect(mark.x + 3, height - 13, 200, 13), Qt::AlignLeft | Qt::AlignTop,
                             text);
        }
    }
}

} // namespace

WaveformImages renderWaveform(const RenderRequest& request, StylePictures& pictures) {
    WaveformImages images;
    const bool stereo = request.doc.isStereo();
    const QSize size(std::max(request.width, 1), std::max(request.height, 1));
    for (int channel = 0; channel < (stereo ? 2 : 1); ++channel) {
        QImage& normal = images.normal[size_t(channel)];
        normal = QImage(size, QImage::Format_RGB32);
        normal.fill(Qt::white);
        drawBackground(normal, request.style, pictures);
        QImage& selection = images.selection[size_t(channel)];
        selection = QImage(size, QImage::Format_RGB32);
        selection.fill(SelectionBackground);
        const std::vector<ColumnExtremes>& columns = request.columns[size_t(channel)];
        if (request.doc.FileName.empty() || columns.empty()) continue;
        drawColumns(normal, selection, columns, request, pictures);
        drawFramePoints(normal, selection,
                        channel == 0 ? request.doc.LeftSamples : request.doc.RightSamples, request);
        if (request.showTime) drawTimeScale(normal, selection, request);
    }
    return images;
}

std::array<QImage, 2> composeViews(const WaveformImages& images, const Document& doc,
                                   const ViewWindow& view, bool bothChannels) {
    std::array<QImage, 2> views = images.normal;
    const Selection& selection = doc.selection;
    if (!selection.exists() || selection.SelEnd == selection.SelStart || views[0].isNull())
        return views;
    const double a = std::min(selection.SelStart, selection.SelEnd);
    const double b = std::max(selection.SelStart, selection.SelEnd);
    const int width = views[0].width();
    const int height = views[0].height();
    const double rate = doc.SampleRate;
    const double left = XAtFrame(a, view, doc.SampleCount, rate, width);
    const double span = view.zoomed()     ? (b - a) * width / view.span
                        : view.twoSeconds ? (b - a) / 2 / rate * width
                                          : (b - a) / double(doc.SampleCount) * width;
    const QRect overlay(rounded(left), 0, rounded(span), view.twoSeconds ? height - 1 : height);
    for (int channel = 0; channel < 2; ++channel) {
        const bool applies = bothChannels || selection.SelChannel == channel + 1;
        if (!applies || views[size_t(channel)].isNull()) continue;
        QPainter painter(&views[size_t(channel)]);
        painter.drawImage(overlay.topLeft(), images.selection[size_t(channel)], overlay);
    }
    return views;
}

QImage graphicOfViews(const std::array<QImage, 2>& views, bool stereo) {
    const QImage& upper = views[0];
    QImage graphic(upper.width(), upper.height() * (stereo ? 2 : 1), QImage::Format_RGB32);
    QPainter painter(&graphic);
    painter.drawImage(0, 0, upper);
    if (stereo && !views[1].isNull()) painter.drawImage(0, upper.height(), views[1]);
    return graphic;
}

} // namespace sono
