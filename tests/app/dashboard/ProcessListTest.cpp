#include "app/dashboard/overview/DashboardView.h"
#include "app/dashboard/processes/ProcessUsageListModel.h"
#include "core/status/ProcessControl.h"
#include "tests/app/dashboard/DashboardFixtures.h"
#include "tests/support/TestEnv.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

constexpr auto en = AppResolvedLanguage::english;
constexpr auto zh = AppResolvedLanguage::chinese;

QStringList names(const QList<SystemReport::ProcessInfo>& list)
{
    QStringList out;
    for (const auto& p : list)
        out.append(p.name.value_or(QStringLiteral("?")));
    return out;
}

QStringList keys(const ProcessUsageListModel& model)
{
    QStringList out;
    for (int i = 0; i < model.rowCount(); ++i)
        out.append(model.data(model.index(i), ProcessUsageListModel::KeyRole).toString());
    return out;
}

QList<ProcessUsageEntry> entriesOf(const QStringList& keyList)
{
    QList<ProcessUsageEntry> list;
    for (const QString& key : keyList)
        list.append({key, proc(std::nullopt, key), std::nullopt});
    return list;
}

} // namespace

TEST(ProcessRows, SourceAndStableDescendingSorts)
{
    const QList<SystemReport::ProcessInfo> usage{
        proc(1, QStringLiteral("a"), 5.0, std::nullopt), proc(2, QStringLiteral("b"), 20.0, 1.0),
        proc(3, QStringLiteral("c"), 5.0, 3.0), proc(4, QStringLiteral("d"), std::nullopt, std::nullopt),
        proc(5, QStringLiteral("e"), 0.0, 0.5)};
    EXPECT_EQ(names(DashboardView::processRows(usage, std::nullopt, ProcessUsageSort::cpu)),
              (QStringList{"b", "a", "c", "d", "e"})); // d's missing figure counts 0, like e's
    // Missing memory figures count as 0 and keep their order among themselves.
    EXPECT_EQ(names(DashboardView::processRows(usage, std::nullopt, ProcessUsageSort::memory)),
              (QStringList{"c", "b", "e", "a", "d"}));

    SystemReport report;
    report.topProcesses = {proc(9, QStringLiteral("top"), 1.0), proc(8, QStringLiteral("top2"), 2.0),
                           proc(7, QStringLiteral("top3"), 3.0)};
    // The model's list wins even when the report's is longer.
    EXPECT_EQ(names(DashboardView::processRows({usage[0]}, report, ProcessUsageSort::cpu)), (QStringList{"a"}));
    EXPECT_EQ(names(DashboardView::processRows({}, report, ProcessUsageSort::cpu)),
              (QStringList{"top3", "top2", "top"}));
    EXPECT_TRUE(DashboardView::processRows({}, std::nullopt, ProcessUsageSort::cpu).isEmpty());

    EXPECT_EQ(processUsageSortFromRaw(QStringLiteral("memory")), ProcessUsageSort::memory);
    EXPECT_EQ(processUsageSortFromRaw(QStringLiteral("Memory")), std::nullopt);
}

TEST(ProcessRows, RowTexts)
{
    struct Case {
        SystemReport::ProcessInfo process;
        QString name;
        QString detail;
        QString detailZh;
        QString pid;
    };
    const Case cases[] = {
        {proc(4321, QStringLiteral("Editor"), 1.0, 1.0, QStringLiteral("/usr/bin/editor")), "Editor", "/usr/bin/editor",
         "/usr/bin/editor", "4321"},
        {proc(4321, QString(), 1.0, 1.0, QString()), "Process", "PID 4321", "PID 4321", "4321"},
        {proc(std::nullopt, std::nullopt), "Process", "No path information", "没有路径信息", "-"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProcessUsageRow::displayName(c.process, en), c.name);
        EXPECT_EQ(ProcessUsageRow::processDetail(c.process, en), c.detail);
        EXPECT_EQ(ProcessUsageRow::processDetail(c.process, zh), c.detailZh);
        EXPECT_EQ(ProcessUsageRow::pidText(c.process), c.pid);
    }
    EXPECT_EQ(ProcessUsageRow::displayName(proc(1, QString()), zh), QStringLiteral("进程"));
}

