// Snapler, the sibling player: it plays its file through the sound device (recorded back from
// the tests' sound server), Pause keeps the place and Stop goes back to the start, in the
// language it is given; a file it cannot play is said so.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "SnaplerWindow.h"
#include "WindowSession.h"
#include "support/Texts.h"

using namespace sono;
using namespace sono::test;

class SnaplerTest : public QObject {
    Q_OBJECT
  private slots:
    void playsPausesAndStops();
    void speaksTheEditorsLanguageAndRefusesWhatItCannotPlay();
};

void SnaplerTest::playsPausesAndStops() {
    QTemporaryDir dir;
    const QString tone = dir.path() + "/tone.wav";
    writeTone(tone, {}, 20000);
    SnaplerWindow player(tone.toStdString(), LanguageEnglish);
    QVERIFY(player.ready());
    QCOMPARE(misheard(heardWhile([&] { player.play(); }, 1.5), 1, 878), QString());
    // At the end it stands still; Play starts again, Pause keeps the place, Stop goes back.
    QTRY_VERIFY(widget<QPushButton>(&player, "play")->isEnabled());
    player.play();
    QTRY_VERIFY_WITH_TIMEOUT(player.positionMs() > 100, 5000);
    player.pause();
    const int64_t paused = player.positionMs();
    QVERIFY2(paused < 1000, qPrintable(QString::number(paused)));
    QTest::qWait(200);
    QCOMPARE(player.positionMs(), paused);
    player.stop();
    QCOMPARE(player.positionMs(), int64_t(0));
}

void SnaplerTest::speaksTheEditorsLanguageAndRefusesWhatItCannotPlay() {
    QTemporaryDir dir;
    const QString tone = dir.path() + "/tone.wav";
    writeTone(tone);
    SnaplerWindow dutch(tone.toStdString(), LanguageDutch);
    QCOMPARE(widget<QPushButton>(&dutch, "play")->text(), QString("&Afspelen"));
    SnaplerWindow english(tone.toStdString(), LanguageEnglish);
    QCOMPARE(widget<QPushButton>(&english, "play")->text(), QString("&Play"));
    QCOMPARE(english.windowTitle(), QString("tone.wav - Snapler"));

    const QString text = dir.path() + "/notes.wav";
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a sound") > 0);
    file.close();
    SnaplerWindow refused(text.toStdString(), LanguageDutch);
    QVERIFY(!refused.ready());
    QCOMPARE(widget<QLabel>(&refused, "name")->text(),
             QString("Dit bestand kan niet worden afgespeeld."));
    QVERIFY(!widget<QPushButton>(&refused, "play")->isEnabled());
}

QTEST_MAIN(SnaplerTest)
#include "SnaplerTest.moc"
