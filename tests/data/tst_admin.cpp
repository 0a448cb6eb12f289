// The administration tool run as a process against a fresh database: init and upgrade,
// the books check on sound and on hand-corrupted books, logins, and a missing data source.
#include "support/AdminRunner.h"
#include "support/Documents.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestDb.h"

#include "data/BooksCheck.h"
#include "data/Migrations.h"
#include "data/Passwords.h"
#include "data/TransactionRecords.h"

#include <QProcess>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

using Run = AdminRun;

// Sound books of every shape the check must accept: bookings, receipts, a bulk posting that
// shares one receipt number across two bookings with different amounts, a pair cancelled
// whole, a miscellaneous payment and a bank transfer whose empty sides are NULL, an invoice
// with lines under one number. Bookings 1 and 2, receipts 1 to 4 (4 cancelled), APCM01 1.
void postSoundBooks(Database& db) {
    TransactionRecords r(db, QStringLiteral("TESTER"));
    const qint64 b1 = r.save(booking(7, QStringLiteral("50000")));
    const qint64 b2 = r.save(booking(8, QStringLiteral("32000")));
    r.save(receipt(b1, 7, QStringLiteral("1500.50")));
    r.save(receipt(b1, 7, QStringLiteral("2000")));
    r.save(std::vector<Document>{receipt(b1, 7, QStringLiteral("100.25")), receipt(b2, 8, QStringLiteral("999.75"))});
    const qint64 cancelled = r.save(receipt(b2, 8, QStringLiteral("10")));
    r.cancel(QStringLiteral("FRDB01"), cancelled, QStringLiteral("WRONG AMOUNT"));

    Document expense;
    expense.code = QStringLiteral("APCM01");
    expense.nullOther = true;
    expense.amount = Money::fromRupees(750);
    expense.columns = {{"DOC_DATE", QDate(2026, 3, 6)}, {"TO_ACC", "STATIONERY"}, {"GRAND_TOTAL", "750.00"}};
    r.save(expense);

    Document transfer;
    transfer.code = QStringLiteral("BTCR01");
    transfer.nullOther = true;
    transfer.amount = Money::fromRupees(5000);
    transfer.columns = {{"DOC_DATE", QDate(2026, 3, 7)}, {"TO_ACC", "BANK1"}, {"GRAND_TOTAL", "5000.00"}};
    transfer.pairColumns = {{"TO_ACC", "BANK2"}};
    r.save(transfer);

    Document invoice;
    invoice.code = QStringLiteral("INV001");
    invoice.booking = b1;
    invoice.columns = {{"DOC_DATE", QDate(2026, 3, 8)}, {"PARTY_CODE", 7}};
    invoice.lines = {{{"INV_AMT", "100.00"}}, {{"INV_AMT", "250.00"}}};
    r.save(invoice);
}

const QStringList kSeeded{"MST_DOCUMENTCODES",   "M_TBL_CODES",      "M_TBL_MENUDETAILS", "MST_LOCATIONDETAILS",
                          "MST_TBL_DEPARTMENT", "MST_LOGINDETAILS", "MST_COUNTER",       "M_TBL_DOCUMENTACCOUNT_COMB"};

using Statement = std::pair<QString, QVariantList>;

struct Corruption {
    const char* name;
    std::vector<Statement> statements;
    QString problem;  // the one line the check must report
};

}  // namespace

class TstAdmin : public QObject {
    Q_OBJECT
private slots:
    void initTwiceChangesNothing();
    void checkPassesOnSoundBooks();
    void checkNamesEachFault();
    void createLoginStoresHashAndTakesNextId();
    void connectionFailuresExitTwo();
};

void TstAdmin::initTwiceChangesNothing() {
    TestDb t(false);
    // The books of a database without a schema cannot be checked: said plainly, not as a
    // failing statement.
    Run r = runAdmin(t, {QStringLiteral("check")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("run tarvic-admin init first")), qPrintable(r.err));

    r = runAdmin(t, {QStringLiteral("init"), QStringLiteral("--no-demo")});
    QVERIFY2(r.code == 0, qPrintable(r.describe()));
    Migrations m(t.db());
    QCOMPARE(m.currentVersion(), Migrations::latestVersion());
    const Footprint seeded = footprint(t.db(), kSeeded);
    QVERIFY(seeded.rows.value(QStringLiteral("MST_DOCUMENTCODES")) > 0);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT USER_NAME FROM MST_LOGINDETAILS")).toString(),
             QString::fromLatin1(Migrations::kAdminName));

    r = runAdmin(t, {QStringLiteral("init"), QStringLiteral("--no-demo")});
    QVERIFY2(r.code == 0, qPrintable(r.describe()));
    QVERIFY2(r.out.contains(QStringLiteral("0 migration(s) applied")), qPrintable(r.out));
    QCOMPARE(footprint(t.db(), kSeeded), seeded);
    QCOMPARE(m.currentVersion(), Migrations::latestVersion());

    r = runAdmin(t, {QStringLiteral("upgrade")});
    QVERIFY2(r.code == 0, qPrintable(r.describe()));
    QCOMPARE(r.out.trimmed(), QStringLiteral("schema version %1 -> %1 (0 migration(s) applied)").arg(Migrations::latestVersion()));
    QCOMPARE(footprint(t.db(), kSeeded), seeded);
}

