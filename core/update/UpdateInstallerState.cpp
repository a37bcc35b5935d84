#include "core/update/UpdateInstallerState.h"

#include "core/model/AppLocalization.h"

namespace roror {

bool UpdateInstallerState::operator==(const UpdateInstallerState& other) const
{
    if (kind != other.kind)
        return false;
    if (kind == Kind::downloading)
        return progress == other.progress;
    if (kind == Kind::failed)
        return message == other.message;
    return true;
}

QString UpdateInstallerError::errorDescription() const
{
    using AppLocalization::coreText;
    switch (m_kind) {
    case Kind::downloadFailed:
        return coreText(QStringLiteral("下载失败：") + m_detail, QStringLiteral("Download failed: ") + m_detail);
    case Kind::downloadCancelled:
        return coreText(QStringLiteral("下载已取消。"), QStringLiteral("Download was cancelled."));
    case Kind::mountFailed:
        return coreText(QStringLiteral("无法挂载磁盘映像。"), QStringLiteral("Could not mount the disk image."));
    case Kind::appNotFoundInDMG:
        return coreText(QStringLiteral("磁盘映像中找不到应用。"),
                        QStringLiteral("Could not find the application in the disk image."));
    case Kind::installFailed:
        if (!m_detail.isEmpty())
            return coreText(QStringLiteral("安装更新失败。") + m_detail,
                            QStringLiteral("Installation of the update failed. ") + m_detail);
        return coreText(QStringLiteral("安装更新失败。"), QStringLiteral("Installation of the update failed."));
    case Kind::noDownloadedUpdate:
        return coreText(QStringLiteral("找不到已下载的更新。"), QStringLiteral("No downloaded update found."));
    }
    return {};
}

} // namespace roror
