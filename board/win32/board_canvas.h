#pragma once

#include <windows.h>

#include <array>
#include <future>

#include "rules/board_model.h"
#include "board/win32/board_scale.h"
#include "services/win32/pictures.h"

namespace quarrow {

// Draws the board window's client area as the places' layering makes it: the
// window colour, the board picture, the slots and foundations, the selection
// frame over them with the card showing through its inside, the undo arrow
// over everything, and the keyboard focus's outline on top. Everything is
// drawn off the screen first and copied in one go, so nothing flickers.
class BoardCanvas {
public:
    BoardCanvas() = default;
    ~BoardCanvas();
    BoardCanvas(const BoardCanvas&) = delete;
    BoardCanvas& operator=(const BoardCanvas&) = delete;

    // Starts decoding the board picture on a thread of its own, for the
    // first paint to take: the first decode, which loads the system's
    // codecs, costs as much as making the window, and the two can overlap.
    struct Ahead {
        std::future<Picture> picture;
        bool doubleSize = false;
    };
    static Ahead DecodeBoardAhead(bool doubleSize);
    void TakeBoardAhead(Ahead ahead);
    // Takes the pictures drawn for the scale (the @2x ones from 144 dpi on).
    void SetScale(BoardScale scale);
    const BoardScale& scale() const { return scale_; }

    // Paints area (device pixels of the client area). focusOutline is in
    // design pixels; empty for no mark.
    void Paint(HDC target, const RECT& area, const BoardModel& model, Rect focusOutline);

private:
    const Picture& Face(Int16 code);
    // Decoded the first time it is drawn: a board just started shows neither
    // a card, the selection frame nor the undo arrow.
    const Picture& Drawing(Picture& picture, const wchar_t* name);
    void PrepareBuffers(HDC target);
    void FreeBuffers();

    BoardScale scale_;
    bool scaled_ = false;
    std::future<Picture> board_ahead_;
    bool ahead_double_ = false;
    Picture frame_;
    Picture undo_;
    std::array<Picture, kCardCount + 1> faces_; // by card code; 0 unused
    HBITMAP background_ = nullptr; // window colour and board picture, at the scale
    HBITMAP buffer_ = nullptr;
    Size buffer_size_;
};

} // namespace quarrow
