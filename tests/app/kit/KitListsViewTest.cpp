#include "app/pages/common/ImagePreviews.h"
#include "app/kit/RecordListModel.h"
#include "tests/support/ViewFixture.h"

#include <QFontInfo>
#include <QQuickItem>
#include <QTest>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

struct Entry {
    QString name;
    QString kind;
};

QRectF sceneRect(QQuickItem* item)
{
    return item ? item->mapRectToScene(QRectF(0, 0, item->width(), item->height())) : QRectF();
}

// A results section over `rows` with a header of two columns and rows of the same columns.
const QByteArray resultsQml = R"(
import QtQuick
import QtQuick.Layouts
import Roror.Kit
Item {
    property var rows
    property alias subtitle: section.subtitle
    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 30
        ScrollableResultsSection {
            id: section
            objectName: "section"
            title: "Results"
            listSpacing: 8
            model: rows
            header: ResultsTableHeader {
                ResultsHeaderText { objectName: "headerName"; Layout.fillWidth: true; text: "Name" }
                ResultsHeaderText { Layout.preferredWidth: 92; text: "Type" }
            }
            delegate: ResultsTableRow {
                id: row
                required property int index
                required property string name
                required property string kind
                objectName: "row" + index
                Text { objectName: "rowName"; Layout.fillWidth: true; text: row.name; textFormat: Text.PlainText }
                Text { Layout.preferredWidth: 92; text: row.kind; textFormat: Text.PlainText }
            }
        }
    }
})";

class KitLists : public ViewTest {
protected:
    void TearDown() override
    {
        ImagePreviews::clearCache();
        ViewTest::TearDown();
    }
    QQuickItem* showRows(QList<Entry> entries)
    {
        rows.setRecords(std::move(entries));
        QQuickItem* root
            = view().loadText(resultsQml, {{QStringLiteral("rows"), QVariant::fromValue<QObject*>(&rows)}});
        EXPECT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
        view().grab();
        return root;
    }
    QQuickItem* find(const QString& name)
    {
        QQuickItem* item = view().find(name);
        EXPECT_NE(item, nullptr) << name.toStdString();
        return item;
    }
    QQuickItem* loadKit(const QByteArray& body)
    {
        QQuickItem* root = view().loadText("import QtQuick\nimport QtQuick.Layouts\nimport Roror.Kit\nimport "
                                           "Roror.Pages.Common\nimport Roror.Pages.Installer\n"
                                           + body);
        EXPECT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
        return root;
    }
    RecordListModel<Entry> rows{{{"name", [](const Entry& e) { return QVariant(e.name); }},
                                 {"kind", [](const Entry& e) { return QVariant(e.kind); }}}};
};

