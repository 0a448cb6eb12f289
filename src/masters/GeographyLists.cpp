#include "GeographyLists.h"

#include <QComboBox>
#include <QLineEdit>

namespace tarvic {

QComboBox* makeNameList(QWidget* parent, const QString& objectName) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    list->setEditable(true);
    // A typed name is looked up, never added to the list.
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMinimumWidth(260);
    return list;
}

void fillNameList(Database& db, QComboBox* list, const QString& sql, const QVariantList& values) {
    const QString typed = list->currentText();
    QSignalBlocker block(list);
    list->clear();
    QSqlQuery q = db.exec(sql, values);
    while (q.next())
        list->addItem(q.value(0).toString().trimmed());
    list->setCurrentIndex(-1);
    list->setEditText(typed);
}

QString codeOf(Database& db, const QString& sql, const QVariantList& values, const QString& column) {
    const auto row = db.firstRow(sql, values);
    if (!row)
        return {};
    bool ok = false;
    const qint64 n = row->value(column).toLongLong(&ok);
    return ok ? QString::number(n) : row->value(column).toString().trimmed();
}

QDateTime momentOf(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    const QString s = v.toString().trimmed();
    QDateTime d = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!d.isValid())
        d = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    if (!d.isValid())
        d = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return d;
}

QString byOn(const QVariant& by, const QVariant& on) {
    const QString user = by.toString().trimmed();
    const QDateTime moment = momentOf(on);
    if (user.isEmpty() && !moment.isValid())
        return {};
    return user + QStringLiteral(" - ") + (moment.isValid() ? moment.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) : QString());
}

}  // namespace tarvic
