#include "app/pages/clean/CleanPage.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/model/AppActionFactory.h"
#include "tests/app/pages/PageViewSupport.h"
#include "tests/support/TextFit.h"

#include <QQuickWindow>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

using Status = CleanPreviewEntryStatus;

CleanPreviewReport::Entry entry(const QString& path, Status status, std::optional<QString> note = std::nullopt)
{
    return CleanPreviewReport::Entry{QUuid::createUuid(), QStringLiteral("User essentials"), path, std::move(note),
                                     status};
}

// One entry of every status, in the order of the statuses.
CleanPreviewReport allStatuses()
{
    CleanPreviewReport r;
    r.generatedAt = fixedNow();
    r.entries
        = {entry("/home/u/Library/Caches", Status::cleanable, QStringLiteral("User app caches · 1.2 GB, 4,210 items")),
           entry("/home/u/Library/Logs/old.log", Status::done),
           entry("Chrome is running; its caches are kept", Status::skipped),
           entry("/home/u/.Trash", Status::info, QStringLiteral("Trash · 20 MB")),
           entry("/home/u/Library/Logs", Status::detail),
           entry("/home/u/Downloads/big.dmg", Status::review),
           entry("Total", Status::summary, QStringLiteral("1.3 GB"))};
    r.summary = QStringLiteral("About 1.3 GB can be cleaned in 2 places.");
    return r;
}

class CleanView : public ViewTest {
protected:
    void SetUp() override
    {
        options.services = [this](AppModelServices& s, const TestEnv&) {
            s.cleanPreview = [this] { return previews.future(); };
            s.optimizePreview = [this] { return optimizePreviews.future(); };
            s.cleanExecutor = [this](const CleanPreviewReport& r, const QStringList&) {
                ++cleanRuns;
                LocalCleanResult result;
                result.removedCount = r.entries.size();
                return result;
            };
            s.loadCleanWhitelist = [this](const QString&) {
                if (failLoad)
                    throw std::runtime_error("the list is not UTF-8 text");
                return CleanWhitelistState{stored};
            };
            s.saveCleanWhitelist = [this](const CleanWhitelistState& state, const QString&) {
                ++saves;
                stored = state.patterns;
            };
        };
    }

    QQuickItem* open()
    {
        QQuickItem* root = view().load(QStringLiteral("Roror.Pages.Clean"), QStringLiteral("CleanView"));
        EXPECT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
        return root;
    }
    QQuickItem* item(const char* name) { return view().find(QString::fromLatin1(name)); }
    CleanPage* page() { return view().root()->findChild<CleanPage*>(); }

    void previewWith(const CleanPreviewReport& report)
    {
        view().click(item("cleanPreviewButton"));
        ASSERT_TRUE(settleUntil(view(), [&] { return previews.waiting() == 1; }));
        previews.resolve(report);
        ASSERT_TRUE(settleUntil(view(), [&] { return !view().model().isRunning(); }));
        view().grab(); // layouts settle when a frame is prepared
    }

    Gate<CleanPreviewReport> previews;
    Gate<OptimizePreviewReport> optimizePreviews;
    std::atomic<int> cleanRuns{0};
    QStringList stored{QStringLiteral("~/Projects"), QStringLiteral("~/Library/Caches/keep")};
    bool failLoad = false;
    int saves = 0;
};

