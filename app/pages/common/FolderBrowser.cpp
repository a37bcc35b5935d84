#include "app/pages/common/FolderBrowser.h"

#include <QDir>
#include <QFileInfo>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformtheme.h>

namespace roror {

namespace {

QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

FolderBrowser::FolderBrowser(QObject* parent)
    : QObject(parent)
{
}

bool FolderBrowser::desktopDialogAvailable()
{
    const QPlatformTheme* theme = QGuiApplicationPrivate::platformTheme();
    return theme && theme->usePlatformNativeDialog(QPlatformTheme::FileDialog);
}

bool FolderBrowser::canGoUp() const
{
    return !m_folder.isEmpty() && m_folder != QLatin1String("/");
}

void FolderBrowser::setSelectedIndex(int index)
{
    if (index < -1 || index >= m_children.size())
        index = -1;
    if (index == m_selectedIndex)
        return;
    m_selectedIndex = index;
    emit selectedIndexChanged();
}

QString FolderBrowser::chosenPath() const
{
    if (m_selectedIndex >= 0 && m_selectedIndex < m_children.size())
        return joined(m_folder, m_children.at(m_selectedIndex));
    return m_folder;
}

void FolderBrowser::show(const QString& path)
{
    QFileInfo info(path);
    if (path.isEmpty() || !info.isDir() || !info.isReadable())
        info = QFileInfo(QDir::homePath());
    // The folder as the user named it: a link stays a link, so Choose gives back what was shown.
    m_folder = QDir::cleanPath(info.absoluteFilePath());
    // Hidden folders are left out, as the open panels do by default; links to folders are listed.
    m_children = QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    m_selectedIndex = -1;
    emit folderChanged();
    emit selectedIndexChanged();
}

void FolderBrowser::enter(int index)
{
    if (index >= 0 && index < m_children.size())
        show(joined(m_folder, m_children.at(index)));
}

void FolderBrowser::goUp()
{
    if (canGoUp())
        show(QFileInfo(m_folder).path());
}

} // namespace roror
