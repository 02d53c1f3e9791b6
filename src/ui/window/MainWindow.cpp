#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <exception>
#include <iterator>
#include <set>
#include <system_error>
#include <thread>
#include <utility>

#include "CommandIcons.h"
#include "CommandRows.h"
#include "EffectDialogs.h"
#include "FileDialogs.h"
#include "FileFilter.h"
#include "Folders.h"
#include "InformationDialog.h"
#include "MorseDialog.h"
#include "Mp3SaveDialog.h"
#include "ProgramStyle.h"
#include "ProgressArea.h"
#include "PropertiesDialog.h"
#include "StatusPanel.h"
#include "SynthesizerDialog.h"
#include "VolumePanel.h"
#include "WaveformViews.h"
#include "WorkGate.h"
#include "support/Numbers.h"
#include "support/StatusTexts.h"
#include "support/Texts.h"
#include "transport/LevelMeter.h"

namespace sono {

namespace {

// The command a menu item runs, with the arguments the item itself supplies: the five recent
// files are one command with their number.
std::pair<const Command*, Arguments> commandOfItem(const std::string& name) {
    const std::string recent = "MMrecent";
    if (name.starts_with(recent) && name.size() == recent.size() + 1)
        return {findCommand(recent), {int64_t(name.back() - '0')}};
    return {findCommand(name), {}};
}

// The shipped files are those beside the program unless the caller named others.
EditorFolders withShareDir(EditorFolders folders) {
    if (folders.shareDir.empty()) folders.shareDir = appDir();
    return folders;
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    default:
        return QMessageBox::Question;
    }
}

// The editor separates lines with carriage returns; Qt breaks lines at line feeds.
QString shownText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

QString localPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string editorPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// "&1 test.wav": the access digit, then the file's name in lower case.
QString recentCaption(int index, const std::string& path) {
    QString name = QString::fromStdString(toLowerText(path.substr(path.find_last_of('/') + 1)));
    name.replace(u'&', QStringLiteral("&&"));
    return u'&' + QString::number(index + 1) + u' ' + name;
}
} // namespace