TEST_F(KitLists, RowsFollowTheReportInOrderBelowTheFixedHeader)
{
    QList<Entry> entries;
    for (int i = 0; i < 200; ++i)
        entries.append({QStringLiteral("item %1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("cache")});
    showRows(entries);
    const QRectF header = sceneRect(find(QStringLiteral("headerName")));
    QQuickItem* list = find(QStringLiteral("resultsList"));

    // The first card starts 28 below the header's cells (8 padding, 12 spacing, 8 inset); cards
    // are 8 apart and in the report's order.
    QQuickItem* first = find(QStringLiteral("row0"));
    EXPECT_EQ(sceneRect(first).y(), header.bottom() + 28);
    for (int i = 1; i < 6; ++i) {
        const QRectF above = sceneRect(find(QStringLiteral("row%1").arg(i - 1)));
        EXPECT_EQ(sceneRect(find(QStringLiteral("row%1").arg(i))).y(), above.bottom() + 8) << i;
    }
    EXPECT_EQ(view().findAll(QStringLiteral("rowName")).value(0)->property("text").toString(),
              QStringLiteral("item 000"));
    // Rows are built for the visible part only.
    EXPECT_LT(view().findAll(QStringLiteral("rowName")).size(), 40);

    // Scrolled to the end: the header has not moved and the last row is in view.
    list->setProperty("contentY", list->property("contentHeight").toReal());
    QMetaObject::invokeMethod(list, "positionViewAtEnd");
    view().grab();
    EXPECT_EQ(sceneRect(find(QStringLiteral("headerName"))), header);
    QQuickItem* last = find(QStringLiteral("row199"));
    EXPECT_LE(sceneRect(last).bottom(), sceneRect(list).bottom());
    EXPECT_GE(sceneRect(last).y(), sceneRect(list).y());
}

TEST_F(KitLists, RowCardsHaveTheirPaddingAndSpanTheListWhenACellFills)
{
    showRows({{QStringLiteral("one"), QStringLiteral("cache")}});
    QQuickItem* row = find(QStringLiteral("row0"));
    QQuickItem* list = find(QStringLiteral("resultsList"));
    EXPECT_EQ(row->width(), list->width());
    EXPECT_GE(row->height(), 46);
    const QRectF name = sceneRect(find(QStringLiteral("rowName")));
    EXPECT_EQ(name.x() - sceneRect(row).x(), 14);
}

TEST_F(KitLists, AnEmptyListKeepsItsHeaderAndFillsTheHeightWithoutASubtitleLine)
{
    showRows({});
    QQuickItem* list = find(QStringLiteral("resultsList"));
    EXPECT_GT(list->height(), 500);
    EXPECT_NE(find(QStringLiteral("headerName")), nullptr);
    EXPECT_FALSE(find(QStringLiteral("resultsSubtitle"))->isVisible());
    view().root()->setProperty("subtitle", QStringLiteral("12 items"));
    view().settle();
    EXPECT_TRUE(find(QStringLiteral("resultsSubtitle"))->isVisible());
}

TEST_F(KitLists, NamesFromDataShowTheirMarkupCharacters)
{
    showRows({{QStringLiteral("<b>x</b>"), QStringLiteral("<i>log</i>")}});
    QQuickItem* name = find(QStringLiteral("rowName"));
    EXPECT_EQ(name->property("text").toString(), QStringLiteral("<b>x</b>"));
    EXPECT_GT(name->property("contentWidth").toReal(), 30);
}

TEST_F(KitLists, ANarrowRowIsCentredInTheList)
{
    rows.setRecords({{QStringLiteral("short"), QString()}});
    view().loadText(R"(
import QtQuick
import Roror.Kit
ListView {
    property var rows
    model: rows
    delegate: NativeListRow {
        objectName: "narrow"
        Text { text: "Only as wide as this" }
    }
})",
                    {{QStringLiteral("rows"), QVariant::fromValue<QObject*>(&rows)}});
    view().grab();
    QQuickItem* row = find(QStringLiteral("narrow"));
    EXPECT_LT(row->width(), 400);
    EXPECT_NEAR(row->x() + row->width() / 2, 1180 / 2.0, 1);
}

// Rows taller than the 46 minimum are placed at their own height from the start: a list that
// first took them for 46 high moved every row once their cells were laid out, and made rows for
// space the real rows never reach.
TEST_F(KitLists, RowsArePlacedOnceAtTheirOwnHeight)
{
    QList<Entry> entries;
    for (int i = 0; i < 40; ++i)
        entries.append({QStringLiteral("item %1").arg(i), QString()});
    rows.setRecords(entries);
    view().loadText(R"(
import QtQuick
import QtQuick.Layouts
import Roror.Kit
ListView {
    property var rows
    width: 600
    height: 400
    spacing: 8
    model: rows
    delegate: ResultsTableRow {
        id: row
        required property string name
        property int moves: 0
        objectName: "tallRow"
        onYChanged: moves++
        Item {
            Layout.fillWidth: true
            implicitHeight: label.height + 3 + note.height
            Text { id: label; width: parent.width; elide: Text.ElideRight; text: row.name; font.pixelSize: 24 }
            Text { id: note; y: label.height + 3; width: parent.width; elide: Text.ElideMiddle; text: "note" }
        }
    }
})",
                    {{QStringLiteral("rows"), QVariant::fromValue<QObject*>(&rows)}});
    view().grab();
    const QList<QQuickItem*> made = view().findAll(QStringLiteral("tallRow"));
    ASSERT_FALSE(made.isEmpty());
    for (QQuickItem* row : made) {
        EXPECT_GT(row->height(), 60);
        EXPECT_LE(row->property("moves").toInt(), 1) << row->y();
    }
}

TEST_F(KitLists, RingGaugeDrawsNothingBelowZeroAFullRingAboveOneAndHalfFromTwelveClockwise)
{
    loadKit(R"(Row {
        RingGauge { width: 100; height: 100; value: -0.2; color: "#ff0000"; lineWidth: 10 }
        RingGauge { width: 100; height: 100; value: 1.7; color: "#ff0000"; lineWidth: 10 }
        RingGauge { width: 100; height: 100; value: 0.5; color: "#ff0000"; lineWidth: 10 } })");
    // Let the sweep finish.
    QTest::qWait(700);
    const QImage shot = view().grab();
    auto redAt = [&](int x, int y) {
        const QColor c = shot.pixelColor(x, y);
        return c.red() - c.green() > 60;
    };
    // Sample the middle of the stroke at 3, 6, 9 and 12 o'clock of each gauge.
    for (int g = 0; g < 3; ++g) {
        const int cx = g * 100 + 50;
        const bool right = redAt(cx + 45, 50);
        const bool bottom = redAt(cx, 95);
        const bool left = redAt(cx - 45, 50);
        const bool top = redAt(cx, 5);
        if (g == 0) {
            EXPECT_FALSE(right || bottom || left || top);
        } else if (g == 1) {
            EXPECT_TRUE(right && bottom && left && top);
        } else {
            EXPECT_TRUE(right);
            EXPECT_TRUE(top);
            EXPECT_FALSE(left);
            EXPECT_FALSE(redAt(cx - 35, 85)); // lower left quarter
        }
    }
}

