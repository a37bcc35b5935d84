#include "core/engines/uninstall/LocalUninstallPreview.h"

#include "core/engines/uninstall/PropertyList.h"
#include "core/model/AppLocalization.h"
#include "core/model/SizeText.h"
#include "core/support/FileInfo.h"
#include "core/support/FolderWalker.h"
#include "core/support/Log.h"
#include "core/support/NaturalCompare.h"
#include "core/support/StandardPath.h"
#include "platform/ToolRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimeZone>
#include <algorithm>

namespace roror::LocalUninstallPreview {

namespace {

const QString kSystemApplications = QStringLiteral("/Applications");
const QString kMetadataTool = QStringLiteral("/usr/bin/mdls");

qint64 onDisk(const FileInfo& info)
{
    return info.allocatedSize > 0 ? info.allocatedSize : info.logicalSize;
}

// Direct children of a folder, hidden ones left out, in listing order. A folder that is itself a
// link to a folder (Applications or Caches kept on another disk) is listed through the link, and
// its children are named below the folder as given; no link below it is followed. `listed` tells
// whether the folder could be read at all.
QList<WalkEntry> children(const QString& folder, bool* listed = nullptr)
{
    QList<WalkEntry> result;
    if (listed)
        *listed = false;
    QString root = folder;
    const QFileInfo info(folder);
    if (info.isSymLink()) {
        if (!info.isDir())
            return result;
        root = info.canonicalFilePath();
        if (root.isEmpty())
            return result;
    }
    WalkOptions options;
    options.skipHidden = true;
    options.maxDepth = 1;
    options.statItems = false;
    const bool opened = walkFolder(root, options, [&](const WalkEntry& entry) {
        result.append(entry);
        result.last().path = joinPath(folder, entry.name);
        return WalkAction::SkipDescendants;
    });
    if (listed)
        *listed = opened;
    return result;
}

// A direct child of one of the Library folders, read once per scan.
struct LibraryItem {
    QString folder; // the Library folder's name ("Caches")
    QString name;
    QString lowerName;
    QString path;
    bool isFolder = false; // a real folder, not a link to one
};

QList<LibraryItem> libraryItems(const QString& home)
{
    QList<LibraryItem> items;
    const QString library = joinPath(home, QStringLiteral("Library"));
    for (const QString& folderName : leftoverFolderNames()) {
        const QString folder = joinPath(library, folderName);
        bool listed = false;
        const QList<WalkEntry> found = children(folder, &listed);
        if (!listed && QFileInfo(folder).exists())
            qCInfo(roror::log::uninstall) << "cannot list" << folder << "; its items are not searched";
        for (const WalkEntry& item : found)
            items.append({folderName, item.name, item.name.toLower(), item.path,
                          item.info.isDirectory && !item.info.isSymbolicLink});
    }
    return items;
}

// What an application may claim Library items by, prepared once.
struct Claim {
    QString lowerID;     // empty when the identifier is absent or too unspecific to name files
    QString name;        // empty when too short to name a folder on its own
    QString lowerName;   // the whole name, for the checks against other applications
    QString lowerVendor; // the identifier's second label ("microsoft" in "com.microsoft.teams2"), if any
};

Claim claimOf(const QString& appName, const std::optional<QString>& bundleID)
{
    Claim claim;
    if (bundleID && isSpecificBundleID(*bundleID))
        claim.lowerID = bundleID->toLower();
    if (appName.size() >= 3)
        claim.name = appName;
    claim.lowerName = appName.toLower();
    if (bundleID) {
        const QStringList labels = bundleID->toLower().split(QLatin1Char('.'));
        if (labels.size() >= 2)
            claim.lowerVendor = labels.at(1);
    }
    return claim;
}

// A team identifier as the system writes it before a shared container: ten capital letters or digits.
bool isTeamIdentifier(QStringView label)
{
    return label.size() == 10 && std::all_of(label.begin(), label.end(), [](QChar c) {
               return (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                   || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
           });
}

// A shared container's name before the identifier: "group.", "TEAMID." or "TEAMID.group.". Any
// other prefix, say the "com." that turns "example.tool.helper" into another vendor's identifier,
// names something else.
bool isContainerPrefix(QStringView prefix)
{
    if (prefix.compare(QLatin1String("group"), Qt::CaseInsensitive) == 0)
        return true;
    const qsizetype dot = prefix.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return isTeamIdentifier(prefix);
    return isTeamIdentifier(prefix.left(dot))
        && prefix.mid(dot + 1).compare(QLatin1String("group"), Qt::CaseInsensitive) == 0;
}

enum class ClaimKind { none, exact, container, name };

ClaimKind claims(const Claim& claim, const QString& folder, const QString& name, const QString& lowerName,
                 bool isFolder)
{
    if (!claim.lowerID.isEmpty()) {
        const QString& id = claim.lowerID;
        if (lowerName == id || lowerName == id + QLatin1String(".plist")
            || lowerName == id + QLatin1String(".savedstate"))
            return ClaimKind::exact;
        // The identifier after a team or group prefix ("group.com.example.app"); the prefix is read
        // from the item's own spelling, as team identifiers are capitals.
        const qsizetype prefixLength = lowerName.size() - id.size() - 1;
        if (prefixLength > 0 && name.size() == lowerName.size() && lowerName.endsWith(id)
            && lowerName.at(prefixLength) == QLatin1Char('.')
            && isContainerPrefix(QStringView(name).left(prefixLength)))
            return ClaimKind::container;
    }
    static const QStringList nameFolders
        = {QStringLiteral("Application Support"), QStringLiteral("Caches"), QStringLiteral("Logs")};
    if (!claim.name.isEmpty() && isFolder && name == claim.name && nameFolders.contains(folder))
        return ClaimKind::name;
    return ClaimKind::none;
}

// Whether a folder named after `claim`'s application could as well belong to `other`: a vendor
// folder shared by the vendor's applications ("Google" for "Google Chrome", "Microsoft" for
// "com.microsoft.teams2").
bool nameBelongsAlsoTo(const Claim& claim, const Claim& other)
{
    const QString lowerName = claim.name.toLower();
    return other.lowerName.startsWith(lowerName + QLatin1Char(' ')) || other.lowerVendor == lowerName;
}

std::optional<QString> stringValue(const QVariantMap& map, const QString& key)
{
    const auto it = map.constFind(key);
    if (it == map.constEnd() || it->typeId() != QMetaType::QString)
        return std::nullopt;
    return it->toString();
}

std::optional<QDateTime> metadataLastUsedDate(const QString& appPath)
{
    const ToolRunResult run
        = runTool(kMetadataTool,
                  {QStringLiteral("-name"), QStringLiteral("kMDItemLastUsedDate"), QStringLiteral("-raw"), appPath});
    if (!run.succeeded())
        return std::nullopt;
    return parseLastUsedDate(run.standardOutput);
}

} // namespace

const QStringList& leftoverFolderNames()
{
    static const QStringList names = {
        QStringLiteral("Application Support"),
        QStringLiteral("Caches"),
        QStringLiteral("Containers"),
        QStringLiteral("Group Containers"),
        QStringLiteral("HTTPStorages"),
        QStringLiteral("Logs"),
        QStringLiteral("Preferences"),
        QStringLiteral("Saved Application State"),
        QStringLiteral("WebKit"),
    };
    return names;
}

AppMetadata appMetadata(const QString& appPath)
{
    const QString path = joinPath(appPath, QStringLiteral("Contents/Info.plist"));
    // Only a regular file is read: opening a pipe placed there would stall the whole scan.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    // Real property lists are a few kilobytes; a huge (say sparse) file is not loaded whole.
    constexpr qint64 kLargestInfoPlist = 16 * 1024 * 1024;
    if (file.size() > kLargestInfoPlist || !file.open(QIODevice::ReadOnly))
        return {};
    const auto plist = PropertyList::parseDictionary(file.readAll());
    if (!plist)
        return {};
    AppMetadata metadata;
    metadata.displayName = stringValue(*plist, QStringLiteral("CFBundleDisplayName"));
    if (!metadata.displayName)
        metadata.displayName = stringValue(*plist, QStringLiteral("CFBundleName"));
    if (!metadata.displayName)
        metadata.displayName = stringValue(*plist, QStringLiteral("CFBundleExecutable"));
    metadata.bundleID = stringValue(*plist, QStringLiteral("CFBundleIdentifier"));
    return metadata;
}

bool isSpecificBundleID(const QString& bundleID)
{
    if (bundleID.count(QLatin1Char('.')) < 2)
        return false;
    const QStringList labels = bundleID.split(QLatin1Char('.'));
    return std::none_of(labels.begin(), labels.end(), [](const QString& label) { return label.isEmpty(); });
}

bool matchesApp(const QString& libraryFolder, const QString& itemName, bool itemIsFolder, const QString& appName,
                const std::optional<QString>& bundleID)
{
    return claims(claimOf(appName, bundleID), libraryFolder, itemName, itemName.toLower(), itemIsFolder)
        != ClaimKind::none;
}

std::optional<QDateTime> parseLastUsedDate(const QByteArray& output)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = QString(decoder.decode(output)).trimmed();
    if (decoder.hasError() || text.isEmpty() || text == QLatin1String("(null)"))
        return std::nullopt;
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2}) (\\d{2}):(\\d{2}):(\\d{2}) ([+-])(\\d{2})(\\d{2})$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto number = [&match](int group) { return match.captured(group).toInt(); };
    const QDate date(number(1), number(2), number(3));
    const QTime time(number(4), number(5), number(6));
    const int offsetMinutes = number(8) * 60 + number(9);
    if (!date.isValid() || !time.isValid() || number(8) > 23 || number(9) > 59)
        return std::nullopt;
    const int offsetSeconds = (match.captured(7) == QLatin1String("-") ? -60 : 60) * offsetMinutes;
    return QDateTime(date, time, QTimeZone(offsetSeconds));
}

