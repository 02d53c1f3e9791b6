// The window's desktop side: the association items follow the store when the File menu opens,
// and the about box (three times) brings out the hidden item and its window, in either language.
// With SONO_SCREENSHOTS=FOLDER the test also leaves pictures of what it saw there.
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QtTest>

#include <fstream>

#include "AboutBox.h"
#include "SnailWindow.h"
#include "WindowSession.h"

using namespace sono;
using namespace sono::test;

namespace {
// What the next about box showed: whether the snail is there, and the link to the program's page.
std::shared_ptr<QStringList> readNextAbout(const QString& pictureName) {
    auto seen = std::make_shared<QStringList>();
    whenShown<AboutBox>([=](AboutBox* about) {
        keepPicture(about, pictureName);
        *seen << (widget<QLabel>(about, "snail")->pixmap().isNull() ? "no snail" : "snail")
              << widget<QLabel>(about, "page")->text();
        about->accept();
    });
    return seen;
}
} // namespace

class DesktopWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void associationItemsFollowTheStore();
    void thirdAboutShowsTheHiddenItemAndItsWindow();
    void helpAndWebsiteSayWhenNothingOpensThem();
};

void DesktopWindowsTest::associationItemsFollowTheStore() {
    Session session;
    // The desktop's side goes to a private home.
    qputenv("XDG_DATA_HOME", (session.dir.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (session.dir.path() + "/config").toUtf8());
    const QString entry = session.dir.path() + "/data/applications/sonoplexer-wav.desktop";
    QMenu* file = session.window->menus().menu("MMfile");
    auto itemStates = [&] {
        emit file->aboutToShow();
        return QString("%1 %2").arg(session.item("MMasso")->isEnabled() ? "create" : "-",
                                    session.item("MMdelAsso")->isEnabled() ? "remove" : "-");
    };
    QCOMPARE(itemStates(), QString("create -"));

    // OK on the question, then the message.
    auto question = std::make_shared<SeenBox>();
    whenShown<QMessageBox>([=](QMessageBox* box) {
        keepPicture(box, "en-question");
        question->buttons << box->buttons()[0]->text() << box->buttons()[1]->text();
        answerNextBox(QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    session.item("MMasso")->trigger();
    QCOMPARE(question->buttons, (QStringList{"OK", "&Cancel"}));
    QVERIFY(QFile::exists(entry));
    QCOMPARE(itemStates(), QString("- remove"));

    session.item("MMned")->trigger();
    file->popup(QPoint(0, 0));
    keepPicture(file, "nl-menu-file");
    file->hide();
    answerNextBox(QMessageBox::Ok);
    session.item("MMdelAsso")->trigger();
    QVERIFY(!QFile::exists(entry));
    QCOMPARE(itemStates(), QString("create -"));

    // Another program (or another run) wrote the store: the items follow when the menu opens.
    std::ofstream(session.dir.path().toStdString() + "/settings/associations.reg")
        << "[wav File\\shell\\open\\command]\n@=\""
        << QCoreApplication::applicationFilePath().toStdString() << " %1\"\n";
    QCOMPARE(itemStates(), QString("- remove"));
}

void DesktopWindowsTest::thirdAboutShowsTheHiddenItemAndItsWindow() {
    Session session;
    session.openTone("tone.wav");
    // Something worth a picture in the manual: a swelling stereo sound, partly selected.
    Editor& editor = session.window->editor();
    editor.runCommand("MMluister"); // the picture shows no playing
    editor.runCommand("MMprop", {int64_t(1), 44100.0, int64_t(1)});
    editor.runCommand("MMvolume", {10.0, 100.0});
    editor.runCommand("MMgrafiek3");
    editor.view().dragSelection(1, 12000, 30000);
    QAction* egg = session.item("MMegg");
    QVERIFY(!egg->isVisible());
    keepPicture(session.window.get(), "en-window");

    auto first = readNextAbout("en-about");
    session.item("MMabout")->trigger();
    QCOMPARE(first->value(0), QString("snail"));
    // Without a home page set when building: the manual's about page, which is there.
    const QString page = first->value(1);
    QVERIFY2(page.contains("help/en/about.html\">About Sonoplexer (manual)</a>"), qPrintable(page));
    const QString file = page.section('"', 1, 1).mid(QStringLiteral("file://").size());
    QVERIFY2(QFile::exists(file), qPrintable(file));
    readNextAbout("en-about-2");
    session.item("MMabout")->trigger();
    QVERIFY(!egg->isVisible());

    session.item("MMned")->trigger();
    keepPicture(session.window.get(), "nl-window");
    readNextAbout("nl-about");
    session.item("MMabout")->trigger();
    QVERIFY(egg->isVisible());
    QMenu* help = session.window->menus().menu("MMhelpMenu");
    help->popup(QPoint(0, 0));
    keepPicture(help, "nl-menu-help");
    help->hide();

    egg->trigger();
    auto* window = session.window->findChild<SnailWindow*>("FrmEgg");
    QVERIFY(window && window->isVisible());
    QTest::qWait(200); // the snail crawls
    keepPicture(window, "nl-egg");
    // Over the middle of the main window, give or take the frames around the two.
    QVERIFY((window->geometry().center() - session.window->geometry().center()).manhattanLength() <
            10);
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!session.window->findChild<SnailWindow*>("FrmEgg"));

    session.item("MMeng")->trigger();
    help->popup(QPoint(0, 0));
    keepPicture(help, "en-menu-help");
    help->hide();
}

// Which page opens, and the messages in either language, are the editor's (its tests); here the
// window's way out: xdg-open, which ends with a failure when nothing can show the page (no
// browser), and then the window says so. A stand-in for it on the PATH keeps what it was asked to
// open and ends as told.
void DesktopWindowsTest::helpAndWebsiteSayWhenNothingOpensThem() {
    Session session;
    const QString bin = session.dir.path() + "/bin", asked = session.dir.path() + "/asked";
    QDir().mkpath(bin);
    std::ofstream(bin.toStdString() + "/xdg-open")
        << "#!/bin/sh\necho \"$1\" >> '" << asked.toStdString() << "'\nexit $OPENER_STATUS\n";
    QFile::setPermissions(bin + "/xdg-open", QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8() + ':' + path);
    qputenv("OPENER_STATUS", "0");
    session.item("MMhelp")->trigger();
    qputenv("OPENER_STATUS", "4");
    auto seen = answerNextBox(QMessageBox::Ok);
    session.item("MMwebsite")->trigger();
    qputenv("PATH", path);
    QFile file(asked);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList opened = QString::fromUtf8(file.readAll()).trimmed().split('\n');
    QCOMPARE(opened.size(), 2);
    QVERIFY2(opened[0].startsWith("file:///") && opened[0].endsWith("/help/en/index.html"),
             qPrintable(opened[0]));
    QVERIFY2(opened[1].endsWith("/help/en/about.html"), qPrintable(opened[1]));
    QCOMPARE(seen->text, QString("The website can't be opened automatically at your computer."));
}

QTEST_MAIN(DesktopWindowsTest)
#include "DesktopWindowsTest.moc"
