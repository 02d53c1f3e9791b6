// Start-up: `sonoplexer [FILE]` opens the editor window; `sonoplexer --batch SCRIPT` runs a
// script without a window. --settings-dir and --temp-dir move the folders the program uses.
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <csignal>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "BatchRunner.h"
#include "Folders.h"
#include "RunWindow.h"

namespace {

void printUsage() {
    std::cerr << "usage: sonoplexer [--settings-dir DIR] [--temp-dir DIR] [FILE]\n"
                 "       sonoplexer --batch SCRIPT [--settings-dir DIR] [--temp-dir DIR]\n";
}

} // namespace

int main(int argc, char** argv) {
    // Past the file-size limit a write then fails with an error that the program reports and
    // survives, instead of the signal ending the run and the user's unsaved work with it.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication::setApplicationName("sonoplexer");
    std::optional<std::string> script;
    std::optional<std::filesystem::path> settingsDir, tempDir;
    std::optional<std::string> file;
    for (int i = 1; i < argc; ++i) {
        auto takeValue = [&](const char* option) -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "sonoplexer: " << option << " needs a value\n";
                printUsage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (std::strcmp(argv[i], "--batch") == 0)
            script = takeValue("--batch");
        else if (std::strcmp(argv[i], "--settings-dir") == 0)
            settingsDir = takeValue("--settings-dir");
        else if (std::strcmp(argv[i], "--temp-dir") == 0)
            tempDir = takeValue("--temp-dir");
        else if (std::strcmp(argv[i], "--help") == 0) {
            printUsage();
            return 0;
        } else if (!file)
            file = argv[i];
        else {
            printUsage();
            return 2;
        }
    }
    if (script) {
        // A script draws the views headless (its word `render`): no display is needed. What a
        // run writes is the program's own output; Qt's notes about the session it runs in (a
        // missing runtime folder outside a desktop) would only clutter it.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::cerr << text.toStdString() << '\n';
        });
        QGuiApplication app(argc, argv);
        return sono::runBatch({*script, settingsDir, tempDir}, std::cin, std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    return sono::runWindow(app, settingsDir, tempDir, file);
}
