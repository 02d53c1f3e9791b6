// The editor window on the offscreen platform: what it shows after the editor has worked, and
// how its menus, dialogs and close box reach the editor.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "WindowSession.h"

using namespace sono;
using namespace sono::test;

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void openedFileShowsCaptionPanelsAndProgressInEitherLanguage();
    void optionItemsMirrorTheOptions();
    void editItemsFollowTheSoundSelectionUndoAndClip();
    void saveAsWritesTheChosenFileAndClosingCanBeCancelled();
    void saveDialogsOpenBesideTheSoundAndAddTheFiltersExtension();
    void statusPanelsHoldTheirTexts();
};

void MainWindowTest::openedFileShowsCaptionPanelsAndProgressInEitherLanguage() {
    Session session;
    auto* area = session.window->findChild<QWidget*>("pctProgress");
    auto* label = area->findChild<QLabel*>("lblProgress");
    PaintWatch watch(area, [=] { return label->text(); });
    session.openTone("Test.WAV");

    // 16-bit mono is read in one piece: the area shows the start of the work only.
    QCOMPARE(watch.seen.value(0), QString("Opening..."));
    QCOMPARE(watch.seen.filter("%"), QStringList());
    QVERIFY(!area->isVisible());
    QCOMPARE(session.window->windowTitle(), QString("Test.WAV - Sonoplexer"));
    QCOMPARE(session.panel(3), QString("Time: 1.00"));
    QVERIFY(session.item("MMlijn4")->isVisible());
    QVERIFY(session.item("MMrecent0")->isVisible());
    QVERIFY(!session.item("MMrecent1")->isVisible());

    // The switch empties the volume panel's position text, until the next levels come.
    auto* position = session.window->findChild<QLabel*>("LblVolume");
    position->setText("Playing: 0.50 / 1.00");
    session.item("MMned")->trigger();
    QCOMPARE(position->text(), QString());
    QCOMPARE(session.window->menus().menu("MMfile")->title(), QString("&Bestand"));
    QVERIFY(session.item("MMned")->isChecked() && !session.item("MMeng")->isChecked());
    QCOMPARE(session.panel(3), QString("Duur: 1.00"));
    QCOMPARE(session.button("Cut")->toolTip(), QString("Knippen"));
    session.window->editor().doc().Changed = true;
    auto question = answerNextBox(QMessageBox::Cancel);
    session.item("MMclose")->trigger();
    question->buttons.replaceInStrings("&", "");
    question->buttons.sort();
    QCOMPARE(question->buttons, QStringList({"Annuleren", "Ja", "Nee"}));
    // Words alone: the theme's No and Cancel are red dots, which read as Record.
    QVERIFY(!question->buttonPictures);
    // The recent files keep their names through a switch.
    QCOMPARE(session.item("MMrecent0")->text(), QString("&1 test.wav"));

    // Twice in a row ends as once, and choosing the checked language keeps its check mark.
    session.item("MMeng")->trigger();
    session.item("MMeng")->trigger();
    QCOMPARE(session.window->menus().menu("MMfile")->title(), QString("&File"));
    QVERIFY(session.item("MMeng")->isChecked() && !session.item("MMned")->isChecked());
    QCOMPARE(session.button("Cut")->toolTip(), QString("Cut"));
}

void MainWindowTest::editItemsFollowTheSoundSelectionUndoAndClip() {
    Session session;
    // A menu item, its toolbar button and its picture go together.
    QStringList straying; // buttons that did not follow their item
    auto state = [&](const char* item, const char* key = nullptr) {
        QAction* action = session.item(item);
        const bool enabled = action->isEnabled();
        if (key && session.button(key)->isEnabled() != enabled) straying << key;
        return QString(enabled ? "on" : "off") + (action->icon().isNull() ? "" : "+picture");
    };
    auto states = [&](std::initializer_list<std::pair<const char*, const char*>> items) {
        QStringList out;
        for (auto [item, key] : items)
            out << state(item, key);
        return out.join(' ');
    };
    const std::initializer_list<std::pair<const char*, const char*>> watched = {
        {"MMsave", "Opslaan"}, {"MMreverse", "Omdraaien"}, {"MMAlles", "EchtAlles"},
        {"MMcut", "Cut"},      {"MMdel", nullptr},         {"MMpaste", "Paste"},
        {"MMundo", "Undo"},    {"MMredo", "Redo"},         {"MMplay", "Afspelen"}};
    QCOMPARE(states(watched), QString("off+picture off off off off off off off off"));

    session.openTone("tone.wav");
    QCOMPARE(states(watched),
             QString("on+picture on+picture on+picture off off off off off on+picture"));

    session.item("MMAlles")->trigger();
    QCOMPARE(states(watched),
             QString("on+picture on+picture on+picture on+picture on off off off on+picture"));
    session.button("Copy")->trigger();
    QCOMPARE(state("MMpaste", "Paste"), QString("on+picture"));
    QVERIFY(session.item("MMpasteMix")->isEnabled() && session.item("MMpasteMix")->icon().isNull());
    session.button("Omdraaien")->trigger();
    QCOMPARE(state("MMundo", "Undo") + ' ' + state("MMredo", "Redo"), QString("on+picture off"));
    session.item("MMundo")->trigger();
    QCOMPARE(state("MMundo", "Undo") + ' ' + state("MMredo", "Redo"), QString("off on+picture"));
    session.item("MMAlles")->trigger();
    session.button("Alles")->trigger(); // the key "Alles" selects nothing
    QCOMPARE(state("MMcut", "Cut") + ' ' + state("MMdel"), QString("off off"));
    QCOMPARE(straying, QStringList());
}