MainWindow::MainWindow(EditorFolders folders, QWidget* parent)
    : QMainWindow(parent), desktop_(this, [this] { return editor_.language(); }),
      editor_(
          EditorPorts{*this, *this, device_, coder_, tags_, &desktop_, availableMemoryBytes, this},
          withShareDir(std::move(folders))),
      menus_(*menuBar()), progress_(new ProgressArea),
      informationDialog_(new InformationDialog(editor_, this)),
      propertiesDialog_(new PropertiesDialog(editor_, this)),
      openPanel_(new OpenPanel(editor_, this)),
      effectDialogs_(
          new EffectDialogs(editor_, this, [this](QDialog& dialog) { return execDialog(dialog); })),
      synthesizer_(new SynthesizerDialog(editor_, this)), morse_(new MorseDialog(editor_, this)) {
    setWindowTitle(ProgramCaption);
    ProgramStyle::install();

    views_ = new WaveformViews(editor_, appDir(), [this](const QPoint& at) {
        // The secondary button in a view: the Edit menu at the pointer.
        refreshCommandState();
        menus_.menu("MMedit")->exec(at);
    });
    // The volume panel stands between the views and the progress area, so that it covers
    // neither the views' time ruler nor the progress; the window keeps room for it there while
    // it shows, and the views take the rest of the window's height.
    volume_ =
        new VolumePanel([this] { return views_->mapTo(this, QPoint(0, views_->height())).y(); },
                        [this] {
                            return progress_->isVisible()
                                       ? progress_->mapTo(this, QPoint()).y()
                                       : centralWidget()->geometry().bottom() + 1;
                        },
                        this);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(views_, 1);
    volumeRoom_ = new QSpacerItem(0, volume_->height(), QSizePolicy::Minimum, QSizePolicy::Fixed);
    layout->addSpacerItem(volumeRoom_);
    layout->addWidget(progress_);
    connect(progress_, &ProgressArea::cancelClicked, this, [this] { editor_.work().cancelWork(); });
    setCentralWidget(central);
    // The panel keeps clear of the views as they change size, and of the progress area as it
    // comes and goes.
    views_->installEventFilter(this);
    progress_->installEventFilter(this);

    // The message panel carries the program's picture; the position panel keeps the width of
    // its longest text while the sound plays.
    using Width = StatusPanel::Width;
    const Width widths[] = {Width::Rest, Width::OfText, Width::OfText, Width::OfText,
                            Width::Longest};
    const QStringList longestPosition = {QStringLiteral("Afspelen: 62:03.45 / 62:03.45"),
                                         QStringLiteral("Opnemen: 62:03.45")};
    for (size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new StatusPanel(widths[i], i == 4 ? longestPosition : QStringList());
        if (i == 0) panel->setPicture(QPixmap(QString::fromStdString(appDir() + "audio.sta")));
        panel->setObjectName(QStringLiteral("panel%1").arg(i + 1));
        // Permanent widgets stay put when a menu item's status tip passes over the bar.
        statusBar()->addPermanentWidget(panel, i == 0 ? 1 : 0);
        panels_[i] = panel;
    }

    openPanel_->setPlayer([this](const QString& path) { playPreview(editorPath(path)); });
    synthesizer_->setPlayer([this](const SoundInMemory& sound) { playPreview(sound); });
    // The hidden period encoder "Save QVF": never shown, but there to be clicked.
    auto* encoder = new QPushButton(QStringLiteral("Save QVF"), this);
    encoder->setObjectName("Command1");
    encoder->hide();
    connect(encoder, &QPushButton::clicked, this,
            [this] { editor_.runExclusive([this] { editor_.generators().encodePeriodFile(); }); });
    buildToolbars();
    // Whether the association is ours is asked again whenever the File menu opens: another
    // program may have taken WAV files over meanwhile.
    connect(menus_.menu("MMfile"), &QMenu::aboutToShow, this, &MainWindow::refreshCommandState);
    menus_.setLanguage(editor_.language());
    connectCommands();
    languageChanged();
    refreshCommandState();
    saveDialog_ = [this](const QString& filter, const QString& folder) {
        return showSaveDialog(filter, folder);
    };
    // The default size holds the whole first toolbar and every dialog. The smallest keeps the
    // status panels readable.
    centralWidget()->setMinimumWidth(632);
    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    connect(timer1_, &QTimer::timeout, this, &MainWindow::followDevice);
    timer1_->start(16);
    resize(1040, 680);
}

MainWindow::~MainWindow() {
    // Nothing follows the device any more while the window goes.
    timer1_->stop();
    device_.close();
    preview_.close();
}

void MainWindow::buildToolbars() {
    auto build = [this](const char* name, Toolbar which, Qt::ToolBarArea area) {
        auto* bar = new QToolBar(this);
        bar->setObjectName(name);
        bar->setIconSize(QSize(22, 22));
        // The bars at the bottom (transport, zoom) may be moved to another edge or stand free;
        // the command bar stays.
        bar->setMovable(area == Qt::BottomToolBarArea);
        for (const CommandRow& row : commandRows()) {
            if (row.toolbar != which) continue;
            QAction* action = bar->addAction(commandIcon(row.name), QString());
            action->setObjectName(row.buttonKey);
            action->setProperty("command", QString::fromLatin1(row.name));
        }
        addToolBar(area, bar);
        return bar;
    };
    toolbar1_ = build("Toolbar1", Toolbar::Commands, Qt::TopToolBarArea);
    toolbar2_ = build("Toolbar2", Toolbar::Transport, Qt::BottomToolBarArea);
    // The zoom commands beside the transport: the command bar is full at the first size.
    toolbar3_ = build("Toolbar3", Toolbar::Zoom, Qt::BottomToolBarArea);
}

void MainWindow::connectCommands() {
    for (const CommandRow& row : commandRows()) {
        auto [command, fixed] = commandOfItem(row.name);
        if (!command) continue;
        QAction* item = menus_.action(row.name);
        if (row.picture.inMenu == PictureInMenu::Always) item->setIcon(commandIcon(row.name));
        bind(item, *command, fixed, row.picture.inMenu == PictureInMenu::WhenEnabled);
    }
    for (QToolBar* bar : {toolbar1_, toolbar2_, toolbar3_})
        for (QAction* button : bar->actions())
            bind(button, *findCommand(button->property("command").toString().toStdString()), {},
                 false);
}

