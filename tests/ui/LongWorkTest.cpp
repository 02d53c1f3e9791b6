// Long work in the window: it runs beside the window, which keeps painting and takes nothing but
// Cancel, and Esc or the Cancel button put everything back as it was.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <random>

#include "WindowSession.h"

using namespace sono;
using namespace sono::test;

namespace {
// Ten seconds of stereo noise, written by the editor's own writer.
QString writeNoise(const Session& session) {
    Document doc;
    doc.SampleCount = 441000;
    doc.SampleRate = 44100;
    doc.Channels = 2;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> sample(-12000, 12000);
    for (Samples* channel : {&doc.LeftSamples, &doc.RightSamples}) {
        channel->resize(size_t(doc.SampleCount));
        for (int16_t& s : *channel)
            s = int16_t(sample(random));
    }
    const QString path = session.dir.path() + "/noise.wav";
    if (writeWaveFile(path.toStdString(), doc, 0, doc.SampleCount) != WriteFailure::None)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// An echo of many repeats: seconds of work on the noise.
const Arguments LongEcho{10.0, 10.0, 0.5, 0.5, int64_t(1500), int64_t(0)};

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

class LongWorkTest : public QObject {
    Q_OBJECT
  private slots:
    void escapeOrCancelPutsTheSoundBackAndNothingElseGetsIn();
};

void LongWorkTest::escapeOrCancelPutsTheSoundBackAndNothingElseGetsIn() {
    Session session;
    session.item("MMluister")->trigger(); // no playing after the change
    session.window->openFromCommandLine(writeNoise(session).toStdString());
    Editor& editor = session.window->editor();
    const Samples left = editor.doc().LeftSamples, right = editor.doc().RightSamples;
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
    QVERIFY(editor.runCommand("MMecho", LongEcho));
    QVERIFY(refused);
    QVERIFY(viewPaints.count > paintsBefore);
    QVERIFY(editor.doc().LeftSamples == left);
    QVERIFY(editor.doc().RightSamples == right);
    QCOMPARE(editor.doc().UndoLevel, int16_t(0));
    QVERIFY(!editor.doc().hasSelection());
    QVERIFY(!editor.doc().Changed);
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
    QVERIFY(editor.runCommand("MMecho", LongEcho));
    QCOMPARE(caption, QString("Annuleren"));
    QVERIFY(editor.doc().LeftSamples == left);
    QCOMPARE(editor.doc().UndoLevel, int16_t(0));
    QCOMPARE(session.panel(1), QString("Geannuleerd."));
    QVERIFY(!cancel->isVisible());
}

QTEST_MAIN(LongWorkTest)
#include "LongWorkTest.moc"
