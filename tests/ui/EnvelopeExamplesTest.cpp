// The example pictures of the curve dialogs: the outline read from a picture, and the volume,
// speed and echo drawings of an outline 20 rows high on either side, checked at chosen columns.
#include <QtTest>

#include "EnvelopeExamples.h"

using namespace sono;

namespace {

constexpr QRgb Paper = 0xFFF0F0E0;
const QSize Size{200, 157};

ExampleOutline evenOutline() {
    ExampleOutline outline;
    outline.top.fill(58);
    outline.bottom.fill(98);
    return outline;
}

// The black rows of column x, as "first-last" runs, e.g. "68-88".
QString blackRows(const QImage& image, int x) {
    QStringList runs;
    for (int y = 0; y < image.height(); ++y) {
        if ((image.pixel(x, y) & 0xFFFFFF) != 0) continue;
        const int first = y;
        while (y + 1 < image.height() && (image.pixel(x, y + 1) & 0xFFFFFF) == 0)
            ++y;
        runs << QString("%1-%2").arg(first).arg(y);
    }
    return runs.join(' ');
}

} // namespace

class EnvelopeExamplesTest : public QObject {
    Q_OBJECT
  private slots:
    void outlineIsReadFromTheBlackPixels();
    void volumeScalesEachColumn();
    void speedSqueezesOrStretchesTheOutline();
    void echoAddsTheRepeatsOverThePicture();
};

void EnvelopeExamplesTest::outlineIsReadFromTheBlackPixels() {
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
    const ExampleOutline outline = readExampleOutline(picture);
    QCOMPARE(outline.top[0], int16_t(40)); // column 2
    QCOMPARE(outline.bottom[63], int16_t(120));
    QCOMPARE(outline.top[8], int16_t(30));
    QCOMPARE(outline.bottom[8], int16_t(130));
    QCOMPARE(outline.top[9], int16_t(40));
    // A column without black has no height.
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

void EnvelopeExamplesTest::volumeScalesEachColumn() {
    const QImage image = volumeExample(evenOutline(), Size, Paper, 0.5, 1.5);
    QCOMPARE(image.size(), Size);
    QCOMPARE(image.pixel(1, 70), Paper);
    QCOMPARE(blackRows(image, 1), QString("78-78")); // the zero line runs the whole width
    QCOMPARE(blackRows(image, 199), QString("78-78"));
    QCOMPARE(blackRows(image, 65), QString("48-108")); // the end factor, 1.5
    QCOMPARE(blackRows(image, 20), QString("62-94"));  // 0.81 at column 20: 16.2 rows either side
    QCOMPARE(blackRows(image, 66), QString("78-78"));
}

void EnvelopeExamplesTest::speedSqueezesOrStretchesTheOutline() {
    // Twice as fast: the 64 columns fit into columns 0..32.
    QImage image = speedExample(evenOutline(), Size, Paper, 2.0, 2.0);
    QCOMPARE(blackRows(image, 0), QString("58-98"));
    QCOMPARE(blackRows(image, 32), QString("58-98"));
    QCOMPARE(blackRows(image, 33), QString("78-78"));
    // Half as fast: every other column, up to column 126.
    image = speedExample(evenOutline(), Size, Paper, 0.5, 0.5);
    QCOMPARE(blackRows(image, 126), QString("58-98"));
    QCOMPARE(blackRows(image, 125), QString("78-78"));
    QCOMPARE(blackRows(image, 128), QString("78-78"));
    // From half as fast to twice as fast: stretched at the start, squeezed at the end.
    image = speedExample(evenOutline(), Size, Paper, 0.5, 2.0);
    QCOMPARE(blackRows(image, 1), QString("78-78"));
    QCOMPARE(blackRows(image, 2), QString("58-98"));
}

void EnvelopeExamplesTest::echoAddsTheRepeatsOverThePicture() {
    QImage picture(68, 157, QImage::Format_RGB32);
    picture.fill(Paper);
    picture.setPixel(1, 1, 0xFFFF0000);
    // 100 ms is 20 columns; the echo is half as loud.
    QImage image = echoExample(evenOutline(), picture, Size, Paper, {100, 100, 50, 50, 1, false});
    QCOMPARE(image.pixel(1, 1), 0xFFFF0000u); // the picture itself lies underneath
    QCOMPARE(blackRows(image, 10), QString("58-98"));
    QCOMPARE(blackRows(image, 30), QString("48-108")); // its own 20 and 10 of column 10
    QCOMPARE(blackRows(image, 85), QString("68-88"));  // only the echo of column 65
    QCOMPARE(blackRows(image, 86), QString("78-78"));

    // Two softer repeats: the second comes 40 columns on at half the echo volume.
    image = echoExample(evenOutline(), picture, Size, Paper, {100, 100, 50, 50, 2, true});
    QCOMPARE(blackRows(image, 85), QString("63-93")); // the first of column 65, the second of 45
    QCOMPARE(blackRows(image, 105), QString("73-83"));
    // Equally loud, the second repeat is as loud as the first.
    image = echoExample(evenOutline(), picture, Size, Paper, {100, 100, 50, 50, 2, false});
    QCOMPARE(blackRows(image, 105), QString("68-88"));
    // The delay runs from 100 ms at the start to 200 ms at the end: column 65 echoes 40 columns
    // on, and the echoes spread out, leaving column 103 between those of columns 63 and 64.
    image = echoExample(evenOutline(), picture, Size, Paper, {100, 200, 50, 50, 1, false});
    QCOMPARE(blackRows(image, 105), QString("68-88"));
    QCOMPARE(blackRows(image, 103), QString("78-78"));
    QCOMPARE(blackRows(image, 104), QString("68-88"));
}

QTEST_MAIN(EnvelopeExamplesTest)
#include "EnvelopeExamplesTest.moc"
