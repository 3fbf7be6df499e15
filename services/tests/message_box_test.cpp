#include "services/qt/message_box.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(ShowMessageBox, IsModalWithTheAppTitleAndOnlyAnOkButton)
{
    QWidget owner;
    owner.show();

    QString title, text;
    bool modal = false;
    qsizetype buttons = -1;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        modal = box->isModal();
        buttons = box->buttons().size();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    ShowMessageBox(&owner, QStringLiteral("Could not open the web page."));

    EXPECT_EQ(title, QGuiApplication::applicationDisplayName());
    EXPECT_FALSE(title.isEmpty());
    EXPECT_EQ(text, QStringLiteral("Could not open the web page."));
    EXPECT_TRUE(modal);
    EXPECT_EQ(buttons, 1);
}

} // namespace
} // namespace quarrow
