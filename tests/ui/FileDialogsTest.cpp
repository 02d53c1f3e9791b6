// The dialogs of the File menu, driven through their items as a user would: the information and
// properties dialogs, the raw format of Import > All Files and the preview of Open. How a raw file
// or a header is read, the converted sound and the refusal of a rate are the editor's (its tests,
// editing.sb); the format boxes, which the properties dialog and the raw import share, are tried
// in the properties dialog.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "InformationDialog.h"
#include "OpenPanel.h"
#include "PropertiesDialog.h"
#include "WindowSession.h"

using namespace sono;
using namespace sono::test;

namespace {

// Types the path into the dialog's file name box and presses Open, as the user would.
void chooseFile(QFileDialog* dialog, const QString& path) {
    widget<QLineEdit>(dialog, "fileNameEdit")->setText(path);
    widget<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Open)->click();
}
// The size and format the preview describes.
QString description(QWidget* dialog) {
    return widget<QLabel>(dialog, "Label1")->text() + '|' +
           widget<QLabel>(dialog, "Label3")->text();
}
// Whether the preview picture shows nothing but its background.
bool blank(QWidget* dialog) {
    const QImage image = widget<QLabel>(dialog, "Picture1")->pixmap().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0)) return false;
    return !image.isNull();
}

QLineEdit* box(QWidget* form, const char* name) {
    return widget<QLineEdit>(form, name);
}
QByteArray info(const Editor& editor, const char* id) {
    return QByteArray::fromStdString(*editor.doc().Info.find(id));
}

} // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void informationShowsStoresAndErasesTheTexts();
    void propertiesPreselectTheFormatAndCheckTheOtherRate();
    void rawImportReadsTheFileInThePanelsFormat();
    void previewDescribesDrawsAndPlaysTheSelectedWave();
    void previewIsHeard();
};

void FileDialogsTest::informationShowsStoresAndErasesTheTexts() {
    Session session;
    const Editor& editor = session.window->editor();
    session.openTone("texts.wav", {{"INAM", "Caf\xe9s"}, {"ICRD", "2024-05-01"}, {"IGNR", "Jazz"}});

    QVERIFY(runItem<InformationDialog>(session, "MMinformatie", [&](InformationDialog* form) {
        QCOMPARE(box(form, "INAM")->text(), QString("Cafés"));
        QCOMPARE(box(form, "ICRD")->text(), QString("2024-05-01"));
        auto* genre = widget<QComboBox>(form, "IGNR");
        QCOMPARE(genre->currentText(), QString("Jazz"));
        QVERIFY(button(form, "GeenDatum")->isEnabled());

        button(form, "GeenDatum")->click();
        QCOMPARE(box(form, "ICRD")->text(), QString());
        box(form, "IART")->setText("Zoë");
        box(form, "DISP")->setText("Loop 1");
        genre->setCurrentIndex(17);
        button(form, "Command1")->click();
    }));
    QCOMPARE(info(editor, "IART"), QByteArray("Zo\xeb"));
    QCOMPARE(info(editor, "IGNR"), QByteArray("Rock"));
    QCOMPARE(info(editor, "ICRD"), QByteArray());
    QCOMPARE(QByteArray::fromStdString(editor.doc().DispText), QByteArray("Loop 1"));
    // A box left alone keeps its text as read, pad zero included.
    QCOMPARE(info(editor, "INAM"), QByteArray("Caf\xe9s\0", 6));
    QVERIFY(!editor.doc().Changed);

    // Cancel leaves the texts.
    QVERIFY(runItem<InformationDialog>(session, "MMinformatie", [&](InformationDialog* form) {
        QVERIFY(!button(form, "GeenDatum")->isEnabled());
        QCOMPARE(box(form, "IART")->text(), QString("Zoë"));
        box(form, "IART")->setText("Someone else");
        button(form, "Command2")->click();
    }));
    QCOMPARE(info(editor, "IART"), QByteArray("Zo\xeb"));
}

void FileDialogsTest::propertiesPreselectTheFormatAndCheckTheOtherRate() {
    Session session;
    session.openTone("tone.wav");
    const Document& doc = session.window->editor().doc();

    QVERIFY(runItem<PropertiesDialog>(session, "MMprop", [&](PropertiesDialog* form) {
        QVERIFY(button(form, "Option3")->isChecked() && button(form, "Option5")->isChecked());
        QVERIFY(!button(form, "Check1")->isChecked());
        QCOMPARE(box(form, "Text1")->text(), QString("44100"));
        QVERIFY(!box(form, "Text1")->isEnabled());
        button(form, "Option6")->click();
        QVERIFY(box(form, "Text1")->isEnabled());
        button(form, "Option2")->click();
        button(form, "Check1")->click();

        box(form, "Text1")->setText("999");
        auto refused = answerNextBox(QMessageBox::Ok);
        button(form, "Command1")->click();
        QCOMPARE(refused->text, QString("The frequency must be at least 1000."));
        QVERIFY(form->isVisible());
        QCOMPARE(doc.SampleRate, 44100.0f);

        // Accepted by the dialog, then raised to the lowest rate the conversion makes (the
        // editor's, editing.sb).
        box(form, "Text1")->setText("1500 Hz");
        button(form, "Command1")->click();
    }));
    QCOMPARE(doc.SampleRate, 2500.0f);
    QCOMPARE(doc.BitsPerSample, 8.0f);
    QCOMPARE(doc.Channels, 2.0f);

    // The next time it shows the new format; Cancel converts nothing.
    QVERIFY(runItem<PropertiesDialog>(session, "MMprop", [&](PropertiesDialog* form) {
        QVERIFY(button(form, "Option2")->isChecked() && button(form, "Check1")->isChecked());
        QVERIFY(button(form, "Option6")->isChecked() && box(form, "Text1")->isEnabled());
        QCOMPARE(box(form, "Text1")->text(), QString("2500"));
        button(form, "Option4")->click();
        QVERIFY(!box(form, "Text1")->isEnabled());
        button(form, "Command2")->click();
    }));
    QCOMPARE(doc.SampleRate, 2500.0f);
}

