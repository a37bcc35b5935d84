#include "app/shell/WindowConfigurator.h"

#include "platform/desktop/CompositorBlur.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace roror {

QSize WindowConfigurator::targetSize(const QSize& usable)
{
    const int width = std::max(minimumSize.width(), std::min(maximumTargetSize.width(), usable.width() - screenMargin));
    const int height
        = std::max(minimumSize.height(), std::min(maximumTargetSize.height(), usable.height() - screenMargin));
    return {width, height};
}

QRect WindowConfigurator::centredTargetFrame(const QRect& usable)
{
    const QSize size = targetSize(usable.size());
    // Centre on the exact middle of the area; QRect::center() rounds an even width down by one.
    const int x = usable.x() + (usable.width() - size.width()) / 2;
    const int y = usable.y() + (usable.height() - size.height()) / 2;
    return {QPoint(x, y), size};
}

WindowConfigurator::WindowConfigurator(QObject* parent)
    : QObject(parent)
{
}

void WindowConfigurator::setWindow(QWindow* window)
{
    if (m_window == window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window;
    if (m_window) {
        m_window->setMinimumSize(minimumSize);
        m_window->installEventFilter(this);
        // Shown before the configurator met it: this is its first showing all the same.
        if (m_window->isVisible())
            applyInitialLayout();
    }
    emit windowChanged();
}

bool WindowConfigurator::eventFilter(QObject* watched, QEvent* event)
{
    // The show event arrives before the window is mapped, so the first size never flickers.
    if (watched == m_window && event->type() == QEvent::Show) {
        applyInitialLayout();
        // The request lives on the native window, which is made anew when the window is.
        if (translucent())
            CompositorBlur::request(m_window);
    }
    return QObject::eventFilter(watched, event);
}

bool WindowConfigurator::translucent() const
{
    return CompositorBlur::available();
}

void WindowConfigurator::applyInitialLayout()
{
    if (m_didApplyInitialLayout || !m_window)
        return;
    QScreen* screen = m_window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return; // no screen at all: the window keeps the size it has
    m_didApplyInitialLayout = true;
    m_window->setGeometry(centredTargetFrame(screen->availableGeometry()));
    emit didApplyInitialLayoutChanged();
}

} // namespace roror
