#pragma once
// The folders the program works in: its shipped files, the user's settings and a private
// folder for work files.
#include <filesystem>
#include <optional>
#include <string>

namespace sono {

// The program's shipped files: "share" beside the executable in a build tree, else the
// installed <prefix>/share/sonoplexer. With a trailing separator.
std::string appDir();
// The per-user settings folder (created when missing).
std::filesystem::path defaultSettingsDir();
// The user's documents folder, or the home folder when there is none, with a trailing separator.
std::string documentsDir();

// The editor's private folder inside the system temporary folder (mode 0700), which holds the
// windows' run folders and the single-window lock. An existing one is reused only when it is a
// real folder owned by this user; otherwise a fresh one is made.
std::optional<std::filesystem::path> privateTempDir();
// A fresh private folder that nobody else uses (for a batch run); removed by the caller.
std::optional<std::filesystem::path> freshTempDir();
// A new folder for one window's work files inside `parent` (the private work folder), mode 0700,
// named "run-PID-XXXXXX": a folder left by a crashed run is never reused. Removed by the caller.
std::optional<std::filesystem::path> makeRunFolder(const std::filesystem::path& parent);
// A folder named on the command line for work files: created (mode 0700) when missing. Returns
// why it cannot serve, as one line without a line end, or "" when it can: it must be a real
// folder (not a link to one) of this user that nobody else may write in, since work files in a
// shared folder could be swapped for links by another user.
std::string prepareWorkFolder(const std::filesystem::path& folder);

} // namespace sono
