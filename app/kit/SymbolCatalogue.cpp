#include "app/kit/SymbolCatalogue.h"

#include <QHash>
#include <QQmlEngine>

namespace roror {

namespace {

const QHash<QString, QString>& table()
{
    static const QHash<QString, QString> symbols = {
        {QStringLiteral("antenna.radiowaves.left.and.right"), QStringLiteral("wifi_tethering")},
        {QStringLiteral("app.badge"), QStringLiteral("app_registration")},
        {QStringLiteral("app.dashed"), QStringLiteral("crop_free")},
        {QStringLiteral("arrow.clockwise"), QStringLiteral("refresh")},
        {QStringLiteral("arrow.down"), QStringLiteral("arrow_downward")},
        {QStringLiteral("arrow.down.to.line"), QStringLiteral("vertical_align_bottom")},
        {QStringLiteral("arrow.triangle.2.circlepath"), QStringLiteral("sync")},
        {QStringLiteral("arrow.up"), QStringLiteral("arrow_upward")},
        {QStringLiteral("arrow.up.arrow.down"), QStringLiteral("swap_vert")},
        {QStringLiteral("arrow.up.forward.app"), QStringLiteral("open_in_new")},
        {QStringLiteral("arrow.up.right"), QStringLiteral("north_east")},
        {QStringLiteral("arrow.up.right.circle"), QStringLiteral("launch")},
        {QStringLiteral("battery.100percent"), QStringLiteral("battery_full")},
        {QStringLiteral("bolt.fill"), QStringLiteral("bolt")},
        {QStringLiteral("chart.pie"), QStringLiteral("pie_chart_outline")},
        {QStringLiteral("checklist"), QStringLiteral("checklist")},
        {QStringLiteral("checklist.checked"), QStringLiteral("fact_check")},
        {QStringLiteral("checkmark"), QStringLiteral("check")},
        {QStringLiteral("checkmark.circle"), QStringLiteral("check_circle_outline")},
        {QStringLiteral("checkmark.circle.fill"), QStringLiteral("check_circle")},
        {QStringLiteral("chevron.down"), QStringLiteral("expand_more")},
        {QStringLiteral("chevron.left"), QStringLiteral("chevron_left")},
        {QStringLiteral("chevron.right"), QStringLiteral("chevron_right")},
        {QStringLiteral("chevron.right.2"), QStringLiteral("double_arrow")},
        {QStringLiteral("chevron.right.circle"), QStringLiteral("arrow_circle_right")},
        {QStringLiteral("chevron.up"), QStringLiteral("expand_less")},
        {QStringLiteral("circle.fill"), QStringLiteral("fiber_manual_record")},
        {QStringLiteral("clock"), QStringLiteral("schedule")},
        {QStringLiteral("clock.arrow.circlepath"), QStringLiteral("history")},
        {QStringLiteral("desktopcomputer"), QStringLiteral("desktop_windows")},
        {QStringLiteral("doc.text.magnifyingglass"), QStringLiteral("find_in_page")},
        {QStringLiteral("exclamationmark.magnifyingglass"), QStringLiteral("search_off")},
        {QStringLiteral("exclamationmark.octagon"), QStringLiteral("report_gmailerrorred")},
        {QStringLiteral("exclamationmark.triangle"), QStringLiteral("warning_amber")},
        {QStringLiteral("exclamationmark.triangle.fill"), QStringLiteral("warning")},
        {QStringLiteral("externaldrive.badge.checkmark"), QStringLiteral("download_done")},
        {QStringLiteral("eye"), QStringLiteral("visibility")},
        {QStringLiteral("gauge.with.dots.needle.50percent"), QStringLiteral("speed")},
        {QStringLiteral("globe"), QStringLiteral("language")},
        {QStringLiteral("hammer"), QStringLiteral("construction")},
        {QStringLiteral("heart.fill"), QStringLiteral("favorite")},
        {QStringLiteral("info.circle"), QStringLiteral("info_outline")},
        {QStringLiteral("list.bullet.rectangle"), QStringLiteral("list_alt")},
        {QStringLiteral("list.number"), QStringLiteral("format_list_numbered")},
        {QStringLiteral("magnifyingglass"), QStringLiteral("search")},
        {QStringLiteral("network"), QStringLiteral("lan")},
        {QStringLiteral("pause.circle"), QStringLiteral("pause_circle_outline")},
        {QStringLiteral("photo"), QStringLiteral("crop_original")},
        {QStringLiteral("photo.on.rectangle"), QStringLiteral("photo_library")},
        {QStringLiteral("rectangle.and.text.magnifyingglass"), QStringLiteral("pageview")},
        {QStringLiteral("slider.horizontal.3"), QStringLiteral("tune")},
        {QStringLiteral("sparkles"), QStringLiteral("auto_awesome")},
        {QStringLiteral("speedometer"), QStringLiteral("speed")},
        {QStringLiteral("square.and.arrow.down"), QStringLiteral("save_alt")},
        {QStringLiteral("sum"), QStringLiteral("functions")},
        {QStringLiteral("text.alignleft"), QStringLiteral("format_align_left")},
        {QStringLiteral("textformat"), QStringLiteral("text_format")},
        {QStringLiteral("thermometer.medium"), QStringLiteral("thermostat")},
        {QStringLiteral("touchid"), QStringLiteral("fingerprint")},
        {QStringLiteral("trash"), QStringLiteral("delete_outline")},
        {QStringLiteral("wallpaper"), QStringLiteral("wallpaper")},
        {QStringLiteral("waveform.path.ecg"), QStringLiteral("monitor_heart")},
        {QStringLiteral("wrench"), QStringLiteral("build")},
        {QStringLiteral("wrench.adjustable"), QStringLiteral("build")},
        {QStringLiteral("xmark"), QStringLiteral("close")},
        {QStringLiteral("xmark.circle.fill"), QStringLiteral("cancel")},
    };
    return symbols;
}

// Symbols the icon font has no fitting glyph for, drawn from vector images of the kit.
const QStringList& drawn()
{
    static const QStringList names = {
        QStringLiteral("bolt.batteryblock"),
        QStringLiteral("checkmark.shield"),
        QStringLiteral("cpu"),
        QStringLiteral("cpu.fill"),
        QStringLiteral("doc"),
        QStringLiteral("dock.rectangle"),
        QStringLiteral("externaldrive"),
        QStringLiteral("externaldrive.badge.minus"),
        QStringLiteral("fan"),
        QStringLiteral("folder"),
        QStringLiteral("folder.badge.person.crop"),
        QStringLiteral("folder.badge.questionmark"),
        QStringLiteral("gauge.with.dots.needle.bottom.50percent"),
        QStringLiteral("gearshape"),
        QStringLiteral("gearshape.2"),
        QStringLiteral("hand.raised"),
        QStringLiteral("internaldrive"),
        QStringLiteral("memorychip"),
        QStringLiteral("person.crop.circle"),
        QStringLiteral("powerplug"),
        QStringLiteral("shippingbox"),
    };
    return names;
}

} // namespace

SymbolCatalogue::SymbolCatalogue(QObject* parent)
    : QObject(parent)
{
}

SymbolCatalogue* SymbolCatalogue::create(QQmlEngine*, QJSEngine*)
{
    auto* catalogue = new SymbolCatalogue;
    QQmlEngine::setObjectOwnership(catalogue, QQmlEngine::JavaScriptOwnership);
    return catalogue;
}

QString SymbolCatalogue::glyphFor(const QString& systemName)
{
    return table().value(systemName);
}

QString SymbolCatalogue::imageFor(const QString& systemName)
{
    if (!drawn().contains(systemName))
        return {};
    return QStringLiteral(":/qt/qml/Roror/Kit/symbols/%1.svg").arg(systemName);
}

bool SymbolCatalogue::contains(const QString& systemName)
{
    return table().contains(systemName) || drawn().contains(systemName);
}

QStringList SymbolCatalogue::names()
{
    QStringList all = table().keys() + drawn();
    all.sort();
    return all;
}

} // namespace roror
