// Start-up: `sonoplexer [FILE]` opens the editor window; `sonoplexer --batch SCRIPT` runs a
// script without a window. `sonoplexer --help` lists every option.
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "BatchRunner.h"
#include "CommandLine.h"
#include "RunWindow.h"
#include "document/InfoFields.h"

int main(int argc, char** argv) {
    // Past the file-size limit a write then fails with an error that the program reports and
    // survives, instead of the signal ending the run and the user's unsaved work with it.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication::setApplicationName("sonoplexer");
    const sono::CommandLine line = sono::parseCommandLine({argv + 1, argv + argc});
    switch (line.action) {
    case sono::CommandLine::Action::Help:
        std::cout << sono::usageText();
        return 0;
    case sono::CommandLine::Action::Version:
        std::cout << sono::ProgramSignature << '\n';
        return 0;
    case sono::CommandLine::Action::Refuse:
        std::cerr << "sonoplexer: " << line.error << '\n' << sono::usageText();
        return 2;
    case sono::CommandLine::Action::Run:
        break;
    }
    // Qt sees only its own options: a file named "-style" after "--" stays a file name.
    std::vector<char*> toolkitArgs{argv[0]};
    for (const std::string& option : line.toolkitOptions)
        toolkitArgs.push_back(const_cast<char*>(option.c_str()));
    int toolkitArgc = int(toolkitArgs.size());
    toolkitArgs.push_back(nullptr);

    auto path = [](const std::optional<std::string>& folder) {
        return folder ? std::optional<std::filesystem::path>(*folder) : std::nullopt;
    };
    if (line.script) {
        // A script draws the views headless (its word `render`): no display is needed. What a
        // run writes is the program's own output; Qt's notes about the session it runs in (a
        // missing runtime folder outside a desktop) would only clutter it.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::cerr << text.toStdString() << '\n';
        });
        QGuiApplication app(toolkitArgc, toolkitArgs.data());
        return sono::runBatch({*line.script, path(line.settingsDir), path(line.tempDir)}, std::cin,
                              std::cout, std::cerr);
    }
    QApplication app(toolkitArgc, toolkitArgs.data());
    return sono::runWindow(app, path(line.settingsDir), path(line.tempDir), line.file);
}
