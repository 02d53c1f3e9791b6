// The information and properties dialogs, driven through their File menu items as a user would.
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "InformationDialog.h"
#include "PropertiesDialog.h"
#include "WindowSession.h"

using namespace sono;
using namespace sono::test;

namespace {

QLineEdit* box(QWidget* form, const char* name) {
    return widget<QLineEdit>(form, name);
}
QByteArray info(const Editor& editor, const char* id) {
    return QByteArray::fromStdString(*editor.doc().Info.find(id));
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void informationShowsStoresAndErasesTheTexts();
    void propertiesPreselectTheFormatAndCheckTheOtherRate();
};

void DialogsTest::informationShowsStoresAndErasesTheTexts() {
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

void DialogsTest::propertiesPreselectTheFormatAndCheckTheOtherRate() {
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

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
