#pragma once

class QDialog;

namespace quarrow {

// Shows the dialog modally and, once it has closed, gives the keyboard back
// to the window it was opened over, to the control that had it there. A
// window manager usually does that by itself; without one the keyboard would
// stay nowhere. Returns what exec() returns.
int ShowModal(QDialog& dialog);

} // namespace quarrow
