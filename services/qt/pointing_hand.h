#pragma once

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace quarrow {

// The pointing-hand cursor of the program's artwork, with the hot spot stored
// in the cursor file; the system's pointing hand if the artwork is missing.
QCursor PointingHandCursor();

// Builds a cursor from a .cur file. Qt reads the picture but not the hot spot,
// which sits in the first directory entry; returns false for anything that is
// not a readable cursor file.
bool LoadCursorFile(const QString& path, QCursor& cursor, qreal devicePixelRatio = 1.0);

// The "drag a control onto itself" gesture that turns a control into a
// clickable link: the pointer coming over the control begins it and shows the
// hand, leaving the control ends it, and a click on the control while it
// lasts is the drop, reported by dropped(). Only a shown, enabled control
// takes part.
class PointingHand : public QObject {
    Q_OBJECT

public:
    explicit PointingHand(QWidget* control);

    bool active() const { return active_; }

Q_SIGNALS:
    void dropped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Begin();
    void End();
    bool Usable() const;

    QPointer<QWidget> control_;
    QCursor hand_;
    bool active_ = false;
    bool pressed_ = false;
};

} // namespace quarrow
