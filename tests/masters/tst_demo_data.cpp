// The demo data set through tarvic-admin init: added once, left out with --no-demo, codes
// and counters in step, logins that log on, and books that pass the check.
#include "support/AdminRunner.h"
#include "support/TestDb.h"

#include "data/BooksCheck.h"
#include "data/DemoData.h"
#include "data/Money.h"
#include "data/Migrations.h"
#include "data/Numbering.h"
#include "data/Passwords.h"

#include <QProcess>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

using Run = AdminRun;
QString describe(const Run& r) { return r.describe(); }

const char* const kTables[] = {"M_TBL_CSP_COUNTRY", "M_TBL_CSP_STATE",   "M_TBL_CSP_PLACE",     "M_TBL_PARTYTYPE",
                               "M_TBL_LEADTYPE",    "M_TBL_LEADNATURE",  "M_TBL_MEALPLAN",      "M_TBL_HOTELROOMTYPE",
                               "MST_VEHICLEBRANDTYPE", "M_TBL_TAX",      "MST_BANK",            "MST_PAYMODE",
                               "M_TBL_PARTYGROUP",  "M_TBL_PARTY",       "M_TBL_CONSULTANT",    "MST_LOGINDETAILS",
                               "M_TBL_LEADSTATUS",  "MST_COUNTER",       "DEMO_DATA"};

QMap<QString, qint64> counts(Database& db) {
    QMap<QString, qint64> out;
    for (const char* table : kTables)
        out[QString::fromLatin1(table)] = db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QString::fromLatin1(table))).toLongLong();
    return out;
}

}  // namespace

class tst_demo_data : public QObject {
    Q_OBJECT
private slots:
    void initAddsTheSetOnce() {
        TestDb t(false);
        Database& db = t.db();
        Run r = runAdmin(t, {QStringLiteral("init")});
        QVERIFY2(r.code == 0, qPrintable(describe(r)));
        QVERIFY2(r.out.contains(QStringLiteral("demo data added")), qPrintable(r.out));
        for (const DemoLogin& l : demoLogins())
            QVERIFY2(r.out.contains(QStringLiteral("demo login %1 password %2").arg(l.userName, l.password)), qPrintable(r.out));
        const auto first = counts(db);
        QVERIFY(first.value("DEMO_DATA") > 0);
        QVERIFY(first.value("M_TBL_PARTY") >= 6);
        QCOMPARE(first.value("M_TBL_CONSULTANT"), qint64(2));
        QCOMPARE(first.value("MST_LOGINDETAILS"), qint64(3));  // the administrator and two demo logins

        // Every demo row is listed, and every listed row exists.
        qint64 listed = 0;
        for (const char* table : kTables) {
            const QString name = QString::fromLatin1(table);
            if (name == "MST_COUNTER" || name == "DEMO_DATA")
                continue;
            listed += db.scalar("SELECT COUNT(*) FROM DEMO_DATA WHERE TABLE_NAME=?", {name}).toLongLong();
        }
        QCOMPARE(listed, first.value("DEMO_DATA"));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM DEMO_DATA WHERE TABLE_NAME='MST_BANK'").toLongLong(),
                 first.value("MST_BANK") - 1);  // all but the placeholder bank 0
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM MST_PAYMODE WHERE PAY_MODE='CASH'").toInt(), 1);

