#pragma once
// The editor's window: it owns the editor, shows what the editor reports (caption, status
// panels, progress, questions and messages) and turns menu choices into the commands of the
// editor's table, asking a command's parameters with its dialog first.
#include <QMainWindow>
#include <QTranslator>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CommandMenus.h"
#include "CommandRows.h"
#include "OpenPanel.h"
#include "ProcessCoder.h"
#include "QtWaveDevice.h"
#include "TagLibMp3Tags.h"
#include "WindowDesktop.h"
#include "editor/Editor.h"

class QDialog;
class QLabel;
class QSpacerItem;
class QTimer;
class QToolBar;

namespace sono {

class EffectDialogs;
class InformationDialog;
class MorseDialog;
class SynthesizerDialog;
class StatusPanel;
class VolumePanel;
class WaveformViews;
class ProgressArea;
class PropertiesDialog;

class MainWindow : public QMainWindow, public UserDialogs, public ViewObserver, public WorkRunner {
    Q_OBJECT
  public:
    explicit MainWindow(EditorFolders folders, QWidget* parent = nullptr);
    ~MainWindow() override;

    Editor& editor() { return editor_; }
    const CommandMenus& menus() const { return menus_; }

    // Opens the file named on the command line; the caption shows only its last path part.
    void openFromCommandLine(const std::string& argument);
    // The last steps of the start, once the window is shown: the file named on the command line
    // (read when the window is on the screen, so its progress can be seen), then the greetings
    // of the day.
    void finishStartUp(const std::optional<std::string>& fileToOpen);

    // Shows a file dialog with a Qt filter and a start folder and returns the chosen path, or ""
    // when the user cancels. The window uses its own save dialog unless it is given another.
    using FileDialog = std::function<QString(const QString& filter, const QString& folder)>;
    void setSaveDialog(FileDialog dialog) { saveDialog_ = std::move(dialog); }

    // ---- UserDialogs ----
    Answer ask(MessageIcon icon, const std::string& caption, const std::string& text) override;
    bool confirm(MessageIcon icon, const std::string& caption, const std::string& text) override;
    void showMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override;
    std::optional<std::string> askInput(const std::string& title, const std::string& prompt,
                                        const std::string& initialText) override;
    std::optional<std::string> chooseOpenPath(const std::string& filter,
                                              const std::string& initialDir) override;
    std::optional<std::string> chooseSavePath(const std::string& filter,
                                              const std::string& initialDir) override;
    // ---- ViewObserver ----
    void statusChanged(int panel, const std::string& text) override;
    void captionChanged(const std::string& caption) override;
    void progressStarted(const std::string& label) override;
    void progressShown(int step, const std::string& label) override;
    void cancelOffered() override;
    void progressEnded() override;
    void setBusy(bool busy) override;
    void waitingForOutsideProgram() override;
    void selectionChanged() override;
    void soundChanged(const SoundChange& change) override;
    bool saveGraphic(const std::string& path) override;
    void showFrames(double first, double last) override;
    void showWholeSound() override;
    void languageChanged() override;
    void settingsChanged() override;
    void hideToolDialogs() override;
    void programClosed() override;
    // ---- WorkRunner ----
    // The work goes to a thread of its own; meanwhile the window repaints and takes only Cancel.
    void run(const std::function<void()>& work, const std::function<void()>& whileWaiting) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Asks a command's parameters with its dialog; nullopt when the user cancelled (or the

    // A menu item or toolbar button and the command it runs, with the arguments the item itself
    // supplies (the number of a recent-file item).
    struct Binding {
        QAction* action;
        const Command* command;
        Arguments fixed;
        bool pictureWhenEnabled = false; // a menu item that shows its picture only when enabled
    };

    void buildToolbars();
    // `Timer1`: the play cursor, the range markers, panel 5, the level display and the enabled
    // state of Stop, Rewind and Forward follow the sound device.
    void followDevice();
    void connectCommands();
    void bind(QAction* action, const Command& command, Arguments fixed, bool pictureWhenEnabled);
    void runMenuCommand(const Command& command, const Arguments& fixed);
    // Which commands can be used now, by the table's rules; a command whose parameters this
    // window cannot ask yet stays disabled.
    void refreshCommandState();
    void refreshCheckMarks();
    // The values of a command that has them, asked in its dialog; nullopt when cancelled.
    std::optional<Arguments> askValues(ValuesDialog dialog);
    std::optional<Arguments> askProperties();
    QString showSaveDialog(const QString& filter, const QString& folder);
    void playPreview(const std::string& path);
    void playPreview(const SoundInMemory& sound);
    // A text in the current language.
    QString inLanguage(std::string_view dutch, std::string_view english) const;
    // The open dialog with the panel in `mode`; nullopt when the user cancelled.
    std::optional<OpenChoice> showOpenDialog(OpenPanel::Mode mode, const QString& filter,
                                             const QString& folder);
    int execDialog(QDialog& dialog);
    std::optional<Arguments> askMp3Import();
    std::optional<Arguments> askMp3Export();

    QtWaveDevice device_;
    QtWaveDevice preview_; // the synthesizer's preview, beside the sound's own playback
    ProcessCoder coder_;
    TagLibMp3Tags tags_;
    WindowDesktop desktop_;
    Editor editor_;
    CommandMenus menus_;
    std::array<StatusPanel*, 5> panels_{};
    ProgressArea* progress_;
    InformationDialog* informationDialog_;
    PropertiesDialog* propertiesDialog_;
    OpenPanel* openPanel_;
    EffectDialogs* effectDialogs_;
    SynthesizerDialog* synthesizer_;
    MorseDialog* morse_;
    FileDialog saveDialog_;
    std::vector<Binding> bindings_;
    WaveformViews* views_ = nullptr;
    VolumePanel* volume_ = nullptr;
    QSpacerItem* volumeRoom_ = nullptr; // the room kept for the volume panel under the views
    QToolBar* toolbar1_ = nullptr;
    QToolBar* toolbar2_ = nullptr;
    QToolBar* toolbar3_ = nullptr;
    QTranslator qtTexts_; // Qt's own texts in Dutch
    QTimer* timer1_ = nullptr;
    std::pair<bool, bool> transport_{false, false}; // Stop, and Rewind and Forward, enabled
    bool busy_ = false;
    bool workRunning_ = false;       // long work runs on its thread: nothing may touch the sound
    bool followingPlayback_ = false; // the views follow the sound being played
    int mp3Bitrate_ = 96;            // the export's bitrate, kept while the program runs
    bool closed_ = false;
    bool closing_ = false; // inside the close event
};

} // namespace sono
