#include "RowWriter.h"

#include "ColumnLengths.h"

#include <QRegularExpression>

namespace tarvic {

namespace {

// Table and column names reach the text of a statement: only plain names pass.
const QString& checked(const QString& name) {
    static const QRegularExpression ok(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!ok.match(name).hasMatch())
        throw DbError(DbError::Kind::Other, QStringLiteral("Not a table or column name: %1").arg(name));
    return name;
}

QString marks(qsizetype n) {
    QStringList q;
    for (qsizetype i = 0; i < n; ++i)
        q << QStringLiteral("?");
    return q.join(QLatin1Char(','));
}

}  // namespace

void RowWriter::checkLengths(const QString& table, const Columns& key, const Columns& columns, Audit audit) {
    checkTextLengths(db_, table, key);
    checkTextLengths(db_, table, columns);
    if (audit == Audit::Stamped)
        checkTextLengths(db_, table, {{QStringLiteral("UPDATE_BY"), user_}});
}

void RowWriter::insert(const QString& table, const Columns& key, const Columns& columns, Audit audit) {
    checkLengths(table, key, columns, audit);
    QStringList names;
    QVariantList values;
    for (const Columns* part : {&key, &columns})
        for (const auto& [name, value] : *part) {
            names << checked(name);
            values << value;
        }
    QString valueText = marks(values.size());
    if (audit == Audit::Stamped) {
        names << QStringLiteral("CREATED_BY") << QStringLiteral("UPDATE_BY") << QStringLiteral("CREATED_ON")
              << QStringLiteral("UPDATE_ON");
        values << user_ << user_;
        const QString now = db_.dialect().now();
        valueText += QStringLiteral(",?,?,%1,%1").arg(now);
    }
    db_.execAffected(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(checked(table), names.join(QLatin1Char(',')), valueText),
        values);
}

void RowWriter::update(const QString& table, const Columns& key, const Columns& columns, Audit audit) {
    checkLengths(table, key, columns, audit);
    QStringList sets;
    QVariantList values;
    for (const auto& [name, value] : columns) {
        sets << checked(name) + QStringLiteral("=?");
        values << value;
    }
    if (audit == Audit::Stamped) {
        sets << QStringLiteral("UPDATE_BY=?") << QStringLiteral("UPDATE_ON=") + db_.dialect().now();
        values << user_;
    }
    QStringList where;
    for (const auto& [name, value] : key) {
        where << checked(name) + QStringLiteral("=?");
        values << value;
    }
    if (sets.isEmpty() || where.isEmpty())
        throw DbError(DbError::Kind::Other, QStringLiteral("Nothing to write in %1").arg(table));
    const int changed =
        db_.execAffected(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                             .arg(checked(table), sets.join(QLatin1Char(',')), where.join(QLatin1String(" AND "))),
                         values);
    if (changed != 1)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

void RowWriter::write(const QString& table, const Columns& key, const Columns& columns, bool isNew, Audit audit) {
    if (isNew)
        insert(table, key, columns, audit);
    else
        update(table, key, columns, audit);
}

void RowWriter::put(const QString& table, const Columns& key, const Columns& columns) {
    checkLengths(table, key, columns, Audit::None);
    QStringList names, keyNames, sets;
    QVariantList values;
    for (const auto& [name, value] : key) {
        keyNames << checked(name);
        values << value;
    }
    names = keyNames;
    for (const auto& [name, value] : columns) {
        names << checked(name);
        sets << QStringLiteral("%1 = excluded.%1").arg(name);
        values << value;
    }
    const QString onConflict = sets.isEmpty() ? QStringLiteral("DO NOTHING")
                                              : QStringLiteral("DO UPDATE SET ") + sets.join(QLatin1String(", "));
    db_.execAffected(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT (%4) %5")
                         .arg(checked(table), names.join(QLatin1Char(',')), marks(values.size()),
                              keyNames.join(QLatin1Char(',')), onConflict),
                     values);
}

}  // namespace tarvic
