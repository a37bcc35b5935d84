#include "core/engines/optimize/OptimizeWhitelistStore.h"

#include "core/engines/clean/CleanListText.h"
#include "core/engines/optimize/OptimizePreviewCatalog.h"
#include "core/model/AppLocalization.h"
#include "core/support/StandardPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace roror {

OptimizeWhitelistStoreError::OptimizeWhitelistStoreError(const QString& description)
    : std::runtime_error(description.toStdString())
    , m_description(description)
{
}

namespace OptimizeWhitelistStore {

namespace {

const QString header = QStringLiteral("# Roror Optimization Whitelist - These optimization steps will be skipped");

QString optimizeConfigURL(const QString& home)
{
    return joinPath(home, QStringLiteral(".config/roror/whitelist_optimize"));
}

QString optimizeLegacyConfigURL(const QString& home)
{
    return joinPath(home, QStringLiteral(".config/zida/whitelist_optimize"));
}

QString optimizeLegacyChecksURL(const QString& home)
{
    return joinPath(home, QStringLiteral(".config/zida/whitelist_checks"));
}

QStringList deduplicated(const QStringList& keys)
{
    QStringList result;
    QSet<QString> seen;
    for (const QString& key : keys) {
        if (seen.contains(key))
            continue;
        seen.insert(key);
        result.append(key);
    }
    return result;
}

// Blank lines carry nothing, so they are dropped here.
QStringList splitLines(const QString& text)
{
    QStringList pieces = CleanListText::splitAtLineBreaks(text);
    pieces.removeAll(QString());
    return pieces;
}

QSet<QString> catalogueIds()
{
    QSet<QString> ids;
    for (const OptimizeWhitelistOption& option : options())
        ids.insert(option.id);
    return ids;
}

[[noreturn]] void fail(const QString& zh, const QString& en)
{
    throw OptimizeWhitelistStoreError(AppLocalization::coreText(zh, en));
}

} // namespace

QList<OptimizeWhitelistOption> options()
{
    QList<OptimizeWhitelistOption> result;
    for (const auto& item : OptimizePreviewCatalog::items())
        result.append(OptimizeWhitelistOption{item.id});
    return result;
}

QSet<QString> defaultSelectedKeys()
{
    return {};
}

OptimizeWhitelistState load(const QString& home)
{
    QString found;
    for (const QString& candidate :
         {optimizeConfigURL(home), optimizeLegacyConfigURL(home), optimizeLegacyChecksURL(home)}) {
        if (QFileInfo::exists(candidate)) {
            found = candidate;
            break;
        }
    }
    OptimizeWhitelistState state;
    state.selectedKeys = defaultSelectedKeys();
    if (found.isEmpty())
        return state;

    QFile file(found);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("无法读取优化白名单“%1”：%2").arg(found, file.errorString()),
             QStringLiteral("The optimization whitelist “%1” could not be read: %2").arg(found, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("无法读取优化白名单“%1”：%2").arg(found, file.errorString()),
             QStringLiteral("The optimization whitelist “%1” could not be read: %2").arg(found, file.errorString()));
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        fail(QStringLiteral("优化白名单“%1”不是有效的 UTF-8 文本。").arg(found),
             QStringLiteral("The optimization whitelist “%1” is not valid UTF-8 text.").arg(found));

    const QSet<QString> ids = catalogueIds();
    QStringList custom;
    for (const QString& piece : splitLines(text)) {
        const QString key = piece.trimmed();
        if (key.isEmpty() || key.startsWith(QLatin1Char('#')))
            continue;
        if (ids.contains(key))
            state.selectedKeys.insert(key);
        else
            custom.append(key);
    }
    state.customKeys = deduplicated(custom);
    return state;
}

void save(const OptimizeWhitelistState& state, const QString& home)
{
    const QString path = optimizeConfigURL(home);
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder))
        fail(QStringLiteral("无法创建文件夹“%1”。").arg(folder),
             QStringLiteral("The folder “%1” could not be created.").arg(folder));

    QStringList lines{header, QString()};
    for (const OptimizeWhitelistOption& option : options()) {
        if (state.selectedKeys.contains(option.id))
            lines.append(option.id);
    }
    QStringList custom;
    for (const QString& key : state.customKeys) {
        if (!state.selectedKeys.contains(key))
            custom.append(key);
    }
    lines.append(deduplicated(custom));
    const QString text = lines.join(QLatin1Char('\n')).trimmed() + QLatin1Char('\n');

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        fail(QStringLiteral("无法写入优化白名单“%1”：%2").arg(path, file.errorString()),
             QStringLiteral("The optimization whitelist “%1” could not be written: %2").arg(path, file.errorString()));
}

} // namespace OptimizeWhitelistStore

} // namespace roror
