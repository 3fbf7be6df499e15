#include "services/qt/activating_dialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace quarrow {
namespace {

class CountingDialog final : public ActivatingDialog {
public:
    int activations = 0;

protected:
    void Form_Activate() override { ++activations; }
};

TEST(ActivatingDialog, RunsTheHookWhenAModalDialogComesUp)
{
    CountingDialog dialog;
    int seen_while_open = -1;
    QTimer::singleShot(0, [&] {
        // Activation arrives through the window system, possibly after this
        // timer; wait for it rather than assume an order.
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.activations > 0; }));
        seen_while_open = dialog.activations;
        if (auto* modal = QApplication::activeModalWidget())
            static_cast<QDialog*>(modal)->accept();
    });
    dialog.exec();

    EXPECT_EQ(seen_while_open, 1);
    EXPECT_EQ(dialog.activations, 1);
}

TEST(ActivatingDialog, RunsTheHookAgainOnEveryReactivation)
{
    CountingDialog dialog;
    QWidget elsewhere;
    int after_return = -1;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.activations > 0; }));
        // The player switches to another window and back.
        elsewhere.show();
        elsewhere.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isActiveWindow(); }));
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.activations > 1; }));
        after_return = dialog.activations;
        dialog.accept();
    });
    dialog.exec();

    EXPECT_EQ(after_return, 2);
}

// Closing a message box the dialog opened gives the focus back to the dialog:
// the player never left it, so its view must not be chosen again.
TEST(ActivatingDialog, FocusBackFromItsOwnMessageBoxIsNoNewActivation)
{
    CountingDialog dialog;
    int after_box = -1;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.activations > 0; }));
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(QTest::qWaitFor([] { return qobject_cast<QMessageBox*>(QApplication::activeWindow()); }));
            static_cast<QMessageBox*>(QApplication::activeWindow())->accept();
        });
        QMessageBox box(QMessageBox::NoIcon, QString(), QStringLiteral("oops"), QMessageBox::Ok, &dialog);
        box.exec();
        // As the window manager does once the box is gone.
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isActiveWindow(); }));
        after_box = dialog.activations;
        dialog.accept();
    });
    dialog.exec();

    EXPECT_EQ(after_box, 1);
}

} // namespace
} // namespace quarrow
