#pragma once

#include <functional>

#include <QObject>

#include "board/focus_keeper.h"
#include "rules/board_model.h"

class QWidget;

namespace quarrow {

class BoardSurface;
class FocusMark;

// Playing the board from the keyboard: one place holds the focus, the arrows
// and Tab move it, Space and Enter raise on it the event a click there
// raises. The mark is drawn only once a board key has been pressed, and a
// mouse click hides it again; a click on a place also moves the focus there.
// The focused place is the accessible focus, so a screen reader follows it.
class KeyboardPlay final : public QObject {
    Q_OBJECT

public:
    // activate raises the place's click (its drop, for the undo arrow) through
    // the window's own handlers, exactly as the mouse does.
    KeyboardPlay(BoardSurface& surface, FocusMark& mark, std::function<void(FocusPlace)> activate);

    // After every event, with the board as the window now shows it.
    void Follow(const BoardModel& model);
    // A new deal: the focus starts again on fan 1.
    void Dealt(const BoardModel& model);

    FocusPlace current() const { return keeper_.current(); }
    bool markShown() const { return keeper_.markShown(); }
    // The accessible focus: the focused place while the board has the focus.
    bool HasFocus(FocusPlace place) const;

    QWidget* WidgetOf(FocusPlace place) const;
    FocusPlace PlaceOf(const QWidget* widget) const;
    // What Space does on a place; the accessible "press" action of the place.
    void Activate(FocusPlace place);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool KeyPressed(int key, Qt::KeyboardModifiers modifiers);
    // Carries out what the keeper asked for, and redraws the mark.
    void Apply(const FocusOutcome& outcome);
    void UpdateMark();
    void Announce();

    BoardSurface& surface_;
    FocusMark& mark_;
    std::function<void(FocusPlace)> activate_;
    FocusKeeper keeper_;
    // Focus events raised so far, to tell whether one came since the board
    // took the keyboard.
    int announced_ = 0;
};

} // namespace quarrow