TEST_F(KitLists, TagsAndChipsSizeAndColourAsTheirFieldsSay)
{
    loadKit(R"(Row {
        GlassTag { objectName: "tag"; title: "Caches"; systemImage: "folder"; cornerRadius: 6; monospace: false }
        GlassTag { objectName: "mono"; title: "Caches"; systemImage: "folder"; cornerRadius: 4; monospace: true }
        GlassTag { objectName: "bare"; title: "Caches"; cornerRadius: 4; monospace: false }
        GlassChip { objectName: "chip"; title: "Fine" }
        GlassChip { objectName: "tinted"; title: "Fine"; systemImage: "checkmark.circle"; tint: "#2e7d32" } })");
    QQuickItem* tag = view().find(QStringLiteral("tag"));
    QQuickItem* mono = view().find(QStringLiteral("mono"));
    QQuickItem* bare = view().find(QStringLiteral("bare"));
    ASSERT_TRUE(tag && mono && bare);
    // Monospace trims a point above and below (the monospaced line may be a little taller).
    const auto titles = view().findAll(QStringLiteral("glassTagTitle"));
    EXPECT_EQ(tag->height() - titles[0]->height(), 8);
    EXPECT_EQ(mono->height() - titles[1]->height(), 6);
    EXPECT_EQ(bare->width(), titles[2]->width() + 16);
    EXPECT_NEAR(view().find(QStringLiteral("chip"))->property("foreground").value<QColor>().alphaF(),
                0.85 * 0.88 * 0.85, 0.005);
    EXPECT_EQ(view().find(QStringLiteral("tinted"))->property("foreground").value<QColor>(), QColor("#2e7d32"));
}

TEST_F(KitLists, MetricCardKeepsValueAndNoteToOneLineAndSwitchesTheValueDesign)
{
    loadKit(R"(Item { MetricCard { width: 220; title: "Largest folder in the scanned location"; symbol: "folder"
        value: "123.4 GB in a very long value that cannot fit"; note: "A note that is far too long for the card" } })");
    QQuickItem* value = view().find(QStringLiteral("metricCardValue"));
    ASSERT_NE(value, nullptr);
    EXPECT_TRUE(value->property("truncated").toBool());
    EXPECT_TRUE(view().find(QStringLiteral("metricCardNote"))->property("truncated").toBool());
    EXPECT_GT(view().find(QStringLiteral("metricCardTitle"))->property("lineCount").toInt(), 1);
    EXPECT_EQ(QFontInfo(value->property("font").value<QFont>()).family(), QStringLiteral("Noto Serif"));
    const int size = value->property("font").value<QFont>().pixelSize();
    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(QFontInfo(value->property("font").value<QFont>()).family(), QStringLiteral("Noto Sans CJK SC"));
    EXPECT_EQ(value->property("font").value<QFont>().pixelSize(), size);
}

