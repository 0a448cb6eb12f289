// The demo pipeline is sound books, and the books check finds what a broken quotation save
// would leave: a header total that is not the sum of its lines, missing or misplaced day
// rows, day rows without their line, counters behind the numbers used.
#include "data/BooksCheck.h"
#include "engine/admin/DemoData.h"
#include "support/BehindTheBack.h"
#include "support/TestDb.h"

#include <QtTest>

using namespace tarvic;

class TstSalesBooks : public QObject {
    Q_OBJECT
private slots:
    void checkFindsBrokenQuotations() {
        test::TestDb t;
        Database& db = t.db();
        QVERIFY(addDemoData(db).added);
        QCOMPARE(checkBooks(db).problems, QStringList());
        const qint64 q = db.scalar("SELECT DOC_NO FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01'").toLongLong();
        const QString hotel = db.scalar("SELECT MIN(ACC_CODE) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02'").toString();
        struct Case {
            const char* breaks;
            const char* mends;
            QString problem;
        };
        const Case cases[] = {
            {"UPDATE M_TBL_QUOTATION SET TOTAL_AMOUNT=1 WHERE DOC_CODE='QGBL01'",
             "UPDATE M_TBL_QUOTATION SET TOTAL_AMOUNT=34000 WHERE DOC_CODE='QGBL01'",
             QStringLiteral("QGBL01 %1: total 1.00 but its lines sum to 34000.00").arg(q)},
            {"UPDATE M_TBL_QUOTATION SET DOC_CODE='QGBLX3' WHERE DOC_CODE='QGBL03' AND ACC_CODE=%1",
             "UPDATE M_TBL_QUOTATION SET DOC_CODE='QGBL03' WHERE DOC_CODE='QGBLX3'",
             QStringLiteral("QGBL02 %1 line %2: 0 day rows from , 2 expected from ").arg(q).arg(hotel)},
            {"UPDATE M_TBL_QUOTATION SET DOC_CODE='QGBLX2' WHERE DOC_CODE='QGBL02' AND ACC_CODE=%1",
             "UPDATE M_TBL_QUOTATION SET DOC_CODE='QGBL02' WHERE DOC_CODE='QGBLX2'",
             QStringLiteral("QGBL01 %1: total 34000.00 but its lines sum to 25000.00\n"
                            "QGBL03 %1 line %2: 2 day rows without their line")
                 .arg(q)
                 .arg(hotel)},
            {"UPDATE MST_COUNTER SET COUNTER=0 WHERE CODE='QGBL01'",
             "UPDATE MST_COUNTER SET COUNTER=%2 WHERE CODE='QGBL01'",
             QStringLiteral("counter QGBL01 is 0, below the highest QGBL01 number %1").arg(q)},
            {"UPDATE MST_COUNTER2 SET COUNTER=1 WHERE CODE='%2'", "UPDATE MST_COUNTER2 SET COUNTER=4 WHERE CODE='%2'",
             QStringLiteral("line counter of QGBL01 %1 is 1, below its highest line 4").arg(q)},
        };
        for (const Case& c : cases) {
            test::behindTheBack(db, [&] { db.exec(QString::fromLatin1(c.breaks).arg(hotel).arg(q)); });
            const QStringList found = checkBooks(db).problems;
            db.exec(QString::fromLatin1(c.mends).arg(hotel).arg(q));
            QCOMPARE(found.join('\n').replace(QRegularExpression(" from \\d\\d/\\d\\d/\\d{4}"), " from "), c.problem);
        }
        QCOMPARE(checkBooks(db).problems, QStringList());
    }
};

QTEST_GUILESS_MAIN(TstSalesBooks)
#include "tst_sales_books.moc"
