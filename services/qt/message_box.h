#pragma once

#include <QString>

class QWidget;

namespace quarrow {

// A modal message with an OK button only, titled with the application's name.
void ShowMessageBox(QWidget* parent, const QString& text);

} // namespace quarrow
