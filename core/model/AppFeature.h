#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace roror {

// The eight pages, in sidebar order.
enum class AppFeature { dashboard, clean, uninstall, optimize, analyze, purge, installer, maintenance };

// The raw value is the case name; it is also the page's identity.
QString toRaw(AppFeature feature);
// Exact, case-sensitive match of one of the eight raw values.
std::optional<AppFeature> appFeatureFromRaw(const QString& raw);
QList<AppFeature> allAppFeatures();

} // namespace roror
