#pragma once

#include "app/dashboard/hero/OverviewHeroCard.h"
#include "app/dashboard/overview/DashboardView.h"
#include "app/dashboard/overview/StatusCardListModel.h"
#include "app/dashboard/processes/ProcessUsageListModel.h"
#include "app/model/AppModel.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QQuickWindow>
#include <QTimer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>

namespace roror {

// The Overview page's state behind its QML: the cards, hero card and process rows derived from
// the model's snapshot, the process sort, the pending force-quit question, and the live refresh,
// which runs exactly while `live` is true (the page is on screen). Changes of the model reach
// the page's values when the events already queued have run.
class DashboardPage : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(roror::AppModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(bool live READ live WRITE setLive NOTIFY liveChanged)
    // The window the page shows in. The live refresh waits for its first frame, so the first
    // snapshot and the cards it brings are not made and drawn before the window first shows.
    Q_PROPERTY(QQuickWindow* window READ window WRITE setWindow NOTIFY windowChanged)
    Q_PROPERTY(bool hasReport READ hasReport NOTIFY hasReportChanged)
    Q_PROPERTY(roror::OverviewHeroCard hero READ hero NOTIFY heroChanged)
    Q_PROPERTY(QObject* cards READ cardModel CONSTANT)
    Q_PROPERTY(QObject* processes READ processModel CONSTANT)
    Q_PROPERTY(int processCount READ processCount NOTIFY processCountChanged)
    Q_PROPERTY(QString processSort READ processSortRaw WRITE setProcessSortRaw NOTIFY processSortChanged)
    Q_PROPERTY(bool forceQuitPending READ forceQuitPending NOTIFY forceQuitChanged)
    Q_PROPERTY(QString forceQuitMessage READ forceQuitMessage NOTIFY forceQuitChanged)
    Q_PROPERTY(QVariantList skeletonCards READ skeletonCards NOTIFY languageChanged)
    Q_PROPERTY(QString skeletonStatusText READ skeletonStatusText NOTIFY skeletonStatusTextChanged)

public:
    explicit DashboardPage(QObject* parent = nullptr);
    ~DashboardPage() override;

    AppModel* model() const { return m_model; }
    void setModel(AppModel* model);
    bool live() const { return m_live; }
    void setLive(bool live);
    QQuickWindow* window() const { return m_window; }
    void setWindow(QQuickWindow* window);
    void classBegin() override;
    void componentComplete() override;

    bool hasReport() const { return m_hasReport; }
    OverviewHeroCard hero() const { return m_hero; }
    StatusCardListModel* cards() const { return &m_cards; }
    ProcessUsageListModel* processes() const { return &m_processes; }
    // The list models as the view takes them.
    QObject* cardModel() const { return &m_cards; }
    QObject* processModel() const { return &m_processes; }
    int processCount() const { return m_processes.count(); }
    ProcessUsageSort processSort() const { return m_sort; }
    void setProcessSort(ProcessUsageSort sort);
    QString processSortRaw() const { return toRaw(m_sort); }
    void setProcessSortRaw(const QString& raw);
    bool forceQuitPending() const { return m_forceQuitTarget.has_value(); }
    // The process the confirmation is about, as it was when the question was asked.
    std::optional<ProcessUsageEntry> forceQuitTarget() const { return m_forceQuitTarget; }
    QString forceQuitMessage() const;
    QVariantList skeletonCards() const;
    QString skeletonStatusText() const;

    Q_INVOKABLE int gridColumns(double width) const { return DashboardView::gridColumnCount(width); }
    // The row's quit: at once, no question.
    Q_INVOKABLE void quit(int row);
    // Holds the row's process for the confirmation; nothing is ended yet.
    Q_INVOKABLE void requestForceQuit(int row);
    Q_INVOKABLE void confirmForceQuit();
    // Also what any other way of closing the question does.
    Q_INVOKABLE void cancelForceQuit();
    Q_INVOKABLE void reveal(int row);
    Q_INVOKABLE bool canReveal(int row) const;

    // Test seams: where the newest process table's start times come from, and the reveal.
    void setStartTimeSource(std::function<QHash<qint64, quint64>()> source);
    void setRevealer(std::function<void(const QString& path)> revealer);
    void setLocalHostName(const QString& name) { m_localHostName = name; }

signals:
    void modelChanged();
    void liveChanged();
    void windowChanged();
    void hasReportChanged();
    void heroChanged();
    void processSortChanged();
    void forceQuitChanged();
    void languageChanged();
    void skeletonStatusTextChanged();
    void processCountChanged();

private:
    // Starts the model's live refresh once the window has drawn a frame (at once without a window).
    void startLiveWhenShown();
    void rebuildAll();
    void rebuildCards();
    void rebuildHero();
    void rebuildProcesses();
    void updateHasReport();
    void resetPageState();
    // Ends the process the entry stood for when it was shown, or says that it is gone.
    void end(const ProcessUsageEntry& entry, bool force);
    AppResolvedLanguage language() const;

    QPointer<AppModel> m_model;
    QList<QMetaObject::Connection> m_modelConnections;
    // A refresh replaces the report and the process list one after the other: the page is
    // rebuilt once, right after, from both.
    QTimer m_rebuild;
    bool m_live = false;
    QPointer<QQuickWindow> m_window;
    bool m_windowDrawn = false;
    // While QML sets the properties, `live` can come before `window`: nothing starts until all are set.
    bool m_completing = false;
    QMetaObject::Connection m_firstFrame;
    bool m_hasReport = false;
    OverviewHeroCard m_hero;
    mutable StatusCardListModel m_cards;
    mutable ProcessUsageListModel m_processes;
    ProcessUsageSort m_sort = ProcessUsageSort::cpu;
    std::optional<ProcessUsageEntry> m_forceQuitTarget;
    std::function<QHash<qint64, quint64>()> m_startTimes;
    std::function<void(const QString&)> m_revealer;
    QString m_localHostName;
};

} // namespace roror
