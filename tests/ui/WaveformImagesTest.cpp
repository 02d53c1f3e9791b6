// The waveform drawn into images: rows and colours of the columns, the selection laid over, the
// time scale, single frames at deep zoom, the graphic of a stereo sound and the ruler strip,
// checked at chosen pixels.
#include <QtTest>

#include "RulerImage.h"
#include "WaveformImages.h"

using namespace sono;

namespace {

Document soundOf(Samples left, Samples right = {}) {
    Document doc;
    doc.FileName = "*";
    doc.SampleRate = 1000;
    doc.SampleCount = int32_t(left.size());
    doc.Channels = right.empty() ? 1 : 2;
    doc.LeftSamples = std::move(left);
    if (!right.empty()) doc.RightSamples = std::move(right);
    return doc;
}

WaveformImages draw(const Document& doc, GraphStyle style, bool showTime, int width, int height,
                    ViewWindow view = {}) {
    if (!view.zoomed()) view = {0, double(doc.SampleCount) - 1, false};
    RenderRequest request{doc, style, showTime, view, width, height, {}};
    request.columns[0] = columnExtremes(doc.LeftSamples, view, width);
    if (doc.isStereo()) request.columns[1] = columnExtremes(doc.RightSamples, view, width);
    StylePictures none("/nonexistent/");
    return renderWaveform(request, none);
}

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

} // namespace

class WaveformImagesTest : public QObject {
    Q_OBJECT
  private slots:
    void columnsSelectionAndTimeScale();
    void framesAtDeepZoomAndTheRuler();
};

void WaveformImagesTest::columnsSelectionAndTimeScale() {
    // 200 frames over 100 columns: silence, then a full-scale stretch from frame 100.
    Samples left(200, 0);
    for (size_t i = 100; i < 200; ++i)
        left[i] = i % 2 ? 32767 : -32768;
    Document doc = soundOf(left, Samples(200, 0));
    const int height = 300, half = 150;
    WaveformImages images = draw(doc, GraphStyle::Standard, false, 100, height);

    // Silence is a one-pixel line in the middle row; full scale fills the height.
    QCOMPARE(at(images.normal[0], 10, half), qRgb(0, 0, 0) & 0xFFFFFF);
    QCOMPARE(at(images.normal[0], 10, half + 1), qRgb(255, 255, 255) & 0xFFFFFF);
    QCOMPARE(at(images.normal[0], 10, half - 1), qRgb(255, 255, 255) & 0xFFFFFF);
    QCOMPARE(at(images.normal[0], 70, 0), 0u);
    QCOMPARE(at(images.normal[0], 70, height - 1), 0u);
    // The selection image: navy with a white waveform.
    QCOMPARE(at(images.selection[0], 10, 0), 0x000080u);
    QCOMPARE(at(images.selection[0], 70, half), 0xFFFFFFu);

    // Frames 20..59 selected in the lower view only: columns 10..29 of that view are navy.
    doc.selection = {20, 60, 2};
    auto views = composeViews(images, doc, ViewWindow{0, 199, false}, false);
    QCOMPARE(at(views[1], 15, 0), 0x000080u);
    QCOMPARE(at(views[1], 15, half), 0xFFFFFFu);
    QCOMPARE(at(views[1], 35, 0), 0xFFFFFFu);
    QCOMPARE(at(views[0], 15, 0), 0xFFFFFFu);
    views = composeViews(images, doc, ViewWindow{0, 199, false}, true);
    QCOMPARE(at(views[0], 15, 0), 0x000080u);
    // The saved graphic holds the upper view above the lower one.
    const QImage graphic = graphicOfViews(views, true);
    QCOMPARE(graphic.size(), QSize(100, 2 * height));
    QCOMPARE(at(graphic, 15, height), 0x000080u);

    // A 3.5-second view 700 columns wide: marks every 0.4 s from the first frame, navy in the
    // Standard style, white over the other styles.
    Document timed = soundOf(Samples(3500, 0));
    images = draw(timed, GraphStyle::Standard, true, 700, height);
    QCOMPARE(at(images.normal[0], 80, height - 15), 0x000080u);
    QCOMPARE(at(images.normal[0], 80, height - 1), 0x000080u);
    QCOMPARE(at(images.normal[0], 80, height - 16), 0xFFFFFFu);
    QCOMPARE(at(images.normal[0], 81, height - 1), 0xFFFFFFu);
    QCOMPARE(at(images.selection[0], 160, height - 1), 0xFFFFFFu);
    images = draw(timed, GraphStyle::Dark, true, 700, height);
    QCOMPARE(at(images.normal[0], 80, height - 2), 0xFFFFFFu);
    // Dark: each column's three grey boxes, the next column's outer box over them, and the line
    // in black; only the last column keeps its inner box.
    QCOMPARE(at(images.normal[0], 300, half - 1), qRgb(50, 50, 50) & 0xFFFFFF);
    QCOMPARE(at(images.normal[0], 300, half), 0u);
    QCOMPARE(at(images.normal[0], 699, half - 1), qRgb(150, 150, 150) & 0xFFFFFF);
    QCOMPARE(at(images.normal[0], 699, half - 3), qRgb(50, 50, 50) & 0xFFFFFF);

    // Without a sound only the background is drawn.
    timed.FileName.clear();
    images = draw(timed, GraphStyle::Standard, true, 700, height);
    QCOMPARE(at(images.normal[0], 300, half), 0xFFFFFFu);
}

