#pragma once
// What the window tests share: a window over fresh folders, a tone file to open, and a way to
// answer the modal dialogs a command shows while the test waits inside it.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../audio/Loudness.h"
#include "MainWindow.h"
#include "StatusPanel.h"
#include "formats/WavWriter.h"

namespace sono::test {

// Text fields of a test file: INFO id and raw (one byte per character) text.
using Fields = std::vector<std::pair<std::string, std::string>>;

// Writes the sound with the editor's own writer; its length is that of its left channel.
inline void writeSound(const QString& path, Document doc) {
    doc.SampleCount = int32_t(doc.LeftSamples.size());
    padOddTexts(doc);
    if (writeWaveFile(path.toStdString(), doc, 0, doc.SampleCount) != WriteFailure::None)
        qFatal("cannot write %s", qPrintable(path));
}

// One second of a 16-bit mono tone of 439 Hz at 44100 Hz.
inline void writeTone(const QString& path, const Fields& fields = {}, double amplitude = 8000) {
    Document doc;
    for (const auto& [id, text] : fields)
        *doc.Info.find(id) = text;
    doc.SampleRate = 44100;
    doc.LeftSamples.resize(44100);
    for (size_t i = 0; i < doc.LeftSamples.size(); ++i)
        doc.LeftSamples[i] = int16_t(std::lround(amplitude * std::sin(double(i) * 0.0626)));
    writeSound(path, std::move(doc));
}

// What the tests' sound server plays while `act` runs, recorded back from its input by an
// outside recorder (PulseAudio's own, so that nothing of the program records itself), as 16-bit
// mono at 44100 Hz: `act` starts once the recording flows, and the recording runs on until
// `seconds` after that. Empty when no recording could be made, or the tests' server is not set.
inline Samples heardWhile(const std::function<void()>& act, double seconds) {
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) return {};
    QProcess recorder;
    QByteArray bytes;
    const auto recordedFor = [&](double length) {
        return QTest::qWaitFor(
            [&] {
                bytes += recorder.readAllStandardOutput();
                return bytes.size() >= qsizetype(length * 44100) * 2;
            },
            10000);
    };
    recorder.start("parec", {"--device=in", "--rate=44100", "--channels=1", "--format=s16le",
                             "--latency-msec=20"});
    if (!recorder.waitForStarted(5000) || !recordedFor(0.2)) return {};
    const double before = double(bytes.size()) / 2 / 44100;
    act();
    const bool whole = recordedFor(before + seconds);
    recorder.terminate();
    recorder.waitForFinished(5000);
    if (!whole) return {};
    Samples heard(size_t(bytes.size() / 2));
    std::memcpy(heard.data(), bytes.data(), heard.size() * 2);
    return heard;
}

// What is wrong with a recording of a tone that should be loud for `seconds`, crossing the zero
// line `crossings` times a second (within a fifth of the time and 8 % of the crossings); empty
// when nothing is.
inline QString misheard(const Samples& heard, double seconds, double crossings) {
    if (heard.empty()) return "nothing was recorded from the tests' sound server";
    const Loudness tone = loudnessOf(heard, 8000);
    if (std::abs(tone.seconds - seconds) < seconds / 5 &&
        std::abs(tone.crossingsPerSecond - crossings) < crossings * 0.08)
        return {};
    return QString("loud for %1 s, %2 zero crossings a second")
        .arg(tone.seconds)
        .arg(tone.crossingsPerSecond);
}

// Watches a widget's paintings: how many there were, and what `read` said at each.
class PaintWatch : public QObject {
  public:
    explicit PaintWatch(QWidget* widget, std::function<QString()> read = {})
        : read_(std::move(read)) {
        widget->installEventFilter(this);
    }
    int count = 0;
    QStringList seen;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        ++count;
        if (read_) seen << read_();
        return false;
    }

  private:
    std::function<QString()> read_;
};

// A window over fresh settings and work folders, started as the program starts it.
struct Session {
    QTemporaryDir dir;
    QString shareDir;
    std::unique_ptr<MainWindow> window;

