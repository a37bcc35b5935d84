#include "platform/DesktopWallpaper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>
#include <QXmlStreamReader>

namespace roror {
namespace {

std::function<std::optional<QString>(const QString&)>& gsettingsSource()
{
    static std::function<std::optional<QString>(const QString&)> source;
    return source;
}

std::optional<QString> runGsettings(const QString& key)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.background"), key});
    if (!process.waitForFinished(3000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString configHome()
{
    const QString set = qEnvironmentVariable("XDG_CONFIG_HOME");
    return set.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : set;
}

// A settings value naming a picture: quoted or not, a file URL or a plain path.
std::optional<QString> pictureFrom(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('\'') || value.front() == QLatin1Char('"'))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    if (value.isEmpty())
        return std::nullopt;
    if (value.startsWith(QLatin1String("file:")))
        value = QUrl(value).toLocalFile();
    if (value.startsWith(QLatin1String("~/")))
        value = QDir::homePath() + value.mid(1);
    if (!value.startsWith(QLatin1Char('/')))
        return std::nullopt;
    return value;
}

std::optional<QString> readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

// `key` in the keyfile section `section` ("[section]" headers, "key=value" lines).
std::optional<QString> keyfileValue(const QString& text, const QString& section, const QString& key)
{
    bool inSection = false;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line == QLatin1Char('[') + section + QLatin1Char(']');
            continue;
        }
        if (inSection && line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1);
    }
    return std::nullopt;
}

} // namespace

void DesktopWallpaper::setGsettingsSource(std::function<std::optional<QString>(const QString&)> source)
{
    gsettingsSource() = std::move(source);
}

std::optional<QString> DesktopWallpaper::gnomePath(bool dark)
{
    const QString key = dark ? QStringLiteral("picture-uri-dark") : QStringLiteral("picture-uri");
    const auto& source = gsettingsSource();
    if (auto value = source ? source(key) : runGsettings(key)) {
        if (auto path = pictureFrom(*value))
            return path;
        if (dark)
            return gnomePath(false);
        return std::nullopt;
    }
    // No gsettings: dconf's keyfile back end keeps the user's database as text.
    const auto text = readText(configHome() + QStringLiteral("/dconf/user.txt"));
    if (!text)
        return std::nullopt;
    const QString section = QStringLiteral("org/gnome/desktop/background");
    if (dark) {
        if (auto value = keyfileValue(*text, section, key); value && pictureFrom(*value))
            return pictureFrom(*value);
    }
    const auto value = keyfileValue(*text, section, QStringLiteral("picture-uri"));
    return value ? pictureFrom(*value) : std::nullopt;
}

std::optional<QString> DesktopWallpaper::plasmaPath()
{
    const auto text = readText(configHome() + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc"));
    if (!text)
        return std::nullopt;
    // The picture plugin's settings of a desktop containment:
    // [Containments][<n>][Wallpaper][org.kde.image][General] Image=<url or path>
    static const QRegularExpression header(
        QStringLiteral("^\\[Containments\\]\\[[^\\]]+\\]\\[Wallpaper\\]\\[org\\.kde\\.image\\]\\[General\\]$"));
    bool inSection = false;
    for (const QString& raw : text->split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = header.match(line).hasMatch();
            continue;
        }
        if (inSection && line.startsWith(QLatin1String("Image="))) {
            if (auto path = pictureFrom(line.mid(6)))
                return path;
        }
    }
    return std::nullopt;
}

std::optional<QString> DesktopWallpaper::xfcePath()
{
    QFile file(configHome() + QStringLiteral("/xfce4/xfconf/xfce-perchannel-xml/xfce4-desktop.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The first monitor and workspace that names a picture.
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("property")
            && xml.attributes().value(QLatin1String("name")) == QLatin1String("last-image")) {
            if (auto path = pictureFrom(xml.attributes().value(QLatin1String("value")).toString()))
                return path;
        }
    }
    return std::nullopt;
}

std::optional<QString> DesktopWallpaper::currentPath(bool dark)
{
    std::optional<QString> path;
    for (const QString& desktop :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString name = desktop.toUpper();
        if (name == QLatin1String("GNOME") || name == QLatin1String("UNITY") || name == QLatin1String("BUDGIE"))
            path = gnomePath(dark);
        else if (name == QLatin1String("KDE"))
            path = plasmaPath();
        else if (name == QLatin1String("XFCE"))
            path = xfcePath();
        else
            continue;
        break;
    }
    if (!path || !QFileInfo(*path).isFile() || !QFileInfo(*path).isReadable())
        return std::nullopt;
    return path;
}

} // namespace roror
