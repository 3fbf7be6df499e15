#include "services/qt/activating_dialog.h"

#include <QApplication>
#include <QEvent>

namespace quarrow {

namespace {

// A window other than the dialog that has the dialog among its parents.
bool OpenedBy(const QWidget* window, const QWidget* dialog)
{
    if (!window || window == dialog)
        return false;
    for (const QWidget* up = window->parentWidget(); up; up = up->parentWidget()) {
        if (up == dialog)
            return true;
    }
    return false;
}

} // namespace

bool ActivatingDialog::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        // The window taking over is already modal (a message box is made modal
        // before it is mapped) or already active.
        lent_to_own_window_ = OpenedBy(QApplication::activeModalWidget(), this)
            || OpenedBy(QApplication::activeWindow(), this);
        break;
    case QEvent::WindowActivate:
        if (!lent_to_own_window_)
            Form_Activate();
        lent_to_own_window_ = false;
        break;
    default:
        break;
    }
    return handled;
}

} // namespace quarrow
