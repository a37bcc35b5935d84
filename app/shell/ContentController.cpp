#include "app/shell/ContentController.h"

#include <QPromise>
#include <algorithm>
#include <functional>
#include <memory>

namespace roror {

ContentController::ContentController(QObject* parent)
    : QObject(parent)
{
}

void ContentController::setModel(AppModel* model)
{
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (m_model) {
        connect(m_model, &AppModel::selectedFeatureChanged, this, &ContentController::selectedFeatureChanged);
        connect(m_model, &AppModel::statusReportChanged, this, &ContentController::healthScoreChanged);
        connect(m_model, &AppModel::showHealthAuraChanged, this, &ContentController::healthScoreChanged);
        connect(m_model, &AppModel::customWindowBackgroundPathChanged, this, &ContentController::backgroundChanged);
        connect(m_model, &AppModel::windowBackgroundRevisionChanged, this, &ContentController::backgroundChanged);
        connect(m_model, &AppModel::pendingActionChanged, this, &ContentController::pendingActionChanged);
        connect(m_model, &AppModel::alertMessageChanged, this, &ContentController::alertMessageChanged);
    }
    emit modelChanged();
    emit selectedFeatureChanged();
    emit healthScoreChanged();
    emit backgroundChanged();
    emit pendingActionChanged();
    emit alertMessageChanged();
    // A model that comes after the first frame starts the sequence itself.
    if (m_windowDrawn)
        startOnce();
}

QString ContentController::selectedFeature() const
{
    return toRaw(m_model ? m_model->selectedFeature() : AppFeature::dashboard);
}

void ContentController::setSelectedFeature(const QString& raw)
{
    const auto feature = appFeatureFromRaw(raw);
    if (m_model && feature)
        m_model->setSelectedFeature(*feature);
}

int ContentController::selectedIndex() const
{
    return static_cast<int>(allAppFeatures().indexOf(m_model ? m_model->selectedFeature() : AppFeature::dashboard));
}

bool ContentController::hasHealthScore() const
{
    if (!m_model || !m_model->showHealthAura())
        return false;
    const auto report = m_model->statusReport();
    return report && report->healthScore.has_value();
}

int ContentController::healthScore() const
{
    if (!hasHealthScore())
        return 0;
    const qint64 score = *m_model->statusReport()->healthScore;
    // Only the comparisons with 46 and 75 matter; keep far-out values far out.
    return static_cast<int>(std::clamp<qint64>(score, -1000, 1000));
}

QUrl ContentController::backgroundImageUrl() const
{
    if (!m_model)
        return {};
    return m_model->customWindowBackgroundURL().value_or(QUrl());
}

bool ContentController::hasCustomWindowBackground() const
{
    return m_model && m_model->customWindowBackgroundURL().has_value();
}

int ContentController::backgroundRevision() const
{
    return m_model ? m_model->windowBackgroundRevision() : 0;
}

bool ContentController::confirmationShown() const
{
    return m_model && m_model->pendingAction().has_value();
}

QString ContentController::confirmationMessage() const
{
    if (!m_model || !m_model->pendingAction())
        return {};
    return m_model->pendingAction()->detail;
}

bool ContentController::messageShown() const
{
    return m_model && m_model->alertMessage().has_value();
}

QString ContentController::message() const
{
    if (!m_model)
        return {};
    return m_model->alertMessage().value_or(QString());
}

namespace {

using StartupStep = std::function<QFuture<void>()>;

struct StartupRun {
    QList<StartupStep> steps;
    QPromise<void> promise;
};

// Each step's continuation holds the run, so the run lives until its last step is back (or until
// the controller goes away, which drops the waiting continuation with it).
void runFrom(QObject* context, const std::shared_ptr<StartupRun>& run, qsizetype index)
{
    if (index >= run->steps.size()) {
        run->promise.finish();
        return;
    }
    QFuture<void> running;
    try {
        running = run->steps.at(index)();
    } catch (...) {
        running = QtFuture::makeReadyFuture();
    }
    // A continuation that takes the future runs whether the step succeeded or failed.
    running.then(context, [context, run, index](QFuture<void>) { runFrom(context, run, index + 1); });
}

} // namespace

QFuture<void> ContentController::startup()
{
    auto run = std::make_shared<StartupRun>();
    run->promise.start();
    QFuture<void> whole = run->promise.future();
    const QPointer<AppModel> model = m_model;
    if (!model) {
        run->promise.finish();
        return whole;
    }
    const auto now = [model](void (AppModel::*call)()) -> StartupStep {
        return [model, call] {
            if (model)
                (model->*call)();
            return QtFuture::makeReadyFuture();
        };
    };
    run->steps = {
        now(&AppModel::refreshEnvironment),
        now(&AppModel::sanitizeWindowBackgroundPathIfNeeded),
        now(&AppModel::loadOptimizeWhitelistEditor),
        [model] { return model ? model->primeDashboardSnapshotIfNeeded() : QtFuture::makeReadyFuture(); },
        [model] { return model ? model->checkForUpdates(true) : QtFuture::makeReadyFuture(); },
    };
    runFrom(this, run, 0);
    return whole;
}

void ContentController::setWindow(QQuickWindow* window)
{
    if (m_window == window)
        return;
    disconnect(m_firstFrame);
    m_window = window;
    if (m_window && !m_windowDrawn) {
        // Swapped on the render thread; what waits for it runs back on this one.
        m_firstFrame = connect(m_window, &QQuickWindow::frameSwapped, this, &ContentController::firstFrameShown,
                               Qt::QueuedConnection);
    }
    emit windowChanged();
}

void ContentController::firstFrameShown()
{
    disconnect(m_firstFrame);
    if (!m_windowDrawn) {
        m_windowDrawn = true;
        emit windowDrawnChanged();
    }
    startOnce();
}

void ContentController::startOnce()
{
    if (m_started || !m_model)
        return;
    m_started = true;
    startup().then(this, [this] {
        m_startupFinished = true;
        emit startupFinishedChanged();
    });
}

void ContentController::confirmPendingAction()
{
    if (m_model)
        m_model->confirmPendingAction();
}

void ContentController::dropPendingAction()
{
    if (m_model && m_model->pendingAction())
        m_model->setPendingAction(std::nullopt);
}

void ContentController::clearMessage()
{
    if (m_model && m_model->alertMessage())
        m_model->setAlertMessage(std::nullopt);
}

} // namespace roror
