#include "client/ui/artwork.h"

#include <QFile>
#include <QHash>
#include <QPixmapCache>

namespace ui::art {

QByteArray bytes(const char* path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QImage image(const char* path)
{
    // Skin refreshes re-apply every picture on each page change; decoding
    // each resource once keeps that cheap.
    static QHash<QString, QImage> decoded;
    const QString key = QString::fromLatin1(path);
    auto found = decoded.constFind(key);
    if (found != decoded.constEnd())
        return *found;
    QImage picture(key);
    decoded.insert(key, picture);
    return picture;
}

QPixmap pixmap(const char* path)
{
    const QString key = QString::fromLatin1(path);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap::fromImage(image(path));
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

}  // namespace ui::art