void TstAdmin::checkPassesOnSoundBooks() {
    TestDb t;
    Run r = runAdmin(t, {QStringLiteral("check")});
    QVERIFY2(r.code == 0, qPrintable(r.describe()));
    QCOMPARE(r.out.trimmed(), QStringLiteral("books are consistent"));

    postSoundBooks(t.db());
    QCOMPARE(checkBooks(t.db()).problems, QStringList());
    r = runAdmin(t, {QStringLiteral("check")});
    QVERIFY2(r.code == 0, qPrintable(r.describe()));
    QCOMPARE(r.out.trimmed(), QStringLiteral("books are consistent"));
}

void TstAdmin::checkNamesEachFault() {
    const std::vector<Corruption> cases = {
        {"missing FRCR01 side",
         {{"DELETE FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?", {"FRCR01", 2}}},
         "FRDB01 2 (IN_DOCNO 1): its FRCR01 row is missing"},
        {"bulk posting missing one booking's FRCR01 side",
         {{"DELETE FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=? AND IN_DOCNO=?", {"FRCR01", 3, 2}}},
         "FRDB01 3 (IN_DOCNO 2): its FRCR01 row is missing"},
        {"missing first side of a miscellaneous payment",
         {{"DELETE FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?", {"APCM01", 1}}},
         "APCM02 1: its APCM01 row is missing"},
        {"mismatched amounts",
         {{"UPDATE M_TBL_TRANSACTION SET CR_AMT=? WHERE DOC_CODE=? AND DOC_NO=?", {"1500.00", "FRCR01", 1}}},
         "FRDB01/FRCR01 1 (IN_DOCNO 1): amounts do not mirror (FRDB01 DB 1500.50 CR 0.00, FRCR01 DB 0.00 CR 1500.00)"},
        {"one paisa apart, NULL read as 0",
         {{"UPDATE M_TBL_TRANSACTION SET DB_AMT=? WHERE DOC_CODE=? AND DOC_NO=?", {"750.01", "APCM02", 1}}},
         "APCM01/APCM02 1: amounts do not mirror (APCM01 DB 0.00 CR 750.00, APCM02 DB 750.01 CR 0.00)"},
        {"amount lost on one side",
         {{"UPDATE M_TBL_TRANSACTION SET DB_AMT=NULL WHERE DOC_CODE=? AND DOC_NO=? AND IN_DOCNO=?", {"FRDB01", 3, 2}}},
         "FRDB01/FRCR01 3 (IN_DOCNO 2): amounts do not mirror (FRDB01 DB 0.00 CR 0.00, FRCR01 DB 0.00 CR 999.75)"},
        {"party differs",
         {{"UPDATE M_TBL_TRANSACTION SET PARTY_CODE=? WHERE DOC_CODE=? AND DOC_NO=?", {9, "FRCR01", 2}}},
         "FRDB01/FRCR01 2 (IN_DOCNO 1): party differs (FRDB01 PARTY_CODE 7, FRCR01 PARTY_CODE 9)"},
        {"half-cancelled pair",
         {{"UPDATE M_TBL_TRANSACTION SET DOC_STATUS=? WHERE DOC_CODE=? AND DOC_NO=?", {"CNCL", "FRDB01", 1}}},
         "FRDB01/FRCR01 1 (IN_DOCNO 1): cancelled on one side only (FRDB01 CNCL, FRCR01 APPRV)"},
        {"cancellation undone on one side",
         {{"UPDATE M_TBL_TRANSACTION SET DOC_STATUS=? WHERE DOC_CODE=? AND DOC_NO=?", {"APPRV", "FRCR01", 4}}},
         "FRDB01/FRCR01 4 (IN_DOCNO 2): cancelled on one side only (FRDB01 CNCL, FRCR01 APPRV)"},
        {"duplicate header row",
         {{"DROP INDEX UX_TRN_KEY", {}},
          {"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, IN_DOCCODE, IN_DOCNO, PARTY_CODE, DB_AMT, CR_AMT, DOC_STATUS) "
           "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
           {"CBPT01", 2, "CBPT01", 2, 8, "32000.00", "0.00", "APPRV"}}},
         "CBPT01 2 (IN_DOCNO 2): 2 rows under one key"},
        {"duplicate invoice line",
         {{"DROP INDEX UX_TRN_KEY", {}},
          {"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, IN_DOCCODE, IN_DOCNO, INV_DETSLNO, INV_AMT, DOC_STATUS) "
           "VALUES (?, ?, ?, ?, ?, ?, ?)",
           {"INV002", 1, "INV001", 1, 2, "250.00", "APPRV"}}},
         "INV002 1 (IN_DOCNO 1) line 2: 2 rows under one key"},
        {"counter below its highest number",
         {{"UPDATE MST_COUNTER SET COUNTER=? WHERE CODE=?", {2, "FRDB01"}}},
         "counter FRDB01 is 2, below the highest FRDB01 number 4"},
        {"counter missing",
         {{"DELETE FROM MST_COUNTER WHERE CODE=?", {"INV001"}}},
         "counter INV001 is missing, but INV001 numbers reach 1"},
    };
    for (const Corruption& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        TestDb t;
        postSoundBooks(t.db());
        QVERIFY2(checkBooks(t.db()).ok(), qPrintable(name));
        for (const auto& [sql, values] : c.statements)
            t.db().exec(sql, values);

        QCOMPARE(checkBooks(t.db()).problems, QStringList{c.problem});
        const Run r = runAdmin(t, {QStringLiteral("check")});
        QVERIFY2(r.code == 1 && r.out.contains(c.problem),
                 qPrintable(QStringLiteral("%1: %2").arg(name, r.describe())));
        QVERIFY2(!r.out.contains(QStringLiteral("books are consistent")), qPrintable(name));
    }
}

