// The administration tool run as a process (init and upgrade, the books check on sound and
// corrupted books, logins, bad usage) and compaction of the single-file transfer database.
#include "data/BooksCheck.h"
#include "data/Compaction.h"
#include "data/Migrations.h"
#include "data/Passwords.h"
#include "data/TransactionRecords.h"
#include "support/AdminRunner.h"
#include "support/Documents.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestDb.h"

#include <QProcess>
#include <QtTest>

#include <sqlite3.h>

#include <sys/resource.h>
#include <csignal>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

// Sound books of every shape the check must accept: bookings, receipts, a bulk posting that
// shares one receipt number across two bookings with different amounts, a pair cancelled
// whole, a miscellaneous payment and a bank transfer whose empty sides are NULL, an invoice
// with lines under one number. Bookings 1 and 2, receipts 1 to 4 (4 cancelled), APCM01 1.
void postSoundBooks(Database& db) {
    TransactionRecords r(db, u"TESTER"_s);
    const qint64 b1 = r.save(booking(7, u"50000"_s));
    const qint64 b2 = r.save(booking(8, u"32000"_s));
    r.save(receipt(b1, 7, u"1500.50"_s));
    r.save(receipt(b1, 7, u"2000"_s));
    r.save(std::vector<Document>{receipt(b1, 7, u"100.25"_s), receipt(b2, 8, u"999.75"_s)});
    const qint64 cancelled = r.save(receipt(b2, 8, u"10"_s));
    r.cancel(u"FRDB01"_s, cancelled, u"WRONG AMOUNT"_s);

    Document expense;
    expense.code = u"APCM01"_s;
    expense.nullOther = true;
    expense.amount = Money::fromRupees(750);
    expense.columns = {{"DOC_DATE", QDate(2026, 3, 6)}, {"TO_ACC", "STATIONERY"}, {"GRAND_TOTAL", "750.00"}};
    r.save(expense);

    Document transfer;
    transfer.code = u"BTCR01"_s;
    transfer.nullOther = true;
    transfer.amount = Money::fromRupees(5000);
    transfer.columns = {{"DOC_DATE", QDate(2026, 3, 7)}, {"TO_ACC", "BANK1"}, {"GRAND_TOTAL", "5000.00"}};
    transfer.pairColumns = {{"TO_ACC", "BANK2"}};
    r.save(transfer);

    Document invoice;
    invoice.code = u"INV001"_s;
    invoice.booking = b1;
    invoice.columns = {{"DOC_DATE", QDate(2026, 3, 8)}, {"PARTY_CODE", 7},        {"TOTAL_AMOUNT", "350.00"},
                       {"TAXIBLE_AMT", "350.00"},       {"IGST_PER", "5.00"},      {"IGST_AMT", "17.50"},
                       {"TAX_AMT", "17.50"},            {"GRAND_TOTAL", "367.50"}};
    invoice.lines = {{{"INV_AMT", "100.00"}}, {{"INV_AMT", "250.00"}}};
    r.save(invoice);
}

const QStringList kSeeded{"MST_DOCUMENTCODES",  "M_TBL_CODES",      "M_TBL_MENUDETAILS", "MST_LOCATIONDETAILS",
                          "MST_TBL_DEPARTMENT", "MST_LOGINDETAILS", "MST_COUNTER",       "M_TBL_DOCUMENTACCOUNT_COMB"};

using Statement = std::pair<QString, QVariantList>;

struct Corruption {
    const char* name;
    std::vector<Statement> statements;
    QString problem;  // the one line the check must report
};

void exec(sqlite3* db, const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        const QByteArray msg(err ? err : "?");
        sqlite3_free(err);
        QFAIL(msg.constData());
    }
}

// What the sqlite3 shell answers on the file, a line a row.
QStringList shell(const QString& path, const QString& sql) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, sql});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A transfer file with the menu table, filled and then mostly emptied again.
void makeFile(const QString& path, int rows, int keep, bool wal = false) {
    shell(path, QStringLiteral("%1 CREATE TABLE M_Tbl_MenuDetails (Menu_Id INTEGER, Group_Id INTEGER, Group_Name TEXT, "
                               "Menu_Name TEXT, Menu_Caption TEXT); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                               "i + 1 FROM n WHERE i < %2) INSERT INTO M_Tbl_MenuDetails SELECT i, i % 7, 'GROUP', "
                               "'mnu_Entry' || i, 'Caption of entry ' || printf('%.200c', 'x') FROM n; "
                               "DELETE FROM M_Tbl_MenuDetails WHERE Menu_Id > %3;")
                    .arg(wal ? QStringLiteral("PRAGMA journal_mode=WAL;") : QString())
                    .arg(rows)
                    .arg(keep));
}

