#include "app/kit/CapsuleBar.h"
#include "tests/support/ViewFixture.h"

#include <QColor>
#include <QFont>
#include <QQuickItem>
#include <QTextOption>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

class PageStatus : public ViewTest {
protected:
    // The strip at the given width, with `paths` as the recently scanned paths (none: the model's).
    QQuickItem* show(int width, const QByteArray& paths = QByteArray())
    {
        const QByteArray qml = "import QtQuick\nimport Roror.App\nimport Roror.Shell\n"
                               "Item {\n required property AppModel model\n"
                               " PageStatusView { width: "
            + QByteArray::number(width) + "; model: parent.model\n"
            + (paths.isEmpty() ? QByteArray() : "  recentScanPaths: " + paths + "\n") + " }\n}\n";
        QQuickItem* root = view().loadText(qml, {{QStringLiteral("model"), QVariant::fromValue(&view().model())}});
        EXPECT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
        return root;
    }
};

QQuickItem* childOf(QQuickItem* item, const char* name)
{
    for (QQuickItem* c : item->childItems()) {
        if (c->objectName() == QLatin1String(name))
            return c;
    }
    return nullptr;
}

TEST_F(PageStatus, WithoutPathsTheListIsAbsent)
{
    show(600);
    EXPECT_FALSE(view().find(QStringLiteral("pageStatusPaths"))->isVisible());
    EXPECT_TRUE(view().findAll(QStringLiteral("pageStatusPath")).isEmpty());
}

TEST_F(PageStatus, OnlyTheFirstPathIsDrawnAsTheCurrentOne)
{
    show(600, R"(["/a/current", "/b/earlier", "/c/earliest"])");
    const QList<QQuickItem*> rows = view().findAll(QStringLiteral("pageStatusPath"));
    ASSERT_EQ(rows.size(), 3);
    for (int i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const QList<QQuickItem*> parts = rows[i]->childItems();
        ASSERT_GE(parts.size(), 2);
        const QColor dot = parts[0]->property("color").value<QColor>();
        const QFont font = parts[1]->property("font").value<QFont>();
        EXPECT_EQ(dot.alphaF() == 1.0f, i == 0);
        EXPECT_EQ(font.weight() == QFont::Medium, i == 0);
        EXPECT_EQ(parts[1]->property("maximumLineCount").toInt(), 1);
    }
    // The current path is in the darker ink, the others muted.
    const QColor current = rows[0]->childItems()[1]->property("color").value<QColor>();
    const QColor earlier = rows[1]->childItems()[1]->property("color").value<QColor>();
    EXPECT_GT(current.alphaF(), earlier.alphaF());
}

TEST_F(PageStatus, TheHighlightIsAtLeast48Wide)
{
    for (const auto& [width, highlight] : {std::pair{120, 48.0}, std::pair{150, 48.0}, std::pair{1000, 320.0}}) {
        SCOPED_TRACE(width);
        show(width);
        QQuickItem* bar = view().find(QStringLiteral("pageStatusBar"));
        ASSERT_NE(bar, nullptr);
        EXPECT_DOUBLE_EQ(childOf(bar, "barHighlight")->width(), highlight);
        // Drawn cut to the track's capsule, so the highlight rounds off at the ends.
        auto* drawing = qobject_cast<CapsuleBar*>(childOf(bar, "barDrawing"));
        ASSERT_NE(drawing, nullptr);
        EXPECT_DOUBLE_EQ(drawing->property("fillWidth").toDouble(), highlight);
        EXPECT_TRUE(drawing->property("fillFades").toBool());
    }
}

TEST_F(PageStatus, ShowsTheStatusDetailAsPlainText)
{
    show(400);
    view().model().refreshEnvironment();
    view().settle();
    QQuickItem* detail = view().find(QStringLiteral("pageStatusDetail"));
    EXPECT_EQ(detail->property("text").toString(), view().model().statusDetail());
    EXPECT_EQ(detail->property("textFormat").toInt(), int(Qt::PlainText));
    EXPECT_EQ(detail->property("wrapMode").toInt(), int(QTextOption::WrapAtWordBoundaryOrAnywhere));
}

} // namespace
} // namespace roror::test
