#include "app/kit/KeyboardScroller.h"

#include <QKeyEvent>
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
    m_target = target;
    if (m_target)
        m_target->installEventFilter(this);
    emit targetChanged();
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
