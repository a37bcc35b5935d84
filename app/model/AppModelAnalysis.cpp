#include "app/model/AppModel.h"

#include "app/model/AppModelInternal.h"
#include "core/model/AppActionFactory.h"
#include "core/support/Log.h"

namespace roror {

using namespace appmodel;

void AppModel::analyzePath(const QString& path)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return;
    startRequest(ReportSlot::analysis);
    setAnalysisPath(trimmed);
    setAnalysisReport(std::nullopt);
    request(AppActionFactory::analyze(trimmed, true));
}

void AppModel::analyzeParentPath()
{
    QString path = m_analysisPath;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString parent = slash < 0 ? QString() : (slash == 0 ? QStringLiteral("/") : path.left(slash));
    if (!parent.isEmpty() && parent != m_analysisPath)
        analyzePath(parent);
}

void AppModel::refreshAnalysisReport(const QString& path, Done done)
{
    const quint64 request = startRequest(ReportSlot::analysis);
    const auto analysis = m_services.analysis;
    runOnPool<AnalysisReport>(
        m_relay, [analysis, path] { return analysis(path); },
        [this, done, request, path](Outcome<AnalysisReport> outcome) {
            if (!isCurrentRequest(ReportSlot::analysis, request)) {
                done();
                return;
            }
            if (!outcome.value) {
                showFailure(log::analysis(), text("空间分析失败", "Storage Analysis Failed"), outcome.error, false);
                done();
                return;
            }
            const AnalysisReport& report = *outcome.value;
            qCInfo(log::analysis).noquote() << "analysed" << path << "-" << report.entries.size() << "items,"
                                            << report.totalFiles.value_or(0) << "files";
            setAnalysisReport(report);
            setStatusTitle(text("空间分析完成", "Storage Analysis Complete"));
            setStatusDetail(
                text("下面列出了最占空间的文件和文件夹。", "Below are the files and folders using the most space."));
            writeRunSummary({{Persisted::lastAnalysisDate, nowSeconds()},
                             {Persisted::lastAnalysisPathStored, report.path.value_or(path)},
                             {Persisted::lastAnalysisTotalSize, report.totalSize.value_or(0)},
                             {Persisted::lastAnalysisTotalFiles, report.totalFiles.value_or(0)}});
            done();
        });
}

void AppModel::chooseAnalysisPath(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return;
    qCInfo(log::analysis).noquote() << "folder chosen:" << chosenPath;
    startRequest(ReportSlot::analysis);
    setAnalysisPath(chosenPath);
    setAnalysisReport(std::nullopt);
}

} // namespace roror
