#include "app/pages/optimize/OptimizeSafeguards.h"

#include "app/model/AppModel.h"
#include "app/pages/common/ProtectionFile.h"
#include "core/engines/optimize/OptimizeWhitelistStore.h"
#include "core/model/LocalizationSettings.h"

namespace roror {

OptimizeSafeguards::OptimizeSafeguards(QObject* parent)
    : QAbstractListModel(parent)
    , m_options(OptimizeWhitelistStore::options())
    , m_file(
          {&AppModel::optimizeWhitelistLoadError, &AppModel::optimizeWhitelistLoadErrorChanged,
           &AppModel::saveOptimizeWhitelistEditor, &AppModel::setShowingOptimizeProtectionSheet,
           QStringLiteral("保护项没有读取成功，为避免覆盖原来的文件，现在不能保存。"),
           QStringLiteral("The safeguards could not be read, so they cannot be saved without overwriting the file.")})
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
    case OptionIdRole:
        return option.id;
    case TitleRole:
        return option.title();
    case DetailRole:
        return option.detail();
    case CheckedRole:
        return m_model && m_model->optimizeWhitelistSelection().contains(option.id);
    default:
        return {};
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
    m_connections.disconnectAll();
    m_model = model;
    if (m_model) {
        m_connections << connect(m_model, &AppModel::optimizeWhitelistSelectionChanged, this,
                                 &OptimizeSafeguards::selectionChanged)
                      << connect(m_model, &AppModel::optimizeWhitelistCustomKeysChanged, this,
                                 &OptimizeSafeguards::customCountChanged);
    }
    m_file.setModel(model);
    selectionChanged();
    emit customCountChanged();
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

} // namespace roror
