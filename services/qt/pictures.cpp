#include "services/qt/pictures.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

#include "services/file_loading.h"
#include "services/file_trouble.h"

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

namespace {

QString Words(std::string_view words)
{
    return QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size()));
}

QString WhyFileUnreadable(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return Words(WhyUnreadable(FileTrouble::Missing));
    if (file.isDir())
        return Words(WhyUnreadable(FileTrouble::Folder));
    if (!file.isFile())
        return Words(WhyUnreadable(FileTrouble::NotRegular));
    return Words(WhyUnreadable(FileTrouble::NoPermission));
}

} // namespace

QImage ReadPictureFile(const QString& path, QString& why)
{
    std::string bytes;
    if (!LoadWholeFile(QFile::encodeName(path).toStdString(), bytes)) {
        why = WhyFileUnreadable(path);
        return {};
    }
    QByteArray data = QByteArray::fromStdString(bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // By the contents alone: Qt takes a format named by the caller at its word
    // and gives up when the bytes are another format's.
    QImageReader reader(&buffer);
    const QImage image = reader.read();
    if (image.isNull())
        why = Words(NotAPicture(reader.errorString().toStdString()));
    return image;
}

} // namespace quarrow
