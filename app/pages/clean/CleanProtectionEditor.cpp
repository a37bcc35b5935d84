#include "app/pages/clean/CleanProtectionEditor.h"

#include "app/model/AppModel.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/model/LocalizationSettings.h"

namespace roror {

CleanProtectionEditor::CleanProtectionEditor(QObject* parent)
    : QObject(parent)
{
    connect(&LocalizationSettings::shared(), &LocalizationSettings::preferenceChanged, this,
            &CleanProtectionEditor::loadStateChanged);
}

void CleanProtectionEditor::setModel(AppModel* model)
{
    if (model == m_model)
        return;
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_model = model;
    if (m_model) {
        m_connections << connect(m_model, &AppModel::cleanWhitelistTextChanged, this, &CleanProtectionEditor::textChanged)
                      << connect(m_model, &AppModel::cleanWhitelistLoadErrorChanged, this,
                                 &CleanProtectionEditor::loadStateChanged);
    }
    emit textChanged();
    emit loadStateChanged();
    emit modelChanged();
}

QString CleanProtectionEditor::text() const
{
    return m_model ? m_model->cleanWhitelistText() : QString();
}

void CleanProtectionEditor::setText(const QString& text)
{
    // The editor writes back every keystroke; an unchanged text is not a change.
    if (m_model && text != m_model->cleanWhitelistText())
        m_model->setCleanWhitelistText(text);
}

bool CleanProtectionEditor::loadFailed() const
{
    return m_model && m_model->cleanWhitelistLoadError().has_value();
}

QString CleanProtectionEditor::loadErrorText() const
{
    if (!loadFailed())
        return {};
    const QString error = *m_model->cleanWhitelistLoadError();
    return LocalizationSettings::shared().text(
        QStringLiteral("保护名单没有读取成功，为避免覆盖原来的文件，现在不能保存。\n") + error,
        QStringLiteral("The protection list could not be read, so it cannot be saved without overwriting the file.\n")
            + error);
}

void CleanProtectionEditor::restoreDefaults()
{
    if (m_model)
        m_model->setCleanWhitelistText(CleanWhitelistStore::defaultPatterns().join(QLatin1Char('\n')));
}

bool CleanProtectionEditor::save()
{
    if (!canSave())
        return false;
    m_model->saveCleanWhitelistEditor();
    m_model->setShowingCleanProtectionSheet(false);
    return true;
}

void CleanProtectionEditor::cancel()
{
    if (m_model)
        m_model->setShowingCleanProtectionSheet(false);
}

} // namespace roror
