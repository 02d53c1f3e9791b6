#pragma once
// The window's menus, built from the command table. Every item starts disabled; the window
// enables the ones it connects to a command.
#include <cstdint>
#include <map>
#include <string>

class QAction;
class QMenu;
class QMenuBar;

namespace sono {

class CommandMenus {
  public:
    explicit CommandMenus(QMenuBar& bar);

    // The item of that name (for a menu: the item that opens it); throws for an unknown name.
    QAction* action(const std::string& name) const;
    QMenu* menu(const std::string& name) const;
    // Every caption from the table's column for that language (1 Dutch, any other English).
    void setLanguage(uint8_t language);

  private:
    std::map<std::string, QAction*> actions_;
    std::map<std::string, QMenu*> menus_;
};

} // namespace sono
