#pragma once

#include <QString>
#include <QStringList>

// One PNG of the given pictures, read back from disk as the program would read them.
bool writeContactSheet(const QString& path, const QStringList& files);
