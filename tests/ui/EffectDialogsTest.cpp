// The effect dialogs as a user works them: the curve dialogs' blocks dragged with the mouse and
// moved with the keys, their boxes and sentences in both languages, the shrink and filter dialogs,
// the values Apply hands to the editor, the effects run from the window, and the curves kept in
// the options file across a restart.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QScrollBar>
#include <QtTest>

#include "CurveDialog.h"
#include "EffectDialogs.h"
#include "WindowSession.h"

using namespace sono;
using namespace sono::test;

namespace {

// Shows the dialog of `command` as the window does, lets `act` work on it, and returns the
// values Apply handed over (nullopt when the dialog was left any other way).
std::optional<Arguments> ask(Session& session, const char* command,
                             std::function<void(EffectDialog*)> act) {
    whenShown<EffectDialog>(std::move(act));
    return session.window->findChild<EffectDialogs*>()->ask(commandRow(command)->dialog);
}
void apply(QWidget* dialog) {
    button(dialog, "Command1")->click();
}

// A block dragged with the primary button by `dy` pixels, in three moves of the pointer.
void drag(QWidget* dialog, int block, int dy) {
    auto* shown = widget<QWidget>(dialog, qPrintable(QString("Blok%1").arg(block)));
    const QPoint grip(8, 8);
    const QPoint start = shown->mapToGlobal(grip);
    QTest::mousePress(shown, Qt::LeftButton, {}, grip);
    for (int part : {1, 2, 3})
        QTest::mouseMove(shown, shown->mapFromGlobal(start + QPoint(0, dy * part / 3)));
    QTest::mouseRelease(shown, Qt::LeftButton, {}, shown->mapFromGlobal(start + QPoint(0, dy)));
}
void press(QWidget* dialog, Qt::Key key, int times = 1, bool ctrl = false) {
    for (int i = 0; i < times; ++i)
        QTest::keyClick(dialog, key, ctrl ? Qt::ControlModifier : Qt::NoModifier);
}
QString sentence(QWidget* dialog, int panel) {
    return widget<QLabel>(dialog, qPrintable(QString("Verklaring%1").arg(panel)))->text();
}
QAbstractButton* same(QWidget* dialog, int panel) {
    return button(dialog, qPrintable(QString("Zelfde%1").arg(panel)));
}

// The colour of a panel's whole-curve strip.
QRgb colour(QWidget* dialog, int panel) {
    const QString name = QString("Geheel%1").arg(panel);
    return widget<QWidget>(dialog, qPrintable(name))->grab().toImage().pixel(1, 1);
}

// The numbers handed over, the repeats and the choices as whole numbers.
QList<double> numbers(const std::optional<Arguments>& arguments) {
    QList<double> out;
    if (!arguments) return out;
    for (size_t i = 0; i < arguments->size(); ++i)
        try {
            out << arguments->number(i);
        } catch (const std::bad_variant_access&) {
            out << double(arguments->whole(i));
        }
    return out;
}

} // namespace

class EffectDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void blocksGiveTheirValuesFromTopToBottom();
    void sameBoxesAndKeysMoveTheBlocks();
    void sentencesInBothLanguages();
    void everyEffectRunsFromTheWindow();
    void curvesSurviveARestartThroughTheOptionsFile();
};

void EffectDialogsTest::blocksGiveTheirValuesFromTopToBottom() {
    Session session;
    struct Parameter {
        const char* command;
        int block;
        int argument; // the first of the two values handed over (the repeats hand over one)
        double first; // where the block stands at first
        int toMiddle; // a drag to top 84 (the volume block stands in the middle at first)
        double middle, highest, lowest;
    };
    // At top 84 the delay, the echo volume and the repeats are halves, rounded to the even number.
    const Parameter parameters[] = {{"MMvolume", 0, 0, 100, 0, 100, 200, 1},
                                    {"MMspeed", 0, 0, 100, -28, 125, 200, 50},
                                    {"MMecho", 0, 0, 102, -67, 501, 1000, 1},
                                    {"MMecho", 2, 2, 30, -34, 51, 100, 1},
                                    {"MMecho", 4, 4, 1, -84, 5, 10, 1}};
    for (const Parameter& p : parameters) {
        const QString name = QString("%1 block %2").arg(p.command).arg(p.block);
        auto values = [&](double value) {
            return p.argument == 4 ? QList<double>{value} : QList<double>{value, value};
        };
        QRgb shown = 0; // the panel's colour, which follows the mean of its blocks' tops
        auto handed = [&](int dy) {
            auto act = [&](EffectDialog* dialog) {
                drag(dialog, p.block, dy);
                shown = colour(dialog, p.block / 2);
                apply(dialog);
            };
            return numbers(ask(session, p.command, act)).mid(p.argument, p.argument == 4 ? 1 : 2);
        };
        QVERIFY2(handed(0) == values(p.first), qPrintable(name));
        QVERIFY2(handed(p.toMiddle) == values(p.middle), qPrintable(name));
        // Beyond either end the block stops at it.
        QVERIFY2(handed(-300) == values(p.highest), qPrintable(name));
        QCOMPARE(shown, qRgb(255, 0, 0));
        QVERIFY2(handed(300) == values(p.lowest), qPrintable(name));
        QCOMPARE(shown, qRgb(127, 128, 0));
    }
}

