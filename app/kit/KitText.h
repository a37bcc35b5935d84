#pragma once

#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <optional>

class QQmlEngine;
class QJSEngine;

namespace roror {

// Lines of the pages' headers and filter rows that carry a number or a date.
namespace PageLines {

enum class LastRun { clean, optimize };

// "Last cleaned 3 days ago · 42 items" / "上次清理 3天前 · 处理 42 项" (and the optimize forms), or
// none when the feature never ran (`storedDate`, seconds since 1970, not above 0). The relative
// phrase is in `phraseLanguage` (the system's), the rest in `lineLanguage` (the interface's).
std::optional<QString> lastRunLine(LastRun kind, double storedDate, qint64 count, const QDateTime& now,
                                   AppResolvedLanguage lineLanguage, AppResolvedLanguage phraseLanguage);

// "3 selected" / "已选中 3 个".
QString selectedCount(qint64 count, AppResolvedLanguage language);

} // namespace PageLines

// The lines above for QML. Each call names the interface language so that a binding
// re-evaluates when it changes: `KitText.lastCleanText(model.lastCleanDate, model.lastCleanCount, Loc.chinese)`.
class KitText : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit KitText(QObject* parent = nullptr);
    static KitText* create(QQmlEngine* engine, QJSEngine* scriptEngine);

    // Empty when the feature never ran.
    Q_INVOKABLE QString lastCleanText(double storedDate, qint64 count, bool chinese) const;
    Q_INVOKABLE QString lastOptimizeText(double storedDate, qint64 count, bool chinese) const;
    Q_INVOKABLE QString selectedCountText(qint64 count, bool chinese) const;
};

} // namespace roror