TEST(ProcessRows, RevealNeedsAnExistingPath)
{
    TestEnv env;
    const QString file = env.writeFile(QStringLiteral("bin/tool"), "x");
    EXPECT_TRUE(ProcessUsageRow::hasRevealPath(proc(200, QStringLiteral("tool"), 0.0, 0.0, file)));
    EXPECT_TRUE(ProcessUsageRow::hasRevealPath(proc(200, QStringLiteral("tool"), 0.0, 0.0, env.home())));
    EXPECT_FALSE(ProcessUsageRow::hasRevealPath(proc(200, QStringLiteral("tool"), 0.0, 0.0, file + "-gone")));
    EXPECT_FALSE(ProcessUsageRow::hasRevealPath(proc(200, QStringLiteral("tool"), 0.0, 0.0, QString())));
    EXPECT_FALSE(ProcessUsageRow::hasRevealPath(proc(200, QStringLiteral("tool"))));
}

TEST(ProcessRows, KillButtonFollowsWhetherTheProcessMayBeEnded)
{
    ProcessControl::setHooksForTesting({.sendSignal = {}, .ownPid = [] { return qint64(4242); }, .maximumPid = {}});
    struct Case {
        std::optional<qint64> pid;
        bool canTerminate;
    };
    const Case cases[] = {{100, false}, {101, true}, {1, false}, {4242, false}, {std::nullopt, false}, {5000, true}};
    ProcessUsageListModel model;
    QList<SystemReport::ProcessInfo> processes;
    for (const Case& c : cases)
        processes.append(proc(c.pid, QStringLiteral("p")));
    model.setEntries(ProcessUsageRow::entries(processes, {}));
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        const bool can = model.data(model.index(i), ProcessUsageListModel::CanTerminateRole).toBool();
        EXPECT_EQ(can, cases[i].canTerminate) << i;
        EXPECT_FALSE(ProcessKillButton::isVisible(false, can));
        EXPECT_EQ(ProcessKillButton::isVisible(true, can), cases[i].canTerminate);
        EXPECT_EQ(ProcessKillButton::isEnabled(can), cases[i].canTerminate);
    }
    ProcessControl::setHooksForTesting({});
}

TEST(ProcessRows, IdentityIsPidAndStartTimeWithDuplicatesKeptApart)
{
    const QList<SystemReport::ProcessInfo> list{
        proc(300, QStringLiteral("a")),          proc(301, QStringLiteral("b")),
        proc(std::nullopt, QStringLiteral("x")), proc(std::nullopt, QStringLiteral("x")),
        proc(std::nullopt, std::nullopt),        proc(std::nullopt, std::nullopt)};
    const auto first = ProcessUsageRow::entries(list, {{300, 11}, {301, 12}});
    QSet<QString> distinct;
    for (const auto& e : first)
        distinct.insert(e.key);
    EXPECT_EQ(distinct.size(), list.size());
    EXPECT_EQ(first[0].startTime, 11u);
    EXPECT_EQ(first[2].startTime, std::nullopt);

    // The same table again gives the same keys; a pid now held by a process started later is a new row.
    const auto again = ProcessUsageRow::entries(list, {{300, 11}, {301, 99}});
    EXPECT_EQ(again[0].key, first[0].key);
    EXPECT_NE(again[1].key, first[1].key);
    EXPECT_EQ(again[3].key, first[3].key);

    EXPECT_TRUE(ProcessUsageRow::isSameProcess(11, 11));
    EXPECT_FALSE(ProcessUsageRow::isSameProcess(11, 12));
    EXPECT_FALSE(ProcessUsageRow::isSameProcess(11, std::nullopt));
    EXPECT_TRUE(ProcessUsageRow::isSameProcess(std::nullopt, 12));
}

