#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "services/plane.h"

namespace Gdiplus {
class Bitmap;
}

namespace quarrow {

// GDI+ is started for as long as one of these lives; main() holds one for the
// whole run, and every Picture must be gone before it ends.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

// A decoded picture. Empty (not valid) when its bytes could not be read or decoded.
class Picture {
public:
    Picture();
    explicit Picture(std::unique_ptr<Gdiplus::Bitmap> bitmap);
    Picture(Picture&&) noexcept;
    Picture& operator=(Picture&&) noexcept;
    ~Picture();

    bool valid() const { return bitmap_ != nullptr; }
    // In the picture's own pixels (a @2x picture is twice the size it is drawn at).
    int width() const;
    int height() const;
    Gdiplus::Bitmap* bitmap() const { return bitmap_.get(); }

private:
    std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

// The artwork built into the program, by its path under assets/ as the
// resource script names it: "cards/07.gif", "notice_win.gif", case ignored.
// With doubleSize the @2x drawing ("cards/07@2x.gif") is taken where there is
// one, else the ordinary one.
Picture LoadArtwork(std::wstring_view name, bool doubleSize);

// The resource name for an artwork path: upper case, anything but letters
// and digits an underscore, so "cards/07@2x.gif" is L"CARDS_07_2X_GIF".
std::wstring ArtworkResourceName(std::wstring_view name);

// The raw bytes of a built-in artwork file; empty when there is none.
std::string ArtworkBytes(std::wstring_view name);

// A picture from a file's bytes (GIF, PNG, BMP, ICO...).
Picture DecodePicture(const std::string& bytes);

// Draws the picture into target (client pixels), keeping GIF transparency.
// A picture drawn at its own size is copied pixel for pixel; one drawn at
// another size is scaled, by whole pixels for whole-number factors (the
// card drawings stay crisp) and smoothly otherwise.
void DrawPicture(HDC dc, const Picture& picture, Rect target);

// An icon of about size x size pixels from an .ico file's bytes: the entry
// that fits size best. nullptr when the bytes are no icon. The caller owns
// it (DestroyIcon).
HICON IconFromFile(const std::string& bytes, int size);

// The pointing hand over links and places, from the built-in hand.cur with
// its hot spot; the @2x drawing when doubleSize and there is one. Loaded once
// per size and kept for the run. Falls back to the system's hand.
HCURSOR PointingHandCursor(bool doubleSize);

} // namespace quarrow
