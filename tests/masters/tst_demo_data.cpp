// The demo data set through tarvic-admin init: added once, left out with --no-demo, codes
// and counters in step, logins that log on as consultants without the administration
// entries, and books that pass the check.
#include "support/AdminRunner.h"
#include "support/Drive.h"
#include "support/TestDb.h"

#include "data/BooksCheck.h"
#include "data/DemoData.h"
#include "data/Migrations.h"
#include "data/Money.h"
#include "data/Numbering.h"
#include "data/Passwords.h"
#include "shell/MainWindow.h"

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList kTables = {"M_TBL_CSP_COUNTRY",    "M_TBL_CSP_STATE",  "M_TBL_CSP_PLACE",  "M_TBL_PARTYTYPE",
                             "M_TBL_LEADTYPE",       "M_TBL_LEADNATURE", "M_TBL_MEALPLAN",   "M_TBL_HOTELROOMTYPE",
                             "MST_VEHICLEBRANDTYPE", "M_TBL_TAX",        "MST_BANK",         "MST_PAYMODE",
                             "M_TBL_PARTYGROUP",     "M_TBL_PARTY",      "M_TBL_CONSULTANT", "MST_LOGINDETAILS",
                             "M_TBL_LEADSTATUS",     "M_TBL_MENUSHOW"};

QMap<QString, qint64> counts(Database& db) {
    QMap<QString, qint64> out;
    for (const QString& table : kTables + QStringList{"MST_COUNTER", "DEMO_DATA"})
        out[table] = count(db, table);
    return out;
}

}  // namespace

class tst_demo_data : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void initAddsTheSetOnce() {
        TestDb t(false);
        Database& db = t.db();
        AdminRun r = runAdmin(t, {u"init"_s});
        QVERIFY2(r.code == 0 && r.out.contains(u"demo data added"_s), qPrintable(r.describe()));
        const auto first = counts(db);
        QCOMPARE(first.value("M_TBL_CONSULTANT"), qint64(2));
        QCOMPARE(first.value("MST_LOGINDETAILS"), qint64(3));  // the administrator and two demo logins

        // Every demo row is listed (all but the placeholder bank 0 and the seeded cash mode).
        qint64 listed = 0;
        for (const QString& table : kTables)
            listed += count(db, u"DEMO_DATA"_s, u"TABLE_NAME=?"_s, {table});
        QCOMPARE(listed, first.value("DEMO_DATA"));
        QCOMPARE(count(db, u"DEMO_DATA"_s, u"TABLE_NAME='MST_BANK'"_s), first.value("MST_BANK") - 1);
        QCOMPARE(count(db, u"MST_PAYMODE"_s, u"PAY_MODE='CASH'"_s), 1);

        // What the other windows rely on: one default state with a tax code, one booked status,
        // meal plans, a tax rate, hotels and transporters among the parties, each party resolving
        // through the party master's join of type and location.
        QCOMPARE(lines(db, "SELECT STATE_CODE2 FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'"), QStringList{"32"});
        QCOMPARE(lines(db, "SELECT RGB_COLOR FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'"), QStringList{"198,239,206"});
        QCOMPARE(count(db, "M_TBL_MEALPLAN", "MEAL_PLAN IN ('CP', 'MAP', 'AP', 'EP')"), 4);
        QCOMPARE(Money::fromVariant(db.scalar("SELECT TAX_PER FROM M_TBL_TAX WHERE TAX_NAME='GST 18%'")).toString(),
                 "18.00");
        QCOMPARE(lines(db,
                       "SELECT b.PARTY_TYPE, COUNT(*) FROM M_TBL_PARTY a, M_TBL_PARTYTYPE b, M_TBL_CSP_STATE d, "
                       "M_TBL_CSP_PLACE e WHERE a.PARTYTYPE_CODE=b.PARTYTYPE_CODE AND a.COUNTRY_CODE=d.COUNTRY_CODE "
                       "AND a.STATE_CODE=d.STATE_CODE AND a.COUNTRY_CODE=e.COUNTRY_CODE AND a.STATE_CODE=e.STATE_CODE "
                       "AND a.PLACE_CODE=e.PLACE_CODE GROUP BY b.PARTY_TYPE ORDER BY b.PARTY_TYPE"),
                 (QStringList{"CUSTOMER|2", "HOTEL|2", "TRANSPORTER|2", "TRAVEL AGENT|1"}));
        QCOMPARE(first.value("M_TBL_PARTY"), 7);

