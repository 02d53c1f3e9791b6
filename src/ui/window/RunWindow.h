#pragma once
// Opens the editor window and runs the event loop until it closes.
#include <QApplication>

#include <filesystem>
#include <optional>
#include <string>

namespace sono {

// Returns the exit status: the event loop's, 1 when another window of this user is running (it
// says so in a message box), 2 when the folder for work files cannot be made or is another run's.
int runWindow(QApplication& app, const std::optional<std::filesystem::path>& settingsDir,
              const std::optional<std::filesystem::path>& tempDir,
              const std::optional<std::string>& fileToOpen);

} // namespace sono
