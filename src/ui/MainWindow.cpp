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
#include "ProgressArea.h"
#include "PropForm.h"
#include "document/StatusTexts.h"
#include "document/Texts.h"

namespace sono {

namespace {

// The check marks that mirror an option of the editor.
const std::pair<const char*, bool Options::*> OptionItems[] = {
    {"MMbeide", &Options::bothChannels},      {"MMluister", &Options::listenAfterChange},
    {"MMmetertje", &Options::realTimeVolume}, {"MMzoom", &Options::zoom},
    {"MMonbekend", &Options::unknownChunks},  {"MMtoonInfo", &Options::showInfo},
    {"MMtijdAangeven", &Options::showTime},
};

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
    : QMainWindow(parent), editor_(*this, std::move(folders)), menus_(*menuBar()),
      progress_(new ProgressArea), infoForm_(new InfoForm(editor_, this)),
      propForm_(new PropForm(editor_, this)) {
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

    menus_.setLanguage(editor_.language());
    connectCommands();
    refreshCommandState();
    openDialog_ = [this](const QString& filter, const QString& folder) {
        return showFileDialog(false, filter, folder);
    };
    saveDialog_ = [this](const QString& filter, const QString& folder) {
        return showFileDialog(true, filter, folder);
    };
    resize(820, 560);
}

void MainWindow::connectCommands() {
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"MMleeg", [this] { editor_.MMleeg(); }},
        {"MMopen", [this] { openFile(); }},
        {"MMsave", [this] { editor_.MMsave(); }},
        {"MMsaveAs", [this] { editor_.MMsaveAs(); }},
        {"MMinformatie", [this] { showInformation(); }},
        {"MMclose", [this] { close(); }},
        {"MMmetertje", [this] { editor_.MMmetertje(); }},
        {"MMtijdAangeven", [this] { editor_.MMtijdAangeven(); }},
        {"MMzoom", [this] { editor_.MMzoom(); }},
        {"MMbeide", [this] { editor_.MMbeide(); }},
        {"MMluister", [this] { editor_.MMluister(); }},
        {"MMtoonInfo", [this] { editor_.MMtoonInfo(); }},
        {"MMonbekend", [this] { editor_.MMonbekend(); }},
        {"MMeng", [this] { editor_.MMeng(); }},
        {"MMned", [this] { editor_.MMned(); }},
    };
    for (const auto& [name, run] : commands) {
        QAction* item = menus_.action(name);
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, run);
    }
    // A recent file opens with the item's caption, less its access key "&N", as display name.
    for (size_t i = 0; i < editor_.settings().recentFiles.size(); ++i) {
        QAction* item = menus_.action("MMrecent" + std::to_string(i));
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, [this, i] {
            std::string path = editor_.settings().recentFiles[i];
            editor_.OpenWave(path, " " + toLowerText(path.substr(path.find_last_of('/') + 1)));
        });
    }
    // Commands that need a sound; their enabled state follows the document (refreshCommandState).
    connect(menus_.action("MMprop"), &QAction::triggered, this, [this] { showProperties(); });
    for (const auto& [name, run] : soundCommands()) {
        QAction* item = menus_.action(name);
        item->setEnabled(false);
        connect(item, &QAction::triggered, this, [run = run, this] { (editor_.*run)(); });
    }
}

const std::vector<std::pair<std::string, void (Editor::*)()>>& MainWindow::soundCommands() {
    static const std::vector<std::pair<std::string, void (Editor::*)()>> commands = {
        {"MMundo", &Editor::MMundo},
        {"MMredo", &Editor::MMredo},
        {"MMcut", &Editor::MMcut},
        {"MMcopy", &Editor::MMcopy},
        {"MMpaste", &Editor::MMpaste},
        {"MMpasteMix", &Editor::MMpasteMix},
        {"MMpasteOverloper", &Editor::MMpasteOverloper},
        {"MMdel", &Editor::MMdel},
        {"MMerase", &Editor::MMerase},
        {"MMmute", &Editor::MMmute},
        {"MMSilence", &Editor::MMSilence},
        {"MMAlles", &Editor::MMAlles},
        {"MMNiets", &Editor::MMNiets},
        {"MMnormalize", &Editor::MMnormalize},
        {"MMreverse", &Editor::MMreverse},
        {"MMDempen", &Editor::MMDempen},
        {"MMalien", &Editor::MMalien},
        {"MMalien2", &Editor::MMalien2},
        {"MMsat", &Editor::MMsat},
        {"MMgekraak", &Editor::MMgekraak},
    };
    return commands;
}

void MainWindow::refreshCommandState() {
    const bool loaded = !editor_.doc().FileName.empty();
    for (const auto& [name, run] : soundCommands())
        menus_.action(name)->setEnabled(loaded);
    menus_.action("MMsave")->setEnabled(loaded);
    menus_.action("MMprop")->setEnabled(loaded);
    menus_.action("MMsaveAs")->setEnabled(loaded);
    for (const char* name : {"MMpaste", "MMpasteMix", "MMpasteOverloper"})
        menus_.action(name)->setEnabled(editor_.pasteEnabled());
    for (const char* name : {"MMdel", "MMcut", "MMerase", "MMmute"})
        menus_.action(name)->setEnabled(editor_.selectionEditsEnabled());
    menus_.action("MMundo")->setEnabled(editor_.undoEnabled());
    menus_.action("MMredo")->setEnabled(editor_.redoEnabled());
}

void MainWindow::openFromCommandLine(const std::string& argument) {
    editor_.OpenWave(argument, argument.substr(argument.find_last_of('/') + 1));
}

void MainWindow::openFile() {
    const QString filter = qtFileFilter(editor_.waveFileFilter());
    for (;;) {
        QString chosen = openDialog_(filter, localPath(editor_.settings().lastDir));
        if (chosen.isEmpty()) return;
        if (QFileInfo(chosen).isFile()) {
            editor_.openChosenFile(editorPath(chosen));
            return;
        }
    }
}

void MainWindow::showInformation() {
    infoForm_->load();
    execDialog(*infoForm_);
}

void MainWindow::showProperties() {
    if (editor_.doc().FileName.empty()) return;
    propForm_->load();
    if (execDialog(*propForm_) == QDialog::Accepted)
        editor_.ChangeProp(propForm_->bits(), propForm_->rate(), propForm_->channels());
}

void MainWindow::hideToolDialogs() {
    propForm_->hide();
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
    menus_.action("MMeng")->setChecked(editor_.language() == LanguageEnglish);
    menus_.action("MMned")->setChecked(editor_.language() == LanguageDutch);
}

void MainWindow::settingsChanged() {
    const Settings& settings = editor_.settings();
    for (const auto& [name, option] : OptionItems)
        menus_.action(name)->setChecked(settings.options.*option);
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
    // A close box clicked while a long loop redraws its progress would end the program under
    // that loop; such a close is refused, the user can close once the command is done.
    bool refused = !closed_ && (busy_ || progress_->isRunning() || !editor_.shutDown());
    if (refused) {
        event->ignore();
        return;
    }
    closed_ = true;
    event->accept();
}

} // namespace sono
