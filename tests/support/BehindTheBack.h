#pragma once
// Writing as an SQL tool would, behind the program's back: the counter table's guard (its
// triggers, which refuse a counter below the numbers in use) is off meanwhile, so that a test
// can set the books wrong the way a hand on the database could.
#include "data/Database.h"

#include <QStringList>

#include <functional>

namespace tarvic::test {

inline void behindTheBack(Database& db, const std::function<void()>& write) {
    if (!db.dialect().isSqlite()) {
        db.exec(QStringLiteral("ALTER TABLE MST_COUNTER DISABLE TRIGGER USER"));
        write();
        db.exec(QStringLiteral("ALTER TABLE MST_COUNTER ENABLE TRIGGER USER"));
        return;
    }
    // SQLite cannot switch a trigger off: dropped, then made again as it was.
    QStringList names, made;
    QSqlQuery q =
        db.exec(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type='trigger' AND tbl_name='MST_COUNTER'"));
    while (q.next())
        names << q.value(0).toString(), made << q.value(1).toString();
    q.finish();
    for (const QString& name : names)
        db.exec(QStringLiteral("DROP TRIGGER ") + name);
    write();
    for (const QString& sql : made)
        db.exec(sql);
}

// A counter forced to a number by SQL.
inline void forceCounter(Database& db, const QString& code, qint64 number) {
    behindTheBack(db, [&] {
        db.exec(QStringLiteral("UPDATE MST_COUNTER SET COUNTER=? WHERE CODE=?"), {number, code});
    });
}

}  // namespace tarvic::test
