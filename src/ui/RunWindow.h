#pragma once
// Opens the editor window and runs the event loop until it closes.
#include <QApplication>

#include <filesystem>
#include <optional>
#include <string>

namespace sono {

int runWindow(QApplication& app, const std::optional<std::filesystem::path>& settingsDir,
              const std::optional<std::filesystem::path>& tempDir,
              const std::optional<std::string>& fileToOpen);

} // namespace sono
