#pragma once
// The desktop as the window reaches it: documents and web pages open in the programs the user
// chose (through xdg-open), programs start on their own, the association is taken over into the
// user's freedesktop settings, and the about box and the hidden window open over the window.
#include <functional>

#include "ports/Desktop.h"

class QWidget;

namespace sono {

class WindowDesktop : public Desktop {
  public:
    // `language` tells the language of the moment, for the texts of the two windows.
    WindowDesktop(QWidget* window, std::function<uint8_t()> language)
        : window_(window), language_(std::move(language)) {}

    std::string programPath() const override;
    std::string appDir() const override;
    std::string programFolder() const override;
    bool openDocument(const std::string& path) override;
    bool openWebAddress(const std::string& address) override;
    bool startProgram(const std::string& path, const std::vector<std::string>& arguments) override;
    bool followAssociation(ClassesRoot& store) override;
    void showAbout() override;
    void showEgg() override;

  private:
    QWidget* window_;
    std::function<uint8_t()> language_;
};

} // namespace sono
