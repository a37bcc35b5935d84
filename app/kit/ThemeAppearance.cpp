#include "app/kit/ThemeAppearance.h"

#include "platform/desktop/DesktopAppearance.h"

#include <QQmlEngine>

namespace roror {

ThemeAppearance::ThemeAppearance(QObject* parent)
    : QObject(parent)
{
    connect(&DesktopAppearance::shared(), &DesktopAppearance::darkChanged, this, &ThemeAppearance::darkChanged);
}

ThemeAppearance* ThemeAppearance::create(QQmlEngine*, QJSEngine*)
{
    auto* appearance = new ThemeAppearance;
    QQmlEngine::setObjectOwnership(appearance, QQmlEngine::JavaScriptOwnership);
    return appearance;
}

bool ThemeAppearance::dark() const
{
    return DesktopAppearance::shared().dark();
}

} // namespace roror
