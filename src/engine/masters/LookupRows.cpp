#include "LookupRows.h"

namespace tarvic {

QVariant saveLookupRow(Database& db, LookupRow row) {
    const bool numbered = row.isNew && row.numbered >= 0 && row.columns.at(row.numbered).second.isNull();
    QVariant stored = row.numbered >= 0 ? row.columns.at(row.numbered).second : row.key;
    for (int attempt = 1;; ++attempt) {
        try {
            db.transact([&] {
                if (numbered) {
                    stored =
                        db.scalar(QStringLiteral("SELECT COALESCE(MAX(%1),0)+1 FROM %2").arg(row.keyColumn, row.table))
                            .toLongLong();
                    row.columns[row.numbered].second = stored;
                }
                if (row.rowCheck)
                    if (const QString why = row.rowCheck(db, row.columns); !why.isEmpty())
                        throw DbError(DbError::Kind::Refused, why);
                // A row deleted or re-keyed on another workstation since it was read is
                // reported by the writer, never added again.
                RowWriter writer(db, QString());
                if (row.isNew)
                    writer.insert(row.table, {}, row.columns, RowWriter::Audit::None);
                else
                    writer.update(row.table, {{row.keyColumn, row.key}}, row.columns, RowWriter::Audit::None);
            });
            return stored;
        } catch (const DbError& e) {
            if (!numbered || e.kind() != DbError::Kind::Duplicate || attempt == 3)
                throw;
        }
    }
}

void deleteLookupRow(Database& db, const QString& table, const QString& keyColumn, const QVariant& key) {
    db.exec(QStringLiteral("DELETE FROM %1 WHERE %2=?").arg(table, keyColumn), {key});
}

}  // namespace tarvic