TEST(ProcessListModel, RefreshesMoveRowsInsteadOfReplacingThem)
{
    ProcessUsageListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&model, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy moves(&model, &QAbstractItemModel::rowsAboutToBeMoved);
    QSignalSpy removes(&model, &QAbstractItemModel::rowsAboutToBeRemoved);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsAboutToBeInserted);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    model.setEntries(entriesOf({"a", "b", "c", "d", "e"}));
    const QPersistentModelIndex c(model.index(2));
    inserts.clear();

    // One row climbing to the top is one move; the others stay where they were.
    model.setEntries(entriesOf({"d", "a", "b", "c", "e"}));
    EXPECT_EQ(keys(model), (QStringList{"d", "a", "b", "c", "e"}));
    EXPECT_EQ(moves.size(), 1);
    EXPECT_EQ(c.row(), 3);

    // Gone, new and moved at once.
    moves.clear();
    model.setEntries(entriesOf({"e", "f", "a", "c"}));
    EXPECT_EQ(keys(model), (QStringList{"e", "f", "a", "c"}));
    EXPECT_EQ(removes.size(), 2); // b, then d (not adjacent)
    EXPECT_EQ(inserts.size(), 1);
    EXPECT_EQ(c.row(), 3);
    EXPECT_EQ(resets.size(), 0);

    // Same keys, new figures: only a data change.
    auto updated = entriesOf({"e", "f", "a", "c"});
    updated[2].process.cpu = 42.0;
    moves.clear();
    removes.clear();
    inserts.clear();
    changes.clear();
    model.setEntries(updated);
    EXPECT_EQ(moves.size() + removes.size() + inserts.size(), 0);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0][0].toModelIndex().row(), 2);
    EXPECT_EQ(model.data(model.index(2), ProcessUsageListModel::CpuTextRole).toString(), QStringLiteral("42.0%"));
}

