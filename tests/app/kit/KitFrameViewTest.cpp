#include "tests/support/ViewFixture.h"

#include <QFontInfo>
#include <QQuickItem>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

QRectF sceneRect(QQuickItem* item)
{
    return item ? item->mapRectToScene(QRectF(0, 0, item->width(), item->height())) : QRectF();
}

class KitFrame : public ViewTest {
protected:
    QQuickItem* load(const QByteArray& body)
    {
        QQuickItem* root = view().loadText("import QtQuick\nimport QtQuick.Layouts\nimport Roror.Kit\nimport "
                                           "Roror.Pages.Common\nimport Roror.Pages.Installer\n"
                                           + body);
        EXPECT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
        return root;
    }
    QQuickItem* find(const char* name)
    {
        QQuickItem* item = view().find(QString::fromLatin1(name));
        EXPECT_NE(item, nullptr) << name;
        return item;
    }
};

TEST_F(KitFrame, PageColumnIsAtMost980WideAndKeeps34OnTheLeadingSide)
{
    load(R"(Item {
        property alias pageWidth: page.width
        NativePage { id: page; objectName: "page"; height: parent.height; title: "Title"; subtitle: "Sub"
            Rectangle { objectName: "body"; Layout.fillWidth: true; implicitHeight: 40 } } })");
    struct Case {
        qreal pageWidth;
        qreal column;
    };
    for (const Case c : {Case{956, 888}, Case{1048, 980}, Case{1300, 980}, Case{100, 32}, Case{60, 0}}) {
        view().root()->setProperty("pageWidth", c.pageWidth);
        view().grab();
        EXPECT_EQ(find("page")->property("columnWidth").toReal(), c.column) << c.pageWidth;
        if (c.column > 0) {
            const QRectF body = sceneRect(find("body"));
            EXPECT_EQ(body.width(), c.column) << c.pageWidth;
            EXPECT_EQ(body.x(), 34) << c.pageWidth;
        }
    }
}

TEST_F(KitFrame, AFixedPageKeepsItsContentAtTheTopAndGivesTheRestToAFillingChild)
{
    load(R"(Item {
        NativePage { objectName: "fixed"; width: 600; height: parent.height; title: "T"; subtitle: "S"
            Rectangle { objectName: "first"; Layout.fillWidth: true; implicitHeight: 40 }
            Rectangle { objectName: "second"; Layout.fillWidth: true; implicitHeight: 40 } }
        NativePage { objectName: "filling"; x: 600; width: 580; height: parent.height; title: "T"; subtitle: "S"
            Rectangle { objectName: "header"; Layout.fillWidth: true; implicitHeight: 40 }
            Rectangle { objectName: "list"; Layout.fillWidth: true; Layout.fillHeight: true; implicitHeight: 40 } } })");
    const QRectF title = sceneRect(view().findAll(QStringLiteral("pageTitle")).value(0));
    EXPECT_EQ(title.y(), 30);
    const QRectF first = sceneRect(find("first"));
    const QRectF second = sceneRect(find("second"));
    EXPECT_EQ(first.y(), title.bottom() + 20);
    EXPECT_EQ(second.y(), first.bottom() + 20);
    // The filling child reaches the bottom inset of 30.
    EXPECT_EQ(sceneRect(find("list")).bottom(), 780 - 30);
    EXPECT_EQ(sceneRect(find("header")).y(), title.bottom() + 20);
}

TEST_F(KitFrame, AScrollingPageScrollsTitleAndContentTogether)
{
    load(R"(NativePage { pageScrolls: true; title: "T"; subtitle: "S"
            Rectangle { objectName: "tall"; Layout.fillWidth: true; implicitHeight: 2000 } })");
    QQuickItem* scroller = find("nativePageScroller");
    EXPECT_TRUE(scroller->property("interactive").toBool());
    EXPECT_GT(scroller->property("contentHeight").toReal(), 2000 + 60);
    const qreal before = sceneRect(find("pageTitle")).y();
    scroller->setProperty("contentY", 300);
    view().settle();
    EXPECT_EQ(sceneRect(find("pageTitle")).y(), before - 300);
}

TEST_F(KitFrame, PanelPaddingFollowsGlassAndCompact)
{
    load(R"(RowLayout {
        Panel { glass: true; compact: true; Rectangle { objectName: "glassCompact"; implicitWidth: 10; implicitHeight: 10 } }
        Panel { glass: true; compact: false; Rectangle { objectName: "glassRoomy"; implicitWidth: 10; implicitHeight: 10 } }
        Panel { glass: false; compact: true; Rectangle { objectName: "plainCompact"; implicitWidth: 10; implicitHeight: 10 } }
        Item { Layout.fillWidth: true } })");
    struct Case {
        const char* name;
        qreal padding;
    };
    for (const Case c : {Case{"glassCompact", 14}, Case{"glassRoomy", 20}, Case{"plainCompact", 20}}) {
        QQuickItem* content = find(c.name);
        QQuickItem* panel = content->parentItem()->parentItem();
        EXPECT_EQ(content->mapToItem(panel, QPointF(0, 0)), QPointF(c.padding, c.padding)) << c.name;
        EXPECT_EQ(panel->height(), 10 + 2 * c.padding) << c.name;
    }
}

