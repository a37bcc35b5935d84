#include "core/model/AppActionFactory.h"
#include "core/model/AppLocalization.h"
#include "core/model/LocalizationSettings.h"
#include "platform/SettingsStore.h"
#include "tests/support/TestEnv.h"

#include <QSignalSpy>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;

namespace {

QString storedChoice()
{
    return SettingsStore::open()->value(AppLocalization::preferenceKey).toString();
}

} // namespace

TEST(LanguageRule, StoredChoiceTimesPreferredLanguages)
{
    // stored: nullptr = no entry; preferred languages; expected core-reader language.
    const struct {
        const char* stored;
        QStringList preferred;
        AppResolvedLanguage expected;
    } cases[] = {
        {nullptr, {"zh-Hans-CN", "en-US"}, AppResolvedLanguage::chinese},
        {nullptr, {"en-US", "zh-Hans-CN"}, AppResolvedLanguage::english},
        {nullptr, {}, AppResolvedLanguage::english},
        {nullptr, {"ZH-HANT-TW"}, AppResolvedLanguage::chinese},
        {nullptr, {"zh"}, AppResolvedLanguage::chinese},
        {nullptr, {"fr-FR", "zh-Hans"}, AppResolvedLanguage::english},
        {"system", {"zh-Hant-TW"}, AppResolvedLanguage::chinese},
        {"system", {"en-GB"}, AppResolvedLanguage::english},
        {"system", {}, AppResolvedLanguage::english},
        {"chinese", {"en-US"}, AppResolvedLanguage::chinese},
        {"chinese", {}, AppResolvedLanguage::chinese},
        {"english", {"zh-Hans"}, AppResolvedLanguage::english},
        {"english", {"en-US"}, AppResolvedLanguage::english},
        // Exact match only: anything else means system.
        {"Chinese", {"en-US"}, AppResolvedLanguage::english},
        {"Chinese", {"zh-Hans"}, AppResolvedLanguage::chinese},
        {"English", {"zh-Hans"}, AppResolvedLanguage::chinese},
        {"english ", {"zh-Hans"}, AppResolvedLanguage::chinese},
        {"", {"zh-Hans"}, AppResolvedLanguage::chinese},
        {"klingon", {"en-US"}, AppResolvedLanguage::english},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.stored ? c.stored : "<none>") + std::string(" / ") + c.preferred.join(',').toStdString());
        TestEnv env(c.preferred);
        if (c.stored)
            env.setLanguagePreference(QString::fromUtf8(c.stored));
        EXPECT_EQ(AppLocalization::currentLanguage(), c.expected);
        EXPECT_EQ(AppLocalization::coreText(QStringLiteral("中"), QStringLiteral("en")),
                  c.expected == AppResolvedLanguage::chinese ? QStringLiteral("中") : QStringLiteral("en"));
        const auto defaults = SettingsStore::open();
        const AppLanguagePreference loaded = AppLocalization::loadPreference(*defaults);
        EXPECT_EQ(AppLocalization::resolvedLanguage(loaded, c.preferred), c.expected);
        EXPECT_EQ(AppLocalization::text(QStringLiteral("z"), QStringLiteral("e"), loaded, c.preferred),
                  c.expected == AppResolvedLanguage::chinese ? QStringLiteral("z") : QStringLiteral("e"));
    }
}

TEST(LanguageRule, NonTextStoredValueMeansSystem)
{
    TestEnv env({QStringLiteral("zh-Hans")});
    {
        auto defaults = SettingsStore::open();
        defaults->setValue(AppLocalization::preferenceKey, 2);
        defaults->sync();
    }
    auto defaults = SettingsStore::open();
    EXPECT_EQ(AppLocalization::loadPreference(*defaults), AppLanguagePreference::system);
    EXPECT_EQ(AppLocalization::currentLanguage(), AppResolvedLanguage::chinese);

    AppLocalization::savePreference(AppLanguagePreference::english, *defaults);
    EXPECT_EQ(storedChoice(), QStringLiteral("english"));
    EXPECT_EQ(AppLocalization::currentLanguage(), AppResolvedLanguage::english);
}

