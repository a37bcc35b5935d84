#include "app/kit/RecordListModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

struct Item {
    QString name;
    qint64 size = 0;
};

RecordListModel<Item> makeModel()
{
    return RecordListModel<Item>({{"name", [](const Item& i) { return QVariant(i.name); }},
                                  {"size", [](const Item& i) { return QVariant(i.size); }}});
}

QStringList names(const QAbstractListModel& model)
{
    QStringList out;
    const int role = model.roleNames().key("name");
    for (int row = 0; row < model.rowCount(); ++row)
        out << model.data(model.index(row), role).toString();
    return out;
}

TEST(RecordListModels, RolesReadTheFieldsInOrder)
{
    auto model = makeModel();
    model.setRecords({{"a", 1}, {"b", 2}});
    EXPECT_EQ(names(model), (QStringList{"a", "b"}));
    EXPECT_EQ(model.data(model.index(1), model.roleNames().key("size")).toLongLong(), 2);
    EXPECT_FALSE(model.data(model.index(2), model.roleNames().key("size")).isValid());
    EXPECT_FALSE(model.data(model.index(0), Qt::DisplayRole).isValid());
}

TEST(RecordListModels, ReplacingRowsChangesInPlaceAndNeverResets)
{
    auto model = makeModel();
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy count(&model, &RecordListModelBase::countChanged);

    model.setRecords({{"a", 1}, {"b", 2}, {"c", 3}});
    EXPECT_EQ(inserted.count(), 1);
    model.setRecords({{"x", 1}, {"y", 2}});
    EXPECT_EQ(names(model), (QStringList{"x", "y"}));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 2);
    EXPECT_EQ(removed[0][2].toInt(), 2);
    model.setRecords({{"p", 1}, {"q", 2}, {"r", 3}, {"s", 4}});
    EXPECT_EQ(names(model), (QStringList{"p", "q", "r", "s"}));
    model.setRecords({});
    EXPECT_EQ(model.count(), 0);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(count.count(), 4);
    EXPECT_EQ(changed.count(), 2);
}

} // namespace
} // namespace roror::test
