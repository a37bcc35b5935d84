#include "app/kit/KeyboardScroller.h"

#include <QKeyEvent>
#include <QQuickWindow>
#include <algorithm>

namespace roror {

KeyboardScroller::KeyboardScroller(QObject* parent)
    : QObject(parent)
{
}

void KeyboardScroller::setTarget(QQuickItem* target)
{
    if (m_target == target)
        return;
    if (m_target)
        m_target->removeEventFilter(this);
    disconnect(m_windowWatch);
    m_target = target;
    if (m_target) {
        m_target->installEventFilter(this);
        m_windowWatch = connect(m_target, &QQuickItem::windowChanged, this, &KeyboardScroller::watchWindow);
    }
    watchWindow();
    emit targetChanged();
}

void KeyboardScroller::watchWindow()
{
    disconnect(m_focusWatch);
    QQuickWindow* window = m_target ? m_target->window() : nullptr;
    if (!window)
        return;
    m_focusWatch = connect(window, &QQuickWindow::activeFocusItemChanged, this,
                           [this, window] { reveal(window->activeFocusItem()); });
}

void KeyboardScroller::reveal(QQuickItem* item)
{
    if (!m_target || !item || item == m_target || !m_target->isVisible())
        return;
    const auto* content = m_target->property("contentItem").value<QQuickItem*>();
    if (!content || !content->isAncestorOf(item))
        return;
    // In the Flickable's own coordinates the view spans [0, height]; content positions add contentY.
    const QRectF span = item->mapRectToItem(m_target, item->boundingRect());
    const qreal contentY = m_target->property("contentY").toReal();
    const qreal y
        = revealedY(span.top() + contentY, span.bottom() + contentY, contentY, m_target->property("originY").toReal(),
                    m_target->property("contentHeight").toReal(), m_target->height());
    if (y != contentY)
        m_target->setProperty("contentY", y);
}

qreal KeyboardScroller::revealedY(qreal top, qreal bottom, qreal contentY, qreal originY, qreal contentHeight,
                                  qreal viewHeight)
{
    const qreal first = originY;
    const qreal last = std::max(first, originY + contentHeight - viewHeight);
    qreal y = contentY;
    if (bottom + revealMargin > y + viewHeight)
        y = bottom + revealMargin - viewHeight;
    if (top - revealMargin < y)
        y = top - revealMargin;
    return std::clamp(y, first, last);
}

std::optional<qreal> KeyboardScroller::scrolledY(int key, Qt::KeyboardModifiers modifiers, qreal contentY,
                                                 qreal originY, qreal contentHeight, qreal viewHeight)
{
    const qreal top = originY;
    const qreal bottom = std::max(top, originY + contentHeight - viewHeight);
    const qreal page = std::max(lineStep, viewHeight - lineStep);
    qreal y = contentY;
    switch (key) {
    case Qt::Key_Up:
        y -= lineStep;
        break;
    case Qt::Key_Down:
        y += lineStep;
        break;
    case Qt::Key_PageUp:
        y -= page;
        break;
    case Qt::Key_PageDown:
        y += page;
        break;
    case Qt::Key_Space:
        y += (modifiers & Qt::ShiftModifier) ? -page : page;
        break;
    case Qt::Key_Home:
        y = top;
        break;
    case Qt::Key_End:
        y = bottom;
        break;
    default:
        return std::nullopt;
    }
    return std::clamp(y, top, bottom);
}

bool KeyboardScroller::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_target || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const auto y = scrolledY(key->key(), key->modifiers(), m_target->property("contentY").toReal(),
                             m_target->property("originY").toReal(), m_target->property("contentHeight").toReal(),
                             m_target->height());
    if (!y)
        return false;
    m_target->setProperty("contentY", *y);
    return true;
}

} // namespace roror