        // Logins: printed, passwords that verify, tied both ways to their consultants, and a
        // consultant's menu: every entry but the administration ones.
        const QStringList denied =
            u"mnu_CompanyProfile mnu_Login mnu_GMR mnu_SmtpServer mnu_DocCode_Maintenance "
            "mnu_DocCode_Acc_Comb mnu_CounterReset mnu_ExpImpMenudetails"_s.split(' ');
        for (const DemoLogin& l : demoLogins()) {
            QVERIFY(r.out.contains(u"demo login %1 password %2"_s.arg(l.userName, l.password)));
            const auto login = db.firstRow(
                "SELECT a.LOGIN_ID, a.USER_PASSWORD, b.CONSULTANT_NAME, b.TC_ROLE FROM "
                "MST_LOGINDETAILS a, M_TBL_CONSULTANT b WHERE a.USER_NAME=? AND "
                "a.CONSULTANT_CODE=CAST(b.CONSULTANT_CODE AS VARCHAR(20)) AND "
                "b.LOGIN_CODE=CAST(a.LOGIN_ID AS VARCHAR(20))",
                {l.userName});
            QVERIFY2(login, qPrintable(l.userName));
            QCOMPARE(Passwords::verify(l.password, login->value(1).toString()), Passwords::Match::Yes);
            QCOMPARE((QStringList{login->value(2).toString(), login->value(3).toString()}),
                     (QStringList{l.fullName, l.role}));
            ScriptedPrompter prompter;
            Session session{.db = &db, .prompter = &prompter, .loginId = login->value(0).toLongLong()};
            WindowRegistry registry;
            MainWindow main(session, registry);
            QStringList hidden;
            for (const QString& entry : lines(db, "SELECT MENU_NAME FROM M_TBL_MENUDETAILS ORDER BY MENU_ID"))
                if (!main.menuShown(entry))
                    hidden << entry;
            QCOMPARE(hidden, denied);
        }

        // Counters stand at the highest code of their tables: the next number is free.
        for (const QString& n :
             u"COUNTRY:M_TBL_CSP_COUNTRY:COUNTRY_CODE STATE:M_TBL_CSP_STATE:STATE_CODE "
             "PLACE:M_TBL_CSP_PLACE:PLACE_CODE PARTY:M_TBL_PARTY:PARTY_CODE "
             "CONSULTANT:M_TBL_CONSULTANT:CONSULTANT_CODE LoginId:MST_LOGINDETAILS:LOGIN_ID "
             "LEADSTAT:M_TBL_LEADSTATUS:LEADSTATUS_CODE"_s.split(' ')) {
            const QStringList c = n.split(':');
            QCOMPARE(counter(db, c[0]), db.scalar(u"SELECT MAX(%1) FROM %2"_s.arg(c[2], c[1])).toLongLong());
        }

        // Twice: nothing more, and the books pass the check.
        r = runAdmin(t, {u"init"_s});
        QVERIFY2(r.code == 0 && r.out.contains(u"demo data already present"_s), qPrintable(r.describe()));
        QCOMPARE(addDemoData(db).added, false);
        QCOMPARE(counts(db), first);
        r = runAdmin(t, {u"check"_s});
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        QCOMPARE(checkBooks(db).problems, QStringList());
    }

    void noDemoLeavesItOut() {
        TestDb t(false);
        Database& db = t.db();
        AdminRun r = runAdmin(t, {u"init"_s, u"--no-demo"_s});
        QVERIFY2(r.code == 0 && !r.out.contains(u"demo"_s), qPrintable(r.describe()));
        const auto c = counts(db);
        QCOMPARE((QList<qint64>{c.value("DEMO_DATA"), c.value("M_TBL_PARTY"), c.value("M_TBL_MENUSHOW"),
                                c.value("MST_LOGINDETAILS"), c.value("MST_PAYMODE")}),
                 (QList<qint64>{0, 0, 0, 1, 1}));
        QCOMPARE(Migrations(db).currentVersion(), Migrations::latestVersion());
    }

    // Values an installation already has are used, not doubled; a default state and a
    // booked status already chosen stay the only ones.
    void existingValuesAreKept() {
        TestDb t;
        Database& db = t.db();
        db.exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')");
        db.exec(
            "INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_DEF) VALUES (1, 1, 'DELHI', "
            "'Y')");
        db.exec("INSERT INTO M_TBL_LEADSTATUS (LEADSTATUS_CODE, LEAD_STATUS, LEAD_LOCK) VALUES (1, 'CONFIRMED', 'Y')");
        db.exec("INSERT INTO MST_PAYMODE (MODE_ID, PAY_MODE) VALUES (2, 'CHEQUE')");
        for (const char* c : {"COUNTRY", "STATE", "LEADSTAT"})
            Numbering(db).Upd_Counter(QLatin1String(c), 1);
        const DemoDataResult result = addDemoData(db);
        QVERIFY(result.added);
        QCOMPARE(result.rows, count(db, u"DEMO_DATA"_s));
        QCOMPARE(count(db, u"M_TBL_CSP_COUNTRY"_s), 1);
        QCOMPARE(lines(db, "SELECT STATE_NAME FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'"), QStringList{"DELHI"});
        QCOMPARE(lines(db, "SELECT LEAD_STATUS FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'"), QStringList{"CONFIRMED"});
        QCOMPARE(count(db, u"MST_PAYMODE"_s, u"PAY_MODE='CHEQUE'"_s), 1);
        QCOMPARE(db.scalar("SELECT MIN(STATE_CODE) FROM M_TBL_CSP_STATE WHERE STATE_NAME<>'DELHI'").toInt(), 2);
    }
};

QTEST_MAIN(tst_demo_data)
#include "tst_demo_data.moc"
