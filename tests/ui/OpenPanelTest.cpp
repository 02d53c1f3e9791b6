// The panel of the open dialog, driven through the File menu as a user would: the raw format of
// Import > All Files, and the preview of Open.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "OpenPanel.h"
#include "WindowSession.h"

using namespace sono;
using namespace sono::test;

namespace {

// Types the path into the dialog's file name box and presses Open, as the user would.
void chooseFile(QFileDialog* dialog, const QString& path) {
    widget<QLineEdit>(dialog, "fileNameEdit")->setText(path);
    widget<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Open)->click();
}
QString text(QWidget* dialog, const char* name) {
    return widget<QLabel>(dialog, name)->text();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// 125 seconds of 8-bit mono at 12 Hz, 1500 samples up and down: a file of about 1.5 kb.
void writeSlowWave(const QString& path) {
    Document doc;
    doc.Info.clear();
    doc.BitsPerSample = 8;
    doc.SampleRate = 12;
    doc.SampleCount = 1500;
    doc.LeftSamples.resize(1500);
    for (size_t i = 0; i < doc.LeftSamples.size(); ++i)
        doc.LeftSamples[i] = int16_t(i % 2 ? 20 : 230);
    if (writeWaveFile(path.toStdString(), doc, 0, doc.SampleCount) != WriteFailure::None)
        qFatal("cannot write %s", qPrintable(path));
}

// Whether the preview picture shows nothing but its background.
bool blank(QWidget* dialog) {
    const QImage image = widget<QLabel>(dialog, "Picture1")->pixmap().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0)) return false;
    return !image.isNull();
}

} // namespace

class OpenPanelTest : public QObject {
    Q_OBJECT
  private slots:
    void rawImportReadsTheFileInThePanelsFormat();
    void previewDescribesDrawsAndPlaysTheSelectedWave();
    void previewIsHeard();
};

void OpenPanelTest::rawImportReadsTheFileInThePanelsFormat() {
    Session session;
    const Document& doc = session.window->editor().doc();
    const QString path = session.dir.path() + "/data.bin";
    writeFile(path, QByteArray(1000, '\x41'));
    QVERIFY(session.item("MMopenAlles")->isEnabled());

    QVERIFY(runItem<QFileDialog>(session, "MMopenAlles", [&](QFileDialog* dialog) {
        QCOMPARE(dialog->nameFilters(), QStringList("All Files (*)"));
        QCOMPARE(dialog->directory().absolutePath() + "/", session.documents());
        QVERIFY(widget<QWidget>(dialog, "Frame3")->isVisible());
        QVERIFY(!button(dialog, "Command2")->isVisible());
        auto* otherRate = widget<QLineEdit>(dialog, "Text1");
        QVERIFY(!otherRate->isEnabled());
        button(dialog, "Option6")->click();
        QVERIFY(otherRate->isEnabled());
        button(dialog, "Option2")->click();
        button(dialog, "Check1")->click();

        // A refused rate keeps the dialog open.
        otherRate->setText("999");
        auto refused = answerNextBox(QMessageBox::Ok);
        chooseFile(dialog, path);
        QCOMPARE(refused->text, QString("The frequency must be at least 1000."));
        QVERIFY(dialog->isVisible());
        QCOMPARE(doc.FileName, std::string());

        button(dialog, "Option1")->click();
        QVERIFY(!otherRate->isEnabled());
        chooseFile(dialog, path);
    }));
    QCOMPARE(doc.SampleCount, 500);
    QCOMPARE(doc.BitsPerSample, 8.0f);
    QCOMPARE(doc.Channels, 2.0f);
    QCOMPARE(doc.SampleRate, 11025.0f);
    QCOMPARE(doc.LeftSamples[499], int16_t(0x41));

    // The panel keeps its choices; it speaks the language of the moment; Cancel reads nothing.
    session.item("MMned")->trigger();
    QVERIFY(runItem<QFileDialog>(session, "MMopenAlles", [&](QFileDialog* dialog) {
        QCOMPARE(dialog->nameFilters(), QStringList("Alle Bestanden (*)"));
        QVERIFY(button(dialog, "Option2")->isChecked() && button(dialog, "Option1")->isChecked());
        QVERIFY(button(dialog, "Check1")->isChecked());
        button(dialog, "Check1")->click();
        dialog->reject();
    }));
    QCOMPARE(doc.SampleCount, 500);
    QCOMPARE(doc.Channels, 2.0f);
}