TEST_F(CleanView, FirstVisitShowsTheContractInBothLanguages)
{
    open();
    EXPECT_EQ(item("cleanHeaderSymbol")->property("systemName").toString(), QStringLiteral("sparkles"));
    EXPECT_EQ(textOf(item("cleanLastRun")), QStringLiteral("Not cleaned yet"));
    EXPECT_TRUE(shown(item("cleanContract")));
    EXPECT_FALSE(item("cleanStartButton")->isVisible());
    EXPECT_FALSE(item("cleanBusy")->isVisible());
    EXPECT_FALSE(item("cleanPreviewPanel")->isVisible());
    EXPECT_EQ(item("cleanPreviewButton")->property("title").toString(), QStringLiteral("Preview"));
    EXPECT_EQ(item("cleanProtectionButton")->property("help").toString(), QStringLiteral("Protection List"));

    QStringList tags;
    for (QQuickItem* tag : view().findAll(QStringLiteral("glassTagTitle")))
        tags << textOf(tag);
    EXPECT_EQ(tags,
              (QStringList{"User Caches", "Log Files", "Web Temp Data", "Crash Reports", "Developer Cache", "Trash"}));
    EXPECT_EQ(textOf(view().find(QStringLiteral("nativeSectionSubtitle"))),
              QStringLiteral("Checks 6 categories of leftovers"));

    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(textOf(item("cleanLastRun")), QStringLiteral("还没清理过"));
    EXPECT_EQ(item("cleanPreviewButton")->property("title").toString(), QStringLiteral("预览"));
    EXPECT_EQ(textOf(view().findAll(QStringLiteral("glassTagTitle")).value(5)), QStringLiteral("废纸篓"));
    EXPECT_EQ(textOf(view().find(QStringLiteral("nativeSectionSubtitle"))), QStringLiteral("检查以下 6 类残留"));
    EXPECT_EQ(item("cleanProtectionButton")->property("help").toString(), QStringLiteral("保护名单"));
}

TEST_F(CleanView, PreviewShowsTheBusyStripThenEveryRowColouredByItsStatus)
{
    open();
    view().click(item("cleanPreviewButton"));
    ASSERT_TRUE(settleUntil(view(), [&] { return previews.waiting() == 1; }));
    EXPECT_TRUE(shown(item("cleanBusy")));
    EXPECT_FALSE(item("cleanContract")->isVisible());
    EXPECT_FALSE(item("cleanPreviewPanel")->isVisible());
    EXPECT_EQ(textOf(item("pageStatusDetail")), view().model().statusDetail());

    previews.resolve(allStatuses());
    ASSERT_TRUE(settleUntil(view(), [&] { return !view().model().isRunning(); }));
    EXPECT_FALSE(item("cleanBusy")->isVisible());
    EXPECT_TRUE(shown(item("cleanPreviewPanel")));
    EXPECT_TRUE(shown(item("cleanStartButton")));
    EXPECT_EQ(item("cleanPreviewButton")->property("title").toString(), QStringLiteral("Re-preview"));
    EXPECT_EQ(textOf(view().find(QStringLiteral("resultsSubtitle"))),
              QStringLiteral("About 1.3 GB can be cleaned in 2 places."));

    const QList<QQuickItem*> symbols = view().findAll(QStringLiteral("cleanRowSymbol"));
    const QList<QQuickItem*> paths = shownAll(view(), QStringLiteral("cleanRowPath"));
    ASSERT_EQ(paths.size(), 7);
    const struct {
        const char* symbol;
        QColor color;
    } expected[] = {
        {"sparkles", QColor::fromRgbF(0.169f, 0.2f, 0.251f)},
        {"checkmark.circle", QColor(52, 199, 89)},
        {"pause.circle", QColor(255, 149, 0)},
        {"info.circle", QColor::fromRgbF(0, 0, 0, 0.46f)},
        {"text.alignleft", QColor::fromRgbF(0, 0, 0, 0.46f)},
        {"arrow.up.right.circle", QColor(0, 122, 255)},
        {"sum", QColor::fromRgbF(0.169f, 0.2f, 0.251f)},
    };
    const auto report = allStatuses();
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(textOf(paths[i]), report.entries[i].path) << i;
        QQuickItem* row = paths[i]->parentItem()->parentItem();
        const QList<QQuickItem*> rowSymbols = [&] {
            QList<QQuickItem*> found;
            for (QQuickItem* s : symbols) {
                if (row->isAncestorOf(s))
                    found << s;
            }
            return found;
        }();
        ASSERT_EQ(rowSymbols.size(), 1) << i;
        EXPECT_EQ(rowSymbols[0]->property("systemName").toString(), QString::fromLatin1(expected[i].symbol)) << i;
        const QColor color = rowSymbols[0]->property("color").value<QColor>();
        EXPECT_NEAR(color.redF(), expected[i].color.redF(), 0.01) << i;
        EXPECT_NEAR(color.greenF(), expected[i].color.greenF(), 0.01) << i;
        EXPECT_NEAR(color.blueF(), expected[i].color.blueF(), 0.01) << i;
        EXPECT_NEAR(color.alphaF(), expected[i].color.alphaF(), 0.01) << i;
    }
    // Every status, the summary's sum sign included, has its glyph in the icon font.
    for (QQuickItem* symbol : shownAll(view(), QStringLiteral("cleanRowSymbol")))
        EXPECT_FALSE(symbol->property("text").toString().isEmpty())
            << symbol->property("systemName").toString().toStdString();
    const QList<QQuickItem*> details = shownAll(view(), QStringLiteral("cleanRowDetail"));
    EXPECT_EQ(textOf(details[0]), QStringLiteral("User essentials · User app caches · 1.2 GB, 4,210 items"));
    EXPECT_EQ(textOf(details[1]), QStringLiteral("User essentials"));
    for (const AppLanguagePreference language : {AppLanguagePreference::chinese, AppLanguagePreference::english}) {
        view().setLanguage(language);
        view().grab();
        EXPECT_EQ(textsCutWithRoom(view().root()), QStringList()) << static_cast<int>(language);
    }
}

