// The generators' dialogs as a user works them: the synthesizer's first load, its texts in both
// languages, drawing in the period (smooth or not), the period list with load and save, the
// preview that leaves the sound alone, Open from the menu; the Morse dialog's texts, its refusal
// of an empty message and its OK. With SONO_SCREENSHOTS set, both dialogs are also saved as
// pictures in both languages.
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include "MorseDialog.h"
#include "SynthesizerDialog.h"
#include "WindowSession.h"

using namespace sono;
using namespace sono::test;

namespace {

QString labelText(QWidget* dialog, const char* name) {
    return widget<QLabel>(dialog, name)->text();
}

// A drag with the primary button over the drawing area from one point to another, in steps.
void drawLine(QWidget* picture, QPoint from, QPoint to, int steps) {
    QTest::mousePress(picture, Qt::LeftButton, {}, from);
    for (int i = 1; i <= steps; ++i) {
        QMouseEvent move(QEvent::MouseMove, from + (to - from) * i / steps,
                         picture->mapToGlobal(from + (to - from) * i / steps), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
    }
    QTest::mouseRelease(picture, Qt::LeftButton, {}, to);
}

// The period the dialog would hand over.
Period periodOf(SynthesizerDialog* dialog) {
    return dialog->settings().period;
}

} // namespace

class GeneratorDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void synthesizerLoadsStandardAndSpeaksBothLanguages();
    void synthesizerSaysWhenStandardIsMissing();
    void synthesizerDrawsLoadsSavesPreviewsAndOpens();
    void previewIsHeard();
    void morseDialogTextsRefusalAndOk();
};

void GeneratorDialogsTest::synthesizerLoadsStandardAndSpeaksBothLanguages() {
    Session session(SONO_SHARE_DIR);
    for (int language : {0, 1}) {
        session.window->editor().runCommand(language == 1 ? "MMned" : "MMeng");
        QVERIFY(runItem<SynthesizerDialog>(session, "MMharmonisch", [&](SynthesizerDialog* dialog) {
            auto* files = widget<QListWidget>(dialog, "File1");
            QVERIFY(files->count() >= 6);
            QCOMPARE(files->currentItem()->text(), QString("standard.qvf"));
            // standard.qvf stores a 4 ms period.
            QCOMPARE(widget<QScrollBar>(dialog, "HScroll1")->value(), 250);
            // The value labels in the language of the moment.
            QCOMPARE(labelText(dialog, "Label2"), QString("Volume (100 %)"));
            QCOMPARE(labelText(dialog, "Label1"), language == 1 ? QString("Frequentie (250 Hz)")
                                                                : QString("Frequency (250 Hz)"));
            // A scroll writes the value labels anew.
            widget<QScrollBar>(dialog, "HScroll3")->setValue(1500);
            QVERIFY(labelText(dialog, "Label3").endsWith("(1500 ms)"));
            widget<QScrollBar>(dialog, "HScroll3")->setValue(500);
            // The drawing area: black, with the period's white line.
            const QImage picture = widget<QWidget>(dialog, "Picture1")->grab().toImage();
            QCOMPARE(picture.size(), QSize(500, 256));
            QCOMPARE(picture.pixel(0, 0), qRgb(0, 0, 0));
            QCOMPARE(picture.pixel(0, 255 - periodOf(dialog)[0]), qRgb(255, 255, 255));
            keepPicture(dialog, language == 1 ? "synthesizer-nl" : "synthesizer-en");
        }));
    }
}

void GeneratorDialogsTest::synthesizerSaysWhenStandardIsMissing() {
    QTemporaryDir emptyShare;
    Session session(emptyShare.path());
    session.window->editor().runCommand("MMeng");
    auto seen = answerNextBox(QMessageBox::Ok);
    whenShown<SynthesizerDialog>([](SynthesizerDialog*) {});
    session.window->findChild<SynthesizerDialog*>()->ask(
        [](QDialog& shown) { return shown.exec(); });
    QCOMPARE(seen->text, QString("File standard.qvf not found."));
    QCOMPARE(seen->icon, QMessageBox::Critical);
}

