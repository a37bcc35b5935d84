#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>
#include <optional>

namespace roror {

// Scrolls a Flickable (or ListView) from the keyboard while it has focus: arrows by a line,
// Page Up/Down and Space by a page, Home and End to the ends. Scroll views of the kit show no
// scroll bar, so wheel, touchpad and these keys are the ways to move. A control inside that takes
// the keyboard focus is scrolled into view.
class KeyboardScroller : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQuickItem* target READ target WRITE setTarget NOTIFY targetChanged)

public:
    static constexpr qreal lineStep = 40;

    explicit KeyboardScroller(QObject* parent = nullptr);

    QQuickItem* target() const { return m_target; }
    void setTarget(QQuickItem* target);

    // The new content position for `key`, or none when the key does not scroll. The result
    // stays within [originY, originY + contentHeight - viewHeight] (the top when the content
    // is shorter than the view).
    static std::optional<qreal> scrolledY(int key, Qt::KeyboardModifiers modifiers, qreal contentY, qreal originY,
                                          qreal contentHeight, qreal viewHeight);

    static constexpr qreal revealMargin = 12;

    // The content position that shows the span [top, bottom] (in content coordinates) with
    // `revealMargin` around it, moving as little as it can; the top wins when the span is taller
    // than the view. Stays within the same bounds as scrolledY.
    static qreal revealedY(qreal top, qreal bottom, qreal contentY, qreal originY, qreal contentHeight,
                           qreal viewHeight);

signals:
    void targetChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchWindow();
    void reveal(QQuickItem* item);

    QPointer<QQuickItem> m_target;
    QMetaObject::Connection m_windowWatch;
    QMetaObject::Connection m_focusWatch;
};

} // namespace roror