void EffectDialogsTest::sameBoxesAndKeysMoveTheBlocks() {
    Session session;
    auto volume = ask(session, "MMvolume", [](EffectDialog* dialog) {
        QVERIFY(same(dialog, 0)->isChecked());
        QCOMPARE(colour(dialog, 0), qRgb(191, 64, 0));
        same(dialog, 0)->click();
        drag(dialog, 1, 40); // 124.5: 51.5 rounded
        QCOMPARE(sentence(dialog, 0), QString("The volume changes from 100 to 53 %."));
        drag(dialog, 0, -10);
        QCOMPARE(colour(dialog, 0), qRgb(179, 76, 0)); // tops 74.5 and 124.5
        // Checking the box brings the right block up to the left one.
        same(dialog, 0)->click();
        QCOMPARE(sentence(dialog, 0), QString("The volume is 112 %."));
        // Keys 1 and 2 move a block two thirds of a pixel up, with Ctrl down; both follow.
        press(dialog, Qt::Key_2, 3);
        QCOMPARE(sentence(dialog, 0), QString("The volume is 114 %."));
        press(dialog, Qt::Key_1, 18, true);
        press(dialog, Qt::Key_3); // no third block here
        apply(dialog);
    });
    QCOMPARE(numbers(volume), (QList<double>{100, 100}));

    // A block stays where the keys left it, in fractions of a pixel: 151, 150.33, 149.67, 149.
    auto echo = ask(session, "MMecho", [](EffectDialog* dialog) {
        QVERIFY(!same(dialog, 2)->isEnabled() && same(dialog, 2)->isChecked());
        same(dialog, 0)->click();
        press(dialog, Qt::Key_1, 2);
        QCOMPARE(sentence(dialog, 0), QString("The delay changes from 110 to 102 milliseconds."));
        press(dialog, Qt::Key_1);
        press(dialog, Qt::Key_4, 3, true);
        // The repeats keys move one repeat: up two, down one.
        press(dialog, Qt::Key_6, 2);
        press(dialog, Qt::Key_5, 1, true);
        QCOMPARE(sentence(dialog, 2), QString("The number of repeats is 2."));
        apply(dialog);
    });
    QCOMPARE(numbers(echo), (QList<double>{114, 102, 29, 29, 2, 1}));
}

// The captions are the tables' own; what is checked here is what the dialogs compute: the
// sentences under the blocks and the filter's rule, in either language, and the refilled list.
void EffectDialogsTest::sentencesInBothLanguages() {
    Session session;
    ask(session, "MMspeed", [](EffectDialog* dialog) {
        QCOMPARE(sentence(dialog, 0), QString("The speed is 100 %."));
        same(dialog, 0)->click();
        drag(dialog, 1, 100);
        QCOMPARE(sentence(dialog, 0), QString("The speed changes from 100 to 50 %."));
    });
    ask(session, "MMfilter", [](EffectDialog* dialog) {
        QCOMPARE(
            widget<QLabel>(dialog, "Label4")->text(),
            QString("If the volume is higher than 50 %, the volume must be multiplied by 2.0 ."));
        widget<QComboBox>(dialog, "Combo1")->setCurrentIndex(1);
        widget<QScrollBar>(dialog, "HScroll1")->setValue(99);
        widget<QScrollBar>(dialog, "HScroll2")->setValue(1);
        QCOMPARE(
            widget<QLabel>(dialog, "Label4")->text(),
            QString("If the volume is lower than 99 %, the volume must be multiplied by 0.1 ."));
    });

    session.item("MMned")->trigger();
    ask(session, "MMecho", [](EffectDialog* dialog) {
        QCOMPARE(sentence(dialog, 0), QString("De vertraging is 102 milliseconden."));
        same(dialog, 0)->click();
        same(dialog, 1)->click();
        drag(dialog, 1, 100);
        drag(dialog, 2, -300);
        QCOMPARE(sentence(dialog, 0), QString("De vertraging gaat van 102 naar 1 milliseconden."));
        QCOMPARE(sentence(dialog, 1), QString("Het volume gaat van 100 naar 30 %."));
    });
    ask(session, "MMspeed", [](EffectDialog* dialog) {
        QCOMPARE(sentence(dialog, 0), QString("De snelheid gaat van 100 naar 50 %."));
    });
    // The list is filled again in Dutch and keeps its choice, as the scroll bars keep theirs.
    auto filter = ask(session, "MMfilter", [](EffectDialog* dialog) {
        QCOMPARE(widget<QComboBox>(dialog, "Combo1")->itemText(0), QString("hoger"));
        widget<QScrollBar>(dialog, "HScroll2")->setValue(20);
        QCOMPARE(widget<QLabel>(dialog, "Label4")->text(),
                 QString("Als het volume lager is dan 99 %, moet het volume worden "
                         "vermenigvuldigd met 2.0 ."));
        widget<QScrollBar>(dialog, "HScroll2")->setValue(3);
        apply(dialog);
    });
    QCOMPARE(numbers(filter), (QList<double>{1, 99, 0.3}));
    auto shrink = ask(session, "MMkrimpen", [](EffectDialog* dialog) {
        QCOMPARE(widget<QLabel>(dialog, "Label1")->text(), QString("Een beetje"));
        auto* slider = widget<QScrollBar>(dialog, "Slider1");
        QCOMPARE(slider->value(), 4);
        QCOMPARE(slider->minimum(), 2);
        slider->setValue(slider->maximum());
        apply(dialog);
    });
    QCOMPARE(numbers(shrink), QList<double>{10});
}