void FileDialogsTest::rawImportReadsTheFileInThePanelsFormat() {
    Session session;
    const Document& doc = session.window->editor().doc();
    const QString path = session.dir.path() + "/data.bin";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(1000, '\x41')) == 1000);
    file.close();

    QVERIFY(runItem<QFileDialog>(session, "MMopenAlles", [&](QFileDialog* dialog) {
        QCOMPARE(dialog->nameFilters(), QStringList("All Files (*)"));
        QCOMPARE(dialog->directory().absolutePath() + "/", session.documents());
        QVERIFY(widget<QWidget>(dialog, "Frame3")->isVisible());
        QVERIFY(!button(dialog, "Command2")->isVisible());
        button(dialog, "Option2")->click(); // 8 bits
        button(dialog, "Check1")->click();  // stereo
        // A refused rate keeps the dialog open.
        button(dialog, "Option6")->click();
        box(dialog, "Text1")->setText("999");
        auto refused = answerNextBox(QMessageBox::Ok);
        chooseFile(dialog, path);
        QCOMPARE(refused->text, QString("The frequency must be at least 1000."));
        QVERIFY(dialog->isVisible());
        QCOMPARE(doc.FileName, std::string());
        button(dialog, "Option1")->click(); // 11025 Hz
        chooseFile(dialog, path);
    }));
    QCOMPARE(doc.SampleCount, 500);
    QCOMPARE(doc.BitsPerSample, 8.0f);
    QCOMPARE(doc.Channels, 2.0f);
    QCOMPARE(doc.SampleRate, 11025.0f);

    // The panel keeps its choices; it speaks the language of the moment; Cancel reads nothing.
    session.item("MMned")->trigger();
    QVERIFY(runItem<QFileDialog>(session, "MMopenAlles", [&](QFileDialog* dialog) {
        QCOMPARE(dialog->nameFilters(), QStringList("Alle Bestanden (*)"));
        QVERIFY(button(dialog, "Option2")->isChecked() && button(dialog, "Option1")->isChecked());
        QVERIFY(button(dialog, "Check1")->isChecked());
        button(dialog, "Check1")->click();
        dialog->reject();
    }));
    QCOMPARE(doc.Channels, 2.0f);
}

void FileDialogsTest::previewDescribesDrawsAndPlaysTheSelectedWave() {
    Session session;
    Editor& editor = session.window->editor();
    // 125 seconds of 8-bit mono at 12 Hz: a file of about 1.5 kb.
    const QString wave = session.dir.path() + "/slow.wav",
                  other = session.dir.path() + "/notes.txt";
    Document slow;
    slow.Info.clear();
    slow.BitsPerSample = 8;
    slow.SampleRate = 12;
    slow.LeftSamples.resize(1500);
    for (size_t i = 0; i < 1500; ++i)
        slow.LeftSamples[i] = int16_t(i % 2 ? 20 : 230);
    writeSound(wave, slow);
    QFile file(other);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("RIFF....WAVE but no chunks") > 0);
    file.close();

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
        QCOMPARE(description(dialog), QString(" 1.5 kb| 8-bits, 12 Hz, mono\nTime: 2:05"));
        QVERIFY(blank(dialog));
        button(dialog, "Command2")->click();
        QCOMPARE(played, QStringList(wave));
        // Checking draws the file at once in place of its description, and the choice is kept
        // in the options.
        button(dialog, "Check2")->click();
        QVERIFY(!blank(dialog));
        QCOMPARE(description(dialog), QString("|"));
        QVERIFY(editor.options().drawGraphicInOpenPanel);
        emit dialog->currentChanged(other);
        QVERIFY(blank(dialog));
        QVERIFY(!button(dialog, "Command2")->isEnabled());
    }));
    QVERIFY(editor.doc().FileName.empty());

    // The next dialog draws straight away, in the language of the moment; unchecking clears.
    session.item("MMned")->trigger();
    QVERIFY(runItem<QFileDialog>(session, "MMopen", [&](QFileDialog* dialog) {
        QVERIFY(button(dialog, "Check2")->isChecked());
        emit dialog->currentChanged(wave);
        QCOMPARE(description(dialog), QString(" 1,5 kb| 8-bits, 12 Hz, mono\nDuur: 2:05"));
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
void FileDialogsTest::previewIsHeard() {
    Session session;
    const QString tone = session.dir.path() + "/tone.wav";
    writeTone(tone, {}, 20000);
    Samples heard;
    QVERIFY(runItem<QFileDialog>(session, "MMopen", [&](QFileDialog* dialog) {
        emit dialog->currentChanged(tone);
        heard = heardWhile([&] { button(dialog, "Command2")->click(); }, 1.5);
        dialog->reject();
    }));
    QCOMPARE(misheard(heard, 1, 878), QString());
    QVERIFY(session.window->editor().doc().FileName.empty());
}

QTEST_MAIN(FileDialogsTest)
#include "FileDialogsTest.moc"
