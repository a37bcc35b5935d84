#include "app/kit/PaintedDrawing.h"

namespace roror {

PaintedDrawing::PaintedDrawing(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

QColor PaintedDrawing::withOpacity(QColor color, qreal opacity)
{
    color.setAlphaF(float(color.alphaF() * opacity));
    return color;
}

} // namespace roror
