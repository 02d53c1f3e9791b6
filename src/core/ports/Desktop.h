#pragma once
// What the editor asks of the desktop it runs on: opening documents and web pages with the
// programs the user chose for them, starting a program, showing the window's about box and its
// hidden window, and taking the file association over into the desktop's own settings.
#include <string>
#include <vector>

namespace sono {

class ClassesRoot;

class Desktop {
  public:
    virtual ~Desktop() = default;

    // The editor's own executable, as the association's command names it.
    virtual std::string programPath() const = 0;
    // The program's shipped files (the manual among them), with a trailing separator.
    virtual std::string appDir() const = 0;
    // The folder of the executable, with a trailing separator: the sibling player stands there.
    virtual std::string programFolder() const = 0;
    // False when the desktop could not open it.
    virtual bool openDocument(const std::string& path) = 0;
    virtual bool openWebAddress(const std::string& address) = 0;
    // Starts a program with its arguments without waiting for it; false when it could not be
    // started.
    virtual bool startProgram(const std::string& path,
                              const std::vector<std::string>& arguments) = 0;
    // Makes the desktop's association of WAV files follow the store: the editor as their program,
    // with the sibling player's verb, or (when the store holds no association of the editor)
    // none of ours. False when it could not.
    virtual bool followAssociation(ClassesRoot& store) = 0;
    virtual void showAbout() = 0;
    virtual void showEgg() = 0;
};

} // namespace sono
