#pragma once

#include <QByteArray>

// ICO, CUR and WAV headers are little-endian, whatever the machine.
inline void put16(QByteArray& b, int v)
{
    b.append(char(v & 0xff));
    b.append(char((v >> 8) & 0xff));
}

inline void put32(QByteArray& b, quint32 v)
{
    put16(b, int(v & 0xffff));
    put16(b, int(v >> 16));
}
