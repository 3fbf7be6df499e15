#include "services/qt/modal_window.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace quarrow {

int ShowModal(QDialog& dialog)
{
    QPointer<QWidget> owner = dialog.parentWidget() ? dialog.parentWidget()->window() : QApplication::activeWindow();
    QPointer<QWidget> control = owner ? owner->focusWidget() : nullptr;
    const int result = dialog.exec();
    // Unless another modal window still stands over it.
    QWidget* modal = QApplication::activeModalWidget();
    if (owner && owner->isVisible() && (!modal || modal == owner)) {
        owner->activateWindow();
        if (control && control->isVisible())
            control->setFocus(Qt::ActiveWindowFocusReason);
    }
    return result;
}

} // namespace quarrow
