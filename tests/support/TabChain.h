#pragma once

#include "tests/support/ViewFixture.h"

#include <QAccessible>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace roror::test {

// Keyboard checks shared by the view tests: the Tab chain of what is on screen.

inline QList<QQuickItem*> allItemsBelow(QQuickItem* root)
{
    QList<QQuickItem*> items{root};
    for (QQuickItem* c : root->childItems())
        items += allItemsBelow(c);
    return items;
}

// The things a person operates, by their accessible role.
inline bool isOperatedControl(QQuickItem* item)
{
    for (QObject* attached : item->children()) {
        if (qstrcmp(attached->metaObject()->className(), "QQuickAccessibleAttached") != 0)
            continue;
        const int role = attached->property("role").toInt();
        return role == QAccessible::Button || role == QAccessible::CheckBox || role == QAccessible::PageTab
            || role == QAccessible::RadioButton;
    }
    return false;
}

// Whether the focused `stop` shows a focus mark: a control of the platform's style draws its own;
// ours draw a FocusMark (objectName "focusMark") on the stop or on the part of it the arrows move to.
inline bool showsFocusMark(ViewFixture& view, QQuickItem* stop)
{
    if (stop->property("visualFocus").toBool())
        return true;
    const QList<QQuickItem*> items = allItemsBelow(view.window().contentItem());
    return std::any_of(items.begin(), items.end(), [stop](QQuickItem* item) {
        QQuickItem* control = item->property("control").value<QQuickItem*>();
        return item->objectName() == QLatin1String("focusMark") && item->isVisible() && item->opacity() > 0
            && item->width() > 0 && control && (control == stop || stop->isAncestorOf(control));
    });
}

// Presses Tab from `first` round to it again; every stop met is shown, lies inside the window once
// the page has followed it, and shows a focus mark. Returns the stops in order.
inline QList<QQuickItem*> walkTabChain(ViewFixture& view, QQuickItem* first)
{
    QQuickWindow& window = view.window();
    first->forceActiveFocus(Qt::TabFocusReason);
    view.settle();
    QList<QQuickItem*> stops;
    for (int i = 0; i < 400; ++i) {
        QQuickItem* stop = window.activeFocusItem();
        if (!stop || stops.contains(stop))
            break;
        stops.append(stop);
        const std::string name
            = (stop->objectName().isEmpty() ? QString::fromLatin1(stop->metaObject()->className()) : stop->objectName())
                  .toStdString();
        EXPECT_TRUE(stop->isVisible()) << name;
        const QRectF inWindow = stop->mapRectToScene(stop->boundingRect());
        EXPECT_TRUE(QRectF(0, 0, window.width(), window.height()).contains(inWindow))
            << name << " lies outside the window";
        EXPECT_TRUE(showsFocusMark(view, stop)) << name << " shows no focus mark";
        QTest::keyClick(&window, Qt::Key_Tab);
        view.settle();
    }
    EXPECT_EQ(window.activeFocusItem(), first) << "the Tab chain does not come round";
    return stops;
}

// Every shown, enabled control is a stop of the chain, itself or through the control holding it.
inline void expectEveryControlReached(ViewFixture& view, const QList<QQuickItem*>& stops)
{
    for (QQuickItem* control : allItemsBelow(view.window().contentItem())) {
        if (!isOperatedControl(control) || !control->isVisible() || !control->isEnabled())
            continue;
        bool reached = false;
        for (QQuickItem* up = control; up && !reached; up = up->parentItem())
            reached = stops.contains(up);
        EXPECT_TRUE(reached) << control->objectName().toStdString() << " ("
                             << control->property("title").toString().toStdString() << ") is no Tab stop";
    }
}

} // namespace roror::test
