#include "app/kit/RecordListModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

struct Item {
    QString name;
    qint64 size = 0;
    bool operator==(const Item&) const = default;
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

TEST(RecordListModels, AReorderMovesPersistentRowsWithTheirRecordsAndNamedRolesChangeAlone)
{
    auto model = makeModel();
    model.resetRecords({{"a", 1}, {"b", 2}, {"c", 3}});
    const QPersistentModelIndex held(model.index(0));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.reorderRecords({{"c", 3}, {"a", 1}, {"b", 2}}, [](const Item& i) { return i.name; });
    EXPECT_EQ(names(model), (QStringList{"c", "a", "b"}));
    EXPECT_EQ(held.row(), 1);
    EXPECT_EQ(resets.count(), 0);

    // Only the rows whose key is named, and only the named role.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.rowsChanged("name", {QStringLiteral("b"), QStringLiteral("x")}, "size");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>().row(), 2);
    EXPECT_EQ(changed[0][2].value<QList<int>>(), QList<int>{model.roleNames().key("size")});
    model.rolesChanged({"size"});
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed[1][1].value<QModelIndex>().row(), 2);

    // The same rows by identity are changed in place; other rows make a new list.
    model.updateRecords({{"c", 30}, {"a", 10}, {"b", 20}},
                        [](const Item& x, const Item& y) { return x.name == y.name; });
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(model.data(model.index(0), model.roleNames().key("size")).toLongLong(), 30);
    model.updateRecords({{"d", 1}}, [](const Item& x, const Item& y) { return x.name == y.name; });
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(names(model), QStringList{"d"});
}

} // namespace
} // namespace roror::test
