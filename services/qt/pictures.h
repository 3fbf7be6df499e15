#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace quarrow {

// Loads a picture such as ":/assets/x.gif", taking "x@2x.gif" instead on a
// high-density screen when it exists. The @2x pixmap carries a device pixel
// ratio of 2, so it lays out at the same logical size as the 1x one.
QPixmap LoadPicture(const QString& resourcePath);

// The "@2x" sibling of a picture path: ":/a/x.gif" -> ":/a/x@2x.gif".
QString HighDensityPath(const QString& path);

// Reads a picture file from disk whole (LoadWholeFile: anything but a regular
// file is unreadable) and decodes it by its contents. On failure the image is
// null and why says what is wrong with the file, to follow its name in a
// message: "is missing", "is a folder, not a picture", "is not a regular
// file", "cannot be read (permission denied)" or "cannot be loaded as a
// picture (reason)".
QImage ReadPictureFile(const QString& path, QString& why);

} // namespace quarrow
