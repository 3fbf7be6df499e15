#include "services/win32/pictures.h"

// GDI+'s headers use min and max unqualified.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>
#include <objidl.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include "services/icon_check.h"

namespace quarrow {

GdiplusSession::GdiplusSession()
{
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok)
        token_ = 0;
}

GdiplusSession::~GdiplusSession()
{
    if (token_ != 0)
        Gdiplus::GdiplusShutdown(token_);
}

Picture::Picture() = default;
Picture::Picture(std::unique_ptr<Gdiplus::Bitmap> bitmap) : bitmap_(std::move(bitmap)) {}
Picture::Picture(Picture&&) noexcept = default;
Picture& Picture::operator=(Picture&&) noexcept = default;
Picture::~Picture() = default;

int Picture::width() const
{
    return bitmap_ ? static_cast<int>(bitmap_->GetWidth()) : 0;
}

int Picture::height() const
{
    return bitmap_ ? static_cast<int>(bitmap_->GetHeight()) : 0;
}

namespace {

// A bitmap read from a stream keeps reading the stream for as long as it
// lives; copied into a bitmap of its own, every pixel is decoded once and the
// stream can go. Premultiplied alpha is what drawing wants, so drawing the
// cards is a plain blend.
std::unique_ptr<Gdiplus::Bitmap> Decoded(Gdiplus::Bitmap& source)
{
    const INT width = static_cast<INT>(source.GetWidth());
    const INT height = static_cast<INT>(source.GetHeight());
    if (width <= 0 || height <= 0)
        return nullptr;
    auto copy = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppPARGB);
    if (copy->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    Gdiplus::Graphics graphics(copy.get());
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    if (graphics.DrawImage(&source, 0, 0, width, height) != Gdiplus::Ok)
        return nullptr;
    return copy;
}

std::wstring WithDoubleSize(std::wstring_view name)
{
    const std::size_t slash = name.find_last_of(L'/');
    const std::size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring_view::npos || (slash != std::wstring_view::npos && dot < slash))
        return std::wstring(name) + L"@2x";
    return std::wstring(name.substr(0, dot)) + L"@2x" + std::wstring(name.substr(dot));
}

// An .ico or .cur file: its directory, one entry per drawing.
struct IconEntry {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::uint16_t hot_x = 0;
    std::uint16_t hot_y = 0;
    std::size_t offset = 0;
    std::size_t size = 0;
};

std::uint16_t Word(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at])
                                      | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t DoubleWord(const std::string& bytes, std::size_t at)
{
    return std::uint32_t {Word(bytes, at)} | std::uint32_t {Word(bytes, at + 2)} << 16;
}

// The entries of an icon (type 1) or cursor (type 2) file whose drawings lie
// wholly inside it and hold what their headers claim; none for anything else.
std::vector<IconEntry> IconEntries(const std::string& bytes, std::uint16_t type)
{
    constexpr std::size_t kHeader = 6;
    constexpr std::size_t kEntry = 16;
    std::vector<IconEntry> entries;
    if (bytes.size() < kHeader || Word(bytes, 0) != 0 || Word(bytes, 2) != type)
        return entries;
    const std::size_t count = Word(bytes, 4);
    if (bytes.size() < kHeader + count * kEntry)
        return entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeader + i * kEntry;
        IconEntry entry;
        // A width or height of 0 stands for 256.
        entry.width = static_cast<unsigned char>(bytes[at]) == 0 ? 256 : static_cast<unsigned char>(bytes[at]);
        entry.height = static_cast<unsigned char>(bytes[at + 1]) == 0 ? 256 : static_cast<unsigned char>(bytes[at + 1]);
        // Icons keep planes and bits per pixel here, cursors the hot spot.
        entry.hot_x = Word(bytes, at + 4);
        entry.hot_y = Word(bytes, at + 6);
        entry.bits = type == 1 ? Word(bytes, at + 6) : 0;
        entry.size = DoubleWord(bytes, at + 8);
        entry.offset = DoubleWord(bytes, at + 12);
        if (entry.size == 0 || entry.offset > bytes.size() || entry.size > bytes.size() - entry.offset)
            continue;
        // The system reads a bitmap drawing by its own header's sizes.
        if (!IconDrawingFits(std::string_view(bytes).substr(entry.offset, entry.size)))
            continue;
        entries.push_back(entry);
    }
    return entries;
}

// The smallest drawing at least size wide, the richest in colour among
// equals; the largest when all are smaller.
const IconEntry* BestEntry(const std::vector<IconEntry>& entries, int size)
{
    const IconEntry* best = nullptr;
    for (const IconEntry& entry : entries) {
        if (!best) {
            best = &entry;
            continue;
        }
        const bool fits = entry.width >= size;
        const bool bestFits = best->width >= size;
        if (fits != bestFits) {
            if (fits)
                best = &entry;
        } else if (entry.width != best->width) {
            if (fits ? entry.width < best->width : entry.width > best->width)
                best = &entry;
        } else if (entry.bits > best->bits) {
            best = &entry;
        }
    }
    return best;
}

constexpr DWORD kIconFormatVersion = 0x00030000;

