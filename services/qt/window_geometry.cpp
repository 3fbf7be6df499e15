#include "services/qt/window_geometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <map>

namespace quarrow {

namespace {

// The frame the window manager gave the last window of each kind that was
// mapped: the best guess for the next one before it is mapped, so that in the
// usual case it appears centred at once instead of settling a pixel or ten
// later. A frameless window has no frame to guess.
std::map<int, QMargins> frames_seen;

int FrameKind(const QWidget* window)
{
    return window->windowFlags().testFlag(Qt::FramelessWindowHint) ? -1 : static_cast<int>(window->windowType());
}

QMargins FrameGuess(const QWidget* window)
{
    if (FrameKind(window) == -1)
        return {};
    if (const auto seen = frames_seen.find(FrameKind(window)); seen != frames_seen.end())
        return seen->second;
    // A kind not seen yet most likely gets the frame of the windows that were.
    for (const auto& [kind, frame] : frames_seen) {
        if (kind != -1)
            return frame;
    }
    return {};
}

void MoveCentred(QWidget* window, const QMargins& frame)
{
    QScreen* screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The whole screen rather than its available area: the windows are small
    // enough to clear any panel, and the middle of the screen is where the
    // player expects them, whatever panels the desktop has.
    const QRect area = screen->geometry();
    const QSize outer = window->size().grownBy(frame);
    // Qt places a top-level window by its frame's corner.
    window->move(area.topLeft() + ToQPoint(CenteredTopLeft(Size(area.width(), area.height()), Size(outer.width(), outer.height()))));
}

// Waits for the window's first exposure, when its real frame is known, and
// centres it again if that frame differs from the guess it was placed with.
class CentreWhenFramed final : public QObject {
public:
    CentreWhenFramed(QWidget* window, const QMargins& guess)
        : QObject(window)
        , window_(window)
        , guess_(guess)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle()) {
            window_->windowHandle()->installEventFilter(this);
        } else if (window_ && watched == window_->windowHandle() && event->type() == QEvent::Expose
                   && window_->windowHandle()->isExposed()) {
            const QMargins frame = window_->windowHandle()->frameMargins();
            frames_seen[FrameKind(window_)] = frame;
            if (frame != guess_)
                MoveCentred(window_, frame);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    QMargins guess_;
};

} // namespace

void CentreOnScreen(QWidget* window)
{
    if (window->isVisible()) {
        MoveCentred(window, window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins());
        return;
    }
    const QMargins guess = FrameGuess(window);
    MoveCentred(window, guess);
    new CentreWhenFramed(window, guess);
}

void SizeAndCentre(QWidget* window, QSize client)
{
    window->setFixedSize(client);
    CentreOnScreen(window);
}

} // namespace quarrow
