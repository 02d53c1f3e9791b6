// What the views and the curve dialogs draw into images, checked at chosen pixels: the waveform's
// columns and colours, the selection laid over, the time scale, single frames at deep zoom, the
// graphic of a stereo sound and the ruler strip; the outline read from the curve dialogs' example
// picture, and its volume, speed and echo drawings.
#include <QtTest>

#include "EnvelopeExamples.h"
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

// The colours (RGB, in hex) of the image at the points, e.g. "ffffff 000080".
QString colours(const QImage& image, std::initializer_list<QPoint> points) {
    QStringList out;
    for (QPoint point : points)
        out << QString::number(image.pixel(point) & 0xFFFFFF, 16).rightJustified(6, '0');
    return out.join(' ');
}

constexpr QRgb Paper = 0xFFF0F0E0;
const QSize ExampleSize{200, 157};

// An outline 20 rows high on either side of the zero line (row 78).
ExampleOutline evenOutline() {
    ExampleOutline outline;
    outline.top.fill(58);
    outline.bottom.fill(98);
    return outline;
}

// The black rows of the columns, as "first-last" runs: "68-88" for one column, "78-78 68-88" for
// two.
QString blackRows(const QImage& image, std::initializer_list<int> columns) {
    QStringList out;
    for (int x : columns) {
        QStringList runs;
        for (int y = 0; y < image.height(); ++y) {
            if ((image.pixel(x, y) & 0xFFFFFF) != 0) continue;
            const int first = y;
            while (y + 1 < image.height() && (image.pixel(x, y + 1) & 0xFFFFFF) == 0)
                ++y;
            runs << QString("%1-%2").arg(first).arg(y);
        }
        out << runs.join(',');
    }
    return out.join(' ');
}

} // namespace

class RenderedImagesTest : public QObject {
    Q_OBJECT
  private slots:
    void columnsSelectionAndTimeScale();
    void framesAtDeepZoomAndTheRuler();
    void outlineIsReadFromTheBlackPixels();
    void examplesScaleSqueezeAndEchoTheOutline();
};

void RenderedImagesTest::columnsSelectionAndTimeScale() {
    // 200 frames over 100 columns: silence, then a full-scale stretch from frame 100.
    Samples left(200, 0);
    for (size_t i = 100; i < 200; ++i)
        left[i] = i % 2 ? 32767 : -32768;
    Document doc = soundOf(left, Samples(200, 0));
    const int height = 300, half = 150;
    WaveformImages images = draw(doc, GraphStyle::Standard, false, 100, height);
    // Silence is a one-pixel line in the middle row; full scale fills the height. The selection
    // image: navy with a white waveform.
    QCOMPARE(colours(images.normal[0],
                     {{10, half}, {10, half + 1}, {10, half - 1}, {70, 0}, {70, height - 1}}),
             QString("000000 ffffff ffffff 000000 000000"));
    QCOMPARE(colours(images.selection[0], {{10, 0}, {70, half}}), QString("000080 ffffff"));

    // Frames 20..59 selected in the lower view only: columns 10..29 of that view are navy.
    doc.selection = {20, 60, 2};
    auto views = composeViews(images, doc, ViewWindow{0, 199, false}, false);
    QCOMPARE(colours(views[1], {{15, 0}, {15, half}, {35, 0}}), QString("000080 ffffff ffffff"));
    QCOMPARE(colours(views[0], {{15, 0}}), QString("ffffff"));
    views = composeViews(images, doc, ViewWindow{0, 199, false}, true);
    QCOMPARE(colours(views[0], {{15, 0}}), QString("000080"));
    // The saved graphic holds the upper view above the lower one.
    const QImage graphic = graphicOfViews(views, true);
    QCOMPARE(graphic.size(), QSize(100, 2 * height));
    QCOMPARE(colours(graphic, {{15, height}}), QString("000080"));

    // A 3.5-second view 700 columns wide: marks every 0.4 s from the first frame, navy in the
    // Standard style, white over the other styles.
    Document timed = soundOf(Samples(3500, 0));
    images = draw(timed, GraphStyle::Standard, true, 700, height);
    QCOMPARE(colours(images.normal[0],
                     {{80, height - 15}, {80, height - 1}, {80, height - 16}, {81, height - 1}}),
             QString("000080 000080 ffffff ffffff"));
    QCOMPARE(colours(images.selection[0], {{160, height - 1}}), QString("ffffff"));
    // Dark: each column's three grey boxes, the next column's outer box over them, and the line
    // in black; only the last column keeps its inner box.
    images = draw(timed, GraphStyle::Dark, true, 700, height);
    QCOMPARE(
        colours(images.normal[0],
                {{80, height - 2}, {300, half - 1}, {300, half}, {699, half - 1}, {699, half - 3}}),
        QString("ffffff 323232 000000 969696 323232"));

    // Without a sound only the background is drawn.
    timed.FileName.clear();
    images = draw(timed, GraphStyle::Standard, true, 700, height);
    QCOMPARE(colours(images.normal[0], {{300, half}}), QString("ffffff"));
}