void MainWindow::bind(QAction* action, const Command& command, Arguments fixed,
                      bool pictureWhenEnabled) {
    action->setCheckable(command.checked != nullptr);
    connect(action, &QAction::triggered, this,
            [this, &command, fixed] { runMenuCommand(command, fixed); });
    bindings_.push_back({action, &command, std::move(fixed), pictureWhenEnabled});
}

void MainWindow::runMenuCommand(const Command& command, const Arguments& fixed) {
    Arguments arguments = fixed;
    if (command.params.size() > fixed.size()) {
        auto asked = askValues(commandRow(command.id)->dialog);
        if (!asked) return;
        arguments = *asked;
    }
    editor_.runCommand(command.id, arguments);
    refreshCommandState();
}

void MainWindow::refreshCommandState() {
    for (const Binding& binding : bindings_) {
        const Command& command = *binding.command;
        const CommandRow* row = commandRow(command.id);
        const bool askable = command.params.size() <= binding.fixed.size() ||
                             (row && row->dialog != ValuesDialog::None);
        const bool enabled = command.run && askable && editor_.enabled(command.enabled);
        binding.action->setEnabled(enabled);
        if (binding.pictureWhenEnabled)
            binding.action->setIcon(enabled ? commandIcon(command.id) : QIcon());
    }
    menus_.action("MMegg")->setVisible(editor_.desktop().snailShown());
}

void MainWindow::refreshCheckMarks() {
    for (const Binding& binding : bindings_)
        if (binding.command->checked) binding.action->setChecked(binding.command->checked(editor_));
}

void MainWindow::openFromCommandLine(const std::string& argument) {
    editor_.runExclusive([&] {
        editor_.files().openWave(argument, argument.substr(argument.find_last_of('/') + 1));
    });
}

