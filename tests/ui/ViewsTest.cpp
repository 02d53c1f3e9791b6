// The channel views in the window: a drag selects what lies under the pointer, Zoom shows two
// seconds that the scroll bar moves, the wheel and the keys zoom down to single frames where a drag
// selects them exactly and scrolls past the edge, the views follow playback until the user scrolls,
// the views fill the window with the ruler clear of them, the graph style is chosen from the menu,
// and Save Graphic As BMP writes what the views show. The level display beside them lights its top
// step at full scale.
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include "RulerImage.h"
#include "VolumePanel.h"
#include "WaveformViews.h"
#include "WindowSession.h"

using namespace sono;
using namespace sono::test;

class ViewsTest : public QObject {
    Q_OBJECT
  private slots:
    void layoutZoomScrollStyleAndGraphic();
    void wheelAndKeysZoomToFramesThatADragSelects();
    void playbackIsFollowedUntilTheUserScrolls();
    void levelStripLightsItsTopStepAtFullScale();
};

void ViewsTest::layoutZoomScrollStyleAndGraphic() {
    Session session;
    // Nothing plays after opening: the views would follow it.
    session.item("MMluister")->trigger();
    // Three seconds of a full-scale square wave: longer than the two-second window.
    const QString path = session.dir.path() + "/long.wav";
    Document sound;
    sound.SampleRate = 44100;
    sound.LeftSamples.resize(3 * 44100);
    for (size_t i = 0; i < sound.LeftSamples.size(); ++i)
        sound.LeftSamples[i] = int16_t(i / 441 % 2 ? 32767 : -32767);
    writeSound(path, sound);
    session.window->openFromCommandLine(path.toStdString());
    auto* views = session.window->findChild<WaveformViews*>();
    auto* upper = views->findChild<QWidget*>("Picture1");
    auto* ruler = views->findChild<QWidget*>("Ruler");
    auto* scroll = session.window->findChild<QScrollBar*>("HSC");

    // The mono view takes the height the two views of a stereo sound share, with the ruler right
    // under it. Full scale reaches the view's top and bottom rows, and the ruler strip holds no
    // pixel of the waveform's black.
    QVERIFY(ruler->isVisible());
    QVERIFY2(upper->height() > 400, qPrintable(QString::number(upper->height())));
    QCOMPARE(ruler->y(), upper->geometry().bottom() + 1);
    const auto blackIn = [](const QImage& image, int row) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, row) & 0xFFFFFF) == 0;
        return count;
    };
    const QImage shown = upper->grab().toImage();
    QVERIFY(blackIn(shown, 0) > 0 && blackIn(shown, shown.height() - 1) > 0);
    const QImage strip = ruler->grab().toImage();
    for (int row = 0; row < strip.height(); ++row)
        QCOMPARE(blackIn(strip, row), 0);

    QVERIFY(!scroll->isVisible());
    QCOMPARE(views->viewWindow().ViewEnd, 3.0 * 44100 - 1);
    auto message = answerNextBox(QMessageBox::Ok);
    session.button("Zoom")->trigger();
    QCOMPARE(message->text, QString("When the sound is longer than two seconds, you will only see "
                                    "two seconds. Then you can scroll."));
    QVERIFY(scroll->isVisible() && session.button("Zoom")->isChecked());
    QCOMPARE(views->viewWindow().ViewStart, 0.0);
    QCOMPARE(views->viewWindow().ViewEnd, 2.0 * 44100 - 1);
    scroll->setValue(scroll->maximum());
    QCOMPARE(views->viewWindow().ViewStart, 44100.0);

    // The Fire style from the menu: kept in the options, its item checked.
    session.item("MMgrafiek5")->trigger();
    QCOMPARE(session.window->editor().options().graphStyle, 4);
    QVERIFY(session.item("MMgrafiek5")->isChecked() && !session.item("MMgrafiek1")->isChecked());

    // Save Graphic As BMP writes the view as shown, with the ruler strip below it, and says so.
    const QString bmp = session.dir.path() + "/views.bmp";
    session.window->setSaveDialog([&](const QString&, const QString&) { return bmp; });
    auto saved = answerNextBox(QMessageBox::Ok);
    session.item("MMsaveBMP")->trigger();
    QCOMPARE(saved->text, QString("The graphic has been saved as a BMP-file."));
    const QImage written = QImage(bmp).convertToFormat(QImage::Format_RGB32);
    const QImage view = views->shown()[0].convertToFormat(QImage::Format_RGB32);
    QCOMPARE(written.size(), view.size() + QSize(0, RulerHeight));
    QCOMPARE(written.copy(view.rect()), view);

    // Stereo: the two views share the height.
    session.window->editor().runCommand("MMprop",
                                        {int64_t(1), 44100.0, int64_t(1)}); // 16 bits, stereo
    auto* lower = views->findChild<QWidget*>("Picture2");
    QVERIFY(QTest::qWaitFor([&] { return lower->isVisible(); }));
    QVERIFY(std::abs(lower->height() - upper->height()) <= 1);
    QCOMPARE(ruler->y(), lower->geometry().bottom() + 1);
}

