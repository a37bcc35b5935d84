#include "app/pages/clean/CleanProtectionEditor.h"

#include "app/model/AppModel.h"
#include "core/engines/clean/CleanWhitelistStore.h"

namespace roror {

CleanProtectionEditor::CleanProtectionEditor(QObject* parent)
    : QObject(parent)
    , m_file({&AppModel::cleanWhitelistLoadError, &AppModel::cleanWhitelistLoadErrorChanged,
              &AppModel::saveCleanWhitelistEditor, &AppModel::setShowingCleanProtectionSheet,
              QStringLiteral("保护名单没有读取成功，为避免覆盖原来的文件，现在不能保存。"),
              QStringLiteral(
                  "The protection list could not be read, so it cannot be saved without overwriting the file.")})
{
}

void CleanProtectionEditor::setModel(AppModel* model)
{
    if (model == m_model)
        return;
    disconnect(m_textConnection);
    m_model = model;
    if (m_model)
        m_textConnection
            = connect(m_model, &AppModel::cleanWhitelistTextChanged, this, &CleanProtectionEditor::textChanged);
    m_file.setModel(model);
    emit textChanged();
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

void CleanProtectionEditor::restoreDefaults()
{
    if (m_model)
        m_model->setCleanWhitelistText(CleanWhitelistStore::defaultPatterns().join(QLatin1Char('\n')));
}

} // namespace roror
