#include "wave_writer.h"

#include "little_endian.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <stdexcept>

void writeWave(const QString& path, const std::vector<double>& samples, int sampleRate)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray b;
    b.append("RIFF");
    put32(b, 36 + dataBytes);
    b.append("WAVE");
    b.append("fmt ");
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, 1); // mono
    put32(b, quint32(sampleRate));
    put32(b, quint32(sampleRate * 2));
    put16(b, 2);
    put16(b, 16);
    b.append("data");
    put32(b, dataBytes);
    for (double s : samples) {
        if (!(s >= -1.0 && s <= 1.0))
            throw std::runtime_error("sample out of range");
        put16(b, int(std::lround(s * 32767.0)));
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(b) != b.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}
