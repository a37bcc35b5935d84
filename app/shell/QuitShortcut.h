#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <QtQml/qqmlregistration.h>

class QKeyEvent;

namespace roror {

// The platform's Quit shortcut (Ctrl+Q here, Command-Q on macOS) for the one window: it closes
// the window, which ends the program the same way as the window's close button.
class QuitShortcut : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QWindow* window READ window WRITE setWindow NOTIFY windowChanged)

public:
    explicit QuitShortcut(QObject* parent = nullptr);

    QWindow* window() const { return m_window; }
    void setWindow(QWindow* window);

    static bool isQuit(const QKeyEvent& event);

signals:
    void windowChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWindow> m_window;
};

} // namespace roror
