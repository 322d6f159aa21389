#include "DialogPictures.h"

#include <QPainter>
#include <QSvgRenderer>

// Resources of a static library must be registered by hand; the first
// picture does it for a dialog shown without the application object.
static void RegisterVandrelEditResources()
{
    Q_INIT_RESOURCE(vandreledit2028);
}

void RegisterResources()
{
    static const bool registered = [] {
        RegisterVandrelEditResources();
        return true;
    }();
    (void)registered;
}

namespace {
QString Path(const char* resource)
{
    RegisterResources();
    return QString::fromUtf8(resource);
}
} // namespace

QSize PictureSize(const char* resource)
{
    QSvgRenderer renderer(Path(resource));
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap RenderPicture(const char* resource, QSize size)
{
    QSvgRenderer renderer(Path(resource));
    if (!renderer.isValid()) {
        return QPixmap();
    }
    if (size.isEmpty()) {
        size = renderer.defaultSize();
    }
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QIcon PictureIcon(const char* resource, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (int s : sizes) {
        icon.addPixmap(RenderPicture(resource, QSize(s, s)));
    }
    return icon;
}
