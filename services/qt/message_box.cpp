#include "services/qt/message_box.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace quarrow {

void ShowMessageBox(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace quarrow
