#pragma once

#include <QImage>
#include <QPainter>
#include <QQuickPaintedItem>

namespace roror::test {

// What a painted item draws, on a clear image of its size.
inline QImage paintedImage(QQuickPaintedItem& item)
{
    QImage image(item.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    item.paint(&painter);
    return image;
}

} // namespace roror::test
