#include "services/qt/message_box.h"

#include <QGuiApplication>
#include <QMessageBox>

#include "services/qt/modal_window.h"

namespace quarrow {

void ShowMessageBox(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    ShowModal(box);
}

} // namespace quarrow
