#include "RunWindow.h"

#include <QElapsedTimer>
#include <QWindow>

#include <iostream>

#include "Folders.h"
#include "MainWindow.h"

namespace sono {

int runWindow(QApplication& app, const std::optional<std::filesystem::path>& settingsDir,
              const std::optional<std::filesystem::path>& tempDir,
              const std::optional<std::string>& fileToOpen) {
    std::optional<std::filesystem::path> workDir = tempDir ? tempDir : privateTempDir();
    if (!workDir || !prepareFolder(*workDir)) {
        std::cerr << "sonoplexer: cannot make a folder for work files\n";
        return 2;
    }
    MainWindow window({settingsDir.value_or(defaultSettingsDir()), *workDir, documentsDir()});
    window.editor().startUp();
    window.show();
    // The file named on the command line is read once the window is on the screen, so that the
    // progress of reading it can be seen.
    QElapsedTimer waited;
    waited.start();
    while (!window.windowHandle()->isExposed() && waited.elapsed() < 2000)
        app.processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (fileToOpen) window.openFromCommandLine(*fileToOpen);
    return app.exec();
}

} // namespace sono
