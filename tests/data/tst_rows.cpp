// Master rows through the one row writer, and moments as the database hands them back.
#include "support/TestDb.h"

#include "data/Moments.h"
#include "data/RowWriter.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

class TstRows : public QObject {
    Q_OBJECT
private slots:
    // Insert stamps both audit pairs; update keeps the creation and restamps the change; an
    // update of a row deleted elsewhere is reported and adds nothing.
    void writerKeepsKeysAndAudit() {
        TestDb t;
        Database& db = t.db();
        const QString table = QStringLiteral("M_TBL_PARTY");
        const Columns key{{QStringLiteral("PARTY_CODE"), 5}};
        RowWriter(db, QStringLiteral("FIRST"))
            .write(table, key, {{QStringLiteral("PARTY_NAME"), QStringLiteral("A")}}, true);
        db.exec(QStringLiteral("UPDATE M_TBL_PARTY SET CREATED_ON=?"), {QDateTime(QDate(2020, 1, 1), QTime(8, 0))});
        RowWriter(db, QStringLiteral("SECOND"))
            .write(table, key, {{QStringLiteral("PARTY_NAME"), QStringLiteral("B")}}, false);
        const auto row = db.firstRow(QStringLiteral("SELECT * FROM M_TBL_PARTY WHERE PARTY_CODE=5"));
        QCOMPARE(row->value("PARTY_NAME").toString(), QStringLiteral("B"));
        QCOMPARE(byOnText(row->value("CREATED_BY"), row->value("CREATED_ON")),
                 QStringLiteral("FIRST - 01/01/2020 08:00:00"));
        QCOMPARE(row->value("UPDATE_BY").toString(), QStringLiteral("SECOND"));
        // the server's clock, read back as a moment of today
        QCOMPARE(dateFromDb(row->value("UPDATE_ON")), QDate::currentDate());

        RowWriter writer(db, QStringLiteral("U"));
        const auto refused = [&](auto&& write, DbError::Kind kind) {
            try {
                write();
            } catch (const DbError& e) {
                return e.kind() == kind;
            }
            return false;
        };
        QVERIFY(refused(
            [&] {
                writer.write(table, {{QStringLiteral("PARTY_CODE"), 6}},
                             {{QStringLiteral("PARTY_NAME"), QStringLiteral("C")}}, false);
            },
            DbError::Kind::Changed));
        QVERIFY(refused([&] { writer.insert(table, key, {}); }, DbError::Kind::Duplicate));
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_PARTY")).toInt(), 1);

        // a typed key: added, then rewritten in place
        const Columns pairKey{{QStringLiteral("DOC_CODE"), QStringLiteral("APCM01")},
                              {QStringLiteral("ACC_CODE"), QStringLiteral("X1")}};
        writer.put(QStringLiteral("M_TBL_DOCUMENTACCOUNT_COMB"), pairKey,
                   {{QStringLiteral("ACCOUNT_DESC"), QStringLiteral("ONE")}});
        writer.put(QStringLiteral("M_TBL_DOCUMENTACCOUNT_COMB"), pairKey,
                   {{QStringLiteral("ACCOUNT_DESC"), QStringLiteral("TWO")}});
        QCOMPARE(db.scalar(QStringLiteral("SELECT ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE ACC_CODE='X1'"))
                     .toString(),
                 QStringLiteral("TWO"));
    }

    void momentsReadEveryStoredShape() {
        const QDateTime at(QDate(2024, 1, 5), QTime(10, 30, 0));
        const struct {
            QVariant stored;
            QString shown;
        } cases[] = {
            {at, QStringLiteral("05/01/2024 10:30:00")},
            {QStringLiteral("2024-01-05 10:30:00"), QStringLiteral("05/01/2024 10:30:00")},
            {QStringLiteral("2024-01-05 10:30:00.250"), QStringLiteral("05/01/2024 10:30:00")},
            {QStringLiteral("2024-01-05T10:30:00"), QStringLiteral("05/01/2024 10:30:00")},
            {QStringLiteral("2024-01-05"), QStringLiteral("05/01/2024 00:00:00")},
            {QDate(2024, 1, 5), QStringLiteral("05/01/2024 00:00:00")},
            {2460314.9375, QStringLiteral("05/01/2024 10:30:00")},  // julianday('2024-01-05 10:30')
            {QVariant(), QString()},
            {QStringLiteral("not a moment"), QString()},
        };
        for (const auto& c : cases)
            QCOMPARE(momentText(c.stored), c.shown);
        QCOMPARE(dateText(QStringLiteral("2024-01-05 23:59:59")), QStringLiteral("05/01/2024"));
        QCOMPARE(byOnText(QStringLiteral(" ADMIN "), QVariant()), QStringLiteral("ADMIN - "));
        QCOMPARE(byOnText(QVariant(), QVariant()), QString());
    }

    // A range of days runs from the start of the from-date to before the day after the to-date,
    // over moments and over dates alike.
    void dayRangeCoversWholeDays() {
        TestDb t;
        Database& db = t.db();
        const QDate from(2024, 3, 1), to(2024, 3, 2);
        const QVariant moments[] = {QDateTime(from.addDays(-1), QTime(23, 59, 59)), from.startOfDay(),
                                    QDateTime(to, QTime(23, 59, 59, 999)),          to.addDays(1).startOfDay(),
                                    from.addDays(-1),                               from,
                                    to,                                             to.addDays(1)};
        qint64 code = 0;
        for (const QVariant& m : moments)
            db.exec(QStringLiteral("INSERT INTO M_TBL_PARTY (PARTY_CODE, CREATED_ON) VALUES (?, ?)"), {++code, m});
        QVariantList values;
        const QString where = dayRangeCondition(QStringLiteral("CREATED_ON"), from, to, values);
        QSqlQuery q = db.exec(
            QStringLiteral("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE %1 ORDER BY PARTY_CODE").arg(where), values);
        QList<qint64> found;
        while (q.next())
            found << q.value(0).toLongLong();
        QCOMPARE(found, (QList<qint64>{2, 3, 6, 7}));
    }
};

QTEST_GUILESS_MAIN(TstRows)
#include "tst_rows.moc"
