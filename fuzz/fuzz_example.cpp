// Any bytes as the example picture: the loader either refuses them or the
// viewer lays them out with a scroll range it can hold.
#include <QApplication>
#include <QPixmap>
#include <cstdint>
#include <cstdlib>

#include "windows/qt/scroller_form.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Keep huge declared sizes from turning into gigabyte allocations.
    setenv("QT_IMAGEIO_MAXALLOC", "64", 1);
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QPixmap picture;
    if (!picture.loadFromData(data, static_cast<uint>(size)))
        return 0;
    quarrow::ScrollerForm form(picture);
    // The frame fills the 316-pixel-high window and has a 2-pixel border.
    constexpr int kInnerHeight = 312;
    const auto& bar = form.scroller();
    if (bar.min() != 0 || bar.value() != 0)
        std::abort();
    if ((bar.max() < 0) != (picture.height() > kInnerHeight))
        std::abort();
    if (bar.largeChange() != kInnerHeight || bar.smallChange() != 62)
        std::abort();
    return 0;
}
