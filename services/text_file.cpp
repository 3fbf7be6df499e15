#include "text_file.h"

#include <QStringDecoder>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quarrow {

std::string ReadTextFile(const std::string& path)
{
    // Checked first because an ifstream happily "opens" a folder on Linux and
    // then fails on the first read.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {};

    std::ifstream in(path, std::ios::binary); // input only: never creates the file
    if (!in)
        return {};
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return {};
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