void MainWindow::finishStartUp(const std::optional<std::string>& fileToOpen) {
    if (fileToOpen) {
        QElapsedTimer waited;
        waited.start();
        while (!windowHandle()->isExposed() && waited.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        openFromCommandLine(*fileToOpen);
    }
    const QDate today = QDate::currentDate();
    editor_.runExclusive([&] { editor_.greet(today.month(), today.day()); });
}

std::optional<Arguments> MainWindow::askProperties() {
    propertiesDialog_->load();
    if (execDialog(*propertiesDialog_) != QDialog::Accepted) return std::nullopt;
    return Arguments{sampleWidthChoice(propertiesDialog_->bits()),
                     double(propertiesDialog_->rate()),
                     channelCountChoice(propertiesDialog_->channels())};
}

// A preview plays on a device of its own, as the system's sound player would, without waiting
// and without touching the sound.
void MainWindow::playPreview(const std::string& path) {
    preview_.stop();
    preview_.close();
    if (preview_.open(path, WaveDevice::Purpose::Play)) preview_.play();
}

void MainWindow::playPreview(const SoundInMemory& sound) {
    preview_.stop();
    preview_.close();
    if (preview_.openSound(sound)) preview_.play();
}

void MainWindow::hideToolDialogs() {
    propertiesDialog_->hide();
    effectDialogs_->hide();
    synthesizer_->hide();
    morse_->hide();
}

void MainWindow::programClosed() {
    closed_ = true;
    if (!closing_) close();
}

QString MainWindow::showSaveDialog(const QString& filter, const QString& folder) {
    QFileDialog dialog(this, inLanguage("Opslaan Als", "Save As"), folder, filter);
    prepareFileDialog(dialog);
    addFilterExtension(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The editor asks its own question about an existing file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (execDialog(dialog) != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

std::optional<Arguments> MainWindow::askValues(ValuesDialog dialog) {
    const EffectDialog::Exec exec = [this](QDialog& shown) { return execDialog(shown); };
    switch (dialog) {
    case ValuesDialog::None:
        return std::nullopt;
    case ValuesDialog::Properties:
        return askProperties();
    case ValuesDialog::RawImport: {
        auto chosen = showOpenDialog(
            OpenPanel::Mode::RawFormat,
            qtFileFilter(editor_.LangText("Alle Bestanden (*.*)|*.*", "All Files (*.*)|*.*")),
            localPath(editor_.files().dialogFolder()));
        if (!chosen) return std::nullopt;
        const OpenPanel::RawFormat& format = chosen->format;
        return Arguments{editorPath(chosen->path), sampleWidthChoice(format.bits), format.rate,
                         channelCountChoice(format.channels)};
    }
    case ValuesDialog::Mp3Import:
        return askMp3Import();
    case ValuesDialog::Mp3Export:
        return askMp3Export();
    case ValuesDialog::Information:
        // The dialog hands every text it changed to the information command itself.
        informationDialog_->load();
        execDialog(*informationDialog_);
        return std::nullopt;
    // The generators' dialogs: playback stops before they are shown.
    case ValuesDialog::Synthesizer:
        editor_.runExclusive([this] { editor_.playback().stop(); });
        return synthesizer_->ask(exec);
    case ValuesDialog::Morse:
        editor_.runExclusive([this] { editor_.playback().stop(); });
        return morse_->ask(exec);
    default:
        return effectDialogs_->ask(dialog);
    }
}

std::optional<Arguments> MainWindow::askMp3Import() {
    // Asked again until the chosen file exists.
    for (;;) {
        auto chosen =
            showOpenDialog(OpenPanel::Mode::Mp3Preview, qtFileFilter(editor_.mp3().openFilter()),
                           localPath(editor_.files().dialogFolder()));
        if (!chosen || chosen->path.isEmpty()) return std::nullopt;
        if (QFileInfo::exists(chosen->path)) return Arguments{editorPath(chosen->path)};
    }
}

std::optional<Arguments> MainWindow::askMp3Export() {
    Mp3SaveDialog dialog(this, editor_, qtFileFilter(editor_.mp3().saveFilter()),
                         localPath(editor_.files().dialogFolder()), mp3Bitrate_);
    if (execDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    mp3Bitrate_ = dialog.bitrate();
    return dialog.arguments(editorPath(dialog.selectedFiles().value(0)));
}

std::optional<OpenChoice> MainWindow::showOpenDialog(OpenPanel::Mode mode, const QString& filter,
                                                     const QString& folder) {
    OpenDialog dialog(this, *openPanel_, mode, filter, folder);
    if (execDialog(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

int MainWindow::execDialog(QDialog& dialog) {
    // A question asked in the middle of a busy command still gets the ordinary pointer.
    if (busy_) QApplication::restoreOverrideCursor();
    int result = dialog.exec();
    if (busy_) QApplication::setOverrideCursor(Qt::WaitCursor);
    return result;
}

// ---------------------------------------------------------------- EditorHost

Answer MainWindow::ask(MessageIcon icon, const std::string& caption, const std::string& text) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(caption), shownText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)->setText(inLanguage("&Ja", "&Yes"));
    box.button(QMessageBox::No)->setText(inLanguage("&Nee", "&No"));
    box.button(QMessageBox::Cancel)->setText(inLanguage("&Annuleren", "&Cancel"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (execDialog(box)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool MainWindow::confirm(MessageIcon icon, const std::string& caption, const std::string& text) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(caption), shownText(text),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.button(QMessageBox::Cancel)->setText(inLanguage("&Annuleren", "&Cancel"));
    box.setEscapeButton(QMessageBox::Cancel);
    return execDialog(box) == QMessageBox::Ok;
}

void MainWindow::showMessage(MessageIcon icon, const std::string& caption,
                             const std::string& text) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(caption), shownText(text), QMessageBox::Ok,
                    this);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    execDialog(box);
}

std::optional<std::string> MainWindow::askInput(const std::string& title, const std::string& prompt,
                                                const std::string& initialText) {
    QInputDialog dialog(this);
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(shownText(prompt));
    dialog.setTextValue(QString::fromStdString(initialText));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(inLanguage("&Annuleren", "&Cancel"));
    if (execDialog(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<std::string> MainWindow::chooseOpenPath(const std::string& filter,
                                                      const std::string& initialDir) {
    auto chosen =
        showOpenDialog(OpenPanel::Mode::Preview, qtFileFilter(filter), localPath(initialDir));
    if (!chosen || chosen->path.isEmpty()) return std::nullopt;
    return editorPath(chosen->path);
}

std::optional<std::string> MainWindow::chooseSavePath(const std::string& filter,
                                                      const std::string& initialDir) {
    QString chosen = saveDialog_(qtFileFilter(filter), localPath(initialDir));
    if (chosen.isEmpty()) return std::nullopt;
    return editorPath(chosen);
}

void MainWindow::statusChanged(int panel, const std::string& text) {
    panels_.at(size_t(panel - 1))->setPanelText(QString::fromStdString(text));
}

void MainWindow::captionChanged(const std::string& caption) {
    // "[*]" is Qt's mark for the modified flag; doubled it shows as written.
    QString title = QString::fromStdString(caption);
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title);
}

void MainWindow::progressStarted(const std::string& label) {
    progress_->start(QString::fromStdString(label));
}

void MainWindow::progressShown(int step, const std::string& label) {
    progress_->showStep(step, QString::fromStdString(label));
}

void MainWindow::cancelOffered() {
    progress_->offerCancel(inLanguage("Annuleren", "Cancel"));
    // The pointer shows it can still click.
    if (busy_) QApplication::changeOverrideCursor(Qt::BusyCursor);
}

void MainWindow::progressEnded() {
    progress_->end();
}

void MainWindow::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void MainWindow::waitingForOutsideProgram() {
    WorkGate gate(progress_->cancelButton(), [this] { editor_.work().cancelWork(); });
    QCoreApplication::processEvents();
}

void MainWindow::run(const std::function<void()>& work, const std::function<void()>& whileWaiting) {
    std::exception_ptr failure;
    QEventLoop loop;
    const auto runWork = [&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    };
    std::thread worker;
    try {
        worker = std::thread(runWork);
    } catch (const std::system_error&) {
        runWork(); // no thread to be had: the work runs here, as short work always did
    }
    if (worker.joinable()) {
        // The views show their last pictures meanwhile: they are made from the samples, which
        // the work is changing.
        workRunning_ = true;
        views_->holdStill(true);
        WorkGate gate(progress_->cancelButton(), [this] { editor_.work().cancelWork(); });
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&] { whileWaiting(); });
        tick.start(40);
        loop.exec();
        worker.join();
        views_->holdStill(false);
        workRunning_ = false;
    }
    if (failure) std::rethrow_exception(failure);
}

void MainWindow::languageChanged() {
    // Qt's own texts (the file dialogs' labels, the context menus of text boxes) follow too.
    QCoreApplication::removeTranslator(&qtTexts_);
    if (editor_.language() == LanguageDutch &&
        qtTexts_.load(QLocale(QLocale::Dutch), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts_);
    volume_->clearText();
    menus_.setLanguage(editor_.language());
    // A button's tooltip is its menu item's caption, unless the row says more.
    for (QToolBar* bar : {toolbar1_, toolbar2_, toolbar3_})
        for (QAction* button : bar->actions()) {
            const CommandRow& row =
                *commandRow(button->property("command").toString().toStdString());
            QString tip = row.tipDutch ? inLanguage(row.tipDutch, row.tipEnglish)
                                       : inLanguage(row.dutch, row.english);
            button->setToolTip(tip.remove(u'&'));
        }
    refreshCheckMarks();
}

QString MainWindow::inLanguage(std::string_view dutch, std::string_view english) const {
    return QString::fromStdString(editor_.LangText(dutch, english));
}

void MainWindow::selectionChanged() {
    refreshCommandState();
    views_->showSelection();
}

void MainWindow::soundChanged(const SoundChange& change) {
    views_->soundChanged(change);
}

bool MainWindow::saveGraphic(const std::string& path) {
    return views_->graphic().save(localPath(path), "BMP");
}

void MainWindow::showFrames(double first, double last) {
    views_->showFrames(first, last);
}

void MainWindow::showWholeSound() {
    views_->showWholeSound();
}

void MainWindow::followDevice() {
    if (workRunning_) return;
    const Document& doc = editor_.doc();
    const int64_t position = device_.position();
    const bool active = editor_.transport().devicePlaying();
    const bool recording = editor_.transport().recording();
    const auto transport = std::pair{editor_.enabled(EnabledRule::SoundPlaying),
                                     editor_.enabled(EnabledRule::SoundSeekable)};
    if (transport != transport_) {
        transport_ = transport;
        refreshCommandState();
    }
    WaveformViews::PlayMarks marks;
    QString text;
    LevelDisplay levels;
    if (!active) {
        if (recording) text = inLanguage("Opnemen...", "Recording...");
    } else if (recording) {
        text =
            inLanguage("Opnemen: ", "Recording: ") +
            QString::fromStdString(FormatDuration(int32_t(std::min<int64_t>(position, INT32_MAX))));
    } else if (doc.SampleRate > 0) {
        // f: the playing point within the whole sound, in milliseconds.
        const Transport::Playing& playing = editor_.transport().playing();
        const double f = playing.startMs + double(position);
        const int32_t total = soundDurationMs(doc);
        if (!followingPlayback_) views_->playbackStarted();
        views_->followPlayback(f * doc.SampleRate / 1000);
        marks.cursor = views_->xAtFrame(f * doc.SampleRate / 1000);
        if (playing.fromFrame != 0) marks.begin = views_->xAtFrame(playing.fromFrame);
        if (playing.toFrame < doc.SampleCount - 1) marks.end = views_->xAtFrame(playing.toFrame);
        text = inLanguage("Afspelen: ", "Playing: ") +
               QString::fromStdString(FormatDuration(int32_t(roundToInt(f))) + " / " +
                                      FormatDuration(total));
        levels = levelDisplay(doc, editor_.transport().levelMeterChannel,
                              roundToInt(f * doc.SampleRate / 1000), volume_->levelWidth(),
                              volume_->levelHeight());
    }
    followingPlayback_ = active && !recording && doc.SampleRate > 0;
    views_->showPlayMarks(marks);
    if (panels_[4]->panelText() != text) panels_[4]->setPanelText(text);
    volume_->showLevels(levels.rows, levels.step, text);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // The two mark keys take the play position as the selection's start or end.
    if (event->key() == Qt::Key_BracketLeft || event->key() == Qt::Key_BracketRight) {
        const bool start = event->key() == Qt::Key_BracketLeft;
        editor_.runExclusive([&] { editor_.playback().markAtPlayPosition(start); });
        return;
    }
    // The zoom keys: + and - around the pointer (or the play cursor), Home and End.
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        views_->zoomBy(1 / WaveformViews::KeyZoom);
        return;
    case Qt::Key_Minus:
        views_->zoomBy(WaveformViews::KeyZoom);
        return;
    case Qt::Key_Home:
        views_->scrollToStart();
        return;
    case Qt::Key_End:
        views_->scrollToEnd();
        return;
    default:
        break;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    volume_->keepInside();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool moved = event->type() == QEvent::Resize || event->type() == QEvent::Move;
    if ((watched == views_ && moved) ||
        (watched == progress_ && (moved || event->type() == QEvent::Show)))
        volume_->keepInside();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::settingsChanged() {
    const Settings& settings = editor_.settings();
    refreshCheckMarks();
    views_->redrawNeeded();
    volume_->setVisible(settings.options.realTimeVolume);
    volume_->raise();
    const int room = settings.options.realTimeVolume ? volume_->height() : 0;
    if (volumeRoom_ && volumeRoom_->sizeHint().height() != room) {
        volumeRoom_->changeSize(0, room, QSizePolicy::Minimum, QSizePolicy::Fixed);
        centralWidget()->layout()->invalidate();
    }
    for (size_t i = 0; i < settings.recentFiles.size(); ++i) {
        const std::string& entry = settings.recentFiles[i];
        QAction* item = menus_.action("MMrecent" + std::to_string(i));
        item->setText(recentCaption(int(i), entry));
        item->setVisible(!entry.empty());
    }
    menus_.action("MMlijn4")->setVisible(!settings.recentFiles[0].empty());
}

// ---------------------------------------------------------------- closing

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close box runs Close; while another command is still running (a close box clicked
    // during one of its questions) the close is refused, and the user can close once it is done.
    if (!closed_) {
        closing_ = true;
        editor_.runCommand("MMclose");
        closing_ = false;
    }
    if (!closed_) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace sono