void RenderedImagesTest::framesAtDeepZoomAndTheRuler() {
    // Ten frames at ten pixels each, 0 and half scale in turn: each frame a point of 3 x 3
    // pixels, the columns between them on the line that joins them.
    Samples left(10, 0);
    for (size_t i = 1; i < 10; i += 2)
        left[i] = 16384;
    const WaveformImages images =
        draw(soundOf(left), GraphStyle::Standard, false, 100, 300, ViewWindow{0, 9, false, 10});
    // Frame 1 at row 150 - 75 = 75; the column left of it reaches row 74 only through the point.
    // Column 15 runs from half way to frame 2 (8192: row 112.5) to 6554 (row 120).
    QCOMPARE(colours(images.normal[0], {{9, 74}, {9, 73}, {15, 116}, {15, 100}, {15, 121}}),
             QString("000000 ffffff 000000 ffffff ffffff"));
    QCOMPARE(colours(images.selection[0], {{11, 74}, {11, 73}}), QString("ffffff 000080"));

    // 3.5 seconds in 700 pixels: a tick every half second, 100 pixels apart, labels beside them.
    const QImage ruler = rulerImage(rulerOf({0, 3499, false}, 3500, 1000, 700), 700);
    QCOMPARE(ruler.size(), QSize(700, RulerHeight));
    const QString background = colours(ruler, {{50, RulerHeight - 1}});
    QCOMPARE(colours(ruler, {{0, 3}, {100, 3}, {600, 3}, {99, 3}, {150, 3}}),
             "000080 000080 000080 " + background + ' ' + background);
    // The graphic of the views with the ruler below them.
    const QImage graphic = withRuler(QImage(700, 50, QImage::Format_RGB32), ruler);
    QCOMPARE(graphic.size(), QSize(700, 50 + RulerHeight));
    QCOMPARE(colours(graphic, {{100, 53}}), QString("000080"));
}

void RenderedImagesTest::outlineIsReadFromTheBlackPixels() {
    QImage picture(68, 157, QImage::Format_RGB32);
    picture.fill(Paper);
    for (int x = 0; x < 68; ++x) {
        picture.setPixel(x, 40, 0xFF000000);
        picture.setPixel(x, 120, 0xFF000000);
    }
    picture.setPixel(10, 30, 0xFF000000);  // above the outline: the first from the top counts
    picture.setPixel(10, 130, 0xFF000000); // below it: the first from the bottom counts
    picture.setPixel(11, 78, 0xFF000000);  // the zero row belongs to the upper search only
    picture.setPixel(12, 40, 0xFF202020);  // nearly black is not black
    picture.setPixel(12, 120, Paper);
    // Outline column i is the picture's column i + 2; a column without black has no height.
    const ExampleOutline outline = readExampleOutline(picture);
    QCOMPARE(outline.top[0], int16_t(40));
    QCOMPARE(outline.bottom[63], int16_t(120));
    QCOMPARE(outline.top[8], int16_t(30));
    QCOMPARE(outline.bottom[8], int16_t(130));
    QCOMPARE(outline.top[9], int16_t(40));
    QCOMPARE(outline.top[10], int16_t(78));
    QCOMPARE(outline.bottom[10], int16_t(78));

    // The shipped picture has an outline above and below the zero line in every column.
    const QImage shipped(SONO_SHARE_DIR "/example.gif");
    QVERIFY(!shipped.isNull());
    const ExampleOutline example =
        readExampleOutline(shipped.convertToFormat(QImage::Format_RGB32));
    for (size_t i = 0; i < 64; ++i)
        QVERIFY2(example.top[i] < 70 && example.bottom[i] > 86, qPrintable(QString::number(i)));
}

