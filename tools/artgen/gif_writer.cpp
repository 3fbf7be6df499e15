#include "gif_writer.h"

#include <gif_lib.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <stdexcept>
#include <string>

namespace {
int bitsFor(size_t entries)
{
    int bits = 1;
    while ((size_t(1) << bits) < entries)
        ++bits;
    if ((size_t(1) << bits) != entries || bits > 8)
        throw std::runtime_error("colour table size must be a power of two up to 256");
    return bits;
}

[[noreturn]] void fail(const QString& path, int error)
{
    throw std::runtime_error("writing " + path.toStdString() + ": " + GifErrorString(error));
}
} // namespace

void writeGif(const QString& path, const IndexedPicture& picture, GifFormat format)
{
    const int bits = bitsFor(picture.palette.size());
    QDir().mkpath(QFileInfo(path).absolutePath());

    std::vector<GifColorType> colours;
    for (QRgb c : picture.palette)
        colours.push_back(GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
    ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
    if (!map)
        throw std::runtime_error("out of memory");

    int error = 0;
    const QByteArray name = QFile::encodeName(path);
    GifFileType* gif = EGifOpenFileName(name.constData(), false, &error);
    if (!gif) {
        GifFreeMapObject(map);
        fail(path, error);
    }
    EGifSetGifVersion(gif, format.gif89);
    bool ok = EGifPutScreenDesc(gif, picture.width, picture.height, bits, 0, map) == GIF_OK;
    if (ok && format.transparentIndex >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = format.transparentIndex;
        GifByteType block[4];
        EGifGCBToExtension(&gcb, block);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < picture.height; ++y) {
        auto* row = const_cast<GifPixelType*>(picture.pixels.data() + size_t(y) * size_t(picture.width));
        ok = EGifPutLine(gif, row, picture.width) == GIF_OK;
    }
    const int writeError = gif->Error;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK && ok)
        fail(path, error);
    if (!ok)
        fail(path, writeError);
    // giflib creates the file private to its owner; these are ordinary data files.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}
