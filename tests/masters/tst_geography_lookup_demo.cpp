// Country, state and place maintenance (checks in order, the question, counters taken only
// with the row, the one default state, edits that keep code and creation, names unique under
// their parent, all-or-nothing saves), the ten lookup lists, the group/meeting search, and the
// demo data set through tarvic-admin init (added once, left out with --no-demo, codes and
// counters in step, demo logins that log on as consultants, books that pass the check).
#include "data/BooksCheck.h"
#include "data/DemoData.h"
#include "data/Migrations.h"
#include "data/Money.h"
#include "data/Numbering.h"
#include "data/Passwords.h"
#include "masters/GeographyMaster.h"
#include "masters/LookupMasters.h"
#include "masters/frm_SearchGroupMeet.h"
#include "shell/MainWindow.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/LookupGridModel.h"
#include "shell/kit/LookupGridWindow.h"
#include "support/AdminRunner.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QPushButton>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList kTables{"M_TBL_CSP_COUNTRY", "M_TBL_CSP_STATE", "M_TBL_CSP_PLACE"};

// INDIA 1 (KERALA 1: KOCHI 1; GOA 2: PANAJI 2), NEPAL 2 (BAGMATI 3), the counters past them.
void seed(Database& db) {
    db.exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA'), (2, 'NEPAL')");
    db.exec(
        "INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_CODE2, STATE_DEF, CREATED_BY, "
        "CREATED_ON) VALUES (1, 1, 'KERALA', '32', 'Y', 'FIRST USER', ?), (1, 2, 'GOA', '', 'N', NULL, NULL), "
        "(2, 3, 'BAGMATI', 'BG', 'Y', NULL, NULL)",
        {QDateTime(QDate(2024, 1, 5), QTime(10, 30, 0))});
    db.exec(
        "INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES "
        "(1, 1, 1, 'KOCHI'), (1, 2, 2, 'PANAJI')");
    Numbering(db).Upd_Counter("COUNTRY", 2);
    Numbering(db).Upd_Counter("STATE", 3);
    Numbering(db).Upd_Counter("PLACE", 2);
}

void chooseIn(QComboBox* list, const QString& text) {
    list->setFocus();
    list->lineEdit()->selectAll();
    QTest::keyClicks(list, text);
}

void save(TestSession& ts, QWidget& w, bool answer = true) {
    ts.prompter.clear();
    ts.prompter.answers = {answer};
    QTest::keyClick(&w, Qt::Key_F3);
}

const QStringList kDemoTables = {"M_TBL_CSP_COUNTRY",    "M_TBL_CSP_STATE",  "M_TBL_CSP_PLACE",  "M_TBL_PARTYTYPE",
                                 "M_TBL_LEADTYPE",       "M_TBL_LEADNATURE", "M_TBL_MEALPLAN",   "M_TBL_HOTELROOMTYPE",
                                 "MST_VEHICLEBRANDTYPE", "M_TBL_TAX",        "MST_BANK",         "MST_PAYMODE",
                                 "M_TBL_PARTYGROUP",     "M_TBL_PARTY",      "M_TBL_CONSULTANT", "MST_LOGINDETAILS",
                                 "M_TBL_LEADSTATUS",     "M_TBL_MENUSHOW",   "M_TBL_TRANSACTION", "M_TBL_QUOTATION",
                                 "M_TBL_ITINERARY_HEADER", "M_TBL_ITINERARY_DETAILS", "M_TBL_ITINERARY_NOTES",
                                 "M_TBL_ITINERARY_DETAILS_QUOTE", "M_TBL_ITINERARY_NOTES_QUOTE",
                                 "M_TBL_DOCUMENTACCOUNT_COMB"};

QMap<QString, qint64> counts(Database& db) {
    QMap<QString, qint64> out;
    for (const QString& table : kDemoTables + QStringList{"MST_COUNTER", "DEMO_DATA"})
        out[table] = count(db, table);
    return out;
}

}  // namespace

