#pragma once

#include "app/model/AppModel.h"
#include "app/pages/common/FileActions.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QAbstractItemModel>
#include <QStringList>
#include <memory>

namespace roror::test {

// One field of a list row, by its role's name.
inline QVariant field(const QModelIndex& index, const QByteArray& role)
{
    return index.data(index.model()->roleNames().key(role, -1));
}

// One field of every row of a list, as text.
inline QStringList column(const QAbstractItemModel& model, const QByteArray& role)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        out.append(field(model.index(row, 0), role).toString());
    return out;
}

// One page over a real AppModel with fake services in a throw-away home, the language chosen per
// test, the clock fixed and the desktop's reveal and open recorded instead of run.
template <typename Page>
struct PageFixture {
    explicit PageFixture(const QStringList& preferredLanguages = {QStringLiteral("en-US")},
                         AppLanguagePreference language = AppLanguagePreference::english)
        : env(preferredLanguages)
    {
        useLanguage(language);
        services = fakeServices(env);
        FileActions::setHandlers([this](const QString& path) { revealed.append(path); },
                                 [this](const QString& path) { opened.append(path); });
    }
    ~PageFixture()
    {
        page.reset();
        model.reset();
        FileActions::setHandlers({}, {});
        useLanguage(AppLanguagePreference::english);
    }

    // Builds the model over `services` (change them first) and the page over the model.
    Page& start()
    {
        model = std::make_unique<AppModel>(services);
        page = std::make_unique<Page>();
        page->setClock([] { return fixedNow(); });
        page->setModel(model.get());
        return *page;
    }

    TestEnv env;
    AppModelServices services;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<Page> page;
    QStringList revealed;
    QStringList opened;
};

} // namespace roror::test

#include <QDir>
#include <QMutex>

namespace roror::test {

// Paths handed to a fake service, which the model may call from another thread.
class Recorder {
public:
    void add(const QString& path)
    {
        QMutexLocker lock(&m_mutex);
        m_items.append(path);
    }
    QStringList items() const
    {
        QMutexLocker lock(&m_mutex);
        return m_items;
    }

private:
    mutable QMutex m_mutex;
    QStringList m_items;
};

// The freedesktop Trash of the fake home: the names in Trash/files and, for each, the original
// path its .trashinfo records.
inline QMap<QString, QString> trashedItems(const TestEnv& env)
{
    QMap<QString, QString> items;
    const QString trash = env.home() + QStringLiteral("/.local/share/Trash");
    const QStringList names = QDir(trash + QStringLiteral("/files"))
                                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        QFile info(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
        QString original;
        if (info.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : info.readAll().split('\n')) {
                if (line.startsWith("Path="))
                    original = QUrl::fromPercentEncoding(line.mid(5));
            }
        }
        items.insert(name, original);
    }
    return items;
}

// Writes `bytes` bytes of real (not sparse) content.
inline QString writeBytes(const TestEnv& env, const QString& path, qint64 bytes)
{
    return env.writeFile(path, QByteArray(int(bytes), 'x'));
}

} // namespace roror::test