TEST_F(KitFrame, SectionHeaderHasNoEmptySubtitleLineAndStandsTenAboveItsCard)
{
    load(R"(ColumnLayout {
        NativeSection { objectName: "bare"; Layout.fillWidth: true; title: "Only a title"
            Rectangle { implicitHeight: 30; Layout.fillWidth: true } }
        NativeSection { objectName: "full"; Layout.fillWidth: true; title: "Title"; subtitle: "Subtitle"
            Rectangle { implicitHeight: 30; Layout.fillWidth: true } } })");
    const auto headers = view().findAll(QStringLiteral("nativeSectionHeader"));
    const auto titles = view().findAll(QStringLiteral("nativeSectionTitle"));
    const auto panels = view().findAll(QStringLiteral("nativeSectionPanel"));
    ASSERT_EQ(headers.size(), 2);
    EXPECT_EQ(headers[0]->height(), titles[0]->height());
    EXPECT_GT(headers[1]->height(), titles[1]->height() + 10);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(sceneRect(panels[i]).y(), sceneRect(headers[i]).bottom() + 10) << i;
}

TEST_F(KitFrame, TitleTypeFollowsTheLanguageLive)
{
    load(R"(SectionTitle { title: "Smart Clean"; subtitle: "Subtitle" })");
    QQuickItem* title = find("sectionTitleTitle");
    QFont font = title->property("font").value<QFont>();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Noto Serif"));
    EXPECT_EQ(font.pixelSize(), 34);
    view().setLanguage(AppLanguagePreference::chinese);
    font = title->property("font").value<QFont>();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Noto Sans CJK SC"));
    EXPECT_EQ(font.pixelSize(), 36);
    EXPECT_EQ(font.weight(), QFont::DemiBold);
}

TEST_F(KitFrame, TextsWrittenWithTrFollowTheLanguageLive)
{
    // A plain binding, a binding inside a delegate and one feeding a component's property all read
    // the language inside the call, so each re-evaluates on a switch (and back).
    load(R"(ColumnLayout {
        Text { objectName: "plain"; text: Tr.text("清理", "Clean") }
        Repeater { model: 1; Text { objectName: "delegate"; text: Tr.text("卸载", "Uninstall") } }
        SectionTitle { title: Tr.text("设置", "Settings"); subtitle: "" }
    })");
    const struct {
        const char* name;
        const char* chinese;
        const char* english;
    } cases[]
        = {{"plain", "清理", "Clean"}, {"delegate", "卸载", "Uninstall"}, {"sectionTitleTitle", "设置", "Settings"}};
    for (const auto& c : cases)
        EXPECT_EQ(find(c.name)->property("text").toString(), QString::fromUtf8(c.english)) << c.name;
    view().setLanguage(AppLanguagePreference::chinese);
    for (const auto& c : cases)
        EXPECT_EQ(find(c.name)->property("text").toString(), QString::fromUtf8(c.chinese)) << c.name;
    view().setLanguage(AppLanguagePreference::english);
    for (const auto& c : cases)
        EXPECT_EQ(find(c.name)->property("text").toString(), QString::fromUtf8(c.english)) << c.name;
}

TEST_F(KitFrame, DataTextsShowMarkupAsWritten)
{
    load(R"(ColumnLayout {
        SectionTitle { title: "<b>x</b>"; subtitle: "<i>y</i>" }
        NativeSection { title: "<b>x</b>"; subtitle: "<i>y</i>"; Item {} }
        StatusBadge { text: "<b>x</b>"; systemImage: "checkmark.circle" }
        EmptyState { title: "<b>x</b>"; subtitle: "<i>y</i>"; systemImage: "folder" }
        FilterChip { title: "<b>x</b>"; systemImage: "shippingbox" }
        ToolbarActionButton { title: "<b>x</b>"; systemImage: "trash" } })");
    for (const char* name : {"sectionTitleTitle", "nativeSectionTitle", "statusBadgeText", "emptyStateTitle",
                             "filterChipTitle", "toolbarActionButtonTitle"}) {
        QQuickItem* text = find(name);
        // Markup read as markup would render "x" only: narrower than the characters as written.
        EXPECT_GT(text->property("contentWidth").toReal(), text->property("font").value<QFont>().pixelSize()) << name;
    }
}

// A symbol drawn from an image takes the same square as a glyph of its size, whatever its weight:
// rows of mixed symbols line up, and a selected (bold) one does not move.
TEST_F(KitFrame, ASymbolTakesItsSquareWhateverItsKindAndWeight)
{
    load(R"(Item {
        width: 300; height: 100
        SymbolImage { objectName: "glyph"; systemName: "sparkles"; size: 16 }
        SymbolImage { objectName: "glyphBold"; systemName: "sparkles"; size: 16; weight: Font.Bold }
        SymbolImage { objectName: "image"; systemName: "gauge.with.dots.needle.bottom.50percent"; size: 16 }
        SymbolImage { objectName: "imageBold"; systemName: "gauge.with.dots.needle.bottom.50percent"; size: 16; weight: Font.Bold }
    })");
    QQuickItem* glyph = find("glyph");
    ASSERT_NE(glyph, nullptr);
    ASSERT_NE(find("image"), nullptr);
    ASSERT_NE(find("image")->property("imageSource").toString(), QString());
    ASSERT_EQ(glyph->property("imageSource").toString(), QString());
    for (const char* name : {"glyphBold", "image", "imageBold"}) {
        SCOPED_TRACE(name);
        QQuickItem* symbol = find(name);
        ASSERT_NE(symbol, nullptr);
        EXPECT_DOUBLE_EQ(symbol->implicitHeight(), glyph->implicitHeight());
        EXPECT_NEAR(symbol->implicitWidth(), glyph->implicitWidth(), 1.0);
    }
}

} // namespace
} // namespace roror::test
