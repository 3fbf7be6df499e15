#include "board/win32/board_canvas.h"

#include <cstdio>
#include <exception>
#include <string>

#include "board/board_geometry.h"
#include "board/focus_outline.h"
#include "board/place_layers.h"
#include "services/window_metrics.h"

namespace quarrow {

namespace {

std::wstring FaceName(Int16 code)
{
    wchar_t name[16];
    std::swprintf(name, 16, L"cards/%02d.gif", static_cast<int>(code));
    return name;
}

// A memory DC with bitmap selected into it, given back on destruction.
class MemoryDC {
public:
    MemoryDC(HDC compatible, HBITMAP bitmap)
        : dc_(CreateCompatibleDC(compatible))
        , old_(SelectObject(dc_, bitmap))
    {
    }
    ~MemoryDC()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

bool Intersect(const RECT& a, const RECT& b)
{
    RECT both;
    return IntersectRect(&both, &a, &b) != FALSE;
}

} // namespace

BoardCanvas::~BoardCanvas()
{
    FreeBuffers();
}

void BoardCanvas::FreeBuffers()
{
    if (background_)
        DeleteObject(background_);
    if (buffer_)
        DeleteObject(buffer_);
    background_ = nullptr;
    buffer_ = nullptr;
}

BoardCanvas::Ahead BoardCanvas::DecodeBoardAhead(bool doubleSize)
{
    // No thread to be had: the first paint decodes it, as it would anyway.
    try {
        return {std::async(std::launch::async, [doubleSize] { return LoadArtwork(L"board.gif", doubleSize); }),
                doubleSize};
    } catch (const std::exception&) {
        return {{}, doubleSize};
    }
}

void BoardCanvas::TakeBoardAhead(Ahead ahead)
{
    board_ahead_ = std::move(ahead.picture);
    ahead_double_ = ahead.doubleSize;
}

void BoardCanvas::SetScale(BoardScale scale)
{
    const bool sameDrawings = scaled_ && scale.doubleSize() == scale_.doubleSize();
    const bool sameSize = scaled_ && scale.dpi() == scale_.dpi();
    scale_ = scale;
    scaled_ = true;
    if (!sameSize)
        FreeBuffers();
    if (sameDrawings)
        return;
    frame_ = Picture();
    undo_ = Picture();
    for (Picture& face : faces_)
        face = Picture();
}

const Picture& BoardCanvas::Drawing(Picture& picture, const wchar_t* name)
{
    if (!picture.valid())
        picture = LoadArtwork(name, scale_.doubleSize());
    return picture;
}

const Picture& BoardCanvas::Face(Int16 code)
{
    return Drawing(faces_.at(static_cast<std::size_t>(code)), FaceName(code).c_str());
}

void BoardCanvas::PrepareBuffers(HDC target)
{
    const Size client = ClientSizeForRect(kBoardRight, kBoardBottom);
    const Size size(scale_.ToDevice(client.width()), scale_.ToDevice(client.height()));
    if (background_ && buffer_ && size == buffer_size_)
        return;
    FreeBuffers();
    buffer_size_ = size;
    background_ = CreateCompatibleBitmap(target, size.width(), size.height());
    buffer_ = CreateCompatibleBitmap(target, size.width(), size.height());
    // The board picture never changes: drawn once for the scale, copied
    // after, so its decoded pixels need not be kept.
    Picture board;
    if (board_ahead_.valid()) {
        // This runs inside WM_PAINT, where nothing may be thrown: whatever
        // went wrong on the decoding thread, decoding here again is the
        // answer.
        try {
            Picture ahead = board_ahead_.get();
            if (ahead_double_ == scale_.doubleSize())
                board = std::move(ahead);
        } catch (...) {
            board = Picture();
        }
    }
    if (!board.valid())
        board = LoadArtwork(L"board.gif", scale_.doubleSize());
    MemoryDC dc(target, background_);
    const RECT all {0, 0, size.width(), size.height()};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawPicture(dc, board, scale_.ToDevice(Rect(Point(0, 0), kBoardPictureSize)));
}

void BoardCanvas::Paint(HDC target, const RECT& area, const BoardModel& model, Rect focusOutline)
{
    PrepareBuffers(target);
    if (!background_ || !buffer_)
        return;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    MemoryDC buffer(target, buffer_);
    {
        MemoryDC background(target, background_);
        BitBlt(buffer, area.left, area.top, width, height, background, area.left, area.top, SRCCOPY);
    }
    IntersectClipRect(buffer, area.left, area.top, area.right, area.bottom);

    for (const Layer& layer : BoardLayers(model)) {
        const Rect rect = scale_.ToDevice(layer.rect);
        if (!layer.Draws() || !Intersect(ToRECT(rect), area))
            continue;
        switch (layer.place.kind) {
        case FocusPlace::Kind::Slot:
        case FocusPlace::Kind::Foundation:
            DrawPicture(buffer, Face(layer.face), rect);
            break;
        case FocusPlace::Kind::Frame:
            DrawPicture(buffer, Drawing(frame_, L"border.gif"), rect);
            break;
        case FocusPlace::Kind::Undo:
            DrawPicture(buffer, Drawing(undo_, L"undo.gif"), rect);
            break;
        case FocusPlace::Kind::None:
            break;
        }
    }

    if (!focusOutline.isEmpty() && Intersect(ToRECT(scale_.ToDevice(focusOutline)), area)) {
        const HBRUSH ink = CreateSolidBrush(RGB(kFocusInk.red, kFocusInk.green, kFocusInk.blue));
        for (const Rect& dash : FocusDashes(focusOutline)) {
            const RECT r = ToRECT(scale_.ToDevice(dash));
            FillRect(buffer, &r, ink);
        }
        DeleteObject(ink);
    }

    BitBlt(target, area.left, area.top, width, height, buffer, area.left, area.top, SRCCOPY);
}

} // namespace quarrow
