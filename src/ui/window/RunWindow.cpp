#include "RunWindow.h"

#include <QMessageBox>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <iostream>

#include "Folders.h"
#include "MainWindow.h"
#include "WorkFolderLock.h"

namespace sono {

namespace {

// Another window of this user is running: this one says so and ends before it is shown or has
// touched a file. Its caption becomes a title no other window has, as the program's title did.
int refuseSecondWindow() {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Program already running... ") +
                          QString::number(QRandomGenerator::global()->bounded(1000)));
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Sonoplexer"),
                    QStringLiteral("Sonoplexer is already running. You can't open Sonoplexer "
                                   "twice at the same time."),
                    QMessageBox::Ok, &window);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return 1;
}

} // namespace

int runWindow(QApplication& app, const std::optional<std::filesystem::path>& settingsDir,
              const std::optional<std::filesystem::path>& tempDir,
              const std::optional<std::string>& fileToOpen) {
    std::optional<std::filesystem::path> userDir = privateTempDir();
    if (!userDir) {
        std::cerr << "sonoplexer: cannot make a folder for work files\n";
        return 2;
    }
    // One window per user at a time; the lock is held until the window has closed. A window
    // that crashed leaves the file unheld, and the next one takes it over.
    WorkFolderLock instance;
    const std::filesystem::path instanceFile = *userDir / "instance.lock";
    switch (instance.lockFile(instanceFile, true)) {
    case WorkFolderLock::State::Taken:
        break;
    case WorkFolderLock::State::Busy:
        return refuseSecondWindow();
    default:
        std::cerr << "sonoplexer: cannot lock " << instanceFile.string() << ": "
                  << std::strerror(instance.error()) << '\n';
        return 2;
    }

    // The work files go to a new folder of this run, so a folder left by a crashed run keeps its
    // files; a folder named with --temp-dir must not be another run's.
    std::optional<std::filesystem::path> runDir;
    if (!tempDir) runDir = makeRunFolder(*userDir);
    const std::optional<std::filesystem::path>& workDir = tempDir ? tempDir : runDir;
    if (!workDir) {
        std::cerr << "sonoplexer: cannot make a folder for work files\n";
        return 2;
    }
    if (std::string problem = prepareWorkFolder(*workDir); !problem.empty()) {
        std::cerr << "sonoplexer: " << problem << '\n';
        return 2;
    }
    std::error_code ignored;
    WorkFolderLock workLock;
    auto state = workLock.lockFolder(*workDir);
    // Windows that ended unexpectedly left their folders behind: the sound kept last in any of
    // them is offered back once this window is up. A folder named with --temp-dir is taken
    // over, and its snapshots count also when its lock file was left empty or was removed; the
    // abandoned run folders of the private folder go after the answer.
    std::vector<std::filesystem::path> crashedFolders = abandonedRunFolders(*userDir);
    if (state == WorkFolderLock::State::Stale)
        state = workLock.lockFile(*workDir / WorkFolderLock::FileName, true);
    if (state != WorkFolderLock::State::Taken) {
        std::cerr << "sonoplexer: " << refusalText(state, *workDir, workLock.error()) << '\n';
        if (runDir) std::filesystem::remove_all(*runDir, ignored);
        return 2;
    }
    crashedFolders.push_back(*workDir);
    std::optional<NewSound> crashed = readCrashedSound(crashedFolders);
    std::erase(crashedFolders, *workDir);

    int status = 0;
    {
        MainWindow window({settingsDir.value_or(defaultSettingsDir()), *workDir, documentsDir()});
        window.editor().startUp();
        window.show();
        QTimer::singleShot(0, &window, [&] {
            if (crashed) window.editor().history().offerRecovery(std::move(*crashed));
            crashed.reset();
            for (const auto& folder : crashedFolders)
                std::filesystem::remove_all(folder, ignored);
            window.finishStartUp(fileToOpen);
        });
        status = app.exec();
    }
    // Closing the window has removed the work files; the run's own folder goes with its lock.
    workLock.release();
    if (runDir) std::filesystem::remove_all(*runDir, ignored);
    return status;
}

} // namespace sono