void RenderedImagesTest::examplesScaleSqueezeAndEchoTheOutline() {
    // Volume from 0.5 to 1.5: 0.81 at column 20 (16.2 rows either side), 1.5 at the end, 65; the
    // zero line runs the whole width.
    QImage image = volumeExample(evenOutline(), ExampleSize, Paper, 0.5, 1.5);
    QCOMPARE(image.size(), ExampleSize);
    QCOMPARE(image.pixel(1, 70), Paper);
    QCOMPARE(blackRows(image, {1, 199, 65, 20, 66}), QString("78-78 78-78 48-108 62-94 78-78"));

    // Twice as fast, the 64 columns fit into columns 0..32; half as fast, every other column up
    // to 126; from half to twice as fast, stretched at the start and squeezed at the end.
    image = speedExample(evenOutline(), ExampleSize, Paper, 2.0, 2.0);
    QCOMPARE(blackRows(image, {0, 32, 33}), QString("58-98 58-98 78-78"));
    image = speedExample(evenOutline(), ExampleSize, Paper, 0.5, 0.5);
    QCOMPARE(blackRows(image, {126, 125, 128}), QString("58-98 78-78 78-78"));
    image = speedExample(evenOutline(), ExampleSize, Paper, 0.5, 2.0);
    QCOMPARE(blackRows(image, {1, 2}), QString("78-78 58-98"));

    // 100 ms is 20 columns; the echo is half as loud, drawn over the picture: column 30 holds its
    // own 20 rows and the 10 of column 10's echo, column 85 only the echo of column 65.
    QImage picture(68, 157, QImage::Format_RGB32);
    picture.fill(Paper);
    picture.setPixel(1, 1, 0xFFFF0000);
    image = echoExample(evenOutline(), picture, ExampleSize, Paper, {100, 100, 50, 50, 1, false});
    QCOMPARE(image.pixel(1, 1), 0xFFFF0000u);
    QCOMPARE(blackRows(image, {10, 30, 85, 86}), QString("58-98 48-108 68-88 78-78"));
    // Two softer repeats: the second comes 40 columns on at half the echo volume (column 85: the
    // first of column 65, the second of 45). Equally loud, the second is as loud as the first.
    image = echoExample(evenOutline(), picture, ExampleSize, Paper, {100, 100, 50, 50, 2, true});
    QCOMPARE(blackRows(image, {85, 105}), QString("63-93 73-83"));
    image = echoExample(evenOutline(), picture, ExampleSize, Paper, {100, 100, 50, 50, 2, false});
    QCOMPARE(blackRows(image, {105}), QString("68-88"));
    // The delay runs from 100 ms at the start to 200 ms at the end: column 65 echoes 40 columns
    // on, and the echoes spread out, leaving column 103 between those of columns 63 and 64.
    image = echoExample(evenOutline(), picture, ExampleSize, Paper, {100, 200, 50, 50, 1, false});
    QCOMPARE(blackRows(image, {105, 103, 104}), QString("68-88 78-78 68-88"));
}

QTEST_MAIN(RenderedImagesTest)
#include "RenderedImagesTest.moc"
