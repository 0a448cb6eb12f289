// The party window (ordered checks, the counter taken only after Yes and only with the row,
// the alias default, the warning on a name already used, editing through the picker, the web
// password), the picker (each pattern used exactly as typed, the join that drops a party
// without its place, the hand-off), the registration list (the range to the end of the
// to-date, filters, counts per type, export) and the web access of logins.
#include "masters/frm_LstPartyRegd.h"
#include "masters/frm_Party.h"
#include "masters/frm_PartyWebAccess.h"
#include "masters/frm_Search_Party.h"
#include "masters/frm_WebAccess.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/ListGrid.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kSaved = QStringLiteral("UPDATION OF PARTY SUCCESSFULLY DONE ...");
const QStringList kTables{"M_TBL_PARTY"};
const QDate kDay1(2024, 3, 10);
const QDate kDay2(2024, 3, 11);

// Types, and INDIA (KERALA: MUNNAR, KOCHI, THEKKADY; GOA: PANAJI), NEPAL (BAGMATI: KATHMANDU).
struct Seeded {
    TestSession ts;
    ScriptedPrompter& p = ts.prompter;
    Seeded() {
        Database& db = ts.db();
        db.exec(
            "INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (1, 'HOTEL'), (2, 'AGENT'), (3, "
            "'CUSTOMER')");
        db.exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA'), (2, 'NEPAL')");
        db.exec(
            "INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (1, 10, 'KERALA'), "
            "(1, 11, 'GOA'), (2, 20, 'BAGMATI')");
        db.exec(
            "INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES (1, 10, 100, "
            "'MUNNAR'), (1, 10, 101, 'KOCHI'), (1, 10, 102, 'THEKKADY'), (1, 11, 110, 'PANAJI'), (2, 20, 200, "
            "'KATHMANDU')");
    }
    Database& db() { return ts.db(); }
    void party(qint64 code, const QString& name, const QString& person, const QString& mobile, const QString& email,
               int type, int country, int state, int place, const QDateTime& created) {
        db().exec(
            "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, PERSON_NAME, MOBILE_NOS, EMAIL_ADD, PARTYTYPE_CODE, "
            "COUNTRY_CODE, STATE_CODE, PLACE_CODE, PARTY_PASSWORD, CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'hidden-pw', 'ASHA', ?, 'RAJ', ?)",
            {code, name, person, mobile, email, type, country, state, place, created,
             QDateTime(QDate(2024, 2, 9), QTime(17, 5, 9))});
    }
};

struct Fixture : Seeded {
    std::unique_ptr<frm_Party> w;
    Fixture() {
        w = std::make_unique<frm_Party>(ts.session);
        QVERIFY(showActive(*w));
    }
    QSqlRecord stored(qint64 code) {
        auto row = db().firstRow("SELECT * FROM M_TBL_PARTY WHERE PARTY_CODE=?", {code});
        return row ? *row : QSqlRecord();
    }
    void save(QList<bool> answers = {true}) {
        p.clear();
        p.answers = answers;
        w->txt_MobileNOs->setFocus();
        QTest::keyClick(w->txt_MobileNOs, Qt::Key_F3);
    }
    // A complete, valid new party on screen.
    void fill(const QString& name) {
        w->Load_Init();
        typeInto(w->txt_PartyName, name);
        choose(w->Cmb_PartyType, "AGENT");
        w->txt_ContPerson->setText("RAVI");
        w->txt_MobileNOs->setText("9847012345");
        choose(w->Cmb_Country, "INDIA");
        choose(w->Cmb_State, "KERALA");
        choose(w->Cmb_Place, "KOCHI");
    }
    void insertParty(qint64 code, const QString& name, const QString& web, const QString& password) {
        db().exec(
            "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, PARTY_ALIASNAME, PERSON_NAME, MOBILE_NOS, "
            "BUSINESS_RELTYPE, PARTYTYPE_CODE, COUNTRY_CODE, STATE_CODE, PLACE_CODE, CFA, WEB_ACCESS, WEB_MODULE, "
            "PARTY_PASSWORD, CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON) "
            "VALUES (?, ?, ?, 'ANU', '99', 'B2C', 1, 2, 20, 200, 'Y', ?, 'AGENT', ?, 'OLD USER', ?, 'OLD USER', ?)",
            {code, name, name, web, password, QDateTime(QDate(2021, 3, 4), QTime(9, 15, 30)),
             QDateTime(QDate(2021, 3, 5), QTime(11, 0))});
    }
};