TEST_F(CleanView, ALongPathKeepsItsStartAndEndOnTwoLines)
{
    open();
    const QString longPath
        = QStringLiteral("/home/u/Library/Caches/") + QString(400, QLatin1Char('x')) + QStringLiteral("/the-end.db");
    CleanPreviewReport r;
    r.entries = {entry(longPath, Status::cleanable)};
    previewWith(r);
    QQuickItem* path = shownAll(view(), QStringLiteral("cleanRowPath")).value(0);
    ASSERT_NE(path, nullptr);
    const QString shownText = textOf(path);
    EXPECT_TRUE(shownText.startsWith(QStringLiteral("/home/u/Library/Caches/")));
    EXPECT_TRUE(shownText.endsWith(QStringLiteral("the-end.db")));
    EXPECT_TRUE(shownText.contains(QChar(0x2026)));
    EXPECT_LE(path->property("lineCount").toInt(), 2);
    EXPECT_FALSE(path->property("truncated").toBool()) << "the middle is cut, not the end";
}

TEST_F(CleanView, AnEmptyReportShowsTheEmptyStateAndStillOffersTheClean)
{
    open();
    previewWith(CleanPreviewReport{});
    EXPECT_TRUE(shown(item("cleanPreviewEmpty")));
    EXPECT_FALSE(item("cleanPreviewResults")->isVisible());
    EXPECT_FALSE(item("cleanContract")->isVisible());
    EXPECT_TRUE(shown(item("cleanStartButton")));
    EXPECT_EQ(textOf(item("emptyStateTitle")), QStringLiteral("No clear cleanup targets found"));
    const QList<QQuickItem*> subtitles = shownAll(view(), QStringLiteral("nativeSectionSubtitle"));
    ASSERT_FALSE(subtitles.isEmpty());
    EXPECT_EQ(textOf(subtitles.last()), QStringLiteral("This scan did not find anything that needs attention."));
}

TEST_F(CleanView, AnotherPagesRunLeavesThisPageAsItWas)
{
    open();
    view().model().request(AppActionFactory::optimize(true, false));
    ASSERT_TRUE(settleUntil(view(), [&] { return optimizePreviews.waiting() == 1; }));
    EXPECT_TRUE(view().model().isRunning());
    EXPECT_TRUE(shown(item("cleanContract")));
    EXPECT_FALSE(item("cleanBusy")->isVisible());
    optimizePreviews.resolve(OptimizePreviewReport{});
    ASSERT_TRUE(settleUntil(view(), [&] { return !view().model().isRunning(); }));
}

