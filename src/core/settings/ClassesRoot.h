#pragma once
// The store that keeps the file association: keys named by paths with backslashes
// (".wav", "wav File\shell\open\command"), each with string values by name ("" is the key's
// default value). It lives in one text file in the settings folder; every call reads the file
// and every change writes it again whole, so the store is what the file says between calls.
// Key paths are compared without regard to the case of ASCII letters, as the names are meant.
#include <filesystem>
#include <string>

namespace sono {

class ClassesRoot {
  public:
    enum class Result {
        Success,
        NotFound,   // the key or the value is not there
        NotWritten, // the file could not be written (or read) again
    };

    explicit ClassesRoot(std::filesystem::path file) : file_(std::move(file)) {}

    // Whether the key is there; creating a key creates its parents too.
    bool keyExists(const std::string& path);
    void createKey(const std::string& path);
    // Creates the key when needed and sets the value, trimmed of blanks at both ends.
    void setValue(const std::string& path, const std::string& name, const std::string& value);
    // The value cut at its first zero character, or "" when the key or the value is missing.
    std::string getValue(const std::string& path, const std::string& name);
    // Deletes the child with everything below it; true when it was there and is gone.
    bool deleteKey(const std::string& parentPath, const std::string& childName);
    // The result of the last call.
    Result lastResult() const { return lastResult_; }

    const std::filesystem::path& file() const { return file_; }

  private:
    std::filesystem::path file_;
    Result lastResult_ = Result::Success;
};

} // namespace sono
