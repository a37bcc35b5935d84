#include "app/model/AppModel.h"

#include "app/model/AppModelInternal.h"
#include "app/model/WindowBackgroundStore.h"
#include <QFileInfo>

namespace roror {

using namespace appmodel;

std::optional<QUrl> AppModel::customWindowBackgroundURL() const
{
    const QString path = customWindowBackgroundPath();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return std::nullopt;
    return QUrl::fromLocalFile(path);
}

void AppModel::chooseWindowBackgroundImage(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return;
    QString error;
    const auto installed = WindowBackgroundStore::installImage(chosenPath, &error);
    if (!installed) {
        showAlert(log::model(), text("无法设置背景图片：", "Could not set the background image: ") + error);
        return;
    }
    setCustomWindowBackgroundPath(*installed);
    setWindowBackgroundRevision(m_windowBackgroundRevision + 1);
}

void AppModel::clearWindowBackgroundImage()
{
    setCustomWindowBackgroundPath(QString());
    if (const auto folder = WindowBackgroundStore::storageDirectory())
        WindowBackgroundStore::removeInstalledImages(*folder);
    setWindowBackgroundRevision(m_windowBackgroundRevision + 1);
}

void AppModel::sanitizeWindowBackgroundPathIfNeeded()
{
    if (customWindowBackgroundPath().isEmpty())
        return;
    if (!customWindowBackgroundURL())
        setCustomWindowBackgroundPath(QString());
}

} // namespace roror
