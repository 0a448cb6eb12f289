#include "Numbering.h"

namespace tarvic {

qint64 Numbering::advance(const QString& table, const QString& code) {
    const QString key = code.trimmed();
    const QString upsert = QStringLiteral("INSERT INTO %1 (CODE, COUNTER) VALUES (?, 1) "
                                          "ON CONFLICT (CODE) DO UPDATE SET COUNTER = %1.COUNTER + 1").arg(table);
    return db_.transact([&] {
        // One statement creates or advances the row and keeps it locked until the
        // transaction ends, so the number read back is ours alone.
        if (!db_.dialect().isSqlite())
            return db_.scalar(upsert + QStringLiteral(" RETURNING COUNTER"), {key}).toLongLong();
        // SQLite's ODBC driver returns no rows for RETURNING: read it back in the same transaction.
        db_.execAffected(upsert, {key});
        return db_.scalar(QStringLiteral("SELECT COUNTER FROM %1 WHERE CODE=?").arg(table), {key}).toLongLong();
    });
}

qint64 Numbering::peek(const QString& table, const QString& code) {
    const QString key = code.trimmed();
    return db_.transact([&] {
        db_.execAffected(QStringLiteral("INSERT INTO %1 (CODE, COUNTER) VALUES (?, 0) ON CONFLICT (CODE) DO NOTHING").arg(table),
                 {key});
        return db_.scalar(QStringLiteral("SELECT COUNTER FROM %1 WHERE CODE=?").arg(table), {key}).toLongLong() + 1;
    });
}

void Numbering::store(const QString& table, const QString& code, qint64 number) {
    const QString key = code.trimmed();
    db_.execAffected(QStringLiteral("INSERT INTO %1 (CODE, COUNTER) VALUES (?, ?) "
                            "ON CONFLICT (CODE) DO UPDATE SET COUNTER = excluded.COUNTER").arg(table),
             {key, number});
}

}  // namespace tarvic