void OpenPanelTest::previewDescribesDrawsAndPlaysTheSelectedWave() {
    Session session;
    Editor& editor = session.window->editor();
    const QString wave = session.dir.path() + "/slow.wav";
    writeSlowWave(wave);
    const QString other = session.dir.path() + "/notes.txt";
    writeFile(other, "RIFF....WAVE but no chunks");

    QStringList played;
    QVERIFY(runItem<QFileDialog>(session, "MMopen", [&](QFileDialog* dialog) {
        QCOMPARE(dialog->nameFilters(), QStringList({"Wave-files (*.wav)", "All Files (*)"}));
        QVERIFY(!widget<QWidget>(dialog, "Frame3")->isVisible());
        QVERIFY(!button(dialog, "Check2")->isChecked());
        QVERIFY(!button(dialog, "Command2")->isEnabled());
        widget<OpenPanel>(dialog, "BijOpen")->setPlayer([&](const QString& path) {
            played << path;
        });

        emit dialog->currentChanged(wave);
        QCOMPARE(text(dialog, "Label1"), QString(" 1.5 kb"));
        QCOMPARE(text(dialog, "Label3"), QString(" 8-bits, 12 Hz, mono\nTime: 2:05"));
        QVERIFY(blank(dialog));
        button(dialog, "Command2")->click();
        QCOMPARE(played, QStringList(wave));

        // Checking draws the file at once in place of its description, and the choice is kept
        // in the options.
        button(dialog, "Check2")->click();
        QVERIFY(!blank(dialog));
        QCOMPARE(text(dialog, "Label1") + text(dialog, "Label3"), QString());
        QVERIFY(editor.options().drawGraphicInOpenPanel);

        emit dialog->currentChanged(other);
        QCOMPARE(text(dialog, "Label1"), QString());
        QCOMPARE(text(dialog, "Label3"), QString());
        QVERIFY(blank(dialog));
        QVERIFY(!button(dialog, "Command2")->isEnabled());
    }));
    QVERIFY(editor.doc().FileName.empty());

    // The next dialog draws straight away, in the language of the moment; unchecking clears.
    session.item("MMned")->trigger();
    QVERIFY(runItem<QFileDialog>(session, "MMopen", [&](QFileDialog* dialog) {
        QVERIFY(button(dialog, "Check2")->isChecked());
        emit dialog->currentChanged(wave);
        QCOMPARE(text(dialog, "Label1"), QString(" 1,5 kb"));
        QCOMPARE(text(dialog, "Label3"), QString(" 8-bits, 12 Hz, mono\nDuur: 2:05"));
        QVERIFY(!blank(dialog));
        button(dialog, "Check2")->click();
        QVERIFY(blank(dialog));
        QVERIFY(!editor.options().drawGraphicInOpenPanel);

        chooseFile(dialog, wave);
    }));
    QCOMPARE(session.window->windowTitle(), wave + " - Sonoplexer");
    QCOMPARE(editor.doc().SampleCount, 1500);
}

// The preview's Play sends the chosen file to the sound server without opening it: a second of
// a 439 Hz tone is recorded back from the server's input.
void OpenPanelTest::previewIsHeard() {
    QVERIFY2(!qEnvironmentVariableIsEmpty("PULSE_SERVER"), "the tests' sound server is not set");
    Session session;
    const QString tone = session.dir.path() + "/tone.wav";
    writeTone(tone, {}, 20000);
    Samples heard;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        emit dialog->currentChanged(tone);
        heard = heardWhile([&] { button(dialog, "Command2")->click(); }, 1.5);
        dialog->reject();
    });
    session.item("MMopen")->trigger();
    QVERIFY(!heard.empty());
    const Loudness preview = loudnessOf(heard, 8000);
    QVERIFY2(preview.seconds > 0.8 && preview.seconds < 1.2,
             qPrintable(QString::number(preview.seconds)));
    QVERIFY2(std::abs(preview.crossingsPerSecond - 878) < 60,
             qPrintable(QString::number(preview.crossingsPerSecond)));
    QVERIFY(session.window->editor().doc().FileName.empty());
}

QTEST_MAIN(OpenPanelTest)
#include "OpenPanelTest.moc"
