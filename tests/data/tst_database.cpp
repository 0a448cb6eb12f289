// The one database layer on both engines: connection string, bound values that never change
// the SQL, transactions that keep all or nothing, and the schema scripts.
#include "support/TestDb.h"

#include "data/Migrations.h"
#include "data/Money.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

class TstDatabase : public QObject {
    Q_OBJECT

    static QStringList hostileTexts() {
        return {QStringLiteral("O'Brien"), QStringLiteral("''"), QStringLiteral("' OR '1'='1"),
                QStringLiteral("100% _sure_"), QStringLiteral("a--b /* c */"), QStringLiteral("x'; DROP TABLE M_TBL_CODES; --"),
                QStringLiteral("Ünïcødé ₹ दिल्ली"), QStringLiteral("tab\tnew\nline\r\n"), QStringLiteral("back\\slash"),
                QString(2000, QLatin1Char('Z')), QString(), QStringLiteral(" padded ")};
    }

private slots:
    void connectionStringIsParsed() {
        const auto cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
        QCOMPARE(cs.dsn, QStringLiteral("TARVIC"));
        QCOMPARE(cs.user, QStringLiteral("tarvicuser"));
        QCOMPARE(cs.password, QStringLiteral("pass987"));
        const auto other = ConnectionString::parse(QStringLiteral(" dsn = X ; UID=u;Password=p=q;"));
        QCOMPARE(other.dsn, QStringLiteral("X"));
        QCOMPARE(other.user, QStringLiteral("u"));
        QCOMPARE(other.password, QStringLiteral("p=q"));
    }

    void durableSettings() {
        TestDb t;
        if (t.db().dialect().isSqlite()) {
            QCOMPARE(t.db().scalar(QStringLiteral("PRAGMA journal_mode")).toString().toLower(), QStringLiteral("delete"));
            QCOMPARE(t.db().scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2);  // FULL
            QVERIFY(t.db().scalar(QStringLiteral("PRAGMA busy_timeout")).toInt() >= 1000);
        } else {
            QCOMPARE(t.db().scalar(QStringLiteral("SHOW synchronous_commit")).toString(), QStringLiteral("on"));
        }
    }

    void hostileTextsRoundTripAndNeverChangeTheSql() {
        TestDb t;
        Database& db = t.db();
        const int codes = db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_CODES")).toInt();
        const QStringList texts = hostileTexts();
        for (int i = 0; i < texts.size(); ++i) {
            const QString& s = texts[i];
            // text, whole number, amount, moment and flag columns in one row
            db.exec(QStringLiteral("INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_DESC, REMARKS, TOURIST_NAME, "
                                   "PARTY_CODE, GRAND_TOTAL, DOC_DATE, LCK_CBPT) VALUES (?,?,?,?,?,?,?,?,?)"),
                    {QStringLiteral("TEST01"), i + 1, s, s.left(2000), s.left(200), qint64(9'000'000'000) + i,
                     Money::fromPaise(123456789012LL + i).toVariant(), QDateTime(QDate(2026, 12, 6), QTime(23, 59, 58)),
                     QStringLiteral("Y")});
        }
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_CODES")).toInt(), codes);
        for (int i = 0; i < texts.size(); ++i) {
            const QString& s = texts[i];
            auto row = db.firstRow(QStringLiteral("SELECT DOC_DESC, REMARKS, TOURIST_NAME, PARTY_CODE, GRAND_TOTAL, DOC_DATE "
                                                  "FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"),
                                   {QStringLiteral("TEST01"), i + 1});
            QVERIFY(row);
            QCOMPARE(row->value(0).toString(), s);
            QCOMPARE(row->value(1).toString(), s);
            QCOMPARE(row->value(3).toLongLong(), qint64(9'000'000'000) + i);
            QCOMPARE(Money::fromVariant(row->value(4)).paise(), 123456789012LL + i);
            QCOMPARE(row->value(5).toDateTime(), QDateTime(QDate(2026, 12, 6), QTime(23, 59, 58)));
            // the same text as a search value finds exactly its own row
            if (!s.isEmpty())
                QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_DESC=?"), {s}).toInt(), 1);
        }
        // a LIKE pattern is used as given: "%" and "_" are the caller's, never the data's way in
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_DESC LIKE ?"),
                           {QStringLiteral("100%")}).toInt(), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM MST_LOGINDETAILS WHERE USER_NAME=?"),
                           {QStringLiteral("' OR '1'='1")}).toInt(), 0);
    }

    void transactionKeepsAllOrNothing() {
        TestDb t;
        Database& db = t.db();
        try {
            db.transact([&] {
                db.exec(QStringLiteral("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('A', 1)"));
                db.exec(QStringLiteral("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('A', 2)"));  // duplicate key
            });
            QFAIL("a duplicate key was accepted");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbError::Kind::Duplicate);
        }
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM MST_COUNTER WHERE CODE='A'")).toInt(), 0);
        QVERIFY(!db.inTransaction());
        // the connection is usable afterwards, and nested work joins the outer transaction
        db.transact([&] {
            db.exec(QStringLiteral("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('B', 1)"));
            db.transact([&] { db.exec(QStringLiteral("UPDATE MST_COUNTER SET COUNTER=5 WHERE CODE='B'")); });
        });
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE='B'")).toInt(), 5);
    }

    // Every document code and balance list the postings rely on is seeded.
    void seedData() {
        TestDb t;
        Database& db = t.db();
        for (const char* code : {"BLFC01", "QGBL01", "QGBL02", "QGBL03", "QFOC01", "CBPT01", "ANCP01", "ANCP02", "ANCP03",
                                 "ANCP08", "ANDP08", "FRDB01", "FRCR01", "FTCR01", "FTDB01", "FTREF01", "FTREF02",
                                 "FAAN01", "APCM01", "APCM02", "FRDM01", "FRDM02", "BDAP01", "BCAP01", "BTCR01",
                                 "BTDB01", "INV001", "INV002", "INV006", "INV007", "VBS001", "QAC001"})
            QVERIFY2(db.scalar(QStringLiteral("SELECT COUNT(*) FROM MST_DOCUMENTCODES WHERE DOC_CODE=?"),
                               {QString::fromLatin1(code)}).toInt() == 1, code);
        for (const char* list : {"LDOP", "LDMA", "PTBAL", "ANCPBAL1", "ANCPBAL2", "ANCPBAL3", "CRDB"})
            QVERIFY2(!db.scalar(QStringLiteral("SELECT CODE_LIST FROM M_TBL_CODES WHERE CODE=?"),
                                {QString::fromLatin1(list)}).toString().isEmpty(), list);
    }

    void scriptSplitter() {
        const QStringList st = Migrations::statements(QStringLiteral("-- note; not a statement\nCREATE TABLE A (X INT);\n"
                                                                     "INSERT INTO A VALUES\n(1),\n(2);\nSELECT 1"));
        QCOMPARE(st.size(), 3);
        QCOMPARE(st[1], QStringLiteral("INSERT INTO A VALUES\n(1),\n(2)"));
    }
};

QTEST_GUILESS_MAIN(TstDatabase)
#include "tst_database.moc"