    // shareDir: the shipped files (the period files), else those beside the program.
    explicit Session(const QString& shareDir = {}) : shareDir(shareDir) {
        QDir(dir.path()).mkpath("temp");
        QDir(dir.path()).mkpath("Sounds");
        start();
    }
    // The window closed as at the end of a run, and a new one started over the same folders.
    void restart() {
        if (!window->close()) qFatal("the window did not close");
        start();
    }
    void start() {
        window = std::make_unique<MainWindow>(EditorFolders{
            (dir.path() + "/settings").toStdString(), (dir.path() + "/temp").toStdString(),
            documents().toStdString(), true, true, shareDir.toStdString()});
        window->editor().startUp();
        window->show();
        // As at a real start, the window is on the screen before the first command runs.
        if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the window was not shown");
    }
    QString documents() const { return dir.path() + "/Sounds/"; }
    // Writes a tone as `name` in the session's folder and opens it as from the command line.
    QString openTone(const QString& name, const Fields& fields = {}) {
        const QString path = dir.path() + "/" + name;
        writeTone(path, fields);
        window->openFromCommandLine(path.toStdString());
        return path;
    }
    QString panel(int number) const {
        return window->findChild<StatusPanel*>(QStringLiteral("panel%1").arg(number))->panelText();
    }
    QAction* item(const char* name) const { return window->menus().action(name); }
    // A toolbar button by its key ("Cut", "Afspelen").
    QAction* button(const char* key) const {
        for (QToolBar* bar : window->findChildren<QToolBar*>())
            for (QAction* action : bar->actions())
                if (action->objectName() == QLatin1String(key)) return action;
        qFatal("no button %s", key);
    }
};

// With SONO_SCREENSHOTS set to a folder, a picture of the widget is left there as NAME.png: the
// manual's pictures (share/README).
inline void keepPicture(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("SONO_SCREENSHOTS");
    if (!folder.isEmpty()) widget->grab().save(folder + '/' + name + ".png");
}

// A dialog's control by its object name; the test ends when there is none.
template <typename T> T* widget(QWidget* dialog, const char* name) {
    auto* found = dialog->findChild<T*>(name);
    if (!found) qFatal("no widget %s", name);
    return found;
}
inline QAbstractButton* button(QWidget* dialog, const char* name) {
    return widget<QAbstractButton>(dialog, name);
}

// Runs `act` on the modal dialog of type T that the next command shows, once it is up, and
// cancels the dialog when `act` left it open (a failed check returns early). Gives up after two
// seconds, so a command that shows nothing lets the test fail instead of hang.
template <typename T> void whenShown(std::function<void(T*)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [=, tries = 0]() mutable {
        QPointer<T> shown = qobject_cast<T*>(QApplication::activeModalWidget());
        if (shown || ++tries == 200) {
            poll->stop();
            poll->deleteLater();
        }
        if (!shown) return;
        act(shown);
        if (shown && shown->isVisible()) shown->reject();
    });
    poll->start(10);
}

// Runs the menu item; `act` works on the dialog of type T that it shows. False when none showed.
template <typename T>
bool runItem(const Session& session, const char* item, std::function<void(T*)> act) {
    auto shown = std::make_shared<bool>(false);
    whenShown<T>([shown, act = std::move(act)](T* dialog) {
        *shown = true;
        act(dialog);
    });
    session.item(item)->trigger();
    return *shown;
}

struct SeenBox {
    QString text;
    QStringList buttons;         // their texts, in the box's order
    bool buttonPictures = false; // whether any of them shows a picture
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
};

// Presses `button` on the message box that the next command shows, and tells what it said.
inline std::shared_ptr<SeenBox> answerNextBox(QMessageBox::StandardButton button) {
    auto seen = std::make_shared<SeenBox>();
    whenShown<QMessageBox>([=](QMessageBox* box) {
        seen->text = box->text();
        seen->icon = box->icon();
        seen->format = box->textFormat();
        for (QAbstractButton* shown : box->buttons()) {
            seen->buttons << shown->text();
            seen->buttonPictures = seen->buttonPictures || !shown->icon().isNull();
        }
        box->button(button)->click();
    });
    return seen;
}

} // namespace sono::test
