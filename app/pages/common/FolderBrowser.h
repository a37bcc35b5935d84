#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

namespace roror {

// The folder chooser's state: the folder on screen, its sub-folders, and at most one of them
// selected. What Choose returns is the folder on screen unless a sub-folder was selected, the way
// the system's open panels behave; nothing is selected when a folder is first shown.
class FolderBrowser : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString folder READ folder NOTIFY folderChanged)
    Q_PROPERTY(QStringList children READ children NOTIFY folderChanged)
    Q_PROPERTY(bool canGoUp READ canGoUp NOTIFY folderChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(QString chosenPath READ chosenPath NOTIFY selectedIndexChanged)
    Q_PROPERTY(QUrl chosenUrl READ chosenUrl NOTIFY selectedIndexChanged)
    // Whether the desktop offers its own folder dialog (a platform theme's native one or the portal
    // through it); the chooser then opens that one instead of its own.
    Q_PROPERTY(bool desktopDialogAvailable READ desktopDialogAvailable CONSTANT)

public:
    explicit FolderBrowser(QObject* parent = nullptr);

    QString folder() const { return m_folder; }
    QStringList children() const { return m_children; }
    bool canGoUp() const;
    int selectedIndex() const { return m_selectedIndex; }
    void setSelectedIndex(int index);
    QString chosenPath() const;
    QUrl chosenUrl() const { return QUrl::fromLocalFile(chosenPath()); }
    static bool desktopDialogAvailable();

    // Shows `path` (the home folder when it is not a readable folder), nothing selected.
    Q_INVOKABLE void show(const QString& path);
    Q_INVOKABLE void showUrl(const QUrl& folder) { show(folder.isLocalFile() ? folder.toLocalFile() : QString()); }
    Q_INVOKABLE void enter(int index);
    Q_INVOKABLE void goUp();

signals:
    void folderChanged();
    void selectedIndexChanged();

private:
    QString m_folder;
    QStringList m_children;
    int m_selectedIndex = -1;
};

} // namespace roror