TEST_F(CleanView, StartAsksForConfirmationAndTheCleanShowsItsLastRun)
{
    open();
    previewWith(allStatuses());
    view().click(item("cleanStartButton"));
    ASSERT_TRUE(view().model().pendingAction());
    EXPECT_EQ(view().model().pendingAction()->arguments, QStringList{QStringLiteral("clean")});
    EXPECT_EQ(cleanRuns.load(), 0);

    view().model().confirmPendingAction();
    ASSERT_TRUE(settleUntil(view(), [&] { return previews.waiting() == 1; }));
    EXPECT_TRUE(shown(item("cleanBusy")));
    previews.resolve(CleanPreviewReport{});
    ASSERT_TRUE(settleUntil(view(), [&] { return !view().model().isRunning(); }));
    EXPECT_EQ(cleanRuns.load(), 1);
    EXPECT_EQ(item("cleanHeaderSymbol")->property("systemName").toString(), QStringLiteral("clock.arrow.circlepath"));
    EXPECT_TRUE(textOf(item("cleanLastRun")).startsWith(QStringLiteral("Last cleaned ")));
    EXPECT_TRUE(textOf(item("cleanLastRun")).endsWith(QStringLiteral(" · 7 items")));
}

class CleanProtectionSheetView : public CleanView {
protected:
    QQuickItem* openSheet()
    {
        open();
        view().click(item("cleanProtectionButton"));
        QQuickItem* sheet = nullptr;
        EXPECT_TRUE(settleUntil(view(), [&] {
            sheet = item("cleanProtectionEditor");
            return shown(sheet) && sheet->window() && sheet->opacity() > 0;
        }));
        settleUntil(view(), [&] { return !view().findAll(QStringLiteral("cleanProtectionSave")).isEmpty(); });
        return sheet;
    }
    bool sheetOpen() { return shown(item("cleanProtectionEditor")); }
    bool waitClosed()
    {
        return settleUntil(view(), [&] { return !sheetOpen(); });
    }
};

TEST_F(CleanProtectionSheetView, LoadEditRestoreCancelAndSave)
{
    QQuickItem* editor = openSheet();
    ASSERT_TRUE(editor);
    EXPECT_TRUE(view().model().showingCleanProtectionSheet());
    EXPECT_EQ(textOf(editor), QStringLiteral("~/Projects\n~/Library/Caches/keep"));
    EXPECT_FALSE(item("cleanProtectionLoadError")->isVisible());

    // Typing edits the model's working copy.
    editor->forceActiveFocus();
    QTest::keyClick(&view().window(), Qt::Key_End, Qt::ControlModifier);
    typeText(view(), QStringLiteral("\n~/Music"));
    EXPECT_EQ(view().model().cleanWhitelistText(), QStringLiteral("~/Projects\n~/Library/Caches/keep\n~/Music"));

    view().click(item("cleanProtectionRestore"));
    EXPECT_EQ(textOf(editor).split(QLatin1Char('\n')), CleanWhitelistStore::defaultPatterns());
    EXPECT_TRUE(sheetOpen());

    view().click(item("cleanProtectionCancel"));
    ASSERT_TRUE(waitClosed());
    EXPECT_FALSE(view().model().showingCleanProtectionSheet());
    EXPECT_EQ(saves, 0);

    // Opened again, the list is read from the store again; Save writes and closes.
    editor = openSheet();
    EXPECT_EQ(textOf(editor), QStringLiteral("~/Projects\n~/Library/Caches/keep"));
    editor->forceActiveFocus();
    QTest::keyClick(&view().window(), Qt::Key_End, Qt::ControlModifier);
    typeText(view(), QStringLiteral("\n  ~/Movies  \n"));
    view().click(item("cleanProtectionSave"));
    ASSERT_TRUE(waitClosed());
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(stored, (QStringList{"~/Projects", "~/Library/Caches/keep", "~/Movies"}));
    EXPECT_EQ(view().model().statusTitle(), QStringLiteral("Protection List Updated"));
}

