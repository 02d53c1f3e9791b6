#pragma once
// The editor's window: it owns the editor, shows what the editor reports (caption, status
// panels, progress, questions and messages) and turns menu choices into editor commands.
#include <QMainWindow>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CommandMenus.h"
#include "Editor.h"

class QDialog;
class QLabel;

namespace sono {

class InfoForm;
class ProgressArea;
class PropForm;

class MainWindow : public QMainWindow, public EditorHost {
    Q_OBJECT
  public:
    explicit MainWindow(EditorFolders folders, QWidget* parent = nullptr);

    Editor& editor() { return editor_; }
    const CommandMenus& menus() const { return menus_; }

    // Opens the file named on the command line; the caption shows only its last path part.
    void openFromCommandLine(const std::string& argument);

    // Shows a file dialog with a Qt filter and a start folder and returns the chosen path, or ""
    // when the user cancels. The window uses its own QFileDialogs unless it is given others.
    using FileDialog = std::function<QString(const QString& filter, const QString& folder)>;
    void setOpenDialog(FileDialog dialog) { openDialog_ = std::move(dialog); }
    void setSaveDialog(FileDialog dialog) { saveDialog_ = std::move(dialog); }

    // ---- EditorHost ----
    Answer ask(MessageIcon icon, const std::string& caption, const std::string& text) override;
    void showMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override;
    std::optional<std::string> askInput(const std::string& title, const std::string& prompt,
                                        const std::string& initialText) override;
    std::optional<std::string> chooseSavePath(const std::string& filter,
                                              const std::string& initialDir) override;
    void statusChanged(int panel, const std::string& text) override;
    void captionChanged(const std::string& caption) override;
    void progressStarted(const std::string& label) override;
    void progressShown(int step, const std::string& label) override;
    void progressEnded() override;
    void setBusy(bool busy) override;
    void selectionChanged() override { refreshCommandState(); }
    void languageChanged() override;
    void settingsChanged() override;
    void hideToolDialogs() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void connectCommands();
    // The commands that act on the sound, enabled only while one is loaded.
    static const std::vector<std::pair<std::string, void (Editor::*)()>>& soundCommands();
    // Which commands can be used now: the document, the selection, the undo levels, the clip.
    void refreshCommandState();
    void openFile();
    void showInformation();
    void showProperties();
    QString showFileDialog(bool saving, const QString& filter, const QString& folder);
    int execDialog(QDialog& dialog);

    Editor editor_;
    CommandMenus menus_;
    std::array<QLabel*, 4> panels_{};
    ProgressArea* progress_;
    InfoForm* infoForm_;
    PropForm* propForm_;
    FileDialog openDialog_;
    FileDialog saveDialog_;
    bool busy_ = false;
    bool closed_ = false;
};

} // namespace sono
