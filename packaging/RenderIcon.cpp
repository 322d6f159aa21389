// Renders the program's SVG icon as PNG files for the icon theme's fixed
// sizes, for menus and file managers that draw no SVG.
//
//   ve_render_icon ICON.svg SIZE OUT.png [SIZE OUT.png ...]
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 4 || argc % 2 != 0) {
        std::fputs("Aufruf: ve_render_icon ICON.svg SIZE OUT.png [SIZE OUT.png ...]\n", stderr);
        return 1;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "%s: kein lesbares SVG\n", argv[1]);
        return 1;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size <= 0 || size > 1024) {
            std::fprintf(stderr, "%s: keine Bildgröße\n", argv[i]);
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        if (!image.save(QString::fromLocal8Bit(argv[i + 1]), "PNG")) {
            std::fprintf(stderr, "%s: kann nicht geschrieben werden\n", argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
