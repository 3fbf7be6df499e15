#include "services/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quarrow {

QSize ClientSizeForRect(int right, int bottom)
{
    return {right + 1, bottom + 1};
}

QPoint CenteredTopLeft(QSize screen, QSize window)
{
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2};
}

void SizeAndCentre(QWidget* window, QSize client)
{
    window->setFixedSize(client);

    QScreen* screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;

    // The whole screen rather than its available area: the windows are small
    // enough to clear any panel, and the middle of the screen is where the
    // player expects them, whatever panels the desktop has. Before the first
    // show the frame is not known yet, so the client size stands for the
    // window size; once shown, the real frame is used.
    const QSize outer = window->isVisible() ? window->frameGeometry().size() : client;
    const QRect area = screen->geometry();
    window->move(area.topLeft() + CenteredTopLeft(area.size(), outer));
}

} // namespace quarrow
