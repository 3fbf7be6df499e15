#include "services/pictures.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace quarrow {

QString HighDensityPath(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash + 1)
        return path + QStringLiteral("@2x");
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

QPixmap LoadPicture(const QString& resourcePath)
{
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        const QString dense = HighDensityPath(resourcePath);
        if (QFileInfo::exists(dense)) {
            QPixmap pixmap(dense);
            if (!pixmap.isNull()) {
                pixmap.setDevicePixelRatio(2.0);
                return pixmap;
            }
        }
    }
    return QPixmap(resourcePath);
}

} // namespace quarrow
