#include "app/shell/QuitShortcut.h"

#include <QKeyEvent>

namespace roror {

QuitShortcut::QuitShortcut(QObject* parent)
    : QObject(parent)
{
}

void QuitShortcut::setWindow(QWindow* window)
{
    if (m_window == window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window;
    if (m_window)
        m_window->installEventFilter(this);
    emit windowChanged();
}

bool QuitShortcut::isQuit(const QKeyEvent& event)
{
    return event.matches(QKeySequence::Quit);
}

bool QuitShortcut::eventFilter(QObject* watched, QEvent* event)
{
    // Seen before any item: a text field or a sheet with the focus does not keep the shortcut.
    if (watched == m_window && event->type() == QEvent::KeyPress && isQuit(*static_cast<QKeyEvent*>(event))) {
        m_window->close();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace roror