struct SearchFixture : Seeded {
    QStringList picked;
    std::unique_ptr<frm_Search_Party> w;
    explicit SearchFixture(bool withCaller = true) {
        const QDateTime at(QDate(2024, 2, 1), QTime(10, 30));
        party(1, "TEA VALLEY RESORT", "JOSE", "9847011111", "stay@teavalley.in", 1, 1, 10, 100, at);
        party(2, "O'BRIEN TOURS", "SEAN O'BRIEN", "9847022222", "sean@obrien.ie", 2, 1, 10, 101, at);
        party(3, "TEA COUNTY", "MARY", "04842333444", "tea@county.in", 1, 1, 10, 101, at);
        party(4, "GHOST HOTEL", "NOBODY", "9847099999", "ghost@nowhere.in", 1, 1, 10, 999, at);  // place missing
        PickCallback pick;
        if (withCaller)
            pick = [this](const QString& code) { picked << code; };
        w = std::make_unique<frm_Search_Party>(ts.session, nullptr, pick);
        QVERIFY(showActive(*w));
    }
    QStringList search(QLineEdit* field, const QString& text) {
        typeInto(field, text);
        QTest::keyClick(field, Qt::Key_Return);
        return column(w->Grid1->model(), 0);
    }
};

struct ListFixture : Seeded {
    std::unique_ptr<frm_LstPartyRegd> w;
    ListFixture() {
        // Around the range 10/03 - 11/03: just before, its first instant, late on each day,
        // and the first instant after it.
        party(1, "BEFORE", "P", "1", {}, 1, 1, 10, 100, QDateTime(kDay1.addDays(-1), QTime(23, 59, 59, 999)));
        party(2, "FIRST INSTANT", "P", "1", {}, 2, 1, 10, 101, QDateTime(kDay1, QTime(0, 0)));
        party(3, "LATE ON DAY ONE", "P", "1", {}, 1, 2, 20, 200, QDateTime(kDay1, QTime(23, 59, 59, 500)));
        party(4, "ON THE TO DATE", "P", "1", {}, 1, 1, 10, 101, QDateTime(kDay2, QTime(10, 0)));
        party(5, "LAST INSTANT", "P", "1", {}, 2, 1, 10, 100, QDateTime(kDay2, QTime(23, 59, 59, 999)));
        party(6, "AFTER", "P", "1", {}, 1, 1, 10, 102, QDateTime(kDay2.addDays(1), QTime(0, 0)));
        w = std::make_unique<frm_LstPartyRegd>(ts.session);
        // Pages of two rows, two held: every list below spans pages, as a long list does.
        w->detailModel()->setPageSize(2);
        w->detailModel()->setPagesHeld(2);
        QVERIFY(showActive(*w));
    }
    QStringList show(const QDate& from, const QDate& to) {
        w->txt_FromDate->setDate(from);
        w->txt_ToDate->setDate(to);
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        return column(w->Grid1->model(), 0);
    }
    QStringList counts() const {
        QStringList out;
        for (int r = 0; r < w->Grid2->rowCount(); ++r)
            out << QStringList{gridText(w->Grid2, r, 0), gridText(w->Grid2, r, 1), gridText(w->Grid2, r, 2)}.join(' ');
        return out;
    }
};

}  // namespace

