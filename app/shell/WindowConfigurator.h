#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWindow>
#include <QtQml/qqmlregistration.h>

namespace roror {

// Gives the one window its minimum size and, the first time it is shown, a size taken from the
// usable area of its screen, centred there. It never moves or resizes the window afterwards: a
// window the user maximized, moved to another screen or dragged partly off screen stays put.
class WindowConfigurator : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QWindow* window READ window WRITE setWindow NOTIFY windowChanged)
    Q_PROPERTY(bool didApplyInitialLayout READ didApplyInitialLayout NOTIFY didApplyInitialLayoutChanged)
    // Whether the window is translucent over the compositor's blur of the desktop (asked for at
    // each showing) rather than opaque.
    Q_PROPERTY(bool translucent READ translucent CONSTANT)

public:
    static constexpr QSize minimumSize{980, 720};
    static constexpr QSize maximumTargetSize{1180, 780};
    // Taken off the usable area on each axis (in total, not per side).
    static constexpr int screenMargin = 72;

    // The first size of the window for a screen whose usable area (without panels and docks) is
    // `usable`: the usable size less the margin, at most the maximum target and at least the
    // minimum size (the minimum wins on a small screen).
    static QSize targetSize(const QSize& usable);
    // That size centred on the usable area (which may lie anywhere on the virtual desktop).
    static QRect centredTargetFrame(const QRect& usable);

    explicit WindowConfigurator(QObject* parent = nullptr);

    QWindow* window() const { return m_window; }
    void setWindow(QWindow* window);
    bool didApplyInitialLayout() const { return m_didApplyInitialLayout; }
    bool translucent() const;

signals:
    void windowChanged();
    void didApplyInitialLayoutChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyInitialLayout();

    QPointer<QWindow> m_window;
    bool m_didApplyInitialLayout = false;
};

} // namespace roror
