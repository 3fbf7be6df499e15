#pragma once

#include <QPixmap>
#include <QWidget>

#include "rules/game.h"
#include "rules/indexed_array.h"

class QLabel;

namespace quarrow {

class PicturePlace;

// The client area of the board window: the board picture over the window
// colour, and every picture place in its fixed stacking order. It knows the
// board only through BoardModel and shows what the model says.
class BoardSurface final : public QWidget {
    Q_OBJECT

public:
    explicit BoardSurface(QWidget* parent);

    // Sizes and positions the slots, foundations and undo arrow.
    void PlacePlaces();

    // Brings every place in line with the model, touching only what differs
    // from the model applied last, so only changed places repaint.
    void Apply(const BoardModel& model);
    const BoardModel& applied() const { return applied_; }

    PicturePlace* slot(int index) const { return slots_[index]; }
    PicturePlace* foundation(int index) const { return foundations_[index]; }
    // The stock's place of a card code, its face loaded.
    PicturePlace* card(int code) const;
    PicturePlace* buffer() const { return buffer_; }
    PicturePlace* border() const { return border_; }
    PicturePlace* undo() const { return undo_; }
    QLabel* splash() const { return splash_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap Face(Int16 code) const;
    void ShowSlot(int index, const Place& place);
    void ShowFoundation(int index, const Place& place);
    void ShowBorder(const BoardModel& model);

    QPixmap background_;
    IndexedArray<PicturePlace*, 1, kCardCount> cards_ {};
    IndexedArray<PicturePlace*, 0, kSlotCount> slots_ {};
    IndexedArray<PicturePlace*, 1, kFoundationCount> foundations_ {};
    PicturePlace* buffer_ = nullptr;
    PicturePlace* border_ = nullptr;
    QLabel* splash_ = nullptr;
    PicturePlace* undo_ = nullptr;
    BoardModel applied_;
};

} // namespace quarrow
