#pragma once

#include <QColor>
#include <QImage>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

namespace roror {

// The drawing of a ring gauge: a faint full-circle track and, over it, an arc from 12 o'clock
// clockwise over `progress` (0...1) of the circle, stroked with an angular gradient of `color`
// (0.45 at 9 o'clock going clockwise, 0.82 at 3 o'clock, 0.68 back at 9 o'clock) with round caps.
class RingGaugeArc : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(qreal progress READ progress WRITE setProgress NOTIFY progressChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(QColor trackColor READ trackColor WRITE setTrackColor NOTIFY trackColorChanged)
    Q_PROPERTY(qreal lineWidth READ lineWidth WRITE setLineWidth NOTIFY lineWidthChanged)
    // The progress an animation is heading for: reaching it always repaints, so the last step of
    // a sweep is drawn exactly even when it moves the arc by less than a pixel.
    Q_PROPERTY(qreal targetProgress READ targetProgress WRITE setTargetProgress NOTIFY targetProgressChanged)

public:
    explicit RingGaugeArc(QQuickItem* parent = nullptr);

    // `value` limited to 0...1 (NaN gives 0).
    static qreal clamped(qreal value);

    qreal progress() const { return m_progress; }
    void setProgress(qreal progress);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    QColor trackColor() const { return m_trackColor; }
    void setTrackColor(const QColor& color);
    qreal lineWidth() const { return m_lineWidth; }
    void setLineWidth(qreal width);
    qreal targetProgress() const { return m_targetProgress; }
    void setTargetProgress(qreal progress);

    void paint(QPainter* painter) override;

signals:
    void progressChanged();
    void colorChanged();
    void trackColorChanged();
    void lineWidthChanged();
    void targetProgressChanged();

private:
    // The faint full circle, drawn once per size, colour and line width and then copied.
    const QImage& track();

    qreal m_progress = 0;
    qreal m_targetProgress = -1;
    // What the last repaint asked for: animation steps too small to see do not repaint.
    qreal m_paintedProgress = 0;
    QColor m_color = Qt::black;
    QColor m_trackColor = Qt::transparent;
    qreal m_lineWidth = 6;
    QImage m_track;
};

} // namespace roror
