// Moving the embedded books to a server, and backups that restore, run through the real tool.
#include "data/BookMove.h"
#include "data/BooksCheck.h"
#include "engine/admin/DemoData.h"
#include "data/Migrations.h"
#include "data/Moments.h"
#include "data/SchemaTables.h"
#include "support/AdminRunner.h"
#include "support/Documents.h"
#include "support/Drive.h"

#include <QtTest>

#include <atomic>
#include <thread>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

// An embedded database beside the server the tests run on: its own data source, its file named per test.
std::unique_ptr<Database> embedded(const QString& path) {
    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.dsn = u"TARVIC_EMBEDDED"_s;
    cs.overrides = u"Database="_s + path;
    return std::make_unique<Database>(cs, u"embedded"_s);
}

void appendDataSource(const QString& text) {
    QFile ini(qEnvironmentVariable("ODBCINI"));
    QVERIFY(ini.open(QIODevice::Append));
    ini.write(text.toUtf8());
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every table of a's schema is in b's with the same rows, value for value.
void sameTables(Database& a, Database& b) {
    const std::vector<TableInfo> left = schemaTables(a), right = schemaTables(b);
    QCOMPARE(right.size(), left.size());
    for (size_t i = 0; i < left.size(); ++i) {
        QCOMPARE(right[i].label(), left[i].label());
        const QString d = fingerprint(b, right[i]).differenceFrom(fingerprint(a, left[i]), u"b"_s, u"a"_s);
        QVERIFY2(d.isEmpty(), qPrintable(left[i].label() + u": "_s + d));
    }
}

qint64 tables(Database& db) {
    return qint64(schemaTables(db).size());
}

}  // namespace