void MainWindowTest::optionItemsMirrorTheOptions() {
    Session session;
    // A first start turns the designed states around: these four on, the other three off.
    for (const char* on : {"MMbeide", "MMluister", "MMmetertje", "MMtijdAangeven"})
        QVERIFY2(session.item(on)->isChecked(), on);
    for (const char* off : {"MMzoom", "MMonbekend", "MMtoonInfo"})
        QVERIFY2(!session.item(off)->isChecked(), off);
    QVERIFY(session.item("MMgrafiek1")->isChecked());

    session.item("MMbeide")->trigger();
    QVERIFY(!session.window->editor().options().bothChannels);
    QVERIFY(!session.item("MMbeide")->isChecked());

    // With the texts shown, the editor's lines reach the message box as plain text.
    session.item("MMtoonInfo")->trigger();
    QVERIFY(session.window->editor().options().showInfo && session.item("MMtoonInfo")->isChecked());
    auto info = answerNextBox(QMessageBox::Ok);
    session.openTone("tagged.wav", {{"INAM", "Rock & <b>Roll</b>"}});
    QCOMPARE(info->icon, QMessageBox::Information);
    QCOMPARE(info->format, Qt::PlainText);
    QVERIFY2(info->text.startsWith("Information from the file:\nTitle: Rock & <b>Roll</b>"),
             qPrintable(info->text));
    QVERIFY(!info->text.contains(u'\r'));
}

// The save dialog's answer reaches the caption and the recent files' menu; the close item and the
// close box ask the editor's save question, and only No or a save lets the window go.
void MainWindowTest::saveAsWritesTheChosenFileAndClosingCanBeCancelled() {
    Session session;
    session.openTone("tone.wav");
    const QString target = session.dir.path() + "/Saved Copy.WAV";
    session.window->setSaveDialog([&](const QString&, const QString&) { return target; });
    session.item("MMsaveAs")->trigger();
    QCOMPARE(session.window->windowTitle(), target + " - Sonoplexer");
    QCOMPARE(session.item("MMrecent0")->text(), QString("&1 saved copy.wav"));
    QVERIFY(QFile::exists(target));

    session.window->editor().doc().Changed = true;
    auto question = answerNextBox(QMessageBox::Cancel);
    session.item("MMclose")->trigger();
    QCOMPARE(question->text, QString("Do you first want to save the sound you have now?"));
    QCOMPARE(question->icon, QMessageBox::Question);
    QVERIFY(session.window->isVisible());
    auto again = answerNextBox(QMessageBox::No);
    QVERIFY(session.window->close());
    QCOMPARE(again->text, question->text);
    QVERIFY(!session.window->isVisible());
    QCOMPARE(session.panel(1), QString("Bye bye!"));
}

// The program's own save dialogs: they open in the folder of the sound's file, and a name typed
// without an extension gets the chosen filter's, once.
void MainWindowTest::saveDialogsOpenBesideTheSoundAndAddTheFiltersExtension() {
    Session session;
    QDir(session.dir.path()).mkpath("Takes");
    const QString folder = session.dir.path() + "/Takes";
    writeTone(folder + "/tone.wav");
    session.window->editor().files().openWave((folder + "/tone.wav").toStdString(), "tone.wav");
    auto saveAs = [&](const char* item, const QString& typed) {
        QString shownFolder;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            shownFolder = dialog->directory().absolutePath();
            widget<QLineEdit>(dialog, "fileNameEdit")->setText(typed);
            widget<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Save)->click();
        });
        answerNextBox(QMessageBox::Ok); // the graphic's notice
        session.item(item)->trigger();
        return shownFolder;
    };
    QCOMPARE(saveAs("MMsaveAs", "rec"), folder);
    QVERIFY(QFile::exists(folder + "/rec.wav"));
    saveAs("MMsaveAs", "take.wav");
    QVERIFY(QFile::exists(folder + "/take.wav") && !QFile::exists(folder + "/take.wav.wav"));
    saveAs("MMsaveAs", "take.two");
    QVERIFY(QFile::exists(folder + "/take.two"));
    QCOMPARE(saveAs("MMsaveBMP", "picture"), folder);
    QVERIFY(QFile::exists(folder + "/picture.bmp"));
}

// At the first size the message panel shows a whole message of the generators; at the smallest
// size the window allows, the panels that describe the sound still show theirs whole, and no
// panel runs into the next. In either language.
void MainWindowTest::statusPanelsHoldTheirTexts() {
    Session session;
    session.openTone("tone.wav");
    session.window->resize(1040, 680);
    auto panels = [&] {
        QList<StatusPanel*> all;
        for (int i = 1; i <= 5; ++i)
            all << session.window->findChild<StatusPanel*>(QStringLiteral("panel%1").arg(i));
        return all;
    };
    for (auto [language, longest] :
         {std::pair{"MMeng", "A new sound has been made with the synthesizer."},
          std::pair{"MMned", "Een nieuw geluid is gemaakt met de synthesizer."}}) {
        session.item(language)->trigger();
        session.window->statusChanged(1, longest);
        session.window->resize(1040, 680);
        QApplication::processEvents();
        StatusPanel* message = panels()[0];
        QVERIFY2(message->text() == message->panelText(), qPrintable(message->text()));

        session.window->resize(session.window->minimumSizeHint());
        QApplication::processEvents();
        int right = -1;
        for (StatusPanel* panel : panels()) {
            if (!panel->isVisible()) continue;
            QVERIFY2(panel->geometry().left() > right, qPrintable(panel->objectName()));
            right = panel->geometry().right();
            if (panel != message)
                QVERIFY2(panel->text() == panel->panelText(), qPrintable(panel->text()));
        }
        QVERIFY(right < session.window->width());
    }
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