        // What the other windows rely on: one default state with a tax code, one booked status,
        // meal plans, two tax rates, hotels and transporters among the parties.
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'").toInt(), 1);
        QCOMPARE(db.scalar("SELECT STATE_CODE2 FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'").toString(), QStringLiteral("32"));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'").toInt(), 1);
        QCOMPARE(db.scalar("SELECT RGB_COLOR FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'").toString(), QStringLiteral("198,239,206"));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_MEALPLAN WHERE MEAL_PLAN IN ('CP', 'MAP', 'AP', 'EP')").toInt(), 4);
        QCOMPARE(Money::fromVariant(db.scalar("SELECT TAX_PER FROM M_TBL_TAX WHERE TAX_NAME='GST 18%'")).toString(), QStringLiteral("18.00"));
        for (const char* type : {"HOTEL", "TRANSPORTER"})
            QVERIFY(db.scalar("SELECT COUNT(*) FROM M_TBL_PARTY a, M_TBL_PARTYTYPE b WHERE a.PARTYTYPE_CODE=b.PARTYTYPE_CODE "
                              "AND b.PARTY_TYPE=? AND a.PARTY_NAME LIKE 'DEMO %'", {QString::fromLatin1(type)}).toInt() >= 2);
        // Every party resolves through the party master's join of type and location.
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_PARTY a, M_TBL_PARTYTYPE b, M_TBL_CSP_COUNTRY c, M_TBL_CSP_STATE d, "
                           "M_TBL_CSP_PLACE e WHERE a.PARTYTYPE_CODE=b.PARTYTYPE_CODE AND a.COUNTRY_CODE=c.COUNTRY_CODE "
                           "AND a.COUNTRY_CODE=d.COUNTRY_CODE AND a.STATE_CODE=d.STATE_CODE AND a.COUNTRY_CODE=e.COUNTRY_CODE "
                           "AND a.STATE_CODE=e.STATE_CODE AND a.PLACE_CODE=e.PLACE_CODE").toLongLong(),
                 first.value("M_TBL_PARTY"));

        // Logins: hashed passwords that verify, tied both ways to their consultants.
        for (const DemoLogin& l : demoLogins()) {
            const auto login = db.firstRow("SELECT * FROM MST_LOGINDETAILS WHERE USER_NAME=?", {l.userName});
            QVERIFY2(login, qPrintable(l.userName));
            const QString stored = login->value("USER_PASSWORD").toString();
            QVERIFY(Passwords::isHash(stored));
            QCOMPARE(Passwords::verify(l.password, stored), Passwords::Match::Yes);
            QCOMPARE(Passwords::verify(l.password + "x", stored), Passwords::Match::No);
            const auto cons = db.firstRow("SELECT * FROM M_TBL_CONSULTANT WHERE CONSULTANT_CODE=?",
                                          {login->value("CONSULTANT_CODE").toString().toLongLong()});
            QVERIFY(cons);
            QCOMPARE(cons->value("LOGIN_CODE").toString().toLongLong(), login->value("LOGIN_ID").toLongLong());
            QCOMPARE(cons->value("CONSULTANT_NAME").toString(), l.fullName);
            QCOMPARE(cons->value("TC_ROLE").toString(), l.role);
        }

        // Counters stand at the highest code of their tables: the next number is free.
        const struct {
            const char* counter;
            const char* table;
            const char* column;
        } numbered[] = {{"COUNTRY", "M_TBL_CSP_COUNTRY", "COUNTRY_CODE"}, {"STATE", "M_TBL_CSP_STATE", "STATE_CODE"},
                        {"PLACE", "M_TBL_CSP_PLACE", "PLACE_CODE"},       {"PARTY", "M_TBL_PARTY", "PARTY_CODE"},
                        {"CONSULTANT", "M_TBL_CONSULTANT", "CONSULTANT_CODE"}, {"LoginId", "MST_LOGINDETAILS", "LOGIN_ID"},
                        {"LEADSTAT", "M_TBL_LEADSTATUS", "LEADSTATUS_CODE"}};
        for (const auto& n : numbered) {
            const qint64 highest = db.scalar(QStringLiteral("SELECT MAX(%1) FROM %2").arg(QString::fromLatin1(n.column),
                                                                                       QString::fromLatin1(n.table))).toLongLong();
            QVERIFY2(highest > 0, n.table);
            QCOMPARE(db.scalar("SELECT COUNTER FROM MST_COUNTER WHERE CODE=?", {QString::fromLatin1(n.counter)}).toLongLong(), highest);
        }

        // Twice: nothing more, with or without --no-demo, and the books pass the check.
        r = runAdmin(t, {QStringLiteral("init")});
        QVERIFY2(r.code == 0, qPrintable(describe(r)));
        QVERIFY2(r.out.contains(QStringLiteral("demo data already present")), qPrintable(r.out));
        QCOMPARE(counts(db), first);
        QCOMPARE(addDemoData(db).added, false);
        QCOMPARE(counts(db), first);
        r = runAdmin(t, {QStringLiteral("check")});
        QVERIFY2(r.code == 0, qPrintable(describe(r)));
        QCOMPARE(checkBooks(db).problems, QStringList());
    }

    void noDemoLeavesItOut() {
        TestDb t(false);
        Database& db = t.db();
        Run r = runAdmin(t, {QStringLiteral("init"), QStringLiteral("--no-demo")});
        QVERIFY2(r.code == 0, qPrintable(describe(r)));
        QVERIFY2(!r.out.contains(QStringLiteral("demo")), qPrintable(r.out));
        const auto c = counts(db);
        QCOMPARE(c.value("DEMO_DATA"), qint64(0));
        QCOMPARE(c.value("M_TBL_PARTY"), qint64(0));
        QCOMPARE(c.value("M_TBL_CSP_COUNTRY"), qint64(0));
        QCOMPARE(c.value("MST_LOGINDETAILS"), qint64(1));
        QCOMPARE(c.value("MST_PAYMODE"), qint64(1));
        QCOMPARE(Migrations(db).currentVersion(), Migrations::latestVersion());
    }

    // Values an installation already has are used, not doubled; a default state and a
    // booked status already chosen stay the only ones.
    void existingValuesAreKept() {
        TestDb t;
        Database& db = t.db();
        db.exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')");
        db.exec("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_DEF) VALUES (1, 1, 'DELHI', 'Y')");
        db.exec("INSERT INTO M_TBL_LEADSTATUS (LEADSTATUS_CODE, LEAD_STATUS, LEAD_LOCK) VALUES (1, 'CONFIRMED', 'Y')");
        db.exec("INSERT INTO MST_PAYMODE (MODE_ID, PAY_MODE) VALUES (2, 'CHEQUE')");
        Numbering(db).Upd_Counter("COUNTRY", 1);
        Numbering(db).Upd_Counter("STATE", 1);
        Numbering(db).Upd_Counter("LEADSTAT", 1);
        const DemoDataResult result = addDemoData(db);
        QVERIFY(result.added);
        QCOMPARE(result.rows, db.scalar("SELECT COUNT(*) FROM DEMO_DATA").toInt());
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_CSP_COUNTRY").toInt(), 1);
        QCOMPARE(db.scalar("SELECT STATE_NAME FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'").toString(), QStringLiteral("DELHI"));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'").toInt(), 1);
        QCOMPARE(db.scalar("SELECT LEAD_STATUS FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'").toString(), QStringLiteral("CONFIRMED"));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM MST_PAYMODE WHERE PAY_MODE='CHEQUE'").toInt(), 1);
        QCOMPARE(db.scalar("SELECT MIN(STATE_CODE) FROM M_TBL_CSP_STATE WHERE STATE_NAME<>'DELHI'").toInt(), 2);
    }
};

QTEST_MAIN(tst_demo_data)
#include "tst_demo_data.moc"
