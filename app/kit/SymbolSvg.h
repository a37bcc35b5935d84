#pragma once

#include "app/kit/PaintedDrawing.h"

#include <QImage>

namespace roror {

// A symbol the icon font has no glyph for, drawn from its vector image in the kit's resources
// and tinted like a glyph: every painted pixel takes `color`, keeping its coverage.
class SymbolSvg : public roror::PaintedDrawing {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString source MEMBER m_source WRITE setSource NOTIFY appearanceChanged)
    Q_PROPERTY(QColor color MEMBER m_color WRITE setColor NOTIFY appearanceChanged)

public:
    explicit SymbolSvg(QQuickItem* parent = nullptr);

    void setSource(const QString& source) { assign(m_source, source); }
    void setColor(const QColor& color) { assign(m_color, color); }

    // The image at `source` (a resource path) drawn into `pixels` square pixels in `color`;
    // a null image when the file does not load.
    static QImage render(const QString& source, int pixels, const QColor& color);

    void paint(QPainter* painter) override;

private:
    QString m_source;
    QColor m_color = Qt::black;
    // The last tinted image and what it was drawn for: a repaint with nothing changed reuses it.
    QImage m_drawn;
    QString m_drawnSource;
    QRgb m_drawnColor = 0;
};

} // namespace roror