TEST_F(KitLists, InstallerFilterRowAndHeaderFollowSelectionModeAndLanguage)
{
    loadKit(R"(ColumnLayout { width: 800
        property alias choosing: bar.selectionMode
        InstallerFilterBar { id: bar; selectedCount: 0 }
        InstallerTableHeader { Layout.fillWidth: true; selectionMode: bar.selectionMode } })");
    QQuickItem* count = view().find(QStringLiteral("installerSelectionCount"));
    QQuickItem* name = view().find(QStringLiteral("installerNameColumn"));
    ASSERT_TRUE(count && name);
    EXPECT_FALSE(count->isVisible());
    EXPECT_EQ(name->property("text").toString(), QStringLiteral("Name"));
    view().root()->setProperty("choosing", true);
    view().settle();
    EXPECT_TRUE(count->isVisible());
    EXPECT_EQ(count->property("text").toString(), QStringLiteral("0 selected"));
    EXPECT_EQ(name->property("text").toString(), QStringLiteral("Selected Files"));
    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(count->property("text").toString(), QStringLiteral("已选中 0 个"));
    EXPECT_EQ(name->property("text").toString(), QStringLiteral("已选文件"));
}

TEST_F(KitLists, BackgroundTileShowsThePictureThePlaceholderForNoneAndTheBareTileForMissingOrBrokenFiles)
{
    QImage wide(1600, 900, QImage::Format_RGB32);
    wide.fill(Qt::red);
    const QString good = view().env().home() + QStringLiteral("/my back ground 背景.png");
    ASSERT_TRUE(wide.save(good));
    const QString broken = view().env().writeFile(QStringLiteral("notes.png"), "not a picture");
    const QString missing = view().env().home() + QStringLiteral("/gone.png");
    loadKit(R"(Item {
        property alias path: tile.url
        property alias revision: tile.revision
        WindowBackgroundPreview { id: tile; objectName: "tile"; x: 100; y: 100; previewSize: 80; revision: 3 } })");
    QQuickItem* tile = view().find(QStringLiteral("tile"));
    QQuickItem* placeholder = view().find(QStringLiteral("windowBackgroundPlaceholder"));
    ASSERT_TRUE(tile && placeholder);
    EXPECT_EQ(tile->property("identity").toString(), QStringLiteral("none-3"));
    EXPECT_TRUE(placeholder->isVisible());

    view().root()->setProperty("path", good);
    view().root()->setProperty("revision", 0);
    ASSERT_TRUE(spinUntil([&] {
        const QImage shot = view().grab();
        return shot.pixelColor(140, 140).red() > 200 && shot.pixelColor(140, 140).green() < 60;
    }));
    EXPECT_EQ(tile->property("identity").toString(), good + QStringLiteral("-0"));
    EXPECT_FALSE(placeholder->isVisible());
    // Drawn 80 by 45, centred: the rows above and below the picture show the tile, not red.
    const QImage shot = view().grab();
    EXPECT_LT(shot.pixelColor(140, 112).green() - shot.pixelColor(140, 112).red(), 10);
    EXPECT_GT(shot.pixelColor(140, 112).green(), 150);
    EXPECT_GT(shot.pixelColor(140, 120).red(), 200);

    // Not a picture: only the tinted square and its border, no symbol.
    for (const QString& path : {broken, missing}) {
        view().root()->setProperty("path", path);
        view().settle();
        EXPECT_FALSE(placeholder->isVisible()) << path.toStdString();
        const QImage bare = view().grab();
        EXPECT_GT(bare.pixelColor(140, 140).green(), 150) << path.toStdString();
        EXPECT_EQ(bare.pixelColor(140, 140), bare.pixelColor(110, 110)) << path.toStdString();
    }
}

} // namespace
} // namespace roror::test
