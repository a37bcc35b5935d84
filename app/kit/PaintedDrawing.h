#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

namespace roror {

// Base of the kit's small painted drawings: every property that changes the picture announces
// `appearanceChanged` and repaints, and only when its value really changed. Subclasses name it
// with its namespace (`public roror::PaintedDrawing`): the QML type registrar matches bases by
// their full name.
class PaintedDrawing : public QQuickPaintedItem {
    Q_OBJECT
    QML_ANONYMOUS

public:
    explicit PaintedDrawing(QQuickItem* parent = nullptr);

    // `color` with its opacity multiplied by `opacity`.
    static QColor withOpacity(QColor color, qreal opacity);

signals:
    void appearanceChanged();

protected:
    template <typename T>
    void assign(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        emit appearanceChanged();
        update();
    }
};

} // namespace roror
