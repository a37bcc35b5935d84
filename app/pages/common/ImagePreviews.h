#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace roror {

// Pictures from image files (the window background, its preview tile), decoded once per path,
// revision and size, already scaled to the size shown, and kept in a shared cache. A file that
// is missing or not an image gives no picture (and is not read again for that revision).
// QML loads them through the image provider "rororimage":
//   Image { source: ImagePreviews.source(path, revision, "fit"); sourceSize: ...; asynchronous: true }
class ImagePreviews : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    static constexpr const char* providerId = "rororimage";
    enum class Scaling { fit, fill };

    static ImagePreviews* create(QQmlEngine* engine, QJSEngine* scriptEngine);
    // Adds the provider to an engine that has none yet.
    static void install(QQmlEngine* engine);

    // The picture of `path` scaled to fit in (or cover) `box`, keeping its aspect ratio; an
    // empty box keeps the file's size. With a `cornerRadius` (a fraction of the box's shorter
    // side) the result is the whole box, the picture centred in it and clipped to a rounded
    // rectangle of the box. Thread-safe; null when the file gives no picture.
    static QImage picture(const QString& path, int revision, QSize box, Scaling scaling, qreal cornerRadius = 0);
    // Whether the file is a picture that can be shown (its header is read once per revision).
    static bool readable(const QString& path, int revision);
    // Decodes done so far (each miss of the cache is one).
    static int decodeCount();
    static void clearCache();

    // "fit" (letter-boxed inside the size shown) or "fill" (covering it); empty for no path.
    // `cornerRadius` as for picture().
    Q_INVOKABLE QUrl source(const QString& path, int revision, const QString& scaling, qreal cornerRadius = 0) const;
    Q_INVOKABLE bool canShow(const QString& path, int revision) const { return readable(path, revision); }

private:
    // Made only through create(), which also gives the engine the provider.
    explicit ImagePreviews(QObject* parent = nullptr);
};

} // namespace roror
