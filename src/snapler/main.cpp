// Snapler: `snapler [--settings-dir DIR] [--] FILE.wav` plays the file in a small window, in the
// language of the editor's settings. The desktop's "Play Sound" action names the file as
// "C3FILE", as the association has always done.
#include <QApplication>

#include <csignal>
#include <filesystem>

#include "Folders.h"
#include "SnaplerWindow.h"
#include "support/Texts.h"
#include "settings/Settings.h"

namespace {
// The file named on the command line: the "C3" the association puts before it is not part of it.
std::string fileArgument(const std::string& argument) {
    std::error_code error;
    if (argument.starts_with("C3") && !std::filesystem::exists(argument, error) &&
        std::filesystem::exists(argument.substr(2), error))
        return argument.substr(2);
    return argument;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("sonoplexer");
    QApplication app(argc, argv);
    std::filesystem::path settingsDir;
    std::string file;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--settings-dir" && i + 1 < arguments.size() && file.empty())
            settingsDir = arguments[++i].toLocal8Bit().toStdString();
        else if (arguments[i] == "--" && i + 1 < arguments.size())
            file = arguments[++i].toLocal8Bit().toStdString();
        else if (file.empty())
            file = fileArgument(arguments[i].toLocal8Bit().toStdString());
    }
    if (settingsDir.empty()) settingsDir = sono::defaultSettingsDir();
    const auto settings = sono::readSettingsFile(settingsDir / "audio.dat", 0, 0);
    const uint8_t language = settings ? settings->language : uint8_t(sono::LanguageEnglish);
    sono::SnaplerWindow window(file, language);
    window.show();
    window.play();
    return app.exec();
}
