// The editor window on the offscreen platform: what it shows after the editor has worked, how its
// menus, dialogs and close box reach the editor, and long work that runs beside the window, which
// keeps painting and takes nothing but Cancel.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <random>

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
    void escapeOrCancelPutsTheSoundBackAndNothingElseGetsIn();
};

namespace {
// Runs `act` once on the window's thread while the work runs, when `ready` says so.
void duringWork(std::function<bool()> ready, std::function<void()> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        if (!ready()) return;
        poll->stop();
        poll->deleteLater();
        act();
    });
    poll->start(10);
}
} // namespace

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

// Which commands can be used is the editor's (its tests); here the menu items follow it, each with
// its toolbar button, and show their pictures only while they can be used (Save always).
void MainWindowTest::editItemsFollowTheSoundSelectionUndoAndClip() {
    Session session;
    const std::pair<const char*, const char*> watched[] = {
        {"MMsave", "Opslaan"},  {"MMreverse", "Omdraaien"}, {"MMAlles", "EchtAlles"},
        {"MMcut", "Cut"},       {"MMdel", nullptr},         {"MMpaste", "Paste"},
        {"MMundo", "Undo"},     {"MMredo", "Redo"},         {"MMplay", "Afspelen"},
        {"MMpasteMix", nullptr}};
    QStringList straying; // buttons that did not follow their item
    auto states = [&] {
        QStringList out;
        for (auto [item, key] : watched) {
            QAction* action = session.item(item);
            if (key && session.button(key)->isEnabled() != action->isEnabled()) straying << key;
            out << QString(action->isEnabled() ? "on" : "off") +
                       (action->icon().isNull() ? "" : "+picture");
        }
        return out.join(' ');
    };
    QCOMPARE(states(), QString("off+picture off off off off off off off off off"));
    session.openTone("tone.wav");
    QCOMPARE(states(), QString("on+picture on+picture on+picture off off off off off on+picture "
                               "off"));
    session.item("MMAlles")->trigger();
    QCOMPARE(states(), QString("on+picture on+picture on+picture on+picture on off off off "
                               "on+picture off"));
    session.button("Copy")->trigger();
    session.button("Omdraaien")->trigger();
    QCOMPARE(states(), QString("on+picture on+picture on+picture on+picture on on+picture "
                               "on+picture off on+picture on"));
    const QString afterUndo("on+picture on+picture on+picture off off on+picture off on+picture "
                            "on+picture on");
    session.item("MMundo")->trigger();
    QCOMPARE(states(), afterUndo);
    session.item("MMAlles")->trigger();
    session.button("Alles")->trigger(); // the key "Alles" selects nothing
    QCOMPARE(states(), afterUndo);
    QCOMPARE(straying, QStringList());
}

void MainWindowTest::optionItemsMirrorTheOptions() {
    Session session;
    // A first start turns the designed states around: the four options on, the other three off
    // (the first graph style is chosen).
    QStringList checked;
    for (const char* item : {"MMbeide", "MMluister", "MMmetertje", "MMtijdAangeven", "MMgrafiek1",
                             "MMzoom", "MMonbekend", "MMtoonInfo"})
        checked << (session.item(item)->isChecked() ? "on" : "off");
    QCOMPARE(checked.join(' '), QString("on on on on on off off off"));

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

// What the sound looks like after a cancel is the editor's (its tests); here Esc and the Cancel
// button reach it, and the window stays alive but closed to everything else while the work runs.
void MainWindowTest::escapeOrCancelPutsTheSoundBackAndNothingElseGetsIn() {
    Session session;
    session.item("MMluister")->trigger(); // no playing after the change
    // Ten seconds of stereo noise, and an echo of many repeats: seconds of work.
    Document noise;
    noise.Channels = 2;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> sample(-12000, 12000);
    for (Samples* channel : {&noise.LeftSamples, &noise.RightSamples}) {
        channel->resize(441000);
        for (int16_t& s : *channel)
            s = int16_t(sample(random));
    }
    writeSound(session.dir.path() + "/noise.wav", noise);
    session.window->openFromCommandLine((session.dir.path() + "/noise.wav").toStdString());
    const Arguments longEcho{10.0, 10.0, 0.5, 0.5, int64_t(1500), int64_t(0)};
    Editor& editor = session.window->editor();
    const Samples right = editor.doc().RightSamples;
    auto* area = session.window->findChild<QWidget*>("pctProgress");
    auto* label = area->findChild<QLabel*>("lblProgress");
    auto* cancel = area->findChild<QPushButton*>("cmdCancelWork");
    auto* view = session.window->findChild<QWidget*>("views")->findChild<QWidget*>("Picture1");
    PaintWatch viewPaints(view);
    const QSize size = session.window->size();

    // Esc, once the work shows its progress. Meanwhile a command from a timer is refused, a click
    // in the view selects nothing, and the window follows a resize and paints.
    bool refused = false;
    int paintsBefore = 0;
    duringWork([&] { return label->text().contains('%'); },
               [&] {
                   refused = !editor.runCommand("MMreverse");
                   QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(100, 20));
                   paintsBefore = viewPaints.count;
                   session.window->resize(size + QSize(40, 30));
                   QTest::qWait(100);
                   QTest::keyClick(session.window.get(), Qt::Key_Escape);
               });
    QVERIFY(editor.runCommand("MMecho", longEcho));
    QVERIFY(refused);
    QVERIFY(viewPaints.count > paintsBefore);
    QVERIFY(editor.doc().RightSamples == right);
    QCOMPARE(editor.doc().UndoLevel, int16_t(0));
    QVERIFY(!editor.doc().hasSelection());
    QCOMPARE(session.panel(1), QString("Cancelled."));
    QVERIFY(!area->isVisible());

    // The Cancel button comes after half a second, in the current language.
    session.item("MMned")->trigger();
    QString caption;
    duringWork([&] { return cancel->isVisible(); },
               [&] {
                   caption = cancel->text();
                   QTest::mouseClick(cancel, Qt::LeftButton);
               });
    QVERIFY(editor.runCommand("MMecho", longEcho));
    QCOMPARE(caption, QString("Annuleren"));
    QVERIFY(editor.doc().RightSamples == right);
    QCOMPARE(session.panel(1), QString("Geannuleerd."));
    QVERIFY(!cancel->isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
