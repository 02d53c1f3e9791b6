#include "WorkGate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace sono {

WorkGate::WorkGate(QWidget* cancelButton, std::function<void()> cancel)
    : cancelButton_(cancelButton), cancel_(std::move(cancel)) {
    QCoreApplication::instance()->installEventFilter(this);
}

WorkGate::~WorkGate() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool WorkGate::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            cancel_();
            return true; // taken: it goes no further up the widgets
        }
        [[fallthrough]];
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Close:
        event->ignore();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (watched == cancelButton_ && cancelButton_->isVisible()) return false;
        event->ignore();
        return true;
    default:
        return false;
    }
}

} // namespace sono