HCURSOR CursorFromFile(const std::string& bytes)
{
    const std::vector<IconEntry> entries = IconEntries(bytes, 2);
    if (entries.empty())
        return nullptr;
    const IconEntry& entry = entries.front();
    // A cursor resource is its drawing after its hot spot.
    std::vector<BYTE> resource(4 + entry.size);
    const std::uint16_t hotSpot[2] = {entry.hot_x, entry.hot_y};
    std::memcpy(resource.data(), hotSpot, sizeof hotSpot);
    std::memcpy(resource.data() + 4, bytes.data() + entry.offset, entry.size);
    return CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE, kIconFormatVersion,
                                    0, 0, LR_DEFAULTCOLOR);
}

} // namespace

std::wstring ArtworkResourceName(std::wstring_view name)
{
    std::wstring upper(name);
    for (wchar_t& c : upper) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
        else if (!(c >= L'A' && c <= L'Z') && !(c >= L'0' && c <= L'9'))
            c = L'_';
    }
    return upper;
}

std::string ArtworkBytes(std::wstring_view name)
{
    const HMODULE program = GetModuleHandleW(nullptr);
    const std::wstring resourceName = ArtworkResourceName(name);
    const HRSRC found = FindResourceW(program, resourceName.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!found)
        return {};
    const HGLOBAL loaded = LoadResource(program, found);
    const DWORD size = SizeofResource(program, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || size == 0)
        return {};
    return std::string(static_cast<const char*>(data), size);
}

namespace {

// A stream over a copy of the bytes, from ole32 alone (the shell's light-weight
// helper would add one more system library to the program's imports).
IStream* MemoryStream(const void* bytes, std::size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return nullptr;
    if (void* at = GlobalLock(memory)) {
        std::memcpy(at, bytes, size);
        GlobalUnlock(memory);
    }
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) {
        GlobalFree(memory);
        return nullptr;
    }
    return stream;
}

} // namespace

Picture DecodePicture(const std::string& bytes)
{
    if (bytes.empty() || bytes.size() > UINT_MAX)
        return {};
    IStream* stream = MemoryStream(bytes.data(), bytes.size());
    if (!stream)
        return {};
    std::unique_ptr<Gdiplus::Bitmap> decoded;
    {
        std::unique_ptr<Gdiplus::Bitmap> source(Gdiplus::Bitmap::FromStream(stream));
        if (source && source->GetLastStatus() == Gdiplus::Ok)
            decoded = Decoded(*source);
    }
    stream->Release();
    return Picture(std::move(decoded));
}

Picture LoadArtwork(std::wstring_view name, bool doubleSize)
{
    if (doubleSize) {
        Picture dense = DecodePicture(ArtworkBytes(WithDoubleSize(name)));
        if (dense.valid())
            return dense;
    }
    return DecodePicture(ArtworkBytes(name));
}

void DrawPicture(HDC dc, const Picture& picture, Rect target)
{
    if (!picture.valid() || target.isEmpty())
        return;
    Gdiplus::Graphics graphics(dc);
    const int width = picture.width();
    const int height = picture.height();
    const bool wholeFactor = (target.width() % width == 0 && target.height() % height == 0)
        || (width % target.width() == 0 && height % target.height() == 0);
    graphics.SetInterpolationMode(wholeFactor ? Gdiplus::InterpolationModeNearestNeighbor
                                              : Gdiplus::InterpolationModeHighQualityBicubic);
    // Pixel centres on half pixels: without it nearest-neighbour scaling
    // drops half a pixel at the top and left edges.
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighSpeed);
    Gdiplus::ImageAttributes attributes;
    // Scaling must not smear the edge pixels into transparent surroundings.
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    graphics.DrawImage(picture.bitmap(), Gdiplus::Rect(target.x(), target.y(), target.width(), target.height()), 0, 0,
                       width, height, Gdiplus::UnitPixel, &attributes);
}

HICON IconFromFile(const std::string& bytes, int size)
{
    const std::vector<IconEntry> entries = IconEntries(bytes, 1);
    const IconEntry* best = BestEntry(entries, size);
    if (!best)
        return nullptr;
    // CreateIconFromResourceEx reads the drawing in place; it does not keep it.
    std::vector<BYTE> image(bytes.begin() + static_cast<std::ptrdiff_t>(best->offset),
                            bytes.begin() + static_cast<std::ptrdiff_t>(best->offset + best->size));
    return CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, kIconFormatVersion, size, size,
                                    LR_DEFAULTCOLOR);
}

HCURSOR PointingHandCursor(bool doubleSize)
{
    // Shared for the whole run, like a system cursor: never destroyed.
    static std::map<bool, HCURSOR> cursors;
    const auto known = cursors.find(doubleSize);
    if (known != cursors.end())
        return known->second;
    HCURSOR cursor = nullptr;
    if (doubleSize)
        cursor = CursorFromFile(ArtworkBytes(L"hand@2x.cur"));
    if (!cursor)
        cursor = CursorFromFile(ArtworkBytes(L"hand.cur"));
    if (!cursor)
        cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649) /* IDC_HAND */);
    cursors[doubleSize] = cursor;
    return cursor;
}

} // namespace quarrow
