#include "app/dashboard/DashboardSymbols.h"

#include <QHash>

namespace roror {

QString DashboardSymbols::glyph(const QString& name)
{
    static const QHash<QString, char16_t> glyphs{
        {QStringLiteral("cpu"), 0xe322},                               // memory
        {QStringLiteral("cpu.fill"), 0xe322},                          // memory
        {QStringLiteral("memorychip"), 0xe30d},                        // developer_board
        {QStringLiteral("internaldrive"), 0xe1db},                     // storage
        {QStringLiteral("externaldrive"), 0xe1e0},                     // usb
        {QStringLiteral("bolt.batteryblock"), 0xe1a3},                 // battery_charging_full
        {QStringLiteral("battery.100percent"), 0xe1a4},                // battery_full
        {QStringLiteral("network"), 0xe894},                           // language
        {QStringLiteral("list.bullet.rectangle"), 0xe0ee},             // list_alt
        {QStringLiteral("clock"), 0xe8b5},                             // schedule
        {QStringLiteral("waveform.path.ecg"), 0xeaa2},                 // monitor_heart
        {QStringLiteral("circle.fill"), 0xef4a},                       // circle
        {QStringLiteral("heart.fill"), 0xe87d},                        // favorite
        {QStringLiteral("arrow.triangle.2.circlepath"), 0xe863},       // autorenew
        {QStringLiteral("thermometer.medium"), 0xe1ff},                // device_thermostat
        {QStringLiteral("fan"), 0xe332},                               // toys
        {QStringLiteral("powerplug"), 0xe63c},                         // power
        {QStringLiteral("gauge.with.dots.needle.50percent"), 0xe9e4},  // speed
        {QStringLiteral("arrow.down.to.line"), 0xe258},                // vertical_align_bottom
        {QStringLiteral("arrow.up.right"), 0xf1e1},                    // north_east
        {QStringLiteral("bolt.fill"), 0xea0b},                         // bolt
        {QStringLiteral("arrow.down"), 0xe5db},                        // arrow_downward
        {QStringLiteral("arrow.up"), 0xe5d8},                          // arrow_upward
        {QStringLiteral("exclamationmark.triangle.fill"), 0xe002},     // warning
        {QStringLiteral("xmark.circle.fill"), 0xe5c9},                 // cancel
        {QStringLiteral("xmark"), 0xe5cd},                             // close
        {QStringLiteral("exclamationmark.octagon"), 0xe160},           // report
        {QStringLiteral("folder"), 0xe2c7},                            // folder
    };
    const auto it = glyphs.constFind(name);
    return it == glyphs.constEnd() ? QString() : QString(QChar(*it));
}

} // namespace roror
