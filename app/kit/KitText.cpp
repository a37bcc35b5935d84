#include "app/kit/KitText.h"

#include "app/kit/RelativeDateText.h"

#include <QQmlEngine>
#include <cmath>

namespace roror {

namespace PageLines {

std::optional<QString> lastRunLine(LastRun kind, double storedDate, qint64 count, const QDateTime& now,
                                   AppResolvedLanguage lineLanguage, AppResolvedLanguage phraseLanguage)
{
    if (!(storedDate > 0) || !std::isfinite(storedDate))
        return std::nullopt;
    const QDateTime date = QDateTime::fromMSecsSinceEpoch(qint64(std::llround(storedDate * 1000.0)));
    const QString phrase = RelativeDateText::shortPhrase(date, now, phraseLanguage);
    const QString n = QString::number(count);
    if (lineLanguage == AppResolvedLanguage::chinese) {
        if (kind == LastRun::clean)
            return QStringLiteral("上次清理 ") + phrase + QStringLiteral(" · 处理 ") + n + QStringLiteral(" 项");
        return QStringLiteral("上次优化 ") + phrase + QStringLiteral(" · 执行 ") + n + QStringLiteral(" 项");
    }
    const QString verb = kind == LastRun::clean ? QStringLiteral("Last cleaned ") : QStringLiteral("Last optimized ");
    return verb + phrase + QStringLiteral(" · ") + n + QStringLiteral(" items");
}

QString selectedCount(qint64 count, AppResolvedLanguage language)
{
    if (language == AppResolvedLanguage::chinese)
        return QStringLiteral("已选中 ") + QString::number(count) + QStringLiteral(" 个");
    return QString::number(count) + QStringLiteral(" selected");
}

} // namespace PageLines

namespace {

AppResolvedLanguage languageOf(bool chinese)
{
    return chinese ? AppResolvedLanguage::chinese : AppResolvedLanguage::english;
}

} // namespace

KitText::KitText(QObject* parent)
    : QObject(parent)
{
}

KitText* KitText::create(QQmlEngine*, QJSEngine*)
{
    auto* text = new KitText;
    QQmlEngine::setObjectOwnership(text, QQmlEngine::JavaScriptOwnership);
    return text;
}

QString KitText::lastCleanText(double storedDate, qint64 count, bool chinese) const
{
    return PageLines::lastRunLine(PageLines::LastRun::clean, storedDate, count, QDateTime::currentDateTime(),
                                  languageOf(chinese), RelativeDateText::systemLanguage())
        .value_or(QString());
}

QString KitText::lastOptimizeText(double storedDate, qint64 count, bool chinese) const
{
    return PageLines::lastRunLine(PageLines::LastRun::optimize, storedDate, count, QDateTime::currentDateTime(),
                                  languageOf(chinese), RelativeDateText::systemLanguage())
        .value_or(QString());
}

QString KitText::selectedCountText(qint64 count, bool chinese) const
{
    return PageLines::selectedCount(count, languageOf(chinese));
}

} // namespace roror
