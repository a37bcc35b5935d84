#include "app/kit/SymbolCatalogue.h"

#include <QHash>
#include <QQmlEngine>

namespace roror {

namespace {

// A glyph of the icon font: its ligature name and its own code point, which draws the same icon.
struct Glyph {
    QString ligature;
    char16_t codePoint;
};

const QHash<QString, Glyph>& table()
{
    static const QHash<QString, Glyph> symbols = {
        {QStringLiteral("antenna.radiowaves.left.and.right"), {QStringLiteral("wifi_tethering"), 0xE1E2}},
        {QStringLiteral("app.badge"), {QStringLiteral("app_registration"), 0xEF40}},
        {QStringLiteral("app.dashed"), {QStringLiteral("crop_free"), 0xE3C2}},
        {QStringLiteral("arrow.clockwise"), {QStringLiteral("refresh"), 0xE5D5}},
        {QStringLiteral("arrow.down"), {QStringLiteral("arrow_downward"), 0xE5DB}},
        {QStringLiteral("arrow.down.to.line"), {QStringLiteral("vertical_align_bottom"), 0xE258}},
        {QStringLiteral("arrow.triangle.2.circlepath"), {QStringLiteral("sync"), 0xE627}},
        {QStringLiteral("arrow.up"), {QStringLiteral("arrow_upward"), 0xE5D8}},
        {QStringLiteral("arrow.up.arrow.down"), {QStringLiteral("swap_vert"), 0xE8D5}},
        {QStringLiteral("arrow.up.forward.app"), {QStringLiteral("open_in_new"), 0xE89E}},
        {QStringLiteral("arrow.up.right"), {QStringLiteral("north_east"), 0xF1E1}},
        {QStringLiteral("arrow.up.right.circle"), {QStringLiteral("launch"), 0xE895}},
        {QStringLiteral("battery.100percent"), {QStringLiteral("battery_full"), 0xE1A4}},
        {QStringLiteral("bolt.fill"), {QStringLiteral("bolt"), 0xEA0B}},
        {QStringLiteral("chart.pie"), {QStringLiteral("pie_chart_outline"), 0xF044}},
        {QStringLiteral("checklist"), {QStringLiteral("checklist"), 0xE6B1}},
        {QStringLiteral("checklist.checked"), {QStringLiteral("fact_check"), 0xF0C5}},
        {QStringLiteral("checkmark"), {QStringLiteral("check"), 0xE5CA}},
        {QStringLiteral("checkmark.circle"), {QStringLiteral("check_circle_outline"), 0xE92D}},
        {QStringLiteral("checkmark.circle.fill"), {QStringLiteral("check_circle"), 0xE86C}},
        {QStringLiteral("chevron.down"), {QStringLiteral("expand_more"), 0xE5CF}},
        {QStringLiteral("chevron.left"), {QStringLiteral("chevron_left"), 0xE5CB}},
        {QStringLiteral("chevron.right"), {QStringLiteral("chevron_right"), 0xE5CC}},
        {QStringLiteral("chevron.right.2"), {QStringLiteral("double_arrow"), 0xEA50}},
        {QStringLiteral("chevron.right.circle"), {QStringLiteral("arrow_circle_right"), 0xEAAA}},
        {QStringLiteral("chevron.up"), {QStringLiteral("expand_less"), 0xE5CE}},
        {QStringLiteral("circle.fill"), {QStringLiteral("fiber_manual_record"), 0xE061}},
        {QStringLiteral("clock"), {QStringLiteral("schedule"), 0xE8B5}},
        {QStringLiteral("clock.arrow.circlepath"), {QStringLiteral("history"), 0xE889}},
        {QStringLiteral("desktopcomputer"), {QStringLiteral("desktop_windows"), 0xE30C}},
        {QStringLiteral("doc.text.magnifyingglass"), {QStringLiteral("find_in_page"), 0xE880}},
        {QStringLiteral("exclamationmark.magnifyingglass"), {QStringLiteral("search_off"), 0xEA76}},
        {QStringLiteral("exclamationmark.octagon"), {QStringLiteral("report_gmailerrorred"), 0xF052}},
        {QStringLiteral("exclamationmark.triangle"), {QStringLiteral("warning_amber"), 0xF083}},
        {QStringLiteral("exclamationmark.triangle.fill"), {QStringLiteral("warning"), 0xE002}},
        {QStringLiteral("externaldrive.badge.checkmark"), {QStringLiteral("download_done"), 0xF091}},
        {QStringLiteral("eye"), {QStringLiteral("visibility"), 0xE8F4}},
        {QStringLiteral("gauge.with.dots.needle.50percent"), {QStringLiteral("speed"), 0xE9E4}},
        {QStringLiteral("globe"), {QStringLiteral("language"), 0xE894}},
        {QStringLiteral("hammer"), {QStringLiteral("construction"), 0xEA3C}},
        {QStringLiteral("heart.fill"), {QStringLiteral("favorite"), 0xE87D}},
        {QStringLiteral("info.circle"), {QStringLiteral("info_outline"), 0xE88F}},
        {QStringLiteral("list.bullet.rectangle"), {QStringLiteral("list_alt"), 0xE0EE}},
        {QStringLiteral("list.number"), {QStringLiteral("format_list_numbered"), 0xE242}},
        {QStringLiteral("magnifyingglass"), {QStringLiteral("search"), 0xE8B6}},
        {QStringLiteral("network"), {QStringLiteral("lan"), 0xEB2F}},
        {QStringLiteral("pause.circle"), {QStringLiteral("pause_circle_outline"), 0xE036}},
        {QStringLiteral("photo"), {QStringLiteral("crop_original"), 0xE3C4}},
        {QStringLiteral("photo.on.rectangle"), {QStringLiteral("photo_library"), 0xE413}},
        {QStringLiteral("rectangle.and.text.magnifyingglass"), {QStringLiteral("pageview"), 0xE8A0}},
        {QStringLiteral("slider.horizontal.3"), {QStringLiteral("tune"), 0xE429}},
        {QStringLiteral("sparkles"), {QStringLiteral("auto_awesome"), 0xE65F}},
        {QStringLiteral("speedometer"), {QStringLiteral("speed"), 0xE9E4}},
        {QStringLiteral("square.and.arrow.down"), {QStringLiteral("save_alt"), 0xE171}},
        {QStringLiteral("sum"), {QStringLiteral("functions"), 0xE24A}},
        {QStringLiteral("text.alignleft"), {QStringLiteral("format_align_left"), 0xE236}},
        {QStringLiteral("textformat"), {QStringLiteral("text_format"), 0xE165}},
        {QStringLiteral("thermometer.medium"), {QStringLiteral("thermostat"), 0xF076}},
        {QStringLiteral("touchid"), {QStringLiteral("fingerprint"), 0xE90D}},
        {QStringLiteral("trash"), {QStringLiteral("delete_outline"), 0xE92E}},
        {QStringLiteral("wallpaper"), {QStringLiteral("wallpaper"), 0xE1BC}},
        {QStringLiteral("waveform.path.ecg"), {QStringLiteral("monitor_heart"), 0xEAA2}},
        {QStringLiteral("wrench"), {QStringLiteral("build"), 0xE869}},
        {QStringLiteral("wrench.adjustable"), {QStringLiteral("build"), 0xE869}},
        {QStringLiteral("xmark"), {QStringLiteral("close"), 0xE5CD}},
        {QStringLiteral("xmark.circle.fill"), {QStringLiteral("cancel"), 0xE5C9}},
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
    const auto found = table().constFind(systemName);
    return found == table().cend() ? QString() : found->ligature;
}

QString SymbolCatalogue::characterFor(const QString& systemName)
{
    const auto found = table().constFind(systemName);
    return found == table().cend() ? QString() : QString(QChar(found->codePoint));
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
