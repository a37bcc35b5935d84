#pragma once

#include "app/pages/common/FileActions.h"
#include "tests/support/TextFit.h"
#include "tests/support/ViewFixture.h"

#include <QQuickItem>
#include <QStringList>

namespace roror::test {

// The first item with this objectName below `root` (or `root` itself).
inline QQuickItem* findIn(QQuickItem* root, const QString& name)
{
    if (!root)
        return nullptr;
    if (root->objectName() == name)
        return root;
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* found = findIn(child, name))
            return found;
    }
    return nullptr;
}

// Visible means shown on screen: the item and all its parents.
inline bool shown(QQuickItem* item)
{
    return item && item->isVisible() && item->opacity() > 0;
}

inline QString textOf(QQuickItem* item)
{
    return item ? item->property("text").toString() : QString();
}

// Delegates of a list that are on screen, top to bottom.
inline QList<QQuickItem*> rows(ViewFixture& view, const QString& name)
{
    QList<QQuickItem*> visible;
    for (QQuickItem* item : view.findAll(name)) {
        if (shown(item))
            visible.append(item);
    }
    std::sort(visible.begin(), visible.end(), [](QQuickItem* a, QQuickItem* b) {
        return a->mapToScene({0, 0}).y() < b->mapToScene({0, 0}).y();
    });
    return visible;
}

// Lets the model's queued requests run and their results land.
inline bool settleUntil(ViewFixture& view, const std::function<bool()>& done, int limitMs = 10000)
{
    return spinUntil(
        [&] {
            view.settle(2);
            return done();
        },
        limitMs);
}

// Draws a frame, so every layout has placed its items (layouts settle when the window polishes
// them before drawing, which an offscreen window without frames due may not have done yet).
inline void sync(ViewFixture& view)
{
    view.grab();
}

// Moves the pointer onto the item, then clicks it, as a user does (an item that tracks hovering
// may not take a press that arrives without the pointer having come over it first).
inline void press(ViewFixture& view, QQuickItem* item)
{
    sync(view);
    view.hover(item);
    view.click(item);
}

// Waits until no result list is still settling into place (a list moving when a click comes takes
// the click to stop itself, as it would under a real pointer).
inline void listsAtRest(ViewFixture& view)
{
    settleUntil(view, [&view] {
        for (QQuickItem* list : view.findAll(QStringLiteral("resultsList"))) {
            if (list->property("moving").toBool() || list->property("flicking").toBool())
                return false;
        }
        return true;
    });
    sync(view);
}

// How far below the result header's cells the first row card starts (the header's bottom padding,
// the panel's spacing and the list's top inset: 28).
inline qreal headerToFirstRow(ViewFixture& view, const QString& rowName)
{
    QQuickItem* cells = nullptr;
    for (QQuickItem* item : view.findAll(QStringLiteral("resultsHeaderCells"))) {
        if (shown(item))
            cells = item;
    }
    const QList<QQuickItem*> list = rows(view, rowName);
    if (!cells || list.isEmpty())
        return -1;
    return list.first()->mapToScene({0, 0}).y() - cells->mapToScene({0, cells->height()}).y();
}

// The result table of a page: its header stands where it belongs above the first row and no text
// is cut while it fits, in both languages.
inline void expectTableFits(ViewFixture& view, const QString& rowName)
{
    for (const AppLanguagePreference language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
        view.setLanguage(language);
        sync(view);
        const char* where = language == AppLanguagePreference::chinese ? "zh" : "en";
        EXPECT_EQ(headerToFirstRow(view, rowName), 28) << where;
        EXPECT_EQ(textsCutWithRoom(view.root()), QStringList()) << where;
    }
    view.setLanguage(AppLanguagePreference::english);
}

// The desktop's reveal and open, recorded for the test's lifetime.
struct DesktopRecorder {
    DesktopRecorder()
    {
        FileActions::setHandlers([this](const QString& path) { revealed.append(path); },
                                 [this](const QString& path) { opened.append(path); });
    }
    ~DesktopRecorder() { FileActions::setHandlers({}, {}); }
    QStringList revealed;
    QStringList opened;
};

} // namespace roror::test