// A refresh's notice names the roles that changed, so the rows shown read only those again.
TEST(ProcessListModel, DataChangesNameTheChangedRoles)
{
    using Model = ProcessUsageListModel;
    struct Case {
        const char* what;
        std::function<void(ProcessUsageEntry&)> change;
        QList<int> roles; // empty: every role
    };
    const Case cases[] = {
        {"cpu",
         [](ProcessUsageEntry& e) { e.process.cpu = 42.0; },
         {Model::CanTerminateRole, Model::CpuTextRole, Model::CpuToneRole, Model::CpuKnownRole}},
        {"memory",
         [](ProcessUsageEntry& e) { e.process.memory = 3.5; },
         {Model::CanTerminateRole, Model::MemoryTextRole, Model::MemoryToneRole, Model::MemoryKnownRole}},
        {"name",
         [](ProcessUsageEntry& e) { e.process.name = QStringLiteral("renamed"); },
         {Model::CanTerminateRole, Qt::DisplayRole, Model::NameRole}},
        {"ended", [](ProcessUsageEntry& e) { e.ended = true; }, {Model::CanTerminateRole, Model::EndedRole}},
        {"parent pid, no role of its own", [](ProcessUsageEntry& e) { e.process.ppid = 1; }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model model;
        model.setEntries(entriesOf({"a", "b", "c"}));
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        auto next = entriesOf({"a", "b", "c"});
        c.change(next[1]);
        model.setEntries(next);
        ASSERT_EQ(changes.size(), 1);
        EXPECT_EQ(changes[0][0].toModelIndex().row(), 1);
        EXPECT_EQ(changes[0][1].toModelIndex().row(), 1);
        EXPECT_EQ(changes[0][2].value<QList<int>>(), c.roles);
    }
}

TEST(ProcessListModel, CountIsAnnouncedAfterTheRowsWhenTheirNumberChanged)
{
    ProcessUsageListModel model;
    QList<int> announced;
    QObject::connect(&model, &ProcessUsageListModel::countChanged, [&] { announced.append(model.count()); });

    model.setEntries(entriesOf({"a", "b", "c"}));
    model.setEntries(entriesOf({"c", "b", "a"})); // reordered, as many
    model.setEntries(entriesOf({"a", "a"}));      // duplicate keys: shown as a new list
    model.setEntries({});
    EXPECT_EQ(announced, (QList<int>{3, 2, 0}));
}

TEST(ProcessListModel, AListAfterOneWithRepeatedKeysIsShownAsItStands)
{
    ProcessUsageListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setEntries(entriesOf({"a", "a", "c"}));
    model.setEntries(entriesOf({"a", "b"}));
    EXPECT_EQ(keys(model), (QStringList{"a", "b"}));
    model.setEntries(entriesOf({"b", "a"}));
    EXPECT_EQ(keys(model), (QStringList{"b", "a"}));
}

TEST(ProcessListModel, AnyReorderEndsInTheNewOrderWithIdentitiesFollowing)
{
    QRandomGenerator random(16);
    ProcessUsageListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QStringList current;
    for (int round = 0; round < 200; ++round) {
        QStringList next;
        for (int k = 0; k < 30; ++k) {
            if (random.bounded(3) != 0)
                next.append(QString::number(k));
        }
        for (int i = next.size() - 1; i > 0; --i)
            next.swapItemsAt(i, random.bounded(i + 1));
        QHash<QString, QPersistentModelIndex> held;
        for (int i = 0; i < model.rowCount(); ++i)
            held.insert(keys(model)[i], QPersistentModelIndex(model.index(i)));
        model.setEntries(entriesOf(next));
        ASSERT_EQ(keys(model), next) << round;
        for (auto it = held.cbegin(); it != held.cend(); ++it) {
            if (next.contains(it.key()))
                EXPECT_EQ(it.value().row(), next.indexOf(it.key()));
            else
                EXPECT_FALSE(it.value().isValid());
        }
        current = next;
    }
}

TEST(ProcessListModel, AWholesaleReorderIsOneLayoutChangeWithIdentitiesFollowing)
{
    ProcessUsageListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QStringList order;
    for (int i = 0; i < 300; ++i)
        order.append(QString::number(i));
    model.setEntries(entriesOf(order));
    QList<QPersistentModelIndex> held;
    for (int i = 0; i < model.rowCount(); ++i)
        held.append(QPersistentModelIndex(model.index(i)));
    QSignalSpy moves(&model, &QAbstractItemModel::rowsAboutToBeMoved);
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);

    std::reverse(order.begin(), order.end());
    order.removeAt(10); // and one row goes
    model.setEntries(entriesOf(order));
    EXPECT_EQ(keys(model), order);
    EXPECT_EQ(moves.size(), 0);
    EXPECT_EQ(layouts.size(), 1);
    for (int i = 0; i < held.size(); ++i) {
        const int expected = static_cast<int>(order.indexOf(QString::number(i)));
        EXPECT_EQ(held[i].row(), expected) << i;
    }
}

TEST(ProcessListModel, RowTextsFollowTheLanguage)
{
    ProcessUsageListModel model;
    model.setEntries(ProcessUsageRow::entries({proc(std::nullopt, std::nullopt)}, {}));
    EXPECT_EQ(model.data(model.index(0), ProcessUsageListModel::DetailRole).toString(),
              QStringLiteral("No path information"));
    EXPECT_EQ(model.data(model.index(0), ProcessUsageListModel::CpuTextRole).toString(), QStringLiteral("Unknown"));
    EXPECT_EQ(model.data(model.index(0), ProcessUsageListModel::CpuToneRole).toString(), QStringLiteral("muted"));
    EXPECT_EQ(model.data(model.index(0), ProcessUsageListModel::PidTextRole).toString(), QStringLiteral("-"));
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    model.setLanguage(zh);
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(model.data(model.index(0), ProcessUsageListModel::DetailRole).toString(), QStringLiteral("没有路径信息"));
    EXPECT_EQ(model.data(model.index(0), ProcessUsageListModel::NameRole).toString(), QStringLiteral("进程"));
    EXPECT_EQ(model.data(model.index(0), ProcessUsageListModel::CpuTextRole).toString(), QStringLiteral("未知"));

    model.setEntries(ProcessUsageRow::entries({proc(500, QStringLiteral("hot"), 88.0, 70.0)}, {}));
    EXPECT_EQ(model.data(model.index(0), ProcessUsageListModel::CpuToneRole).toString(), QStringLiteral("danger"));
    EXPECT_EQ(model.data(model.index(0), ProcessUsageListModel::MemoryToneRole).toString(), QStringLiteral("amber"));
}

