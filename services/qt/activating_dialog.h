#pragma once

#include <QDialog>

namespace quarrow {

// A dialog with an activation hook: Form_Activate() runs every time the dialog
// becomes the active window, not only the first time it is shown. The focus
// coming back from a window the dialog opened itself (its message box) is no
// new activation: the player never left the dialog.
class ActivatingDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

protected:
    virtual void Form_Activate() = 0;

    bool event(QEvent* event) override;

private:
    bool lent_to_own_window_ = false;
};

} // namespace quarrow