namespace {
void turnWheel(QWidget* view, int x, int notches, Qt::KeyboardModifiers modifiers) {
    const QPointF at(x, 50);
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}
} // namespace

void ViewsTest::wheelAndKeysZoomToFramesThatADragSelects() {
    Session session;
    session.item("MMluister")->trigger(); // nothing plays, nothing to follow
    session.openTone("tone.wav");         // 44100 frames, mono
    auto* views = session.window->findChild<WaveformViews*>();
    auto* upper = views->findChild<QWidget*>("Picture1");
    auto* scroll = session.window->findChild<QScrollBar*>("HSC");
    const Document& doc = session.window->editor().doc();
    const int width = upper->width();
    const auto frameAt = [&](double x) {
        return FrameAtX(x, views->viewWindow(), doc.SampleCount, doc.SampleRate, width);
    };
    const auto span = [&] { return views->viewWindow().span; };
    QVERIFY(!views->findChild<QWidget*>("Picture2")->isVisible());

    // The columns of a drag over the whole sound show the selection's colours.
    QTest::mousePress(upper, Qt::LeftButton, {}, QPoint(width / 4, 100));
    QTest::mouseMove(upper, QPoint(width / 2, 100));
    QTest::mouseRelease(upper, Qt::LeftButton, {}, QPoint(width / 2, 100));
    QVERIFY(session.item("MMcut")->isEnabled());
    QCOMPARE(views->shown()[0].pixel(width * 3 / 8, 0) & 0xFFFFFF, 0x000080u);
    QCOMPARE(views->shown()[0].pixel(width / 8, 0) & 0xFFFFFF, 0xFFFFFFu);

    // Ten notches of the wheel with Ctrl zoom in around the pointer: the frame under it stays.
    const int x = width / 3;
    const double under = frameAt(x);
    turnWheel(upper, x, 10, Qt::ControlModifier);
    QVERIFY(scroll->isVisible());
    QCOMPARE(span(), 44100 / std::pow(1.25, 10));
    QVERIFY(std::abs(frameAt(x) - under) < 1e-6);
    // Without Ctrl a notch down scrolls a tenth of the view on.
    const double start = views->viewWindow().ViewStart;
    turnWheel(upper, x, -1, {});
    QCOMPARE(views->viewWindow().ViewStart, start + span() / 10);

    // + halves the stretch around the pointer, down to 16 pixels a frame; - doubles it.
    QTest::mouseMove(upper, QPoint(x, 50));
    const double before = span();
    const double pointed = frameAt(x);
    QTest::keyClick(session.window.get(), Qt::Key_Plus);
    QCOMPARE(span(), before / 2);
    QVERIFY(std::abs(frameAt(x) - pointed) < 1e-6);
    QTest::keyClick(session.window.get(), Qt::Key_Minus);
    QCOMPARE(span(), before);
    for (int press = 0; press < 12; ++press)
        QTest::keyClick(session.window.get(), Qt::Key_Plus);
    QCOMPARE(span(), width / 16.0);

    // A drag at 16 pixels a frame selects the frames under the pointer: a press a quarter frame
    // before frame F takes F, by the rounding of a selection's ends.
    const double first = views->viewWindow().ViewStart;
    const auto pixelBefore = [&](double frame) {
        return int(std::floor((frame - 0.25 - first) * 16));
    };
    const double from = 2 * std::ceil(first / 2) + 4, to = from + 20;
    QTest::mousePress(upper, Qt::LeftButton, {}, QPoint(pixelBefore(from), 50));
    QTest::mouseMove(upper, QPoint(pixelBefore(to), 50));
    QTest::mouseRelease(upper, Qt::LeftButton, {}, QPoint(pixelBefore(to), 50));
    QCOMPARE(doc.selection.SelStart, from);
    QCOMPARE(doc.selection.SelEnd, to);
    QCOMPARE(views->viewWindow().ViewStart, first);

    // Held past the right edge, a drag scrolls on and the selection follows.
    QTest::mousePress(upper, Qt::LeftButton, {}, QPoint(pixelBefore(from), 50));
    QTest::mouseMove(upper, QPoint(width + 40, 50));
    QVERIFY(QTest::qWaitFor([&] { return views->viewWindow().ViewStart > first + 100; }, 5000));
    QTest::mouseRelease(upper, Qt::LeftButton, {}, QPoint(width + 40, 50));
    QVERIFY(doc.selection.SelEnd >= views->viewWindow().ViewEnd - 1);
    QCOMPARE(doc.selection.SelStart, from);

    // Zoom to Selection shows the selected frames; End and Home go to the ends; Zoom to Whole
    // Sound shows all of it again.
    session.button("ZoomSelectie")->trigger();
    QCOMPARE(views->viewWindow().ViewStart, doc.selection.SelStart);
    QCOMPARE(span(), doc.selection.SelEnd - doc.selection.SelStart + 1);
    QTest::keyClick(session.window.get(), Qt::Key_End);
    QCOMPARE(views->viewWindow().ViewEnd, 44099.0);
    QCOMPARE(scroll->value(), scroll->maximum());
    QTest::keyClick(session.window.get(), Qt::Key_Home);
    QCOMPARE(views->viewWindow().ViewStart, 0.0);
    session.button("ZoomAlles")->trigger();
    QVERIFY(!views->viewWindow().zoomed());
    QCOMPARE(views->viewWindow().ViewEnd, 44099.0);
    QVERIFY(!scroll->isVisible());
}