void WaveformImagesTest::framesAtDeepZoomAndTheRuler() {
    // Ten frames at ten pixels each, 0 and half scale in turn: each frame a point of 3 x 3
    // pixels, the columns between them on the line that joins them.
    Samples left(10, 0);
    for (size_t i = 1; i < 10; i += 2)
        left[i] = 16384;
    const Document doc = soundOf(left);
    const int height = 300;
    const WaveformImages images =
        draw(doc, GraphStyle::Standard, false, 100, height, ViewWindow{0, 9, false, 10});
    // Frame 1 at row 150 - 75 = 75; the column left of it reaches row 74 only through the point.
    QCOMPARE(at(images.normal[0], 9, 74), 0u);
    QCOMPARE(at(images.normal[0], 9, 73), 0xFFFFFFu);
    QCOMPARE(at(images.selection[0], 11, 74), 0xFFFFFFu);
    QCOMPARE(at(images.selection[0], 11, 73), 0x000080u);
    // Column 15 runs from half way to frame 2 (8192: row 112.5) to 6554 (row 120).
    QCOMPARE(at(images.normal[0], 15, 116), 0u);
    QCOMPARE(at(images.normal[0], 15, 100), 0xFFFFFFu);
    QCOMPARE(at(images.normal[0], 15, 121), 0xFFFFFFu);

    // 3.5 seconds in 700 pixels: a tick every half second, 100 pixels apart, labels beside them.
    const QImage ruler = rulerImage(rulerOf({0, 3499, false}, 3500, 1000, 700), 700);
    QCOMPARE(ruler.size(), QSize(700, RulerHeight));
    const QRgb background = at(ruler, 50, RulerHeight - 1);
    for (int x : {0, 100, 600})
        QCOMPARE(at(ruler, x, 3), 0x000080u);
    QCOMPARE(at(ruler, 99, 3), background);
    QCOMPARE(at(ruler, 150, 3), background);
    // The graphic of the views with the ruler below them.
    const QImage graphic = withRuler(QImage(700, 50, QImage::Format_RGB32), ruler);
    QCOMPARE(graphic.size(), QSize(700, 50 + RulerHeight));
    QCOMPARE(at(graphic, 100, 53), 0x000080u);
}

QTEST_MAIN(WaveformImagesTest)
#include "WaveformImagesTest.moc"
