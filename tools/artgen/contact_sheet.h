#pragma once

#include <QString>
#include <QStringList>

// One PNG of the given pictures, read back from disk as the program would read them.
bool writeContactSheet(const QString& path, const QStringList& files);

// The 1x faces in suit rows, once at 1:1 and once enlarged `zoom` times pixel
// for pixel, to judge the corner marks at the size most players see.
bool writeFaceSheet(const QString& path, const QStringList& faces, int perRow, int zoom);