class TstMove : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        TestDb::defineDataSource();
        appendDataSource(
            u"\n[TARVIC_EMBEDDED]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so\n"
            "Database=none.db\nTimeout=5000\nFKSupport=1\nNoCreat=0\n"_s);
    }

    // Both engines' texts of one value read alike; what a column cannot hold is refused, never rounded.
    void canonicalValues() {
        const ColumnInfo money{u"A"_s, ValueKind::Decimal, 2, {}}, whole{u"N"_s, ValueKind::Integer, -1, {}},
            moment{u"M"_s, ValueKind::Moment, -1, {}}, date{u"D"_s, ValueKind::Date, -1, {}},
            time{u"T"_s, ValueKind::Time, -1, {}};
        const std::vector<std::tuple<ColumnInfo, QString, QString>> cases = {
            {money, u"1500.5"_s, u"1500.50"_s},
            {money, u"5"_s, u"5.00"_s},
            {money, u"-0.00"_s, u"0.00"_s},
            {money, u"007.10"_s, u"7.10"_s},
            {money, u"1.0e+15"_s, u"1000000000000000.00"_s},
            {money, u"1.230"_s, u"1.23"_s},
            {money, u"-12.345"_s, {}},
            {money, u"12,50"_s, {}},
            {whole, u"5.0"_s, u"5"_s},
            {whole, u"-9223372036854775808"_s, u"-9223372036854775808"_s},
            {whole, u"5.5"_s, {}},
            {moment, u"2026-03-06T10:11:12.340"_s, u"2026-03-06 10:11:12.34"_s},
            {moment, u"2026-03-06"_s, u"2026-03-06 00:00:00"_s},
            {moment, u"2461105.5"_s, u"2026-03-06 00:00:00"_s},
            {moment, u"2026-02-30 10:00:00"_s, {}},
            {date, u"2026-03-06 00:00:00.000"_s, u"2026-03-06"_s},
            {time, u"23:59:58.000"_s, u"23:59:58"_s},
            {time, u"24:00:01"_s, {}},
        };
        for (const auto& [column, text, expected] : cases) {
            QString got;
            try {
                got = canonicalValue(text, column);
            } catch (const DbError& e) {
                QVERIFY2(e.kind() == DbError::Kind::Refused, qPrintable(text));
            }
            QVERIFY2(got == expected && got.isNull() == expected.isNull(), qPrintable(text + u" -> "_s + got));
        }
        QVERIFY(canonicalValue(QString(), money).isNull() && !canonicalValue(u""_s, ColumnInfo{}).isNull());
    }

    // The demo books and every kind of value, moved by the tool and read back from the server as
    // they were: the largest numbers, exact amounts, moments, NULL apart from empty, hostile text.
    void moveCarriesEveryTableAndValue() {
        if (!TestDb::usePostgres())
            QSKIP("the move needs a PostgreSQL server: configure with TARVIC_TEST_PG");
        TestDb server(false);
        const QString path = server.dir() + u"/embedded.db"_s;
        const QString hostile = u"O'Brien \"quoted\" back\\slash; -- %_ ? DROP TABLE x"_s;
        const QString longText = u"ആ'\\"_s.repeated(666);
        struct Case {
            const char* column;
            QVariant value;
            QString onServer;  // null: NULL
        };
        const std::vector<Case> cases = {
            {"TOTAL_AMOUNT", u"1500.50"_s, u"1500.50"_s},
            {"TOTAL_AMOUNT", u"9999999999999.99"_s, u"9999999999999.99"_s},
            {"TOTAL_AMOUNT", u"-0.01"_s, u"-0.01"_s},
            {"PARTY_CODE", std::numeric_limits<qint64>::max(), u"9223372036854775807"_s},
            {"PARTY_CODE", std::numeric_limits<qint64>::min(), u"-9223372036854775808"_s},
            {"NOOF_PAX", 2147483647, u"2147483647"_s},
            {"DOC_DATE", QDateTime(QDate(2026, 3, 6), QTime(23, 59, 59, 999)), u"2026-03-06 23:59:59.999"_s},
            {"DOC_DATE", dateToDb(QDate(2024, 2, 29)), u"2024-02-29 00:00:00"_s},
            {"REMARKS", u""_s, u""_s},
            {"REMARKS", QVariant(QMetaType::fromType<QString>()), QString()},
            {"REMARKS", hostile, hostile},
            {"REMARKS", u"കൊച്ചി ₹ 😀 Ünïcödé"_s, u"കൊച്ചി ₹ 😀 Ünïcödé"_s},
            {"DOC_DESC", longText, longText},
        };
        {
            auto src = embedded(path);
            Migrations(*src).apply();
            addDemoData(*src);
            src->exec(u"INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('ZZTST', ?)"_s, {qint64(cases.size())});
            for (size_t i = 0; i < cases.size(); ++i) {
                const bool amount = QByteArray(cases[i].column).endsWith("AMOUNT");
                src->exec(u"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, %1) VALUES ('ZZTST', ?, %2)"_s.arg(
                              QLatin1String(cases[i].column), amount ? src->dialect().amount() : u"?"_s),
                          {qint64(i + 1), cases[i].value});
            }
            src->exec(u"UPDATE MST_LOGINDETAILS SET LAST_LOGIN=?, LAST_LOGINTIME=? WHERE LOGIN_ID=1"_s,
                      {QDate(2026, 12, 31), QTime(23, 59, 58)});
        }
        const QByteArray before = bytesOf(path);
        const QString database = server.connectionString().overrides.section(u'=', 1);
        appendDataSource(
            u"\n[TARVIC_SERVER]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so\nServername=%1\n"
            "Port=%2\nDatabase=%3\nProtocol=7.4-2\nBoolsAsChar=0\nUseDeclareFetch=0\n"_s.arg(
                qEnvironmentVariable("TARVIC_TEST_PG").section(u"host="_s, 1).section(u' ', 0, 0),
                qEnvironmentVariable("TARVIC_TEST_PG").section(u"port="_s, 1).section(u' ', 0, 0), database));
        QElapsedTimer clock;
        clock.start();
        const AdminRun r = runAdmin({u"--dsn"_s, u"TARVIC_EMBEDDED"_s, u"--set"_s, u"Database="_s + path,
                                     u"move-to-server"_s, u"TARVIC_SERVER"_s});
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        qInfo("demo database moved in %lld ms", clock.elapsed());
        QVERIFY2(
            r.out.contains(u"M_TBL_TRANSACTION: %1 row(s) copied"_s.arg(count(server.db(), u"M_TBL_TRANSACTION"_s))),
            qPrintable(r.out));
        QCOMPARE(bytesOf(path), before);

        auto src = embedded(path);
        sameTables(*src, server.db());
        QVERIFY(checkBooks(server.db()).ok());
        for (size_t i = 0; i < cases.size(); ++i) {
            const QVariant v = server.db().scalar(
                u"SELECT CAST(%1 AS TEXT) FROM M_TBL_TRANSACTION WHERE DOC_CODE='ZZTST' AND DOC_NO=?"_s.arg(
                    QLatin1String(cases[i].column)),
                {qint64(i + 1)});
            QCOMPARE(v.isNull() ? QString() : v.toString(), cases[i].onServer);
        }
        QCOMPARE(lines(server.db(),
                       u"SELECT CAST(LAST_LOGIN AS TEXT), CAST(LAST_LOGINTIME AS TEXT) FROM "
                       "MST_LOGINDETAILS WHERE LOGIN_ID=1"_s),
                 QStringList{u"2026-12-31|23:59:58"_s});
    }

    // Each refusal, and a failure half-way, leaves the server database as it was; a refused
    // value is named by its table, row and column.
    void refusalsLeaveTheServerAsItWas() {
        if (!TestDb::usePostgres())
            QSKIP("the move needs a PostgreSQL server: configure with TARVIC_TEST_PG");
        struct Case {
            const char* name;
            bool serverHasSchema;
            const char* corruption;
            int failAfterTables;
            QString message;
        };
        const std::vector<Case> cases = {
            {"server not empty", true, nullptr, 0, u"the server database is not empty"_s},
            {"books at fault", false, "DELETE FROM MST_COUNTER WHERE CODE='FRDB01'", 0,
             u"not consistent; nothing was moved:\ncounter FRDB01 is missing, but FRDB01 numbers reach 1"_s},
            {"failure half-way", false, nullptr, 12, u"injected failure"_s},
            // SQLite keeps a text beyond its column: named before anything is copied.
            {"text beyond its column", false,
             "UPDATE M_TBL_PARTY SET PARTY_ADDRESS=REPLACE(HEX(ZEROBLOB(2500)), '0', 'A') WHERE PARTY_CODE=1", 0,
             u"nothing was moved:\nM_TBL_PARTY PARTY_CODE=1: PARTY_ADDRESS holds 5000 characters, its column 1000"_s},
            // A whole number the server's INTEGER cannot hold: its table, row and column.
            {"value the server refuses", false,
             "UPDATE M_TBL_TRANSACTION SET NOOF_PAX=2147483648 WHERE DOC_CODE='BLFC01' AND DOC_NO=1", 0,
             u"M_TBL_TRANSACTION, row DOC_CODE=BLFC01, DOC_NO=1: the server refuses the value of NOOF_PAX"_s},
        };
        for (const Case& c : cases) {
            TestDb server(c.serverHasSchema);
            auto src = embedded(server.dir() + u"/embedded.db"_s);
            Migrations(*src).apply();
            addDemoData(*src);
            if (c.corruption)
                src->exec(QString::fromLatin1(c.corruption));
            const qint64 present = tables(server.db());
            int copied = 0;
            try {
                moveToServer(*src, server.db(), [&](const QString&) {
                    if (++copied == c.failAfterTables)
                        server.db().failStatement(2);
                });
                QFAIL(c.name);
            } catch (const DbError& e) {
                QVERIFY2(e.message().contains(c.message), qPrintable(e.message()));
            }
            QCOMPARE(tables(server.db()), present);
            QVERIFY(!server.db().inTransaction());
        }
    }

    // A backup taken while another program saves receipts restores to sound books; one taken at
    // rest restores to the very same rows; a database that holds tables is replaced only when told.
    void backupRestores() {
        TestDb t;
        addDemoData(t.db());
        const QString file = t.dir() + u"/books.backup"_s;
        std::atomic<bool> stop = false;
        std::atomic<int> saved = 0;
        std::thread writer([&] {
            auto db = t.connect(u"writer"_s);
            TransactionRecords r(*db, u"WRITER"_s);
            const qint64 b = r.save(booking(7, u"50000"_s));
            while (!stop)
                r.save(receipt(b, 7, u"10.25"_s)), ++saved;
        });
        while (saved < 3)
            QThread::msleep(5);
        AdminRun r = runAdmin(t, {u"backup"_s, file});
        stop = true;
        writer.join();
        QVERIFY2(r.code == 0, qPrintable(r.describe()));

        TestDb busy(false);
        r = runAdmin(busy, {u"restore"_s, file});
        QVERIFY2(r.code == 0 && r.out.contains(u"books are consistent"_s), qPrintable(r.describe()));
        const qint64 receipts = count(busy.db(), u"M_TBL_TRANSACTION"_s, u"DOC_CODE='FRDB01'"_s);
        QVERIFY(receipts >= 3 && receipts <= saved + 1);

        r = runAdmin(t, {u"backup"_s, file});
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        r = runAdmin(busy, {u"restore"_s, file});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"is not empty"_s), qPrintable(r.err));
        r = runAdmin(busy, {u"restore"_s, file, u"--replace"_s});
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        // Each TestDb names its connection alike: compare through connections of their own.
        sameTables(*t.connect(u"original"_s), *busy.connect(u"restored"_s));
    }
};

QTEST_GUILESS_MAIN(TstMove)
#include "tst_move.moc"