TEST_F(CleanProtectionSheetView, ReturnSavesWhenTheEditorDoesNotTakeIt)
{
    QQuickItem* editor = openSheet();
    ASSERT_TRUE(editor);
    editor->forceActiveFocus();
    QTest::keyClick(&view().window(), Qt::Key_Return);
    EXPECT_TRUE(sheetOpen()) << "Return in the editor is a new line";
    EXPECT_EQ(saves, 0);
    item("cleanProtectionCancel")->forceActiveFocus();
    QTest::keyClick(&view().window(), Qt::Key_Return);
    ASSERT_TRUE(waitClosed());
    EXPECT_EQ(saves, 1);
}

TEST_F(CleanProtectionSheetView, AClickAnywhereInTheEditorFrameTypesIntoTheEditor)
{
    QQuickItem* editor = openSheet();
    ASSERT_TRUE(editor);
    QQuickItem* frame = item("cleanProtectionEditorFrame");
    ASSERT_TRUE(frame);
    const int end = static_cast<int>(textOf(editor).size());
    // The last line's height and the room below it, then the middle of the empty space.
    for (const qreal fromBottom : {2.0, 8.0, 14.0, 20.0, 26.0, frame->height() / 2}) {
        item("cleanProtectionCancel")->forceActiveFocus();
        const QPointF at(frame->width() / 2, frame->height() - fromBottom);
        QTest::mouseClick(&view().window(), Qt::LeftButton, {}, frame->mapToScene(at).toPoint());
        view().settle();
        EXPECT_TRUE(editor->hasActiveFocus()) << fromBottom;
        EXPECT_EQ(editor->property("cursorPosition").toInt(), end) << fromBottom;
    }
    // What is typed there stays: Return is a new line, not the sheet's Save.
    typeText(view(), QStringLiteral("\n~/Music"));
    QTest::keyClick(&view().window(), Qt::Key_Return);
    view().settle();
    EXPECT_TRUE(sheetOpen());
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(view().model().cleanWhitelistText(), QStringLiteral("~/Projects\n~/Library/Caches/keep\n~/Music\n"));

    // Leaving the page with the sheet open keeps it and its text for the return.
    view().root()->setVisible(false);
    ASSERT_TRUE(waitClosed());
    QTest::qWait(300); // the closing fade ends before the sheet reports it closed
    view().settle();
    EXPECT_TRUE(view().model().showingCleanProtectionSheet());
    view().root()->setVisible(true);
    ASSERT_TRUE(settleUntil(view(), [&] { return sheetOpen(); }));
    EXPECT_EQ(textOf(item("cleanProtectionEditor")), QStringLiteral("~/Projects\n~/Library/Caches/keep\n~/Music\n"));
}

TEST_F(CleanProtectionSheetView, EscapeClosesAndWritesTheFlagBack)
{
    ASSERT_TRUE(openSheet());
    QTest::keyClick(&view().window(), Qt::Key_Escape);
    ASSERT_TRUE(waitClosed());
    EXPECT_FALSE(view().model().showingCleanProtectionSheet());
    EXPECT_EQ(saves, 0);
}

TEST_F(CleanProtectionSheetView, AListThatFailedToLoadSaysSoAndCannotBeSaved)
{
    failLoad = true;
    QQuickItem* editor = openSheet();
    ASSERT_TRUE(editor);
    EXPECT_TRUE(shown(item("cleanProtectionLoadError")));
    EXPECT_TRUE(textOf(item("cleanProtectionLoadErrorText")).contains(QStringLiteral("the list is not UTF-8 text")));
    EXPECT_FALSE(item("cleanProtectionSave")->isEnabled());
    EXPECT_TRUE(editor->property("readOnly").toBool());
    view().click(item("cleanProtectionSave"));
    view().settle();
    EXPECT_TRUE(sheetOpen());
    EXPECT_EQ(saves, 0);

    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_TRUE(textOf(item("cleanProtectionLoadErrorText")).startsWith(QStringLiteral("保护名单没有读取成功")));
    EXPECT_EQ(item("cleanProtectionSave")->property("title").toString(), QStringLiteral("保存"));
}

} // namespace
} // namespace roror::test
