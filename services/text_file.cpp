#include "text_file.h"

#include <QStringDecoder>

#include "services/file_loading.h"

namespace quarrow {

std::string ReadTextFile(const std::string& path)
{
    std::string bytes;
    LoadWholeFile(path, bytes); // empty on any failure
    return bytes;
}

QString DecodeWindows1252(std::string_view bytes)
{
    QStringDecoder decoder("windows-1252");
    QString text;
    if (decoder.isValid()) {
        text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    } else {
        // Without ICU Qt knows no Windows-1252; Latin-1 is right for every byte
        // except 0x80..0x9F, which is the best that can be done then.
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace quarrow
