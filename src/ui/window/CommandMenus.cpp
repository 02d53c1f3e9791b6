#include "CommandMenus.h"

#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "CommandRows.h"
#include "support/Texts.h"

namespace sono {

CommandMenus::CommandMenus(QMenuBar& bar) {
    std::map<std::string, QActionGroup*> radioGroups; // one group per menu holding radio items
    for (const CommandRow& row : commandRows()) {
        QMenu* parent = *row.parent ? menus_.at(row.parent) : nullptr;
        QAction* action = nullptr;
        switch (row.kind) {
        case MenuItemKind::Menu: {
            QMenu* menu = parent ? parent->addMenu(QString()) : bar.addMenu(QString());
            menu->setObjectName(row.name);
            menus_[row.name] = menu;
            action = menu->menuAction();
            break;
        }
        case MenuItemKind::Separator:
            action = parent->addSeparator();
            break;
        default:
            action = parent->addAction(QString());
            action->setEnabled(false);
            action->setCheckable(row.kind != MenuItemKind::Command);
            if (*row.shortcut)
                action->setShortcut(
                    QKeySequence(QString::fromUtf8(row.shortcut), QKeySequence::PortableText));
            if (row.kind == MenuItemKind::Radio) {
                QActionGroup*& group = radioGroups[row.parent];
                if (!group) group = new QActionGroup(parent);
                group->addAction(action);
            }
        }
        action->setObjectName(row.name);
        action->setVisible(!row.startsHidden);
        actions_[row.name] = action;
    }
}

QAction* CommandMenus::action(const std::string& name) const {
    return actions_.at(name);
}

QMenu* CommandMenus::menu(const std::string& name) const {
    return menus_.at(name);
}

void CommandMenus::setLanguage(uint8_t language) {
    for (const CommandRow& row : commandRows()) {
        const char* caption = language == LanguageDutch ? row.dutch : row.english;
        // Separators have no caption, and the recent files keep the names they were given.
        if (!*caption) continue;
        if (row.kind == MenuItemKind::Menu)
            menus_.at(row.name)->setTitle(QString::fromUtf8(caption));
        else
            actions_.at(row.name)->setText(QString::fromUtf8(caption));
    }
}

} // namespace sono
