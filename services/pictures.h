#pragma once

#include <QPixmap>
#include <QString>

namespace quarrow {

// Loads a picture such as ":/assets/x.gif", taking "x@2x.gif" instead on a
// high-density screen when it exists. The @2x pixmap carries a device pixel
// ratio of 2, so it lays out at the same logical size as the 1x one.
QPixmap LoadPicture(const QString& resourcePath);

// The "@2x" sibling of a picture path: ":/a/x.gif" -> ":/a/x@2x.gif".
QString HighDensityPath(const QString& path);

} // namespace quarrow
