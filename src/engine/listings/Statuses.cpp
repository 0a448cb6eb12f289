#include "Statuses.h"

namespace tarvic::listings {

QStringList statusesIn(Database& db, const QString& table, const QString& where, const QVariantList& values) {
    QStringList statuses;
    QSqlQuery q = db.exec(
        QStringLiteral("SELECT DOC_STATUS FROM %1 WHERE %2 GROUP BY DOC_STATUS ORDER BY DOC_STATUS").arg(table, where),
        values);
    while (q.next())
        if (!q.value(0).isNull())
            statuses << q.value(0).toString().trimmed();
    return statuses;
}

}  // namespace tarvic::listings
