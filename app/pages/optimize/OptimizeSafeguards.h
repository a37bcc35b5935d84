#pragma once

#include "app/pages/common/ModelConnections.h"
#include "app/pages/common/ProtectionFile.h"
#include "core/engines/optimize/OptimizeWhitelistOption.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace roror {

class AppModel;

// The safeguards sheet: one tick per catalogue task, bound to the model's selection, the count of
// the file's custom entries and Restore Defaults; Save and Cancel are the `file`'s. A safeguards
// file that could not be read is shown as such and is never saved over.
class OptimizeSafeguards : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(roror::AppModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(int count READ count CONSTANT)
    Q_PROPERTY(QString customCountText READ customCountText NOTIFY customCountChanged)
    Q_PROPERTY(roror::ProtectionFile* file READ file CONSTANT)

public:
    enum Role { OptionIdRole = Qt::UserRole + 1, TitleRole, DetailRole, CheckedRole };

    explicit OptimizeSafeguards(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QHash<int, QByteArray> roleNames() const override;
    int count() const { return static_cast<int>(m_options.size()); }

    AppModel* model() const { return m_model; }
    void setModel(AppModel* model);
    // Empty when the file holds no custom entry.
    QString customCountText() const;
    ProtectionFile* file() { return &m_file; }

    // One change of the model's selection; ticking a ticked task (or clearing a clear one) changes nothing.
    Q_INVOKABLE void setChecked(const QString& optionId, bool checked);
    Q_INVOKABLE void restoreDefaults();

    static QString customCountText(qsizetype count, bool chinese);

signals:
    void modelChanged();
    void customCountChanged();

private:
    void selectionChanged();
    void languageChanged();

    QList<OptimizeWhitelistOption> m_options;
    QPointer<AppModel> m_model;
    ModelConnections m_connections;
    ProtectionFile m_file;
};

} // namespace roror
