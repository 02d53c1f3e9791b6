// Starting the window as the program does: one window per user at a time, each working in a
// folder of its own, and a start that may not go on ends before it touches anyone's files.
#include <QtTest>

#include <fstream>
#include <unistd.h>

#include "RunWindow.h"
#include "WindowSession.h"
#include "WorkFolderLock.h"
#include "editing/ClipFile.h"
#include "editing/UndoStore.h"

using namespace sono;
using namespace sono::test;

namespace {

QApplication& application() {
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

std::vector<MainWindow*> shownWindows() {
    std::vector<MainWindow*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<MainWindow*>(widget); window && window->isVisible())
            shown.push_back(window);
    return shown;
}

} // namespace

class RunWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { systemTemp_ = qgetenv("TMPDIR"); }
    void init();
    void cleanup();
    void secondWindowIsRefusedAndTheFirstKeepsItsFiles();
    void crashedRunIsOfferedBackAndAFolderInUseRefused();

  private:
    QByteArray systemTemp_;
    std::unique_ptr<QTemporaryDir> root_;
    QString userDir_;
    std::filesystem::path settings_;
};

void RunWindowTest::init() {
    // The system's temporary folder is a fresh one for each test.
    root_ = std::make_unique<QTemporaryDir>();
    QDir(root_->path()).mkpath("tmp");
    qputenv("TMPDIR", (root_->path() + "/tmp").toLocal8Bit());
    userDir_ = root_->path() + "/tmp/sonoplexer-" + QString::number(getuid());
    settings_ = (root_->path() + "/settings").toStdString();
}

void RunWindowTest::cleanup() {
    if (systemTemp_.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", systemTemp_);
    root_.reset();
}

void RunWindowTest::secondWindowIsRefusedAndTheFirstKeepsItsFiles() {
    QStringList runFolders, runFoldersAfterRefusal;
    bool clipMade = false, clipKept = false;
    int secondStatus = -1;
    bool secondShown = false;
    QString boxText, refusedCaption;
    QTimer::singleShot(0, [&] {
        const auto shown = shownWindows();
        if (shown.size() != 1) {
            application().quit();
            return;
        }
        MainWindow* first = shown.front();
        first->editor().newEmptySound();
        first->editor().view().selectAll();
        first->editor().edits().copy();
        runFolders = QDir(userDir_).entryList({"run-*"}, QDir::Dirs);
        std::filesystem::path clip;
        if (runFolders.size() == 1)
            clip = clipFilePath((userDir_ + "/" + runFolders[0]).toStdString());
        clipMade = std::filesystem::exists(clip);

        whenShown<QMessageBox>([&](QMessageBox* box) {
            boxText = box->text();
            if (box->parentWidget()) refusedCaption = box->parentWidget()->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        // Should a second window open after all, every loop is ended instead of waiting on it.
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (shownWindows().size() > 1) secondShown = true, application().exit(3);
        });
        guard.start(10);
        secondStatus = runWindow(application(), settings_, std::nullopt, std::nullopt);
        guard.stop();
        clipKept = std::filesystem::exists(clip);
        runFoldersAfterRefusal = QDir(userDir_).entryList({"run-*"}, QDir::Dirs);
        first->close();
    });
    const int firstStatus = runWindow(application(), settings_, std::nullopt, std::nullopt);

    QVERIFY(!secondShown);
    QCOMPARE(firstStatus, 0);
    QCOMPARE(runFolders.size(), 1);
    QVERIFY(clipMade);
    QCOMPARE(secondStatus, 1);
    QCOMPARE(boxText, QString("Sonoplexer is already running. You can't open Sonoplexer twice at "
                              "the same time."));
    QVERIFY2(QRegularExpression("^Program already running\\.\\.\\. \\d{1,3}$")
                 .match(refusedCaption)
                 .hasMatch(),
             qPrintable(refusedCaption));
    QVERIFY(clipKept);
    QCOMPARE(runFoldersAfterRefusal, runFolders);
    // A normal end removes the run's folder and the single-window lock.
    QCOMPARE(QDir(userDir_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void RunWindowTest::crashedRunIsOfferedBackAndAFolderInUseRefused() {
    // A window that was killed left its run folder: its lock file held by nobody and an undo
    // level. One started with --temp-dir died before it wrote its id in its lock file and left a
    // later level there: the sound it kept last.
    const std::filesystem::path crashed = (userDir_ + "/run-99999-abcdef").toStdString();
    std::filesystem::create_directories(crashed);
    std::ofstream(crashed / WorkFolderLock::FileName) << "99999\n";
    const std::filesystem::path named = (root_->path() + "/named").toStdString();
    std::filesystem::create_directory(named);
    std::filesystem::permissions(named, std::filesystem::perms::owner_all);
    std::ofstream(named / WorkFolderLock::FileName).close();
    Document older, newer;
    older.SampleCount = 3;
    older.LeftSamples = {1, 2, 3};
    newer.Channels = 2;
    newer.SampleCount = 150; // long enough not to be lengthened
    newer.LeftSamples.assign(150, -7);
    newer.RightSamples.assign(150, 300);
    newer.LeftSamples.back() = 9;
    QVERIFY(writeUndoSnapshot(undoSnapshotPath(crashed, 0), older));
    QVERIFY(writeUndoSnapshot(undoSnapshotPath(named, 1), newer));
    std::filesystem::last_write_time(undoSnapshotPath(crashed, 0),
                                     std::filesystem::file_time_type::clock::now() -
                                         std::chrono::hours(1));

    std::shared_ptr<SeenBox> offer = answerNextBox(QMessageBox::Yes);
    Samples left, right;
    QString caption;
    bool crashedFolderGone = false;
    QTimer::singleShot(300, [&] {
        const auto shown = shownWindows();
        if (shown.size() != 1) return application().quit();
        left = shown.front()->editor().doc().LeftSamples;
        right = shown.front()->editor().doc().RightSamples;
        caption = shown.front()->windowTitle();
        crashedFolderGone = !std::filesystem::exists(crashed);
        answerNextBox(QMessageBox::No); // the sound brought back is not saved
        shown.front()->close();
    });
    QCOMPARE(runWindow(application(), settings_, named, std::nullopt), 0);
    QVERIFY2(offer->text.contains("stopped unexpectedly"), qPrintable(offer->text));
    QCOMPARE(left, newer.LeftSamples);
    QCOMPARE(right, newer.RightSamples);
    QCOMPARE(caption, QString("No Title - Sonoplexer"));
    QVERIFY(crashedFolderGone);
    QCOMPARE(QDir(userDir_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());

    // A folder named with --temp-dir that a live run holds is refused before anything is made.
    const auto clip = clipFilePath(named);
    std::ofstream(clip) << "clip";
    WorkFolderLock other;
    QCOMPARE(other.lockFolder(named), WorkFolderLock::State::Taken);
    QCOMPARE(runWindow(application(), settings_, named, std::nullopt), 2);
    QVERIFY(std::filesystem::exists(clip));
    QVERIFY(std::filesystem::exists(named / WorkFolderLock::FileName));
    // The start made no folder of its own nor kept the single-window lock.
    QCOMPARE(QDir(userDir_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_MAIN(RunWindowTest)
#include "RunWindowTest.moc"