// Rows as text, in key order, to compare before and after.
QStringList contents(const QString& path) {
    return shell(path, QStringLiteral("SELECT Menu_Id, Group_Id, Menu_Name, Menu_Caption FROM M_Tbl_MenuDetails "
                                      "ORDER BY Menu_Id"));
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

class TstAdmin : public QObject {
    Q_OBJECT
private slots:
    void initTwiceChangesNothing() {
        TestDb t(false);
        // The books of a database without a schema cannot be checked: said plainly, not as a
        // failing statement.
        AdminRun r = runAdmin(t, {u"check"_s});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"run tarvic-admin init first"_s), qPrintable(r.err));
        // Bad usage is told apart from a failing connection (2) and failing books (1).
        QCOMPARE(runAdmin({u"frobnicate"_s}).code, 64);
        QCOMPARE(runAdmin({u"check"_s, u"--set"_s, u"Database"_s}).code, 64);

        // --no-demo leaves the demo data set out.
        r = runAdmin(t, {u"init"_s, u"--no-demo"_s});
        QVERIFY2(r.code == 0 && !r.out.contains(u"demo"_s), qPrintable(r.describe()));
        QCOMPARE(
            (QList<qint64>{count(t.db(), "DEMO_DATA"), count(t.db(), "M_TBL_PARTY"), count(t.db(), "M_TBL_MENUSHOW"),
                           count(t.db(), "MST_LOGINDETAILS"), count(t.db(), "MST_PAYMODE")}),
            (QList<qint64>{0, 0, 0, 1, 1}));
        Migrations m(t.db());
        QCOMPARE(m.currentVersion(), Migrations::latestVersion());
        const Footprint seeded = footprint(t.db(), kSeeded);
        QVERIFY(seeded.rows.value(u"MST_DOCUMENTCODES"_s) > 0);
        QCOMPARE(t.db().scalar(u"SELECT USER_NAME FROM MST_LOGINDETAILS"_s).toString(),
                 QString::fromLatin1(Migrations::kAdminName));

        r = runAdmin(t, {u"init"_s, u"--no-demo"_s});
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        QVERIFY2(r.out.contains(u"0 migration(s) applied"_s), qPrintable(r.out));
        QCOMPARE(footprint(t.db(), kSeeded), seeded);
        QCOMPARE(m.currentVersion(), Migrations::latestVersion());

        r = runAdmin(t, {u"upgrade"_s});
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        QCOMPARE(r.out.trimmed(),
                 u"schema version %1 -> %1 (0 migration(s) applied)"_s.arg(Migrations::latestVersion()));
        QCOMPARE(footprint(t.db(), kSeeded), seeded);
        r = runAdmin(t, {u"check"_s});  // nothing posted yet
        QVERIFY2(r.code == 0 && r.out.trimmed() == u"books are consistent"_s, qPrintable(r.describe()));
    }

    // Sound books pass (in the program and through the tool); each corruption is named alone.
    void checkNamesEachFault() {
        const std::vector<Corruption> cases = {
            {"sound books", {}, {}},
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
             "FRDB01/FRCR01 1 (IN_DOCNO 1): amounts do not mirror (FRDB01 DB 1500.50 CR 0.00, FRCR01 DB 0.00 CR "
             "1500.00)"},
            {"one paisa apart, NULL read as 0",
             {{"UPDATE M_TBL_TRANSACTION SET DB_AMT=? WHERE DOC_CODE=? AND DOC_NO=?", {"750.01", "APCM02", 1}}},
             "APCM01/APCM02 1: amounts do not mirror (APCM01 DB 0.00 CR 750.00, APCM02 DB 750.01 CR 0.00)"},
            {"party differs",
             {{"UPDATE M_TBL_TRANSACTION SET PARTY_CODE=? WHERE DOC_CODE=? AND DOC_NO=?", {9, "FRCR01", 2}}},
             "FRDB01/FRCR01 2 (IN_DOCNO 1): party differs (FRDB01 PARTY_CODE 7, FRCR01 PARTY_CODE 9)"},
            {"half-cancelled pair",
             {{"UPDATE M_TBL_TRANSACTION SET DOC_STATUS=?, CNCL_BY=?, CNCL_ON=DOC_DATE, REASON_CNCL=? WHERE DOC_CODE=? "
               "AND DOC_NO=?",
               {"CNCL", "U", "WHY", "FRDB01", 1}}},
             "FRDB01/FRCR01 1 (IN_DOCNO 1): cancelled on one side only (FRDB01 CNCL, FRCR01 APPRV)"},
            {"duplicate header row",
             {{"DROP INDEX UX_TRN_KEY", {}},
              {"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, IN_DOCCODE, IN_DOCNO, PARTY_CODE, DB_AMT, CR_AMT, "
               "DOC_STATUS) "
               "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
               {"CBPT01", 2, "CBPT01", 2, 8, "32000.00", "0.00", "APPRV"}}},
             "CBPT01 2 (IN_DOCNO 2): 2 rows under one key"},
            {"duplicate invoice line",
             {{"DROP INDEX UX_TRN_KEY", {}},
              {"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, IN_DOCCODE, IN_DOCNO, INV_DETSLNO, INV_AMT, "
               "DOC_STATUS) "
               "VALUES (?, ?, ?, ?, ?, ?, ?)",
               {"INV002", 1, "INV001", 1, 2, "250.00", "APPRV"}}},
             "INV002 1 (IN_DOCNO 1) line 2: 2 rows under one key"},
            {"invoice total apart from its lines",
             {{"UPDATE M_TBL_TRANSACTION SET INV_AMT=? WHERE DOC_CODE=? AND INV_DETSLNO=?", {"200.00", "INV002", 2}}},
             "INV001 1: total 350.00 but its lines sum to 300.00"},
            {"invoice grand total off its formula",
             {{"UPDATE M_TBL_TRANSACTION SET GRAND_TOTAL=? WHERE DOC_CODE=?", {"367.00", "INV001"}}},
             "INV001 1: grand total 367.00 does not follow from total 350.00, discount 0.00 and its rates (367.50 "
             "expected)"},
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
            const QStringList problems = c.problem.isEmpty() ? QStringList() : QStringList{c.problem};
            QCOMPARE(checkBooks(t.db()).problems, problems);
            const AdminRun r = runAdmin(t, {u"check"_s});
            QVERIFY2(problems.isEmpty()
                         ? r.code == 0 && r.out.trimmed() == u"books are consistent"_s
                         : r.code == 1 && r.out.contains(c.problem) && !r.out.contains(u"books are consistent"_s),
                     qPrintable(u"%1: %2"_s.arg(name, r.describe())));
        }
    }

    void createLoginStoresHashAndTakesNextId() {
        TestDb t;
        Database& db = t.db();
        const qint64 before = counter(db, u"LoginId"_s);
        for (const auto& [args, password] :
             {std::pair{QStringList{"clerk", "--full-name", "Ravi Kumar"}, QByteArray("s3cret pw\n")},
              std::pair{QStringList{"Boss", "--admin"}, QByteArray("pw2")}}) {
            const AdminRun r = runAdmin(t, QStringList{u"create-login"_s} + args, password);
            QVERIFY2(r.code == 0, qPrintable(r.describe()));
        }
        QCOMPARE(
            lines(db,
                  u"SELECT LOGIN_ID, USER_NAME, FULL_NAME, USER_DESIGNATION FROM MST_LOGINDETAILS "
                  "WHERE LOGIN_ID > ? ORDER BY LOGIN_ID"_s,
                  {before}),
            (QStringList{u"%1|CLERK|Ravi Kumar|OPERATOR"_s.arg(before + 1), u"%1|BOSS|BOSS|ADMIN"_s.arg(before + 2)}));
        const QString stored =
            db.scalar(u"SELECT USER_PASSWORD FROM MST_LOGINDETAILS WHERE USER_NAME='CLERK'"_s).toString();
        QVERIFY(Passwords::isHash(stored) && Passwords::verify(u"s3cret pw"_s, stored) == Passwords::Match::Yes);
        QVERIFY(Passwords::verify(u"s3cret"_s, stored) == Passwords::Match::No);

        // A second login under a taken name is refused and takes no number.
        const AdminRun r = runAdmin(t, {u"create-login"_s, u"Clerk"_s}, "other\n");
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"login CLERK already exists"_s), qPrintable(r.err));
        QCOMPARE(count(db, u"MST_LOGINDETAILS"_s), before + 2);
        QCOMPARE(counter(db, u"LoginId"_s), before + 2);
    }

    void shrinksAndKeepsRows_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("wal");
        QTest::newRow("format 0") << 0 << false;
        QTest::newRow("format 1") << 1 << false;
        QTest::newRow("write-ahead log") << 0 << true;
    }
    void shrinksAndKeepsRows() {
        QFETCH(int, format);
        QFETCH(bool, wal);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("menu.dat"));
        makeFile(path, 3000, 25, wal);
        QFile::setPermissions(
            path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        const QStringList before = contents(path);
        QCOMPARE(before.size(), 25);
        const qint64 sizeBefore = QFileInfo(path).size();

        const CompactResult r = compactDatabase(path, QString(), format);
        QVERIFY2(r.ok(), qPrintable(r.description));
        QCOMPARE(r.sizeBefore, sizeBefore);
        QCOMPARE(r.sizeAfter, QFileInfo(path).size());
        QVERIFY2(r.sizeAfter < sizeBefore / 10,
                 qPrintable(QStringLiteral("%1 -> %2").arg(sizeBefore).arg(r.sizeAfter)));
        QCOMPARE(contents(path), before);
        // Only the file itself remains: no copy, no journal, no log; its permissions kept.
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("menu.dat")});
        QVERIFY(QFile::permissions(path) & QFileDevice::ReadOther);

        // The compacted file is an ordinary database again: it can be refilled and compacted.
        makeFile(dir.filePath(QStringLiteral("other.dat")), 10, 10);
        QVERIFY(compactDatabase(path, QString(), format).ok());
        QCOMPARE(contents(path), before);
    }

    // A format not supported, a file that is no database and a mistyped path: each is refused
    // and the folder is left exactly as it was.
    void refusedFilesAreLeftAsTheyWere() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("menu.dat"));
        makeFile(path, 200, 10);
        const QByteArray bytes = bytesOf(path);
        for (int format : {2, -1}) {
            const CompactResult r = compactDatabase(path, QString(), format);
            QCOMPARE(r.status, CompactResult::NotSupported);
            QCOMPARE(r.description, QStringLiteral("Invalid Database or database is not yet supported with the code!"));
        }
        QCOMPARE(bytesOf(path), bytes);

        const QByteArray text = QByteArray("This is a plain text file, not a database.\n").repeated(500);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
        f.close();
        const CompactResult r = compactDatabase(path, QString(), 0);
        QCOMPARE(r.status, CompactResult::Failed);
        QCOMPARE(r.errorId & 0xFF, SQLITE_NOTADB);
        QCOMPARE(bytesOf(path), text);
        QCOMPARE(compactDatabase(dir.filePath(QStringLiteral("nothere.dat")), QString(), 0).status,
                 CompactResult::Failed);
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("menu.dat")});
        // Another user still has a file open in write-ahead mode: replacing it would lose that
        // user's log, so it is left alone.
        const QString busy = dir.filePath(QStringLiteral("busy.dat"));
        makeFile(busy, 300, 100, true);
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(busy).constData(), &other), SQLITE_OK);
        exec(other, "PRAGMA wal_autocheckpoint=0");
        exec(other, "DELETE FROM M_Tbl_MenuDetails WHERE Menu_Id > 50");
        QCOMPARE(compactDatabase(busy, QString(), 0).status, CompactResult::Failed);
        QCOMPARE(contents(busy).size(), 50);
        sqlite3_close(other);
        QCOMPARE(entries(dir.path()), (QStringList{"busy.dat", "menu.dat"}));
    }

    // The copy cannot be written: the source stays whole and nothing is left behind.
    void copyCannotBeWrittenAndTheErrorReport() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("menu.dat"));
        makeFile(path, 3000, 2500);
        const QByteArray bytes = bytesOf(path);

        // A disk that fills up half-way through the copy.
        struct rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit small = old;
        small.rlim_cur = static_cast<rlim_t>(bytes.size() / 2);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        CompactResult r = compactDatabase(path, QString(), 0);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(r.status, CompactResult::Failed);
        QVERIFY(!r.description.isEmpty());
        QCOMPARE(bytesOf(path), bytes);
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("menu.dat")});
        QCOMPARE(contents(path).size(), 2500);

        // A folder that cannot take the copy (root writes there anyway).
        if (geteuid() != 0) {
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            r = compactDatabase(path, QString(), 0);
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QCOMPARE(r.status, CompactResult::Failed);
            QCOMPARE(bytesOf(path), bytes);
            QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("menu.dat")});
        }
        // The report of an unexpected failure.
        CompactResult report;
        report.errorId = 26;
        report.description = QStringLiteral("file is not a database");
        report.lineNumber = 120;
        QCOMPARE(compactionErrorTitle(QStringLiteral("TARVIC")), QStringLiteral("TARVIC: Unexpected Error"));
        const QStringList lines = compactionErrorReport(QStringLiteral("TARVIC"), QVersionNumber(1, 2, 3), report)
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.value(0).startsWith(QLatin1String("An Unexpected Error has Occured in TARVIC (Build 1.2.3)")));
        QCOMPARE(lines.mid(1).join(QLatin1Char('|')),
                 QStringLiteral("Please report this problem by contacting the author so it can be resolved.|"
                                "Technical Information:|Error ID: 26|Description: file is not a database|"
                                "Module: ModDatabase|Function: CompactAccess|Line Number: 120|"
                                "Press Ctrl + C to copy this information to the clipboard"));
    }
};

QTEST_GUILESS_MAIN(TstAdmin)
#include "tst_admin.moc"
