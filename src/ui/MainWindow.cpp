#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "FileFilter.h"
#include "InfoForm.h"
#include "MenuTree.h"
#include "ProgressArea.h"
#include "PropForm.h"
#include "document/StatusTexts.h"
#include "document/Texts.h"

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
    : QMainWindow(parent), editor_(EditorPorts{*this, *this, device_, coder_}, std::move(folders)),
      menus_(*menuBar()), progress_(new ProgressArea), infoForm_(new InfoForm(editor_, this)),
      propForm_(new PropForm(editor_, this)), bijOpen_(new BijOpen(editor_, this)) {
    setWindowTitle(ProgramCaption);

    // The channel views will stand here; until then a dark surface keeps their place.
    auto* views = new QWidget;
    views->setObjectName("views");
    views->setAutoFillBackground(true);
    QPalette dark = views->palette();
    dark.setColor(QPalette::Window, QColor(24, 24, 32));
    views->setPalette(dark);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(views, 1);
    layout->addWidget(progress_);
    setCentralWidget(central);

    for (size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("panel%1").arg(i + 1));
        panel->setTextFormat(Qt::PlainText);
        panel->setContentsMargins(4, 0, 4, 0);
        // Permanent widgets stay put when a menu item's status tip passes over the bar.
        statusBar()->addPermanentWidget(panel, i == 0 ? 1 : 0);
        panels_[i] = panel;
    }

    parameterDialogs_["MMprop"] = [this] { return askProperties(); };
    parameterDialogs_["MMopenAlles"] = [this]() -> std::optional<Arguments> {
        auto chosen = showOpenDialog(
            BijOpen::Mode::RawFormat,
            qtFileFilter(editor_.LangText("Alle Bestanden (*.*)|*.*", "All Files (*.*)|*.*")),
            localPath(editor_.settings().lastDir));
        if (!chosen) return std::nullopt;
        const BijOpen::RawFormat& format = chosen->format;
        return Arguments{editorPath(chosen->path), int64_t(format.bits == 8 ? 0 : 1), format.rate,
                         int64_t(format.channels == 2 ? 1 : 0)};
    };
    // Previews are heard once the window has its sound output; until then Play does nothing.
    bijOpen_->setPlayer([](const QString&) {});
    parameterDialogs_["MMinformatie"] = [this]() -> std::optional<Arguments> {
        // The dialog copies every text it changed into the document itself.
        infoForm_->load();
        execDialog(*infoForm_);
        return std::nullopt;
    };
    menus_.setLanguage(editor_.language());
    connectCommands();
    refreshCommandState();
    openDialog_ = [this](const QString& filter, const QString& folder) {
        auto chosen = showOpenDialog(BijOpen::Mode::Preview, filter, folder);
        return chosen ? chosen->path : QString();
    };
    saveDialog_ = [this](const QString& filter, const QString& folder) {
        return showFileDialog(true, filter, folder);
    };
    resize(820, 560);
}

void MainWindow::connectCommands() {
    for (const MenuItem& row : menuTree()) {
        auto [command, fixed] = commandOfItem(row.name);
        if (!command) continue;
        connect(menus_.action(row.name), &QAction::triggered, this,
                [this, command = command, fixed = fixed] { runMenuCommand(*command, fixed); });
    }
}

void MainWindow::runMenuCommand(const Command& command, const Arguments& fixed) {
    Arguments arguments = fixed;
    if (command.params.size() > fixed.size()) {
        auto asked = parameterDialogs_.at(command.id)();
        if (!asked) return;
        arguments = *asked;
    }
    editor_.runCommand(command.id, arguments);
    refreshCommandState();
}

void MainWindow::refreshCommandState() {
    for (const MenuItem& row : menuTree()) {
        auto [command, fixed] = commandOfItem(row.name);
        if (!command) continue;
        const bool askable =
            command->params.size() <= fixed.size() || parameterDialogs_.contains(command->id);
        menus_.action(row.name)->setEnabled(askable && editor_.enabled(command->enabled));
    }
}

void MainWindow::refreshCheckMarks() {
    for (const MenuItem& row : menuTree())
        if (const Command* command = findCommand(row.name); command && command->checked)
            menus_.action(row.name)->setChecked(command->checked(editor_));
}

void MainWindow::openFromCommandLine(const std::string& argument) {
    editor_.runExclusive(
        [&] { editor_.OpenWave(argument, argument.substr(argument.find_last_of('/') + 1)); });
}

std::optional<Arguments> MainWindow::askProperties() {
    propForm_->load();
    if (execDialog(*propForm_) != QDialog::Accepted) return std::nullopt;
    return Arguments{int64_t(propForm_->bits() == 8 ? 0 : 1), double(propForm_->rate()),
                     int64_t(propForm_->channels() == 2 ? 1 : 0)};
}

void MainWindow::hideToolDialogs() {
    propForm_->hide();
}

void MainWindow::programClosed() {
    closed_ = true;
    if (!closing_) close();
}

QString MainWindow::showFileDialog(bool saving, const QString& filter, const QString& folder) {
    QString title = QString::fromStdString(saving ? editor_.LangText("Opslaan Als", "Save As")
                                                  : editor_.LangText("Openen", "Open"));
    QFileDialog dialog(this, title, folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The editor asks its own question about an existing file.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (execDialog(dialog) != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

std::optional<OpenChoice> MainWindow::showOpenDialog(BijOpen::Mode mode, const QString& filter,
                                                     const QString& folder) {
    OpenDialog dialog(this, *bijOpen_, mode, filter, folder);
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

void MainWindow::showMessage(MessageIcon icon, const std::string& caption,
                             const std::string& text) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(caption), shownText(text), QMessageBox::Ok,
                    this);
    box.setTextFormat(Qt::PlainText);
    execDialog(box);
}

std::optional<std::string> MainWindow::askInput(const std::string& title, const std::string& prompt,
                                                const std::string& initialText) {
    QInputDialog dialog(this);
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(shownText(prompt));
    dialog.setTextValue(QString::fromStdString(initialText));
    if (execDialog(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<std::string> MainWindow::chooseOpenPath(const std::string& filter,
                                                      const std::string& initialDir) {
    QString chosen = openDialog_(qtFileFilter(filter), localPath(initialDir));
    if (chosen.isEmpty()) return std::nullopt;
    return editorPath(chosen);
}

std::optional<std::string> MainWindow::chooseSavePath(const std::string& filter,
                                                      const std::string& initialDir) {
    QString chosen = saveDialog_(qtFileFilter(filter), localPath(initialDir));
    if (chosen.isEmpty()) return std::nullopt;
    return editorPath(chosen);
}

void MainWindow::statusChanged(int panel, const std::string& text) {
    panels_.at(size_t(panel - 1))->setText(QString::fromStdString(text));
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

void MainWindow::languageChanged() {
    menus_.setLanguage(editor_.language());
    refreshCheckMarks();
}

void MainWindow::settingsChanged() {
    const Settings& settings = editor_.settings();
    refreshCheckMarks();
    int style = std::clamp(settings.options.graphStyle, 0, 6);
    menus_.action("MMgrafiek" + std::to_string(style + 1))->setChecked(true);
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
