#include "app/model/AppModel.h"

#include "app/model/AppModelInternal.h"
#include "core/engines/clean/CleanWhitelistMatcher.h"

namespace roror {

using namespace appmodel;

void AppModel::loadCleanWhitelistEditor()
{
    try {
        const CleanWhitelistState state = m_services.loadCleanWhitelist(home());
        m_cleanWhitelistLoadError.reset();
        setCleanWhitelistText(state.patterns.join(QLatin1Char('\n')));
    } catch (...) {
        m_cleanWhitelistLoadError = describeError(std::current_exception());
        showAlert(log::clean(), *m_cleanWhitelistLoadError);
    }
    emit cleanWhitelistLoadErrorChanged();
}

void AppModel::saveCleanWhitelistEditor()
{
    if (m_cleanWhitelistLoadError) {
        showAlert(log::clean(),
                  text("保护名单没有读取成功，为避免覆盖原来的文件，这次没有保存。",
                       "The protection list could not be read, so it was not saved over."));
        return;
    }
    QStringList patterns;
    QString piece;
    const auto endPiece = [&] {
        const QString trimmed = piece.trimmed();
        if (!trimmed.isEmpty())
            patterns.append(trimmed);
        piece.clear();
    };
    for (const QChar c : m_cleanWhitelistText) {
        const char16_t u = c.unicode();
        if ((u >= 0x000A && u <= 0x000D) || u == 0x0085 || u == 0x2028 || u == 0x2029)
            endPiece();
        else
            piece.append(c);
    }
    endPiece();
    // A line that names no fixed place would be stored and then silently protect nothing.
    for (const QString& pattern : patterns) {
        if (!CleanWhitelistMatcher::canEverMatch(pattern, home())) {
            showAlert(log::clean(),
                      text("这一行不是以 / 或 ~ 开头的完整路径，不会保护任何内容，保护名单没有保存：",
                           "This line is not a full path starting with / or ~ and would protect nothing, "
                           "so the protection list was not saved: ")
                          + pattern);
            return;
        }
    }
    try {
        m_services.saveCleanWhitelist(CleanWhitelistState{patterns}, home());
    } catch (...) {
        showAlert(log::clean(), describeError(std::current_exception()));
        return;
    }
    setStatusTitle(text("保护名单已更新", "Protection List Updated"));
    setStatusDetail(text("智能清理会按新的保护名单跳过对应内容。",
                         "Smart Clean will skip items covered by the new protection list."));
}

void AppModel::loadOptimizeWhitelistEditor()
{
    try {
        const OptimizeWhitelistState state = m_services.loadOptimizeWhitelist(home());
        m_optimizeWhitelistLoadError.reset();
        setOptimizeWhitelistSelection(state.selectedKeys);
        setOptimizeWhitelistCustomKeys(state.customKeys);
    } catch (...) {
        m_optimizeWhitelistLoadError = describeError(std::current_exception());
        showAlert(log::optimize(), *m_optimizeWhitelistLoadError);
    }
    emit optimizeWhitelistLoadErrorChanged();
}

void AppModel::saveOptimizeWhitelistEditor()
{
    if (m_optimizeWhitelistLoadError) {
        showAlert(log::optimize(),
                  text("保护项没有读取成功，为避免覆盖原来的文件，这次没有保存。",
                       "The safeguards could not be read, so they were not saved over."));
        return;
    }
    try {
        m_services.saveOptimizeWhitelist(
            OptimizeWhitelistState{m_optimizeWhitelistSelection, m_optimizeWhitelistCustomKeys}, home());
    } catch (...) {
        showAlert(log::optimize(), describeError(std::current_exception()));
        return;
    }
    setStatusTitle(text("保护项已更新", "Safeguards Updated"));
    setStatusDetail(text("优化执行时会跳过已勾选的步骤。", "Optimization will skip the selected steps."));
}

} // namespace roror