void ViewsTest::playbackIsFollowedUntilTheUserScrolls() {
    Session session;
    session.item("MMluister")->trigger();
    session.openTone("tone.wav"); // one second
    auto* views = session.window->findChild<WaveformViews*>();
    auto* upper = views->findChild<QWidget*>("Picture1");
    // A tenth of a second at the start: the cursor leaves it soon after Play, and the views turn
    // a page to it.
    views->showFrames(0, 4409);
    session.item("MMplay")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return views->viewWindow().ViewStart > 0; }, 5000));
    QVERIFY(session.window->editor().transport().devicePlaying());
    // Scrolled back by the user while it plays, the views stay where the user left them.
    turnWheel(upper, 10, 50, {});
    QCOMPARE(views->viewWindow().ViewStart, 0.0);
    QTest::qWait(300);
    QCOMPARE(views->viewWindow().ViewStart, 0.0);
    session.item("MMstop")->trigger();
}

void ViewsTest::levelStripLightsItsTopStepAtFullScale() {
    VolumePanel panel([] { return 0; }, [] { return 200; }, nullptr);
    // The strip stands right of the level picture: the brightness of its top band, found as the
    // first row of its column that is not the panel's own colour.
    auto topBand = [&](int step, bool playing) {
        panel.showLevels(std::vector<int>(playing ? size_t(panel.levelWidth()) : 0, 0), step, "");
        const QImage shot = panel.grab().toImage();
        const int x = panel.levelWidth() + 18;
        const QRgb background = shot.pixel(x, 1);
        for (int y = 2; y < panel.levelHeight() + 6; ++y)
            if (shot.pixel(x, y) != background) return QColor(shot.pixel(x, y)).value();
        return -1;
    };
    const int full = topBand(6, true), loud = topBand(5, true), idle = topBand(6, false);
    QVERIFY(full > 0 && loud > 0);
    QVERIFY2(full > 2 * loud, qPrintable(QString("full %1, one step less %2").arg(full).arg(loud)));
    QCOMPARE(idle, loud);
}

QTEST_MAIN(ViewsTest)
#include "ViewsTest.moc"
