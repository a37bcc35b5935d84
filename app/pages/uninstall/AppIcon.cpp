#include "app/pages/uninstall/AppIcon.h"

#include "core/engines/uninstall/PropertyList.h"
#include "core/support/StandardPath.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace roror::AppIcon {

namespace {

// Real Info.plist files are kilobytes and icon files a few megabytes; anything far larger (a
// sparse file, a device) is not read.
constexpr qint64 kLargestInfoPlist = 16 * 1024 * 1024;
constexpr qint64 kLargestIconFile = 64 * 1024 * 1024;

bool isSmallRegularFile(const QString& path, qint64 limit)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink() && info.size() <= limit;
}

// Among the stored sizes: the smallest that covers `wanted`, else the largest.
bool better(const QSize& candidate, const QSize& best, const QSize& wanted)
{
    if (!best.isValid())
        return candidate.isValid();
    const auto covers
        = [&wanted](const QSize& s) { return s.width() >= wanted.width() && s.height() >= wanted.height(); };
    if (covers(candidate) != covers(best))
        return covers(candidate);
    return covers(candidate) ? candidate.width() < best.width() : candidate.width() > best.width();
}

QImage decode(const QString& file, const QSize& size)
{
    int best = 0;
    {
        QImageReader probe(file);
        const int count = probe.imageCount();
        QSize bestSize;
        for (int i = 0; i < count; ++i) {
            if (!probe.jumpToImage(i))
                continue;
            if (better(probe.size(), bestSize, size)) {
                best = i;
                bestSize = probe.size();
            }
        }
    }
    QImageReader reader(file);
    if (best > 0 && !reader.jumpToImage(best))
        return {};
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.size() != size)
        image = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

std::optional<QString> iconFile(const QString& bundlePath)
{
    const QString plistPath = joinPath(bundlePath, QStringLiteral("Contents/Info.plist"));
    if (!isSmallRegularFile(plistPath, kLargestInfoPlist))
        return std::nullopt;
    QFile file(plistPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const auto plist = PropertyList::parseDictionary(file.readAll());
    if (!plist)
        return std::nullopt;
    const QVariant value = plist->value(QStringLiteral("CFBundleIconFile"));
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    QString name = value.toString().trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".") || name == QLatin1String(".."))
        return std::nullopt;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".icns");
    const QString path = joinPath(bundlePath, QStringLiteral("Contents/Resources/") + name);
    if (!isSmallRegularFile(path, kLargestIconFile))
        return std::nullopt;
    return path;
}

QImage load(const QString& bundlePath, const QSize& size)
{
    if (size.isEmpty())
        return {};
    if (const auto file = iconFile(bundlePath)) {
        const QImage image = decode(*file, size);
        if (!image.isNull())
            return image;
    }
    return genericIcon(size);
}

QImage genericIcon(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(size.width(), size.height());
    const QRectF tile((size.width() - side) / 2 + side * 0.08, (size.height() - side) / 2 + side * 0.08, side * 0.84,
                      side * 0.84);
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0, QColor(0xE9, 0xEE, 0xF5));
    fill.setColorAt(1, QColor(0xC9, 0xD3, 0xE0));
    QPainterPath outline;
    outline.addRoundedRect(tile, side * 0.2, side * 0.2);
    painter.fillPath(outline, fill);
    painter.setPen(QPen(QColor(0x8A, 0x97, 0xA8), std::max<qreal>(1.0, side / 24)));
    painter.drawPath(outline);
    // Four small squares: the usual sign for "an application".
    const qreal cell = tile.width() * 0.18;
    const qreal gap = tile.width() * 0.08;
    const QPointF origin = tile.center() - QPointF(cell + gap / 2, cell + gap / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x6B, 0x7A, 0x8F));
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column)
            painter.drawRoundedRect(
                QRectF(origin + QPointF(column * (cell + gap), row * (cell + gap)), QSizeF(cell, cell)), cell * 0.25,
                cell * 0.25);
    return image;
}

} // namespace roror::AppIcon
