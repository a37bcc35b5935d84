#include "app/pages/common/ProtectionFile.h"

#include "app/model/AppModel.h"
#include "core/model/LocalizationSettings.h"

namespace roror {

ProtectionFile::ProtectionFile(Access access, QObject* parent)
    : QObject(parent)
    , m_access(std::move(access))
{
    connect(&LocalizationSettings::shared(), &LocalizationSettings::preferenceChanged, this,
            &ProtectionFile::loadStateChanged);
}

void ProtectionFile::setModel(AppModel* model)
{
    disconnect(m_loadErrorConnection);
    m_model = model;
    if (m_model)
        m_loadErrorConnection = connect(m_model, m_access.loadErrorChanged, this, &ProtectionFile::loadStateChanged);
    emit loadStateChanged();
}

bool ProtectionFile::loadFailed() const
{
    return m_model && (m_model->*m_access.loadError)().has_value();
}

QString ProtectionFile::loadErrorText() const
{
    if (!loadFailed())
        return {};
    const QString error = *(m_model->*m_access.loadError)();
    return LocalizationSettings::shared().text(m_access.chineseLead + QLatin1Char('\n') + error,
                                               m_access.englishLead + QLatin1Char('\n') + error);
}

bool ProtectionFile::save()
{
    if (!canSave())
        return false;
    (m_model->*m_access.saveEditor)();
    (m_model->*m_access.setShowingSheet)(false);
    return true;
}

void ProtectionFile::cancel()
{
    if (m_model)
        (m_model->*m_access.setShowingSheet)(false);
}

} // namespace roror