// Where a line ends, the period files' bytes and refused names, and the sound Open makes are the
// editor's (its tests); here the pointer draws, the Smooth box chooses whether a quick move fills
// the columns it skipped, a click in the list loads a period, Save asks for a name and lists the
// file, Play previews without touching the sound, and Open replaces it.
void GeneratorDialogsTest::synthesizerDrawsLoadsSavesPreviewsAndOpens() {
    Session session(SONO_SHARE_DIR);
    session.openTone("tone.wav");
    int64_t played = 0;
    session.window->findChild<SynthesizerDialog*>()->setPlayer(
        [&](const SoundInMemory& sound) { played = sound.frames; });
    const Document& doc = session.window->editor().doc();
    QVERIFY(runItem<SynthesizerDialog>(session, "MMharmonisch", [&](SynthesizerDialog* dialog) {
        auto* picture = widget<QWidget>(dialog, "Picture1");
        drawLine(picture, {10, 55}, {30, 155}, 1);
        QCOMPARE(periodOf(dialog)[20], int16_t(150));
        button(dialog, "Check2")->click();
        const Period before = periodOf(dialog);
        drawLine(picture, {100, 0}, {140, 255}, 1);
        QCOMPARE(periodOf(dialog)[100], int16_t(255));
        QCOMPARE(periodOf(dialog)[140], int16_t(0));
        QCOMPARE(periodOf(dialog)[120], before[120]);

        // square.qvf: 10 ms, so 100 Hz, and a flat top.
        auto* files = widget<QListWidget>(dialog, "File1");
        QTest::mouseClick(
            files->viewport(), Qt::LeftButton, {},
            files->visualItemRect(files->findItems("square.qvf", Qt::MatchExactly).first())
                .center());
        QCOMPARE(widget<QScrollBar>(dialog, "HScroll1")->value(), 100);
        QCOMPARE(periodOf(dialog)[100], int16_t(248));
        whenShown<QInputDialog>([](QInputDialog* box) {
            QCOMPARE(box->labelText(), QString("Give a filename."));
            box->setTextValue("Fluit");
            box->accept();
        });
        button(dialog, "Command3")->click();
        QVERIFY(QFile::exists(session.dir.path() + "/settings/Fluit.qvf"));
        QVERIFY(!files->findItems("Fluit.qvf", Qt::MatchExactly).isEmpty());

        button(dialog, "Command5")->click();
        QCOMPARE(played, int64_t(5512));
        QCOMPARE(doc.SampleCount, 44100);
        widget<QRadioButton>(dialog, "Option3")->click(); // 16-bit
        widget<QRadioButton>(dialog, "Option5")->click(); // 44100 Hz
        widget<QScrollBar>(dialog, "HScroll3")->setValue(100);
        button(dialog, "Command1")->click();
    }));
    QCOMPARE(doc.SampleCount, 4410);
    QCOMPARE(doc.BitsPerSample, 16.0f);
}

// What Play sends to the sound server's output is recorded back from its input: half a second of
// standard.qvf at 250 Hz, a wave that crosses the zero line twice a period.
void GeneratorDialogsTest::previewIsHeard() {
    Session session(SONO_SHARE_DIR);
    Samples heard;
    QVERIFY(runItem<SynthesizerDialog>(session, "MMharmonisch", [&](SynthesizerDialog* dialog) {
        heard = heardWhile([&] { button(dialog, "Command5")->click(); }, 1.2);
    }));
    QCOMPARE(misheard(heard, 0.5, 500), QString());
}

// The dialog in either language; then an empty message is refused and the dialog stays open, and
// SOS makes the sound (not heard after the change: playing writes an even number of frames).
void GeneratorDialogsTest::morseDialogTextsRefusalAndOk() {
    Session session(SONO_SHARE_DIR);
    session.item("MMluister")->trigger();
    for (int language : {1, 0}) {
        session.window->editor().runCommand(language == 1 ? "MMned" : "MMeng");
        QVERIFY(runItem<MorseDialog>(session, "MMmorse", [&](MorseDialog* dialog) {
            auto* text = widget<QLineEdit>(dialog, "Text1");
            QCOMPARE(text->text(), QString("SOS"));
            // The focus comes once the window system has activated the dialog.
            QTRY_VERIFY(text->hasFocus());
            QCOMPARE(text->selectedText(), QString("SOS"));
            QCOMPARE(widget<QScrollBar>(dialog, "Vites")->value(), 75);
            QVERIFY(widget<QRadioButton>(dialog, "Option1")->isChecked());
            QVERIFY(widget<QRadioButton>(dialog, "Option2")->isChecked());
            QVERIFY(button(dialog, "Check1")->isChecked());
            QVERIFY(!widget<QLabel>(dialog, "Image1")->pixmap().isNull());
            QCOMPARE(labelText(dialog, "Label2"),
                     language == 1 ? QString("Interval (75 ms)") : QString("Interval(75 ms)"));
            keepPicture(dialog, language == 1 ? "morse-nl" : "morse-en");
            // The interval label follows every scroll.
            widget<QScrollBar>(dialog, "Vites")->setValue(120);
            QVERIFY(labelText(dialog, "Label2").endsWith("(120 ms)"));
            widget<QScrollBar>(dialog, "Vites")->setValue(75);
            if (language == 1) return;
            text->clear();
            auto refused = answerNextBox(QMessageBox::Ok);
            button(dialog, "Command1")->click();
            QCOMPARE(refused->text, QString("First, type a text."));
            QVERIFY(dialog->isVisible());
            text->setText("SOS");
            button(dialog, "Command1")->click();
        }));
    }
    QCOMPARE(session.window->editor().doc().SampleCount, 24811);
}

QTEST_MAIN(GeneratorDialogsTest)
#include "GeneratorDialogsTest.moc"
