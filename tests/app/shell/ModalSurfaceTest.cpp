#include "app/kit/GlassSource.h"
#include "tests/support/ViewFixture.h"

#include <QImage>
#include <QPainter>
#include <QQuickItem>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

// A page dense with text and glass panels under each kind of modal surface: the window's alert,
// a page's alert and a sheet whose content sits on a glass panel of its own.
constexpr const char* modalsQml = R"(
import QtQuick
import Roror.Kit
import Roror.Shell
import Roror.Pages.Common
Item {
    id: page
    property bool pageText: true
    property int which: -1
    Repeater {
        model: 4
        LiquidGlassSurface { x: 20 + index * 280; y: 20; width: 260; height: 740 }
    }
    Grid {
        visible: parent.pageText
        x: 10; y: 10
        columns: 9
        Repeater {
            model: 540
            Text { text: index % 2 ? "Last opened 1 yr. ago" : "未知 / 未知 Source"; width: 128; height: 13; font.pixelSize: 12 }
        }
    }
    ShellAlert {
        shown: page.which === 0
        title: "Confirm Action"; message: "Remove the selected items?"
        acceptTitle: "Continue"; cancelTitle: "Cancel"; destructive: true
    }
    PageAlert {
        shown: page.which === 1
        title: "Confirm Action"; message: "Remove the selected items?"; confirmTitle: "Continue"
    }
    SheetFrame {
        presented: page.which === 2
        width: 420; height: 300
        LiquidGlassSurface {
            objectName: "sheetPanel"
            anchors.fill: parent; anchors.margins: 22
            Text { anchors.centerIn: parent; text: "Protection list"; font.pixelSize: 15 }
        }
    }
}
)";

// Items by the visual tree (a loaded card and a popup's content are not always object children).
QList<QQuickItem*> visualDescendants(QQuickItem* item, const QString& name)
{
    QList<QQuickItem*> found;
    for (QQuickItem* child : item->childItems()) {
        if (child->objectName() == name)
            found.append(child);
        found += visualDescendants(child, name);
    }
    return found;
}

class ModalSurface : public ViewTest {
protected:
    void TearDown() override
    {
        GlassSource::shared().clear();
        ViewTest::TearDown();
    }
    // The backdrop the glass surfaces show: flat, or a busy picture of stripes and discs.
    static void useBackdrop(bool busy)
    {
        QImage picture(1180, 780, QImage::Format_ARGB32_Premultiplied);
        picture.fill(QColor(200, 205, 210));
        if (busy) {
            QPainter painter(&picture);
            for (int x = 0; x < 1180; x += 90)
                painter.fillRect(x, 0, 40, 780, QColor(30, 60, 140));
            painter.setBrush(QColor(240, 170, 60));
            painter.drawEllipse(QPointF(590, 390), 200, 160);
        }
        GlassSource::shared().setBackdropImage(picture, QSizeF(1180, 780));
    }
    QImage show(int which, bool pageText)
    {
        view().root()->setProperty("which", which);
        view().root()->setProperty("pageText", pageText);
        view().settle();
        // Let the sheet's fade-in end.
        spinUntil([&] {
            QQuickItem* panel = view().find(QStringLiteral("sheetPanel"));
            const QQuickItem* popup = panel && panel->parentItem() ? panel->parentItem()->parentItem() : nullptr;
            return which != 2 || (popup && popup->opacity() == 1.0);
        });
        view().grab();
        return view().grab();
    }
    // The card's area: the alert's text and buttons with part of the card's padding, or the sheet.
    QRect cardArea(int which)
    {
        if (which == 2) {
            QQuickItem* panel = view().find(QStringLiteral("sheetPanel"));
            return panel->mapRectToScene(QRectF(-12, -12, panel->width() + 24, panel->height() + 24)).toRect();
        }
        for (QQuickItem* title : visualDescendants(view().window().contentItem(), QStringLiteral("alertTitle"))) {
            if (title->isVisible()) {
                QQuickItem* column = title->parentItem();
                return column->mapRectToScene(QRectF(-12, -12, column->width() + 24, column->height() + 24)).toRect();
            }
        }
        return {};
    }
};

TEST_F(ModalSurface, NoPageTextOrBackdropShowsThroughAlertsAndSheets)
{
    options.size = QSize(1180, 780);
    useBackdrop(false);
    ASSERT_NE(view().loadText(modalsQml), nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
    const char* names[] = {"window alert", "page alert", "sheet"};
    for (int which = 0; which < 3; ++which) {
        QImage reference;
        QRect area;
        for (bool busy : {false, true}) {
            useBackdrop(busy);
            for (bool pageText : {false, true}) {
                const QImage shot = show(which, pageText);
                if (reference.isNull()) {
                    reference = shot;
                    area = cardArea(which);
                    ASSERT_FALSE(area.isEmpty()) << names[which];
                    continue;
                }
                int differing = 0;
                for (int y = area.top(); y <= area.bottom(); ++y) {
                    for (int x = area.left(); x <= area.right(); ++x)
                        differing += shot.pixel(x, y) != reference.pixel(x, y);
                }
                EXPECT_EQ(differing, 0) << names[which] << (busy ? ", busy backdrop" : ", flat backdrop")
                                        << (pageText ? ", page text" : ", no page text");
            }
        }
    }
}

TEST_F(ModalSurface, TheDimmingIsTheSameWithAndWithoutABackgroundPicture)
{
    ASSERT_NE(view().loadText(modalsQml), nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
    // A point on a glass panel of the page, outside every card.
    const QPoint probe(1100, 60);
    for (int which = 0; which < 3; ++which) {
        for (bool busy : {false, true}) {
            useBackdrop(busy);
            const QColor open = show(which, false).pixelColor(probe);
            const QColor closed = show(-1, false).pixelColor(probe);
            ASSERT_GT(closed.lightness(), 60);
            // Black at 0.12 to 0.16 over the page: every channel darkened by that share.
            const double kept
                = double(open.red() + open.green() + open.blue()) / (closed.red() + closed.green() + closed.blue());
            EXPECT_GT(kept, 0.82) << which << busy;
            EXPECT_LT(kept, 0.9) << which << busy;
        }
    }
}

} // namespace
} // namespace roror::test
