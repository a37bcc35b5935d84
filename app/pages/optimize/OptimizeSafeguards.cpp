#include "app/pages/optimize/OptimizeSafeguards.h"

#include "app/model/AppModel.h"
#include "core/engines/optimize/OptimizeWhitelistStore.h"
#include "core/model/LocalizationSettings.h"

namespace roror {

OptimizeSafeguards::OptimizeSafeguards(QObject* parent)
    : QAbstractListModel(parent)
    , m_options(OptimizeWhitelistStore::options())
{
    connect(&LocalizationSettings::shared(), &LocalizationSettings::preferenceChanged, this,
            &OptimizeSafeguards::languageChanged);
}

int OptimizeSafeguards::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant OptimizeSafeguards::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= count())
        return {};
    const OptimizeWhitelistOption& option = m_options.at(index.row());
    switch (role) {
    case OptionIdRole: return option.id;
    case TitleRole: return option.title();
    case DetailRole: return option.detail();
    case CheckedRole: return m_model && m_model->optimizeWhitelistSelection().contains(option.id);
    default: return {};
    }
}

bool OptimizeSafeguards::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != CheckedRole || !index.isValid() || index.row() >= count())
        return false;
    setChecked(m_options.at(index.row()).id, value.toBool());
    return true;
}

QHash<int, QByteArray> OptimizeSafeguards::roleNames() const
{
    return {{OptionIdRole, "optionId"}, {TitleRole, "title"}, {DetailRole, "detail"}, {CheckedRole, "checked"}};
}

void OptimizeSafeguards::setModel(AppModel* model)
{
    if (model == m_model)
        return;
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_model = model;
    if (m_model) {
        m_connections << connect(m_model, &AppModel::optimizeWhitelistSelectionChanged, this,
                                 &OptimizeSafeguards::selectionChanged)
                      << connect(m_model, &AppModel::optimizeWhitelistCustomKeysChanged, this,
                                 &OptimizeSafeguards::customCountChanged)
                      << connect(m_model, &AppModel::optimizeWhitelistLoadErrorChanged, this,
                                 &OptimizeSafeguards::loadStateChanged);
    }
    selectionChanged();
    emit customCountChanged();
    emit loadStateChanged();
    emit modelChanged();
}

void OptimizeSafeguards::selectionChanged()
{
    if (count() > 0)
        emit dataChanged(index(0), index(count() - 1), {CheckedRole});
}

void OptimizeSafeguards::languageChanged()
{
    if (count() > 0)
        emit dataChanged(index(0), index(count() - 1), {TitleRole, DetailRole});
    emit customCountChanged();
    emit loadStateChanged();
}

QString OptimizeSafeguards::customCountText() const
{
    if (!m_model || m_model->optimizeWhitelistCustomKeys().isEmpty())
        return {};
    return customCountText(m_model->optimizeWhitelistCustomKeys().size(),
                           LocalizationSettings::shared().resolvedLanguage() == AppResolvedLanguage::chinese);
}

QString OptimizeSafeguards::customCountText(qsizetype count, bool chinese)
{
    const QString n = QString::number(count);
    return chinese ? QStringLiteral("另外保留了 ") + n + QStringLiteral(" 个自定义项。")
                   : n + QStringLiteral(" custom items are also preserved.");
}

bool OptimizeSafeguards::loadFailed() const
{
    return m_model && m_model->optimizeWhitelistLoadError().has_value();
}

QString OptimizeSafeguards::loadErrorText() const
{
    if (!loadFailed())
        return {};
    const QString error = *m_model->optimizeWhitelistLoadError();
    return LocalizationSettings::shared().text(
        QStringLiteral("保护项没有读取成功，为避免覆盖原来的文件，现在不能保存。\n") + error,
        QStringLiteral("The safeguards could not be read, so they cannot be saved without overwriting the file.\n")
            + error);
}

void OptimizeSafeguards::setChecked(const QString& optionId, bool checked)
{
    if (!m_model)
        return;
    QSet<QString> selection = m_model->optimizeWhitelistSelection();
    if (selection.contains(optionId) == checked)
        return;
    if (checked)
        selection.insert(optionId);
    else
        selection.remove(optionId);
    m_model->setOptimizeWhitelistSelection(selection);
}

void OptimizeSafeguards::restoreDefaults()
{
    if (m_model)
        m_model->setOptimizeWhitelistSelection(OptimizeWhitelistStore::defaultSelectedKeys());
}

bool OptimizeSafeguards::save()
{
    if (!canSave())
        return false;
    m_model->saveOptimizeWhitelistEditor();
    m_model->setShowingOptimizeProtectionSheet(false);
    return true;
}

void OptimizeSafeguards::cancel()
{
    if (m_model)
        m_model->setShowingOptimizeProtectionSheet(false);
}

} // namespace roror