void TstAdmin::createLoginStoresHashAndTakesNextId() {
    TestDb t;
    Database& db = t.db();
    const qint64 before = counter(db, QStringLiteral("LoginId"));
    for (const QStringList& args : {QStringList{"clerk", "s3cret pw", "Ravi Kumar"}, QStringList{"Boss", "pw2", "--admin"}}) {
        const Run r = runAdmin(t, QStringList{QStringLiteral("create-login")} + args);
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
    }
    QCOMPARE(lines(db, QStringLiteral("SELECT LOGIN_ID, USER_NAME, FULL_NAME, USER_DESIGNATION FROM MST_LOGINDETAILS "
                                      "WHERE LOGIN_ID > ? ORDER BY LOGIN_ID"), {before}),
             (QStringList{QStringLiteral("%1|CLERK|Ravi Kumar|OPERATOR").arg(before + 1),
                          QStringLiteral("%1|BOSS|BOSS|ADMIN").arg(before + 2)}));
    const QString stored =
        db.scalar(QStringLiteral("SELECT USER_PASSWORD FROM MST_LOGINDETAILS WHERE USER_NAME='CLERK'")).toString();
    QVERIFY(Passwords::isHash(stored));
    QVERIFY(Passwords::verify(QStringLiteral("s3cret pw"), stored) == Passwords::Match::Yes);
    QVERIFY(Passwords::verify(QStringLiteral("s3cret"), stored) == Passwords::Match::No);

    // A second login under a taken name is refused and takes no number.
    const Run r = runAdmin(t, {QStringLiteral("create-login"), QStringLiteral("Clerk"), QStringLiteral("other")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("login CLERK already exists")), qPrintable(r.err));
    QCOMPARE(count(db, QStringLiteral("MST_LOGINDETAILS")), before + 2);
    QCOMPARE(counter(db, QStringLiteral("LoginId")), before + 2);
}

void TstAdmin::connectionFailuresExitTwo() {
    TestDb::defineDataSource();
    Run r = runAdmin({QStringLiteral("check"), QStringLiteral("--dsn"), QStringLiteral("NO_SUCH_SOURCE")});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(QStringLiteral("data source \"NO_SUCH_SOURCE\" does not exist")), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());

    // A database the server does not have (PostgreSQL), or a file in a folder that does not
    // exist (SQLite): the data source is there, the connection is refused.
    const QString where = TestDb::usePostgres() ? QStringLiteral("Database=tarvic_no_such_database")
                                                : QStringLiteral("Database=/nonexistent/folder/tarvic.db");
    r = runAdmin({QStringLiteral("check"), QStringLiteral("--set"), where});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(QStringLiteral("cannot connect to data source \"TARVIC\"")), qPrintable(r.err));

    // Bad usage is told apart from both.
    QCOMPARE(runAdmin({QStringLiteral("frobnicate")}).code, 64);
    QCOMPARE(runAdmin({QStringLiteral("check"), QStringLiteral("--set"), QStringLiteral("Database")}).code, 64);
}

QTEST_GUILESS_MAIN(TstAdmin)
#include "tst_admin.moc"