class tst_party_master : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void checksInOrderThenCounterOnlyAfterYes() {
        Fixture f;
        auto* w = f.w.get();
        f.db().exec("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 41)");
        // New: code 0, each list on its first item, the location chain followed through.
        QCOMPARE(w->lbl_PartyCode->text(), "0");
        QCOMPARE(QStringList({w->lbl_PartyTypeCode->text(), w->lbl_CountryCode->text(), w->lbl_StateCode->text(),
                              w->lbl_PlaceCode->text()}),
                 QStringList({"2", "1", "11", "110"}));
        QVERIFY(!w->tool(5)->isEnabled());
        choose(w->Cmb_Country, "NEPAL");  // its states, none chosen until the user picks one
        QCOMPARE(w->Cmb_State->count(), 1);
        QVERIFY(w->lbl_StateCode->text().isEmpty());
        QCOMPARE(w->Cmb_Place->count(), 0);

        QCOMPARE(checkInOrder(
                     f.p, f.db(), kTables,
                     {{"PLEASE ENTER PARTY NAME PROPERLY ...", {}, w->txt_PartyName},
                      {"PLEASE SELECT PARTY PROPERLY ....",
                       [&] {
                           typeInto(w->txt_PartyName, "  sea breeze tours ");
                           keyToFocus(Qt::Key_Return);  // leaving the name fills the empty alias
                           w->Cmb_PartyType->setEditText("NO SUCH TYPE");
                       },
                       w->Cmb_PartyType},
                      {"PLEASE ENTER CONTACT PERSON NAME ...",
                       [&] { w->Cmb_PartyType->setEditText("HOTEL"); },  // typed whole: found by name
                       w->txt_ContPerson},
                      {"PLEASE ENTER MOBILE NOS ....", [&] { typeInto(w->txt_ContPerson, "meera"); }, w->txt_MobileNOs},
                      {"PLEASE SELECT COUNTRY PROPERLY FROM LIST ....",
                       [&] {
                           w->txt_MobileNOs->setText("98470 11111, 98470 22222");
                           w->Cmb_Country->setEditText("ATLANTIS");
                       },
                       w->Cmb_Country},
                      {"PLEASE SELECT STATE PROPERLY FROM LIST ....", [&] { choose(w->Cmb_Country, "INDIA"); },
                       w->Cmb_State},
                      {"PLEASE SELECT PLACE PROPERLY FROM LIST ....", [&] { choose(w->Cmb_State, "KERALA"); },
                       w->Cmb_Place}},
                     [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3); }),
                 QString());
        QCOMPARE(w->txt_PartyAliasName->text(), "SEA BREEZE TOURS");
        choose(w->Cmb_Place, "MUNNAR");
        choose(w->Cmb_RelType, "B2C");
        typeInto(w->txt_GSTIN, "32abcde1234f1z5");
        w->txt_Address->setPlainText("  MG ROAD\nMUNNAR  ");
        w->txt_EmailAdd->setText(" Sea@Breeze.in ");
        choose(w->Cmb_CFA, "Y");

        const QString question =
            " YOU ARE ABOUT TO UPDATE PARTY DETAILS .... \n PARTY NAME : SEA BREEZE TOURS\n"
            " PARTY TYPE : HOTEL\n BUSINESS RELATION : B2C\n ARE YOU SURE WANT TO PROCEED (Y/N) ?";
        f.save({false});
        QCOMPARE(f.p.texts(), QStringList{question});
        QCOMPARE(count(f.db(), "M_TBL_PARTY"), 0);
        QCOMPARE(counter(f.db(), "PARTY"), 41);

        f.save();
        QCOMPARE(f.p.texts(), (QStringList{question, kSaved}));
        QCOMPARE(counter(f.db(), "PARTY"), 42);
        QCOMPARE(w->lbl_PartyCode->text(), "42");
        const QSqlRecord r = f.stored(42);
        QStringList stored;
        for (const char* c :
             {"PARTY_NAME", "PARTY_ALIASNAME", "PERSON_NAME", "MOBILE_NOS", "EMAIL_ADD", "GSTIN_NO", "PARTY_ADDRESS",
              "BUSINESS_RELTYPE", "PARTYTYPE_CODE", "COUNTRY_CODE", "STATE_CODE", "PLACE_CODE", "CFA", "WEB_ACCESS",
              "WEB_MODULE", "CREATED_BY", "UPDATE_BY", "PARTY_PASSWORD"})
            stored << r.value(c).toString();
        QCOMPARE(stored, QStringList({"SEA BREEZE TOURS", "SEA BREEZE TOURS", "MEERA", "98470 11111, 98470 22222",
                                      "Sea@Breeze.in", "32ABCDE1234F1Z5", "MG ROAD\nMUNNAR", "B2C", "1", "1", "10",
                                      "100", "Y", "N", "CUSTOMER", "ADMINISTRATOR", "ADMINISTRATOR", ""}));
        // Shown again from the stored row.
        QCOMPARE(w->Cmb_Place->currentText(), "MUNNAR");
        QVERIFY(w->lbl_CreatedByOn->text().startsWith("ADMINISTRATOR - "));
        QCOMPARE(w->lbl_CreatedByOn->text().size(), QString("ADMINISTRATOR - dd/mm/yyyy hh:mm:ss").size());

        QTest::keyClick(w->txt_PartyName, Qt::Key_F2);
        QCOMPARE(w->lbl_PartyCode->text(), "0");
        QVERIFY(w->txt_PartyName->text().isEmpty() && w->txt_PartyAliasName->text().isEmpty());
        QVERIFY(w->lbl_CreatedByOn->text().isEmpty());
        w->txt_PartyAliasName->setText("SBT");  // a typed alias is kept
        typeInto(w->txt_PartyName, "sea breeze");
        keyToFocus(Qt::Key_Tab);
        QCOMPARE(w->txt_PartyAliasName->text(), "SBT");
    }

    // A name another party has (whatever its case) is warned of with that party's code; No
    // stores nothing, Yes goes on to the usual question. The party's own name is no warning.
    void nameUsedByAnotherPartyIsWarned() {
        Fixture f;
        f.insertParty(7, "HILL VIEW", "N", QString());
        f.db().exec("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 7)");
        f.w->Show_Record(7);  // saved under its own name: only the usual question
        f.save();
        QCOMPARE(f.p.texts().size(), 2);
        QCOMPARE(f.p.texts().last(), kSaved);

        const QString warning =
            " PARTY NAME ALREADY EXISTS ....\n PARTY NAME : HILL VIEW\n PARTY CODE : 7\n"
            " ARE YOU SURE WANT TO PROCEED (Y/N) ?";
        f.fill("hill view ");
        f.save({false});
        QCOMPARE(f.p.texts(), QStringList{warning});
        QCOMPARE(QApplication::focusWidget(), f.w->txt_PartyName);
        QCOMPARE(count(f.db(), "M_TBL_PARTY"), 1);
        QCOMPARE(counter(f.db(), "PARTY"), 7);
        f.save({true, true});
        QCOMPARE(f.p.texts().size(), 3);
        QCOMPARE(f.p.texts().first(), warning);
        QCOMPARE(f.p.texts().last(), kSaved);
        QCOMPARE(count(f.db(), "M_TBL_PARTY", "PARTY_NAME='HILL VIEW'"), 2);
    }

    void saveIsAllOrNothingAndNeverOverwrites() {
        Fixture f;
        QCOMPARE(checkAtomic(
                     f.p, f.db(), kTables, kSaved, [&] { f.fill("ATOMIC TRAVELS"); }, [&] { f.w->Save_Record(); }),
                 QString());
        QCOMPARE(f.stored(1).value("PARTY_NAME").toString(), "ATOMIC TRAVELS");

        // A counter set back below the codes in use: the key refuses the row, nothing changes.
        f.insertParty(5, "EXISTING PARTY", "N", QString());
        f.db().exec("UPDATE MST_COUNTER SET COUNTER=4 WHERE CODE='PARTY'");
        f.fill("NEWCOMER");
        f.save();
        QCOMPARE(f.p.texts().size(), 2);
        QVERIFY(f.p.texts().at(1) != kSaved);
        QCOMPARE(count(f.db(), "M_TBL_PARTY", "PARTY_CODE=5 AND PARTY_NAME='EXISTING PARTY' AND CREATED_BY='OLD USER'"),
                 1);
        QCOMPARE(counter(f.db(), "PARTY"), 4);
        QCOMPARE(f.w->lbl_PartyCode->text(), "0");
        f.db().exec("UPDATE MST_COUNTER SET COUNTER=5 WHERE CODE='PARTY'");
        f.save();
        QCOMPARE(f.p.texts().last(), kSaved);
        QCOMPARE(f.w->lbl_PartyCode->text(), "6");
    }

    void editThroughPickerKeepsCreationAndFollowsWebAccess() {
        Fixture f;
        auto* w = f.w.get();
        f.insertParty(7, "HIMALAYAN LODGE", "Y", "Kathmandu#1");
        f.insertParty(8, "HILL VIEW", "N", QString());
        f.db().exec("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 8)");

        // F4 opens the picker; Enter in its name field searches, Enter in the grid picks.
        QTest::keyClick(w->txt_PartyName, Qt::Key_F4);
        frm_Search_Party* search = nullptr;
        QTRY_VERIFY((search = w->findChild<frm_Search_Party*>()) && search->isModal() && showActive(*search));
        typeInto(search->txt_PartyName, "him%");
        keyToFocus(Qt::Key_Return);
        QCOMPARE(search->Grid1->rowCount(), 1);
        search->Grid1->setFocus();
        search->Grid1->setCurrentCell(0, 1);
        QTest::keyClick(search->Grid1, Qt::Key_Return);
        QTRY_VERIFY(w->findChild<frm_Search_Party*>() == nullptr);

        QCOMPARE(QStringList({w->lbl_PartyCode->text(), w->txt_PartyName->text(), w->Cmb_PartyType->currentText(),
                              w->Cmb_Country->currentText(), w->Cmb_State->currentText(), w->Cmb_Place->currentText(),
                              w->lbl_PlaceCode->text(), w->Cmb_RelType->currentText(), w->Cmb_WebModule->currentText(),
                              w->lbl_CreatedByOn->text(), w->lbl_UpdateByOn->text()}),
                 QStringList({"7", "HIMALAYAN LODGE", "HOTEL", "NEPAL", "BAGMATI", "KATHMANDU", "200", "B2C", "AGENT",
                              "OLD USER - 04/03/2021 09:15:30", "OLD USER - 05/03/2021 11:00:00"}));
        QVERIFY(w->tool(5)->isEnabled());

        // Web access off and saved: same row, creation and password kept, button off.
        choose(w->Cmb_WebAccess, "N");
        w->txt_ContPerson->setText("TENZING");
        f.save();
        QCOMPARE(f.p.texts().last(), kSaved);
        QCOMPARE(count(f.db(), "M_TBL_PARTY"), 2);
        QCOMPARE(counter(f.db(), "PARTY"), 8);
        QCOMPARE(count(f.db(), "M_TBL_PARTY",
                       "PARTY_CODE=7 AND WEB_ACCESS='N' AND PERSON_NAME='TENZING' AND "
                       "CREATED_BY='OLD USER' AND UPDATE_BY='ADMINISTRATOR' AND "
                       "PARTY_PASSWORD='Kathmandu#1'"),
                 1);
        QCOMPARE(w->lbl_CreatedByOn->text(), "OLD USER - 04/03/2021 09:15:30");
        QVERIFY(!w->tool(5)->isEnabled());
        QTest::keyClick(w->txt_ContPerson, Qt::Key_F5);  // nothing while the button is off
        QApplication::processEvents();
        QVERIFY(w->findChild<frm_PartyWebAccess*>() == nullptr);
        // Web access back on: the button follows once it is stored.
        choose(w->Cmb_WebAccess, "Y");
        QVERIFY(!w->tool(5)->isEnabled());
        f.save();
        QVERIFY(w->tool(5)->isEnabled());
    }

    void webPasswordIsStoredAsTypedTrimmed() {
        Fixture f;
        f.insertParty(7, "HIMALAYAN LODGE", "Y", "old");
        f.w->Show_Record(7);
        QTest::keyClick(f.w->txt_ContPerson, Qt::Key_F5);
        frm_PartyWebAccess* pw = nullptr;
        QTRY_VERIFY((pw = f.w->findChild<frm_PartyWebAccess*>()) && showActive(*pw));
        QCOMPARE(pw->lbl_PartyCode->text() + " " + pw->lbl_PartyName->text(), "7 HIMALAYAN LODGE");
        QVERIFY(pw->txt_Password->text().isEmpty());  // the stored password is never shown
        auto press = [&](QList<bool> answers) {
            f.p.clear();
            f.p.answers = answers;
            QTest::keyClick(pw->txt_Password, Qt::Key_F2);
        };
        typeInto(pw->txt_Password, "   ");
        press({});
        QCOMPARE(f.p.texts(), QStringList{"PASSWORD CANNOT BE BLANK ....."});
        QCOMPARE(QApplication::focusWidget(), pw->txt_Password);

        pw->txt_Password->setText("  Pa55 Word! ");
        const QString question =
            " YOU ARE ABOUT TO UPDATE OR CHANGE PASSWORD FOR ..\n PARTY NAME : HIMALAYAN LODGE\n"
            " ARE YOU SURE WANT TO PROCEED (Y/N) ?";
        press({false});
        QCOMPARE(f.p.texts(), QStringList{question});
        QCOMPARE(count(f.db(), "M_TBL_PARTY", "PARTY_PASSWORD='old' AND PASSWD_UPDBY IS NULL"), 1);
        press({true});
        QCOMPARE(f.p.texts(), (QStringList{question, "UPDATION OF PASSWORD SUCCESSFULLY DONE ..."}));
        // Only the password and its stamp change.
        QCOMPARE(count(f.db(), "M_TBL_PARTY",
                       "PARTY_PASSWORD='Pa55 Word!' AND PASSWD_UPDBY='ADMINISTRATOR' AND "
                       "PASSWD_UPDON IS NOT NULL AND UPDATE_BY='OLD USER'"),
                 1);
        QCOMPARE(pw->lbl_PasswdUpdByOn->text().mid(16, 10), QDate::currentDate().toString("dd/MM/yyyy"));
        QVERIFY(pw->txt_Password->text().isEmpty());
        QTest::keyClick(pw->txt_Password, Qt::Key_Escape);
        QTRY_VERIFY(f.w->findChild<frm_PartyWebAccess*>() == nullptr);
    }

    void searchUsesEachPatternAsTyped() {
        SearchFixture f;
        auto* w = f.w.get();
        const std::vector<std::tuple<QLineEdit*, QString, QStringList>> cases{
            {w->txt_PartyName, "tea", {}},  // without "%" only whole values match
            {w->txt_PartyName, "tea county", {"3"}},
            {w->txt_PartyName, "%", {"2", "3", "1"}},  // by name; the party without its place never appears
            {w->txt_PartyName, "GHOST%", {}},
            {w->txt_PartyName, "o'brien%", {"2"}},  // a quote is only a character of the pattern
            {w->txt_PartyName, "x' OR '1'='1", {}},
            {w->txt_ContPerson, "%o'brien", {"2"}},
            {w->txt_MobileNos, "98470%", {"2", "1"}},
            {w->txt_EmailAdd, "%.in", {"3", "1"}},
            {w->txt_PartyCode, "3", {"3"}},
            {w->txt_PartyCode, "4", {}},
            {w->txt_TypePlace, "hotel kochi", {"3"}},  // the type, one blank, the place
            {w->txt_TypePlace, "% KOCHI", {"2", "3"}},
        };
        for (const auto& [field, pattern, codes] : cases)
            QVERIFY2(f.search(field, pattern) == codes, qPrintable(pattern));
        QVERIFY(w->Opt_TypePlace->isChecked());
        // The show button searches by the chosen key; a code that is no number finds nothing.
        w->Opt_PartyCode->setChecked(true);
        w->txt_PartyCode->setText("1 OR 1=1");
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(column(w->Grid1->model(), 0), QStringList{});
        QVERIFY(f.ts.prompter.messages.isEmpty());

        // Every column of a row, and never the password.
        f.search(w->txt_PartyName, "TEA VALLEY RESORT");
        QStringList cells;
        for (int c = 0; c < w->Grid1->columnCount(); ++c)
            cells << gridText(w->Grid1, 0, c);
        QCOMPARE(cells, (QStringList{"1", "TEA VALLEY RESORT", "JOSE", "9847011111", "stay@teavalley.in", "MUNNAR",
                                     "KERALA", "INDIA", "ASHA - 01/02/2024 10:30:00", "RAJ - 09/02/2024 17:05:09"}));
    }

    void searchHandsTheCodeToItsCaller() {
        SearchFixture f;
        auto* w = f.w.get();
        f.search(w->txt_PartyName, "NOTHING");  // an empty grid offers nothing
        w->Grid1->setFocus();
        QTest::keyClick(w->Grid1, Qt::Key_Return);
        QVERIFY(f.picked.isEmpty() && w->isVisible());

        f.search(w->txt_PartyName, "TEA%");
        clickCell(w->Grid1, 1, 1);
        QVERIFY(f.picked.isEmpty());  // a single click only chooses the row
        QTest::mouseDClick(w->Grid1->viewport(), Qt::LeftButton, {},
                           w->Grid1->visualRect(w->Grid1->model()->index(1, 1)).center());
        QCOMPARE(f.picked, QStringList{"1"});
        QVERIFY(!w->isVisible());

        SearchFixture g;  // Enter picks the current row
        g.search(g.w->txt_PartyName, "%");
        g.w->Grid1->setFocus();
        g.w->Grid1->setCurrentCell(1, 0);
        QTest::keyClick(g.w->Grid1, Qt::Key_Return);
        QCOMPARE(g.picked, QStringList{"3"});

        SearchFixture menu(false);  // from the menu it only lists
        menu.search(menu.w->txt_PartyName, "%");
        QVERIFY(!menu.w->pickRow(0));
        QVERIFY(menu.w->isVisible());
    }

    void registrationRangeRunsToTheEndOfTheToDate() {
        ListFixture f;
        // By type, country, state, place: AGENT before HOTEL, INDIA before NEPAL, KOCHI before MUNNAR.
        QCOMPARE(f.show(kDay1, kDay2), (QStringList{"2", "5", "4", "3"}));
        QCOMPARE(f.counts(), (QStringList{"1 AGENT 2", "2 HOTEL 2"}));
        QCOMPARE(f.show(kDay2, kDay2), (QStringList{"5", "4"}));
        QCOMPARE(f.show(kDay1, kDay1), (QStringList{"2", "3"}));
        QCOMPARE(f.show(kDay2, kDay1), QStringList{});
        QCOMPARE(f.counts(), QStringList{});

        // A party saved now through the party window is listed for today.
        f.ts.db().exec("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 6)");
        frm_Party party(f.ts.session);
        party.txt_PartyName->setText("REGISTERED TODAY");
        party.txt_ContPerson->setText("P");
        party.txt_MobileNOs->setText("1");
        f.ts.prompter.answers = {true};
        party.Save_Record();
        QCOMPARE(f.show(QDate::currentDate(), QDate::currentDate()), QStringList{"7"});
        QCOMPARE(f.ts.prompter.texts().last(), "UPDATION OF PARTY SUCCESSFULLY DONE ...");
    }

    void registrationFiltersNarrowBothGrids() {
        ListFixture f;
        auto* w = f.w.get();
        choose(w->Cmb_PartyType, "HOTEL");
        QCOMPARE(f.show(kDay1.addDays(-1), kDay2.addDays(1)), (QStringList{"4", "1", "6", "3"}));
        QCOMPARE(f.counts(), QStringList{"1 HOTEL 4"});
        // Names are LIKE patterns exactly as typed: no "%", whole names only.
        typeInto(w->txt_Country, "ind");
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(column(w->Grid1->model(), 0), QStringList{});
        w->txt_Country->setText("IND%");
        w->txt_Place->setText("MUNNAR");
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(column(w->Grid1->model(), 0), QStringList{"1"});
        QCOMPARE(f.counts(), QStringList{"1 HOTEL 1"});
        w->Cmb_PartyType->setCurrentIndex(0);  // every type again
        w->txt_Place->clear();
        w->txt_State->setText("K%");
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(column(w->Grid1->model(), 0), (QStringList{"2", "5", "4", "1", "6"}));
        QCOMPARE(f.counts(), (QStringList{"1 AGENT 2", "2 HOTEL 3"}));

        // The export writes the rows listed, never a password; cancelled, it says nothing.
        w->txt_State->clear();
        f.show(kDay2, kDay2);
        const QString path = f.ts.t.dir() + "/parties.xls";
        setSavePathProvider([&](QWidget*, const QString&, const QString&, QString*) { return path; });
        QTest::mouseClick(w->Cmd_Export, Qt::LeftButton);
        QCOMPARE(f.ts.prompter.texts(), QStringList{"Successfully Export to " + path});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const QStringList lines = text.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(1).startsWith("\"5\"\t\"AGENT\"\t\"LAST INSTANT\""));
        QVERIFY(!text.contains("hidden-pw"));
        f.ts.prompter.clear();
        setSavePathProvider([](QWidget*, const QString&, const QString&, QString*) { return QString(); });
        QTest::mouseClick(w->Cmd_Export, Qt::LeftButton);
        setSavePathProvider({});
        QVERIFY(f.ts.prompter.messages.isEmpty());
    }

    void webAccessOfALogin() {
        TestSession ts;
        ts.db().exec(
            "INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, FULL_NAME, WEB_ACCESS) VALUES "
            "(5, 'asha', 'ASHA MENON', 'N'), (6, 'raj', 'RAJ KUMAR', 'Y')");
        frm_WebAccess w(ts.session, nullptr);
        QVERIFY(showActive(w));
        QTest::keyClick(w.txt_LoginID, Qt::Key_F2);
        QCOMPARE(ts.prompter.texts(), QStringList{"PLEASE ENTER LOGIN CODE PROPERLY ...."});
        QCOMPARE(QApplication::focusWidget(), w.txt_LoginID);

        typeKeys("6x");  // only digits pass
        keyToFocus(Qt::Key_Return);
        QCOMPARE(w.lbl_FullName->text() + " " + w.Cmb_WebAccess->currentText(), "RAJ KUMAR Y");
        QCOMPARE(QApplication::focusWidget(), w.Cmb_WebAccess);
        choose(w.Cmb_WebAccess, "N");
        ts.prompter.clear();
        keyToFocus(Qt::Key_F2);
        QCOMPARE(ts.prompter.texts(), QStringList{"UPDATION SUCCESSFULLY DONE ...."});
        w.txt_LoginID->setText("5");
        w.Show_Record();
        QCOMPARE(w.lbl_FullName->text(), "ASHA MENON");
        choose(w.Cmb_WebAccess, "Y");
        w.Save_Record();
        QCOMPARE(count(ts.db(), "MST_LOGINDETAILS", "WEB_ACCESS='Y'"), 1);
        QCOMPARE(count(ts.db(), "MST_LOGINDETAILS", "LOGIN_ID=5 AND WEB_ACCESS='Y'"), 1);

        // A code that names no login changes nothing and is not reported as done.
        w.txt_LoginID->setText("99");
        w.Show_Record();
        QVERIFY(w.lbl_FullName->text().isEmpty());
        ts.prompter.clear();
        w.Save_Record();
        QCOMPARE(ts.prompter.texts(), QStringList{"LOGIN CODE NOT FOUND ...."});
        QCOMPARE(count(ts.db(), "MST_LOGINDETAILS", "WEB_ACCESS='Y'"), 1);
    }
};

QTEST_MAIN(tst_party_master)
#include "tst_party_master.moc"
