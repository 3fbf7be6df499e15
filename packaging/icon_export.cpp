// Writes the built-in emblem icon as PNG files for the desktop's icon theme.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: icon_export OUT_32.png OUT_64.png\n");
        return 2;
    }
    const struct { const char* resource; int size; const char* out; } icons[] = {
        {":/assets/emblem.ico", 32, argv[1]},
        {":/assets/emblem@2x.ico", 64, argv[2]},
    };
    for (const auto& icon : icons) {
        QImage image(QString::fromLatin1(icon.resource));
        if (image.isNull() || image.width() != icon.size || image.height() != icon.size) {
            std::fprintf(stderr, "icon_export: cannot read %s as a %dx%d picture\n", icon.resource, icon.size,
                         icon.size);
            return 1;
        }
        if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(icon.out), "PNG")) {
            std::fprintf(stderr, "icon_export: cannot write %s\n", icon.out);
            return 1;
        }
    }
    return 0;
}
