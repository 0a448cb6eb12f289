// Connection, binding and transactions of the one database layer, on both engines.
#include "support/TestDb.h"

#include "data/Migrations.h"
#include "data/Money.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

class TstDatabase : public QObject {
    Q_OBJECT
private slots:
    void explore() { try { explore2(); } catch (const DbError& e) { QFAIL(qPrintable(e.message())); } }
    void explore2() {
        TestDb t;
        Database& db = t.db();
        db.exec("INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_DATE, GRAND_TOTAL, CREATED_ON) VALUES (?,?,?,?,?)",
                {"X", 1, QDate(2026, 1, 5), Money::fromPaise(123456).toVariant(), QDateTime(QDate(2026,1,5), QTime(13,4,5,123))});
        auto r = db.firstRow("SELECT DOC_DATE, GRAND_TOTAL, CREATED_ON, SUM(GRAND_TOTAL) AS S FROM M_TBL_TRANSACTION GROUP BY DOC_DATE, GRAND_TOTAL, CREATED_ON");
        for (int i = 0; i < r->count(); ++i)
            qInfo() << r->fieldName(i) << r->value(i) << r->value(i).typeName();
        if (db.dialect().isSqlite()) {
            auto q = db.firstRow("SELECT typeof(DOC_DATE), DOC_DATE || '', typeof(CREATED_ON), CREATED_ON || '', typeof(GRAND_TOTAL) FROM M_TBL_TRANSACTION");
            for (int i = 0; i < q->count(); ++i) qInfo() << q->value(i);
        }
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_DATE BETWEEN ? AND ?", {QDate(2026,1,5), QDate(2026,1,5)}).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TstDatabase)
#include "tst_database.moc"
