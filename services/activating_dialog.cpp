#include "services/activating_dialog.h"

#include <QEvent>

namespace quarrow {

bool ActivatingDialog::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

} // namespace quarrow
