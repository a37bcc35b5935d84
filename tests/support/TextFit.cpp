#include "tests/support/TextFit.h"

namespace roror::test {
namespace {

bool seen(const QQuickItem* item)
{
    for (const QQuickItem* at = item; at; at = at->parentItem()) {
        if (!at->isVisible() || at->opacity() <= 0)
            return false;
    }
    return item->width() > 0;
}

void walk(QQuickItem* item, QStringList& out)
{
    if (!item->isVisible())
        return;
    // Text.ElideNone is 3; "truncated" tells whether the text shown was cut.
    constexpr int elideNone = 3;
    if (item->inherits("QQuickText") && item->property("elide").toInt() != elideNone
        && item->property("truncated").toBool() && seen(item)) {
        // Layouts give whole pixels: a text within half a pixel of its width was meant to fit.
        const qreal natural = item->implicitWidth();
        if (natural <= item->width() + 0.5) {
            const QString name = item->objectName().isEmpty() ? item->property("text").toString() : item->objectName();
            out.append(QStringLiteral("%1: natural width %2 in width %3").arg(name).arg(natural).arg(item->width()));
        }
    }
    for (QQuickItem* child : item->childItems())
        walk(child, out);
}

} // namespace

QStringList textsCutWithRoom(QQuickItem* root)
{
    QStringList out;
    if (root)
        walk(root, out);
    return out;
}

} // namespace roror::test
