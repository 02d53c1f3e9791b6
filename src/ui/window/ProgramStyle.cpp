#include "ProgramStyle.h"

#include <QApplication>
#include <QStyleFactory>

namespace sono {

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returned) const {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returned);
}

void ProgramStyle::install() {
    if (qobject_cast<ProgramStyle*>(QApplication::style())) return;
    // A style of its own underneath: the application deletes the one it replaces.
    QApplication::setStyle(new ProgramStyle(QStyleFactory::create(QApplication::style()->name())));
}

} // namespace sono
