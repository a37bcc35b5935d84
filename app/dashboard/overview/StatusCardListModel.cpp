#include "app/dashboard/overview/StatusCardListModel.h"

namespace roror {

StatusCardListModel::StatusCardListModel(QObject* parent)
    : KeyedListModel(parent)
{
}

QVariant StatusCardListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rows().size())
        return {};
    const StatusCardData& card = rows()[index.row()];
    switch (role) {
    case CardIdRole:
        return card.id();
    case Qt::DisplayRole:
    case TitleRole:
        return card.title;
    case SystemImageRole:
        return card.systemImage;
    case BodyKindRole:
        return card.bodyKind();
    case BodyRole:
        return card.bodyValue();
    case RowsRole:
        return card.rowList();
    default:
        return {};
    }
}

QHash<int, QByteArray> StatusCardListModel::roleNames() const
{
    return {
        {CardIdRole, "cardId"},     {TitleRole, "title"}, {SystemImageRole, "systemImage"},
        {BodyKindRole, "bodyKind"}, {BodyRole, "body"},   {RowsRole, "rows"},
    };
}

void StatusCardListModel::setCards(const QList<StatusCardData>& cards)
{
    replaceRows(cards);
}

} // namespace roror