std::optional<QDateTime> lastOpenedDate(const QString& appPath)
{
    if (auto used = metadataLastUsedDate(appPath))
        return used;
    const auto info = fileInfo(appPath);
    if (!info)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(info->accessTime);
}

qint64 allocatedSize(const QString& path)
{
    const auto info = fileInfo(path);
    if (!info) {
        qCInfo(roror::log::uninstall) << "cannot read" << path << "; counted as 0 bytes";
        return 0;
    }
    if (!info->isDirectory)
        return onDisk(*info);
    qint64 total = 0;
    WalkOptions options;
    options.skipPackageDescendants = true;
    walkFolder(path, options, [&total](const WalkEntry& item) {
        if (item.info.isRegularFile)
            total += onDisk(item.info);
        return WalkAction::Continue;
    });
    return total;
}

UninstallPreviewReport snapshot(const QString& home)
{
    using AppLocalization::coreText;
    QStringList folders;
    if (standardizedPath(home) == standardizedPath(QDir::homePath()))
        folders.append(kSystemApplications);
    folders.append(joinPath(home, QStringLiteral("Applications")));

    struct FoundApp {
        QString folder;
        QString path;
        QString name;
        AppMetadata metadata;
    };
    QList<FoundApp> apps;
    for (const QString& folder : folders) {
        for (const WalkEntry& child : children(folder)) {
            if (pathExtension(child.name) != QLatin1String("app"))
                continue;
            const AppMetadata metadata = appMetadata(child.path);
            apps.append(
                {folder, child.path, metadata.displayName ? *metadata.displayName : child.name.chopped(4), metadata});
        }
    }

    // A Library item is a leftover of an application only when no other application of the scan
    // could claim it too: missing a leftover is safe, moving another application's files is not.
    // The one exception: a shared container claimed through its prefix yields to the application
    // whose identifier the item is exactly.
    QList<Claim> appClaims;
    for (const FoundApp& app : apps)
        appClaims.append(claimOf(app.name, app.metadata.bundleID));
    QList<QList<const LibraryItem*>> leftoversOf(apps.size());
    const QList<LibraryItem> library = libraryItems(home);
    for (const LibraryItem& item : library) {
        QList<QPair<qsizetype, ClaimKind>> claimants;
        bool exact = false;
        for (qsizetype i = 0; i < apps.size(); ++i) {
            const ClaimKind kind = claims(appClaims.at(i), item.folder, item.name, item.lowerName, item.isFolder);
            if (kind == ClaimKind::none)
                continue;
            claimants.append({i, kind});
            exact = exact || kind == ClaimKind::exact;
        }
        if (exact)
            claimants.removeIf([](const auto& claimant) { return claimant.second == ClaimKind::container; });
        if (claimants.isEmpty())
            continue;
        if (claimants.size() > 1) {
            QStringList names;
            for (const auto& claimant : claimants)
                names.append(apps.at(claimant.first).path);
            qCInfo(roror::log::uninstall) << "left out" << item.path << ": claimed by" << names;
            continue;
        }
        const auto [owner, kind] = claimants.first();
        if (kind == ClaimKind::name) {
            qsizetype sharer = -1;
            for (qsizetype i = 0; i < apps.size() && sharer < 0; ++i) {
                if (i != owner && nameBelongsAlsoTo(appClaims.at(owner), appClaims.at(i)))
                    sharer = i;
            }
            if (sharer >= 0) {
                qCInfo(roror::log::uninstall) << "left out" << item.path << ": the name of" << apps.at(owner).path
                                              << "is shared with" << apps.at(sharer).path;
                continue;
            }
        }
        leftoversOf[owner].append(&item);
    }

    QList<UninstallPreviewReport::Entry> entries;
    for (qsizetype i = 0; i < apps.size(); ++i) {
        const FoundApp& app = apps.at(i);
        // Read before the bundle is walked for its size: listing a folder can move its access time to
        // now, which would make every application look just opened.
        const std::optional<QDateTime> lastOpened = lastOpenedDate(app.path);
        const qint64 appBytes = allocatedSize(app.path);

        QStringList leftoverPaths;
        qint64 leftoverBytes = 0;
        for (const LibraryItem* leftover : leftoversOf.at(i)) {
            leftoverPaths.append(leftover->path);
            leftoverBytes += allocatedSize(leftover->path);
        }

        const QString label = app.folder == kSystemApplications
            ? QStringLiteral("App")
            : coreText(QStringLiteral("用户应用"), QStringLiteral("User Apps"));
        QString source = label;
        if (!leftoverPaths.isEmpty()) {
            const QString count = QString::number(leftoverPaths.size());
            source = coreText(label + QStringLiteral(" · ") + count + QStringLiteral(" 项残留"),
                              label + QStringLiteral(" · ") + count + QStringLiteral(" leftovers"));
        }

        const QString sizeText = SizeText::bytes(appBytes);
        const std::optional<QString>& bundleID = app.metadata.bundleID;
        entries.append(UninstallPreviewReport::Entry(app.name, bundleID, source, bundleID ? *bundleID : app.name,
                                                     app.path, sizeText, sizeText, appBytes,
                                                     SizeText::bytes(leftoverBytes), leftoverPaths, lastOpened));
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return localizedCaseInsensitiveCompare(a.name, b.name) < 0; });
    return UninstallPreviewReport(entries);
}

} // namespace roror::LocalUninstallPreview