TEST(ProcessListModel, HeldRowsKeepTheirPlacesUntilReleased)
{
    struct Case {
        const char* what;
        QStringList next;     // the refreshes that arrive while held (the last one counts)
        QStringList held;     // the rows shown while held, in place
        QStringList ended;    // of those, the ones shown ended
        QStringList released; // the rows after the pointer leaves
    };
    const Case cases[] = {
        {"reorder waits", {"c", "a", "b"}, {"a", "b", "c"}, {}, {"c", "a", "b"}},
        {"gone rows stay, ended", {"c", "a"}, {"a", "b", "c"}, {"b"}, {"c", "a"}},
        {"new rows wait", {"d", "a", "b", "c"}, {"a", "b", "c"}, {}, {"d", "a", "b", "c"}},
        {"all at once", {"e", "c", "d"}, {"a", "b", "c"}, {"a", "b"}, {"e", "c", "d"}},
        {"everything gone", {}, {"a", "b", "c"}, {"a", "b", "c"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProcessUsageListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.setEntries(entriesOf({"a", "b", "c"}));
        model.setHeld(true);
        QSignalSpy moves(&model, &QAbstractItemModel::rowsAboutToBeMoved);
        QSignalSpy removes(&model, &QAbstractItemModel::rowsAboutToBeRemoved);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsAboutToBeInserted);
        QSignalSpy layouts(&model, &QAbstractItemModel::layoutAboutToBeChanged);

        auto next = entriesOf(c.next);
        for (auto& e : next)
            e.process.cpu = 50.0;
        model.setEntries(entriesOf({"c", "b", "a"})); // an earlier refresh that also waits
        model.setEntries(next);
        EXPECT_EQ(keys(model), c.held);
        EXPECT_EQ(moves.size() + removes.size() + inserts.size() + layouts.size(), 0);
        for (int i = 0; i < model.rowCount(); ++i) {
            const bool ended = c.ended.contains(keys(model)[i]);
            EXPECT_EQ(model.data(model.index(i), ProcessUsageListModel::EndedRole).toBool(), ended) << i;
            // Figures of rows still listed update in place.
            if (!ended) {
                EXPECT_EQ(model.data(model.index(i), ProcessUsageListModel::CpuTextRole).toString(),
                          QStringLiteral("50.0%"));
            }
        }

        model.setHeld(false);
        EXPECT_EQ(keys(model), c.released);
        for (int i = 0; i < model.rowCount(); ++i)
            EXPECT_FALSE(model.data(model.index(i), ProcessUsageListModel::EndedRole).toBool());
    }
}

TEST(ProcessListModel, AnEndedRowCannotBeEnded)
{
    ProcessControl::setHooksForTesting({.sendSignal = {}, .ownPid = [] { return qint64(4242); }, .maximumPid = {}});
    ProcessUsageListModel model;
    model.setEntries(
        ProcessUsageRow::entries({proc(500, QStringLiteral("yes")), proc(501, QStringLiteral("other"))}, {}));
    model.setHeld(true);
    model.setEntries(ProcessUsageRow::entries({proc(501, QStringLiteral("other"))}, {}));
    EXPECT_FALSE(model.data(model.index(0), ProcessUsageListModel::CanTerminateRole).toBool());
    EXPECT_TRUE(model.data(model.index(1), ProcessUsageListModel::CanTerminateRole).toBool());
    ProcessControl::setHooksForTesting({});
}