TEST(LocalizationSettings, SetterPublishesAndStoresEvenWhenUnchanged)
{
    TestEnv env({QStringLiteral("zh-Hans")});
    LocalizationSettings settings(AppLanguagePreference::system);
    QSignalSpy spy(&settings, &LocalizationSettings::preferenceChanged);

    // An observer sees the new value and, through the core reader, the new stored choice.
    QList<QString> seenByObserver;
    QObject::connect(&settings, &LocalizationSettings::preferenceChanged, &settings, [&](AppLanguagePreference p) {
        EXPECT_EQ(settings.preference(), p);
        seenByObserver.append(AppActionFactory::status(false).title);
    });

    settings.setPreference(AppLanguagePreference::english);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<AppLanguagePreference>(), AppLanguagePreference::english);
    EXPECT_EQ(storedChoice(), QStringLiteral("english"));
    EXPECT_EQ(settings.text(QStringLiteral("中"), QStringLiteral("en")), QStringLiteral("en"));

    // The same value again still announces and stores.
    {
        auto defaults = SettingsStore::open();
        defaults->remove(AppLocalization::preferenceKey);
        defaults->sync();
    }
    settings.setPreference(AppLanguagePreference::english);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(storedChoice(), QStringLiteral("english"));

    settings.setPreference(AppLanguagePreference::system);
    EXPECT_EQ(storedChoice(), QStringLiteral("system"));
    EXPECT_EQ(settings.text(QStringLiteral("中"), QStringLiteral("en")), QStringLiteral("中"));
    EXPECT_EQ(seenByObserver,
              (QList<QString>{QStringLiteral("Refresh Status"), QStringLiteral("Refresh Status"),
                              QStringLiteral("刷新状态")}));

    // Through the property, as a bound control would.
    EXPECT_TRUE(settings.setProperty("preference", QVariant::fromValue(AppLanguagePreference::chinese)));
    EXPECT_EQ(settings.property("preference").value<AppLanguagePreference>(), AppLanguagePreference::chinese);
    EXPECT_EQ(storedChoice(), QStringLiteral("chinese"));
    EXPECT_EQ(spy.count(), 4);
}

TEST(LocalizationSettings, TextReturnsTheChosenArgumentWhateverItHolds)
{
    TestEnv env({QStringLiteral("en-US")});
    LocalizationSettings settings(AppLanguagePreference::chinese);
    EXPECT_EQ(settings.text(QString(), QStringLiteral("en")), QString());
    settings.setPreference(AppLanguagePreference::english);
    EXPECT_EQ(settings.text(QStringLiteral("中"), QString()), QString());
    // The preferred languages are read at every text, not kept.
    settings.setPreference(AppLanguagePreference::system);
    EXPECT_EQ(settings.text(QStringLiteral("中"), QStringLiteral("en")), QStringLiteral("en"));
    env.setPreferredLanguages({QStringLiteral("zh-Hant")});
    EXPECT_EQ(settings.text(QStringLiteral("中"), QStringLiteral("en")), QStringLiteral("中"));
}

TEST(LocalizationSettings, SharedSetterDrivesTheCoreAndLEvaluatesOnlyTheChosenText)
{
    TestEnv env({QStringLiteral("zh-Hans")});
    LocalizationSettings& shared = LocalizationSettings::shared();
    EXPECT_EQ(&shared, &LocalizationSettings::shared());

    shared.setPreference(AppLanguagePreference::english);
    EXPECT_EQ(storedChoice(), QStringLiteral("english"));
    EXPECT_EQ(AppActionFactory::clean(true, false).title, QStringLiteral("Preview Cleanup Items"));

    int zhCalls = 0;
    int enCalls = 0;
    auto zh = [&] {
        ++zhCalls;
        return QStringLiteral("中");
    };
    auto en = [&] {
        ++enCalls;
        return QStringLiteral("en");
    };
    EXPECT_EQ(L(zh, en), QStringLiteral("en"));
    EXPECT_EQ(zhCalls, 0);
    EXPECT_EQ(enCalls, 1);

    shared.setPreference(AppLanguagePreference::system);
    EXPECT_EQ(L(zh, en), QStringLiteral("中"));
    EXPECT_EQ(zhCalls, 1);
    EXPECT_EQ(enCalls, 1);
    EXPECT_EQ(AppActionFactory::clean(true, false).title, QStringLiteral("预览清理项目"));
}

TEST(LocalizationSettings, SharedLivesInTheMainThreadWhoeverAsksFirst)
{
    const auto fromPool = QtConcurrent::run([] { return &LocalizationSettings::shared(); }).result();
    EXPECT_EQ(fromPool, &LocalizationSettings::shared());
    EXPECT_EQ(fromPool->thread(), QCoreApplication::instance()->thread());
}
