#pragma once

#include "app/dashboard/cards/StatusCardData.h"
#include "app/kit/KeyedListModel.h"

#include <QObject>

namespace roror {

// The Overview's card grid, one row per card, keyed by the card's title.
class StatusCardListModel : public KeyedListModel<StatusCardData> {
    Q_OBJECT

public:
    enum Role {
        CardIdRole = Qt::UserRole + 1,
        TitleRole,
        SystemImageRole,
        BodyKindRole, // the drawing's component name, or empty
        BodyRole,     // the drawing's values
        RowsRole,     // the rows as MetricBarRow values
    };

    explicit StatusCardListModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void setCards(const QList<StatusCardData>& cards);

protected:
    QString keyOf(const StatusCardData& row) const override { return row.id(); }
};

} // namespace roror