class tst_geography_lookup_demo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void countryAddedEditedAndAllOrNothing() {
        TestSession ts;
        Database& db = ts.db();
        frm_CSP_Country w(ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(checkInOrder(ts.prompter, db, kTables,
                              {{"COUNTRY NAME CANNOT BE BLANK ....", [&] { typeInto(w.txt_Name, "   "); }, w.txt_Name}},
                              [&] { QTest::keyClick(&w, Qt::Key_F3); }),
                 QString());
        typeInto(w.txt_Name, "  Sri Lanka ");
        save(ts, w);
        typeInto(w.txt_Name, "BHUTAN");
        save(ts, w);
        QCOMPARE(ts.prompter.texts(), QStringList{"UPDATION OF COUNTRY SUCCESSFULLY DONE ...."});
        QCOMPARE(counter(db, "COUNTRY"), 2);
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"BHUTAN", "Sri Lanka"}));
        QCOMPARE(column(w.Grid1->model(), 2), QStringList({"2", "1"}));
        // A row chosen from the grid is updated under its own code, its own name allowed.
        clickCell(w.Grid1, 1, 1);
        typeInto(w.txt_Name, "SRI LANKA");
        save(ts, w);
        QCOMPARE(lines(db, "SELECT COUNTRY_CODE, COUNTRY_NAME FROM M_TBL_CSP_COUNTRY ORDER BY COUNTRY_CODE"),
                 QStringList({"1|SRI LANKA", "2|BHUTAN"}));
        QCOMPARE(counter(db, "COUNTRY"), 2);
        // Whichever statement fails, neither the number nor the row is kept, nor the typing lost.
        QCOMPARE(checkAtomic(
                     ts.prompter, db, kTables, "UPDATION OF COUNTRY SUCCESSFULLY DONE ....",
                     [&] {
                         QTest::keyClick(&w, Qt::Key_F2);
                         typeInto(w.txt_Name, "NEPAL");
                     },
                     [&] { QTest::keyClick(&w, Qt::Key_F3); }),
                 QString());
        QCOMPARE(db.scalar("SELECT COUNTRY_CODE FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_NAME='NEPAL'").toInt(), 3);
        // A shown row deleted on another workstation is reported, never created again.
        w.Load_Grid1();  // (the try that succeeded had its reload refused)
        clickCell(w.Grid1, 0, 1);
        db.exec("DELETE FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_CODE=2");
        save(ts, w);
        QCOMPARE(ts.prompter.texts(), QStringList{kChangedByAnotherUser});
        QCOMPARE(count(db, "M_TBL_CSP_COUNTRY"), 2);
    }

    void stateQuestionOneDefaultAndKeptStamp() {
        TestSession ts;
        Database& db = ts.db();
        seed(db);
        frm_CSP_State w(ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(checkInOrder(ts.prompter, db, kTables,
                              {{"PLEASE COUNTRY PROPERLY FROM LIST ....", [&] { chooseIn(w.Cmb_Country, "ITALY"); },
                                w.Cmb_Country},
                               {"PLEASE ENTER STATE PROPERLY ....",
                                [&] {
                                    chooseIn(w.Cmb_Country, "INDIA");
                                    typeInto(w.txt_Name, " ");
                                },
                                w.txt_Name}},
                              [&] { QTest::keyClick(&w, Qt::Key_F3); }),
                 QString());
        typeInto(w.txt_Name, " Sikkim ");
        typeInto(w.txt_StateCode, "sk11");
        w.Cmb_Def->setCurrentIndex(1);
        save(ts, w, false);
        QCOMPARE(ts.prompter.texts(),
                 QStringList({" YOU ARE ABOUT TO UPDATE STATE ....\n COUNTRY :INDIA\n STATE : Sikkim\n"
                              " TAX CODE : SK11\n DEFAULT : Y\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"}));
        QCOMPARE((QList<qint64>{count(db, "M_TBL_CSP_STATE"), counter(db, "STATE")}), (QList<qint64>{3, 3}));
        // Yes with default Y: the new state is the only default, whatever the country.
        save(ts, w);
        QCOMPARE(ts.prompter.texts().last(), "UPDATION OF STATE SUCCESSFULLY DONE ....");
        QCOMPARE(count(db, "M_TBL_CSP_STATE",
                       "COUNTRY_CODE=1 AND STATE_CODE=4 AND STATE_CODE2='SK11' AND "
                       "CREATED_BY='ADMINISTRATOR'"),
                 1);
        QCOMPARE(lines(db, "SELECT STATE_NAME FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'"), QStringList{"Sikkim"});
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"GOA", "KERALA", "Sikkim"}));
        QCOMPARE(column(w.Grid1->model(), 4), QStringList({"N", "N", "Y"}));
        // KERALA from the grid: same code, creation stamp kept, now the default.
        clickCell(w.Grid1, 1, 1);
        QCOMPARE(w.txt_StateCode->text() + " " + w.lbl_CreatedByOn->text(), "32 FIRST USER - 05/01/2024 10:30:00");
        typeInto(w.txt_Name, "KERALAM");
        w.Cmb_Def->setCurrentIndex(1);
        save(ts, w);
        QCOMPARE(lines(db,
                       "SELECT STATE_CODE, STATE_NAME, CREATED_BY, UPDATE_BY FROM M_TBL_CSP_STATE "
                       "WHERE STATE_DEF='Y'"),
                 QStringList{"1|KERALAM|FIRST USER|ADMINISTRATOR"});
        QCOMPARE(gridText(w.Grid1, 1, 5), "FIRST USER - 05/01/2024 10:30:00");
        QCOMPARE(counter(db, "STATE"), 4);
        // A state loaded and then moved to another country becomes a new state, never a
        // second row under the old code.
        clickCell(w.Grid1, 0, 1);
        QCOMPARE(w.lbl_Code->text(), "2");
        chooseIn(w.Cmb_Country, "NEPAL");
        QCOMPARE(w.lbl_Code->text(), QString());
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"BAGMATI"}));
    }

    void placeChecksQuestionAndSave() {
        TestSession ts;
        Database& db = ts.db();
        seed(db);
        frm_CSP_Place w(ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(checkInOrder(ts.prompter, db, kTables,
                              {{"PLEASE SELECT COUNTRY FROM THE LIST ....", [&] { typeInto(w.txt_Name, "MUNNAR"); }},
                               {"PLEASE SELECT STATE FROM THE LIST ....", [&] { chooseIn(w.Cmb_Country, "INDIA"); }},
                               {"PLEASE ENTER PLACE NAME PROPERLY ....",
                                [&] {
                                    chooseIn(w.Cmb_State, "KERALA");
                                    w.txt_Name->clear();
                                },
                                w.txt_Name}},
                              [&] { QTest::keyClick(&w, Qt::Key_F3); }),
                 QString());
        typeInto(w.txt_Name, "Munnar ");
        save(ts, w, false);
        QCOMPARE(ts.prompter.texts(),
                 QStringList({" YOU ARE ABOUT TO UPDATE PLACE .... \n COUNTRY : INDIA\n STATE : KERALA\n"
                              " PLACE : Munnar\n ARE YOU SURE WANT TO PROCEED (Y/N ?"}));
        QCOMPARE(counter(db, "PLACE"), 2);
        save(ts, w);
        QCOMPARE(ts.prompter.texts().last(), "UPDATION OF PLACE SUCCESSFULLY DONE ....");
        QCOMPARE(lines(db, "SELECT COUNTRY_CODE, STATE_CODE, PLACE_NAME FROM M_TBL_CSP_PLACE WHERE PLACE_CODE=3"),
                 QStringList{"1|1|Munnar"});
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"KOCHI", "Munnar"}));
        QCOMPARE(w.txt_Name->text(), QString());
        clickCell(w.Grid1, 1, 1);
        typeInto(w.txt_Name, "MUNNAR");
        save(ts, w);
        QCOMPARE(count(db, "M_TBL_CSP_PLACE"), 3);
        QCOMPARE(count(db, "M_TBL_CSP_PLACE", "PLACE_CODE=3 AND PLACE_NAME='MUNNAR'"), 1);
        chooseIn(w.Cmb_State, "GOA");
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"PANAJI"}));
    }

    // A name already under the same parent is refused whatever its case and blanks; the same
    // name under another parent is a row of its own.
    void nameUniqueUnderItsParent() {
        struct Case {
            int level;
            QStringList parents;
            QString name, refusal;
        };
        for (const Case& c : {Case{0, {}, " india ", "COUNTRY NAME ALREADY EXISTS ...."},
                              Case{1, {"INDIA"}, "Goa", "STATE NAME ALREADY EXISTS IN THIS COUNTRY ...."},
                              Case{1, {"NEPAL"}, "GOA", {}},
                              Case{2, {"INDIA", "KERALA"}, "kochi", "PLACE NAME ALREADY EXISTS IN THIS STATE ...."},
                              Case{2, {"INDIA", "GOA"}, "KOCHI", {}}}) {
            TestSession ts;
            seed(ts.db());
            std::unique_ptr<GeographyMaster> w;
            if (c.level == 0)
                w = std::make_unique<frm_CSP_Country>(ts.session);
            else if (c.level == 1)
                w = std::make_unique<frm_CSP_State>(ts.session);
            else
                w = std::make_unique<frm_CSP_Place>(ts.session);
            QVERIFY(showActive(*w));
            for (int i = 0; i < c.parents.size(); ++i)
                chooseIn(i ? w->Cmb_State : w->Cmb_Country, c.parents.at(i));
            typeInto(w->txt_Name, c.name);
            const QString table = w->level().source.table;
            const qint64 before = count(ts.db(), table);
            save(ts, *w);
            QCOMPARE(ts.prompter.texts().last(), c.refusal.isEmpty() ? w->level().savedMessage : c.refusal);
            QCOMPARE(count(ts.db(), table), before + (c.refusal.isEmpty() ? 1 : 0));
            if (!c.refusal.isEmpty())
                QCOMPARE(QApplication::focusWidget(), w->txt_Name);
        }
    }

    // Every list opens by its name, lists its rows by code (the tax list in the order the
    // database returns them) and closes on Escape.
    void tenLookupListsInOrder() {
        TestSession ts;
        Database& db = ts.db();
        db.exec("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (3, 'HOTEL'), (1, 'AGENT'), (2, 'X')");
        db.exec(
            "INSERT INTO M_TBL_TAX (TAX_CODE, TAX_NAME, TAX_PER) VALUES (7, 'GST 18', 18), (2, 'GST 5', 5.5), (4, "
            "'NIL', 0)");
        db.exec("INSERT INTO MST_BANK (BANK_ID, BANK_NAME) VALUES (9, 'ZETA BANK'), (4, 'ALPHA BANK')");
        const QStringList taxes = lines(db, "SELECT TAX_CODE FROM M_TBL_TAX");
        const QHash<QString, QStringList> codes = {{"frm_PartyType", {"1", "2", "3", ""}},
                                                   {"frm_Bank", {"0", "4", "9", ""}},
                                                   {"frm_TaxMaintenance", taxes + QStringList{""}}};
        WindowRegistry registry;
        registerGeographyAndLookupWindows(registry);
        for (const LookupGridConfig& cfg : lookupWindowConfigs()) {
            QPointer<QWidget> widget = registry.create(cfg.windowName, ts.session, nullptr);
            auto* w = qobject_cast<LookupGridWindow*>(widget.data());
            QVERIFY2(w, qPrintable(cfg.windowName));
            if (codes.contains(cfg.windowName))
                QCOMPARE(column(w->model(), 0), codes.value(cfg.windowName));
            if (cfg.windowName == QLatin1String("frm_TaxMaintenance"))
                QCOMPARE(w->model()->index(taxes.indexOf("2"), 2).data().toString(), QStringLiteral("5.50"));
            QVERIFY(showActive(*w));
            keyToFocus(Qt::Key_Escape);
            QTRY_VERIFY(widget.isNull());
        }
        QVERIFY(ts.prompter.messages.isEmpty());
    }

    // A stored code stays (parties point at it); a row added without a code takes the next,
    // shows it and can be edited at once; every letter is stored upper case; Escape in an
    // open cell editor drops what was typed there, the next one closes; closing keeps it; a
    // rate keeps its paise.
    void lookupCodesStayNewRowsTakeTheNextEscapeCancels() {
        TestSession ts;
        Database& db = ts.db();
        db.exec("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (3, 'HOTEL'), (5, 'AGENT')");
        const QString names = "SELECT PARTY_TYPE FROM M_TBL_PARTYTYPE ORDER BY PARTYTYPE_CODE";
        LookupGridWindow w(ts.session, nullptr, frm_PartyType_Config());
        QVERIFY(showActive(w));
        typeIntoCell(w.grid(), 0, 0, "99");
        keyToFocus(Qt::Key_Down);
        typeIntoCell(w.grid(), 2, 1, QStringLiteral("zürich café"));  // on the new-row line
        keyToFocus(Qt::Key_Return);
        QCOMPARE(column(w.model(), 0), QStringList({"3", "5", "6", ""}));
        QCOMPARE(lines(db, names), QStringList({"HOTEL", "AGENT", QStringLiteral("ZÜRICH CAFÉ")}));
        typeIntoCell(w.grid(), 2, 1, "guide");
        keyToFocus(Qt::Key_Return);
        for (int row : {0, 3}) {
            typeIntoCell(w.grid(), row, 1, "escapetest");
            keyToFocus(Qt::Key_Escape);
            QVERIFY(w.isVisible());
        }
        keyToFocus(Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(lines(db, names), QStringList({"HOTEL", "AGENT", "GUIDE"}));
        LookupGridWindow tax(ts.session, nullptr, frm_TaxMaintenance_Config());
        QVERIFY(showActive(tax));
        typeIntoCell(tax.grid(), tax.model()->rowCount() - 1, 1, "gst 12");
        keyToFocus(Qt::Key_Return);
        typeKeys("12.5");
        tax.close();  // the rate's editor still open: what was typed there is kept
        QCOMPARE(Money::fromVariant(db.scalar("SELECT TAX_PER FROM M_TBL_TAX WHERE TAX_NAME='GST 12'")).toString(),
                 "12.50");
        QVERIFY2(ts.prompter.messages.isEmpty(), qPrintable(ts.prompter.texts().join('|')));
    }

    // Search by a pattern as typed: "%" finds every group by name, an empty pattern finds
    // none, a quote is only a character; choosing a row hands its code to the caller, and
    // from the menu (no caller) it only lists.
    void groupSearchFindsAndHandsOver() {
        TestSession ts;
        ts.db().exec(
            "INSERT INTO M_TBL_PARTYGROUP (GROUP_CODE, GROUP_NAME) VALUES (1, 'TRAVEL MART'), "
            "(2, 'ANNUAL MEET'), (3, 'AGENTS'' MEET'), (4, 'BUSINESS TRAVEL')");
        QString picked;
        QPointer<frm_SearchGroupMeet> w =
            new frm_SearchGroupMeet(ts.session, nullptr, [&](const QString& c) { picked += c; });
        w->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(showActive(*w));
        const auto search = [&](const QString& pattern) {
            w->txt_GroupMeetName->clear();
            QTest::keyClicks(w->txt_GroupMeetName, pattern);
            QTest::keyClick(w->txt_GroupMeetName, Qt::Key_Return);
            return column(w->Grid1->model(), 1);
        };
        QCOMPARE(search(""), QStringList{""});
        QCOMPARE(search("%"), QStringList({"AGENTS' MEET", "ANNUAL MEET", "BUSINESS TRAVEL", "TRAVEL MART"}));
        QCOMPARE(column(w->Grid1->model(), 2), QStringList({"3", "2", "4", "1"}));
        QCOMPARE(search("%meet"), QStringList({"AGENTS' MEET", "ANNUAL MEET"}));
        QCOMPARE(search("' OR '1'='1"), QStringList{""});
        QCOMPARE(search("%travel%"), QStringList({"BUSINESS TRAVEL", "TRAVEL MART"}));
        w->Grid1->setFocus();
        w->Grid1->setCurrentCell(1, 1);
        QTest::keyClick(w->Grid1, Qt::Key_Return);
        QCOMPARE(picked, QStringLiteral("1"));
        QTRY_VERIFY(w.isNull());
        QVERIFY(ts.prompter.messages.isEmpty());
        frm_SearchGroupMeet menu(ts.session, nullptr, {});
        QVERIFY(showActive(menu));
        menu.txt_GroupMeetName->setText("%");
        QTest::mouseClick(menu.Cmd_Show, Qt::LeftButton);
        menu.Grid1->setCurrentCell(0, 1);
        QTest::keyClick(menu.Grid1, Qt::Key_Return);
        QVERIFY(menu.isVisible());
    }

    void initAddsTheSetOnce() {
        TestDb t(false);
        Database& db = t.db();
        AdminRun r = runAdmin(t, {u"init"_s});
        QVERIFY2(r.code == 0 && r.out.contains(u"demo data added"_s), qPrintable(r.describe()));
        const auto first = counts(db);
        // The administrator and two demo logins, two consultants, seven parties.
        QCOMPARE((QList<qint64>{first.value("MST_LOGINDETAILS"), first.value("M_TBL_CONSULTANT"),
                                first.value("M_TBL_PARTY")}),
                 (QList<qint64>{3, 2, 7}));
        // Every demo row is listed (all but the placeholder bank 0 and the seeded cash mode).
        qint64 listed = 0;
        for (const QString& table : kDemoTables)
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

QTEST_MAIN(tst_geography_lookup_demo)
#include "tst_geography_lookup_demo.moc"
