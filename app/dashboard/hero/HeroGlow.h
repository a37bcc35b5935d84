#pragma once

#include "app/kit/PaintedDrawing.h"

#include <QImage>

namespace roror {

// The soft glow behind the health ring: a circle of `diameter` filled with a radial gradient of
// `color` from `centerOpacity` at the centre to clear at `gradientRadius`, then blurred by
// `blurRadius`. The item is the circle plus the blur's spill on every side. The blurred image is
// made once per colour and size and shared, so a refresh that keeps the band draws nothing new.
class HeroGlow : public roror::PaintedDrawing {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor color MEMBER m_color WRITE setColor NOTIFY appearanceChanged)
    Q_PROPERTY(qreal centerOpacity MEMBER m_centerOpacity WRITE setCenterOpacity NOTIFY appearanceChanged)
    Q_PROPERTY(qreal diameter MEMBER m_diameter WRITE setDiameter NOTIFY appearanceChanged)
    Q_PROPERTY(qreal gradientRadius MEMBER m_gradientRadius WRITE setGradientRadius NOTIFY appearanceChanged)
    Q_PROPERTY(qreal blurRadius MEMBER m_blurRadius WRITE setBlurRadius NOTIFY appearanceChanged)
    // How far the blur reaches past the circle: the item is `diameter` + 2 × this wide.
    Q_PROPERTY(qreal spill READ spill NOTIFY appearanceChanged)

public:
    explicit HeroGlow(QQuickItem* parent = nullptr);

    void setColor(const QColor& color) { assign(m_color, color); }
    void setCenterOpacity(qreal opacity) { assign(m_centerOpacity, opacity); }
    void setDiameter(qreal diameter) { assign(m_diameter, diameter); }
    void setGradientRadius(qreal radius) { assign(m_gradientRadius, radius); }
    void setBlurRadius(qreal radius) { assign(m_blurRadius, radius); }
    qreal spill() const { return 3 * m_blurRadius; }

    // The glow at `scale` device pixels per point, blurred, premultiplied; cached.
    static QImage render(const QColor& color, qreal centerOpacity, qreal diameter, qreal gradientRadius,
                         qreal blurRadius, qreal scale);

    void paint(QPainter* painter) override;

private:
    QColor m_color = Qt::transparent;
    qreal m_centerOpacity = 0.24;
    qreal m_diameter = 100;
    qreal m_gradientRadius = 52;
    qreal m_blurRadius = 10;
};

} // namespace roror
