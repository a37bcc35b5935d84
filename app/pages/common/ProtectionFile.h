#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <optional>

namespace roror {

class AppModel;

// The file behind a protection sheet (Smart Clean's list, Optimize's safeguards), as both sheets
// treat it: one that could not be read is shown as such and is never saved over (Save is refused
// and the sheet stays open); Save and Cancel close the sheet.
class ProtectionFile : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(bool loadFailed READ loadFailed NOTIFY loadStateChanged)
    Q_PROPERTY(QString loadErrorText READ loadErrorText NOTIFY loadStateChanged)
    Q_PROPERTY(bool canSave READ canSave NOTIFY loadStateChanged)

public:
    // How the model keeps this file.
    struct Access {
        std::optional<QString> (AppModel::*loadError)() const;
        void (AppModel::*loadErrorChanged)();
        void (AppModel::*saveEditor)();
        void (AppModel::*setShowingSheet)(bool);
        // The first line of the load error, before the reader's own error.
        QString chineseLead;
        QString englishLead;
    };

    explicit ProtectionFile(Access access, QObject* parent = nullptr);

    void setModel(AppModel* model);
    bool loadFailed() const;
    // Empty while the file was read.
    QString loadErrorText() const;
    bool canSave() const { return m_model && !loadFailed(); }

    // Saves through the model and closes; refused (false, sheet left open) while the file failed to load.
    Q_INVOKABLE bool save();
    Q_INVOKABLE void cancel();

signals:
    void loadStateChanged();

private:
    Access m_access;
    QPointer<AppModel> m_model;
    QMetaObject::Connection m_loadErrorConnection;
};

} // namespace roror