// Which effects are enabled, what they do and what they report is the editor's (its tests,
// effects.sb); here the window's part: each item shows its dialog, whose Apply runs the effect
// and whose Cancel and close box do not.
void EffectDialogsTest::everyEffectRunsFromTheWindow() {
    Session session;
    session.openTone("tone.wav");
    const Editor& editor = session.window->editor();
    whenShown<EffectDialog>([](EffectDialog* dialog) { button(dialog, "Command2")->click(); });
    session.item("MMvolume")->trigger();
    whenShown<EffectDialog>([](EffectDialog* dialog) { dialog->close(); });
    session.button("Echo")->trigger();
    QCOMPARE(editor.doc().UndoLevel, 0);
    QVERIFY(session.window->findChild<QDialog*>("EchoForm"));
    for (const char* item : {"MMecho", "MMvolume", "MMspeed", "MMkrimpen", "MMfilter"}) {
        whenShown<EffectDialog>(apply);
        session.item(item)->trigger();
    }
    QCOMPARE(editor.doc().UndoLevel, 5);

    // While the program shuts down the close box closes a dialog for good; it is made anew.
    whenShown<EffectDialog>([&](EffectDialog* dialog) {
        session.window->editor().status().setPanel(1, "Bye bye!");
        dialog->close();
    });
    session.item("MMkrimpen")->trigger();
    QTRY_VERIFY(!session.window->findChild<QDialog*>("KrimpForm"));
    QCOMPARE(editor.doc().UndoLevel, 5);
}

void EffectDialogsTest::curvesSurviveARestartThroughTheOptionsFile() {
    Session session;
    // The echo and speed dialogs changed, the volume dialog only shown: it stays at 100 %.
    auto echo = ask(session, "MMecho", [](EffectDialog* dialog) {
        same(dialog, 1)->click();
        drag(dialog, 3, 50);
        button(dialog, "Check1")->click();
        press(dialog, Qt::Key_5, 2);
        apply(dialog);
    });
    auto speed = ask(session, "MMspeed", [](EffectDialog* dialog) {
        drag(dialog, 0, -200);
        apply(dialog);
    });
    QCOMPARE(numbers(ask(session, "MMvolume", apply)), (QList<double>{100, 100}));
    session.restart();

    // The dialogs' part of the options file: "~", the echo blocks' tops, Check1, the three
    // boxes, "P", the volume dialog's two tops and box, the speed dialog's.
    QFile file(session.dir.path() + "/settings/audio.dat");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QByteArray curves("~\x97\0\x97\0\x76\0\xa8\0\x83\0\x83\0\0\0\x01\0\0\0\x01\0"
                            "P\x54\0\x54\0\x01\0\0\0\0\0\x01\0",
                            34);
    QCOMPARE(bytes.mid(bytes.size() - 35, 34).toHex(' '), curves.toHex(' '));

    QCOMPARE(numbers(ask(session, "MMecho", apply)), numbers(echo));
    QCOMPARE(numbers(echo), (QList<double>{102, 102, 30, 1, 3, 0}));
    QCOMPARE(numbers(ask(session, "MMspeed", apply)), numbers(speed));
    // Half a pixel from the whole tops the file holds, the volume block keeps its 100 %. Moved by
    // keys, the left block stands at 85.83 (98 %): the file holds 86, whose 86.5 also shows 98 %.
    auto volume = ask(session, "MMvolume", [](EffectDialog* dialog) {
        QCOMPARE(sentence(dialog, 0), QString("The volume is 100 %."));
        same(dialog, 0)->click();
        press(dialog, Qt::Key_2);
        press(dialog, Qt::Key_1, 2, true);
        apply(dialog);
    });
    QCOMPARE(numbers(volume), (QList<double>{98, 101}));
    session.restart();
    auto again = ask(session, "MMvolume", [](EffectDialog* dialog) {
        QVERIFY(!same(dialog, 0)->isChecked());
        apply(dialog);
    });
    QCOMPARE(numbers(again), numbers(volume));
}

QTEST_MAIN(EffectDialogsTest)
#include "EffectDialogsTest.moc"
