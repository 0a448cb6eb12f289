// The party window (ordered checks, the counter taken only after Yes and only with the row,
// the alias default, the warning on a name already used, editing through the picker, the web
// password), its picker, the registration list and the web access of logins; the address
// book's entry window and finders (every search mode, "%" lists, the group option, export).
#include "data/Numbering.h"
#include "masters/AddressBook.h"
#include "masters/AddressBookFinder.h"
#include "masters/frm_LstPartyRegd.h"
#include "masters/frm_Party.h"
#include "masters/frm_PartyWebAccess.h"
#include "masters/frm_SearchGroupMeet.h"
#include "masters/frm_Search_Party.h"
#include "masters/frm_WebAccess.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/ListGrid.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"
#include "tst_addressbook_data.h"

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
        db().exec(
            "INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (1, 'HOTEL'), (2, 'AGENT'), "
            "(3, 'CUSTOMER')");
        db().exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA'), (2, 'NEPAL')");
        db().exec(
            "INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (1, 10, 'KERALA'), "
            "(1, 11, 'GOA'), (2, 20, 'BAGMATI')");
        db().exec(
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
    void save(QList<bool> answers = {true}) {
        p.clear();
        p.answers = answers;
        w->txt_MobileNOs->setFocus();
        QTest::keyClick(w->txt_MobileNOs, Qt::Key_F3);
    }
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
    void enterOn(int row) {
        w->Grid1->setFocus();
        w->Grid1->setCurrentCell(row, 0);
        QTest::keyClick(w->Grid1, Qt::Key_Return);
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
        return show();
    }
    QStringList show() {
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

const QString kBookSaved = QStringLiteral("UPDATION OF ADDRESSBOOK SUCCESSFULLY DONE ....");
const QString kBookQuestion =
    QStringLiteral(" YOU ARE GOING TO UPDATE ADDRESS BOOK ...\n ARE YOU SURE WANT TO PROCEED (Y/N) ?");

struct BookFixture {
    TestSession ts;
    explicit BookFixture(bool contacts = false) {
        Database& db = ts.db();
        addAddressBookLookups(db);
        if (!contacts)
            return;
        //               code type ctry state place group
        addContact(db, {1, 1, 1, 1, 1, 1, "CASINO HOTEL", "JOHN", "0484 2668221"});
        addContact(db, {2, 2, 1, 1, 2, 2, "KOCHI TRAVELS", "ANU", "98470 55555"});
        addContact(db, {3, 1, 1, 1, 2, 1, "HILL VIEW", "MANI", "04865 230001"});
        addContact(db, {4, 3, 1, 2, 1, 2, "GOA CABS", "PRAKASH", "98220 11111"});
        addContact(db, {5, 2, 2, 1, 1, 1, "EVEREST AGENCY", "TENZING", "977 98470"});
        Numbering(db).Upd_Counter("ADDBOOK", 5);
    }
    void save(QWidget& w, bool answer) {
        ts.prompter.clear();
        ts.prompter.answers = {answer};
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_F3);
    }
};

template <typename Grid>
void enterRow(Grid* grid, int row, int column) {
    grid->setFocus();
    grid->setCurrentCell(row, column);
    QTest::keyClick(grid, Qt::Key_Return);
}

// The codes listed after pressing SHOW.
QStringList show(AddressBookFinder& w) {
    QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
    return column(w.Grid1->model(), 1);
}

}  // namespace

class tst_party_addressbook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void checksInOrderThenCounterOnlyAfterYes() {
        Fixture f;
        auto* w = f.w.get();
        f.db().exec("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 41)");
        // New: code 0, each list on its first item, the location chain followed through.
        QCOMPARE(QStringList({w->lbl_PartyCode->text(), w->lbl_PartyTypeCode->text(), w->lbl_CountryCode->text(),
                              w->lbl_StateCode->text(), w->lbl_PlaceCode->text()}),
                 QStringList({"0", "2", "1", "11", "110"}));
        QVERIFY(!w->tool(5)->isEnabled());
        choose(w->Cmb_Country, "NEPAL");  // its states, none chosen until the user picks one
        QVERIFY(w->Cmb_State->count() == 1 && w->lbl_StateCode->text().isEmpty() && w->Cmb_Place->count() == 0);
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
        QCOMPARE(lines(f.db(),
                       "SELECT PARTY_CODE, PARTY_NAME, PARTY_ALIASNAME, PERSON_NAME, MOBILE_NOS, EMAIL_ADD, GSTIN_NO, "
                       "PARTY_ADDRESS, BUSINESS_RELTYPE, PARTYTYPE_CODE, COUNTRY_CODE, STATE_CODE, PLACE_CODE, CFA, "
                       "WEB_ACCESS, WEB_MODULE, CREATED_BY, UPDATE_BY, PARTY_PASSWORD FROM M_TBL_PARTY"),
                 QStringList{"42|SEA BREEZE TOURS|SEA BREEZE TOURS|MEERA|98470 11111, 98470 22222|Sea@Breeze.in|"
                             "32ABCDE1234F1Z5|MG ROAD\nMUNNAR|B2C|1|1|10|100|Y|N|CUSTOMER|ADMINISTRATOR|"
                             "ADMINISTRATOR|"});
        // Shown again from the stored row.
        QCOMPARE(w->lbl_PartyCode->text() + " " + w->Cmb_Place->currentText(), "42 MUNNAR");
        QVERIFY(w->lbl_CreatedByOn->text().startsWith("ADMINISTRATOR - "));
        QTest::keyClick(w->txt_PartyName, Qt::Key_F2);
        QCOMPARE(w->lbl_PartyCode->text(), "0");
        QVERIFY(w->txt_PartyName->text().isEmpty() && w->txt_PartyAliasName->text().isEmpty() &&
                w->lbl_CreatedByOn->text().isEmpty());
        w->txt_PartyAliasName->setText("SBT");  // a typed alias is kept
        typeInto(w->txt_PartyName, "sea breeze");
        keyToFocus(Qt::Key_Tab);
        QCOMPARE(w->txt_PartyAliasName->text(), "SBT");
    }

    // A name another party has (whatever its case) is warned of with that party's code; No
    // stores nothing, Yes goes on to the usual question; the party's own name is no warning.
    // The save is all or nothing, and a counter set back below the codes in use never
    // overwrites a party.
    void nameWarningAndAllOrNothingSave() {
        Fixture f;
        QCOMPARE(checkAtomic(
                     f.p, f.db(), kTables, kSaved, [&] { f.fill("ATOMIC TRAVELS"); }, [&] { f.w->Save_Record(); }),
                 QString());
        QCOMPARE(lines(f.db(), "SELECT PARTY_CODE, PARTY_NAME FROM M_TBL_PARTY"), QStringList{"1|ATOMIC TRAVELS"});
        f.insertParty(7, "HILL VIEW", "N", QString());
        f.db().exec("UPDATE MST_COUNTER SET COUNTER=7 WHERE CODE='PARTY'");
        f.w->Show_Record(7);
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
        QCOMPARE((QList<qint64>{count(f.db(), "M_TBL_PARTY"), counter(f.db(), "PARTY")}), (QList<qint64>{2, 7}));
        f.save({true, true});
        QCOMPARE(f.p.texts().size(), 3);
        QCOMPARE(f.p.texts().first(), warning);
        QCOMPARE(f.p.texts().last(), kSaved);
        QCOMPARE(count(f.db(), "M_TBL_PARTY", "PARTY_NAME='HILL VIEW'"), 2);
        f.db().exec("UPDATE MST_COUNTER SET COUNTER=6 WHERE CODE='PARTY'");  // the next code, 7, is in use
        f.fill("NEWCOMER");
        f.save();
        QCOMPARE(f.p.texts().size(), 2);
        QVERIFY(f.p.texts().at(1) != kSaved);
        QCOMPARE(count(f.db(), "M_TBL_PARTY", "PARTY_CODE=7 AND PARTY_NAME='HILL VIEW' AND CREATED_BY='OLD USER'"), 1);
        QCOMPARE(counter(f.db(), "PARTY"), 6);
        QCOMPARE(f.w->lbl_PartyCode->text(), "0");
        f.db().exec("UPDATE MST_COUNTER SET COUNTER=8 WHERE CODE='PARTY'");
        f.save();
        QCOMPARE(f.p.texts().last(), kSaved);
        QCOMPARE(f.w->lbl_PartyCode->text(), "9");
    }

    // Through the picker: the creation and password kept, the web-access button following what
    // is stored; the web password stored trimmed, never shown, touching nothing else.
    void editThroughPickerThenWebPassword() {
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
        QCOMPARE((QList<qint64>{count(f.db(), "M_TBL_PARTY"), counter(f.db(), "PARTY")}), (QList<qint64>{2, 8}));
        QCOMPARE(count(f.db(), "M_TBL_PARTY",
                       "PARTY_CODE=7 AND WEB_ACCESS='N' AND PERSON_NAME='TENZING' AND CREATED_BY='OLD USER' AND "
                       "UPDATE_BY='ADMINISTRATOR' AND PARTY_PASSWORD='Kathmandu#1'"),
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
        const QVariant updated = f.db().scalar("SELECT UPDATE_ON FROM M_TBL_PARTY WHERE PARTY_CODE=7");
        QTest::keyClick(w->txt_ContPerson, Qt::Key_F5);
        frm_PartyWebAccess* pw = nullptr;
        QTRY_VERIFY((pw = w->findChild<frm_PartyWebAccess*>()) && showActive(*pw));
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
        QCOMPARE(count(f.db(), "M_TBL_PARTY", "PARTY_PASSWORD='Kathmandu#1' AND PASSWD_UPDBY IS NULL"), 1);
        press({true});
        QCOMPARE(f.p.texts(), (QStringList{question, "UPDATION OF PASSWORD SUCCESSFULLY DONE ..."}));
        QCOMPARE(count(f.db(), "M_TBL_PARTY",
                       "PARTY_PASSWORD='Pa55 Word!' AND PASSWD_UPDBY='ADMINISTRATOR' AND PASSWD_UPDON IS NOT NULL"),
                 1);
        QCOMPARE(f.db().scalar("SELECT UPDATE_ON FROM M_TBL_PARTY WHERE PARTY_CODE=7"), updated);
        QCOMPARE(pw->lbl_PasswdUpdByOn->text().mid(16, 10), QDate::currentDate().toString("dd/MM/yyyy"));
        QVERIFY(pw->txt_Password->text().isEmpty());
        QTest::keyClick(pw->txt_Password, Qt::Key_Escape);
        QTRY_VERIFY(w->findChild<frm_PartyWebAccess*>() == nullptr);
    }

    void searchUsesEachPatternAsTypedAndHandsTheCodeOver() {
        SearchFixture f;
        auto* w = f.w.get();
        const std::vector<std::tuple<QLineEdit*, QString, QStringList>> cases{
            {w->txt_PartyName, "NOTHING", {}},
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
        f.enterOn(0);  // an empty grid offers nothing
        QVERIFY(f.picked.isEmpty() && w->isVisible() && f.p.messages.isEmpty());
        // Every column of a row, and never the password.
        f.search(w->txt_PartyName, "TEA VALLEY RESORT");
        QStringList cells;
        for (int c = 0; c < w->Grid1->columnCount(); ++c)
            cells << gridText(w->Grid1, 0, c);
        QCOMPARE(cells, (QStringList{"1", "TEA VALLEY RESORT", "JOSE", "9847011111", "stay@teavalley.in", "MUNNAR",
                                     "KERALA", "INDIA", "ASHA - 01/02/2024 10:30:00", "RAJ - 09/02/2024 17:05:09"}));
        f.search(w->txt_PartyName, "TEA%");
        clickCell(w->Grid1, 1, 1);
        QVERIFY(f.picked.isEmpty());  // a single click only chooses the row
        QTest::mouseDClick(w->Grid1->viewport(), Qt::LeftButton, {},
                           w->Grid1->visualRect(w->Grid1->model()->index(1, 1)).center());
        QCOMPARE(f.picked, QStringList{"1"});
        QVERIFY(!w->isVisible());
        SearchFixture g;  // Enter picks the current row
        g.search(g.w->txt_PartyName, "%");
        g.enterOn(1);
        QCOMPARE(g.picked, QStringList{"3"});
        SearchFixture menu(false);  // from the menu it only lists
        menu.search(menu.w->txt_PartyName, "%");
        QVERIFY(!menu.w->pickRow(0));
        QVERIFY(menu.w->isVisible());
    }

    void registrationRangeFiltersAndExport() {
        ListFixture f;
        auto* w = f.w.get();
        // The range runs to the end of the to-date. By type, country, state, place: AGENT
        // before HOTEL, INDIA before NEPAL, KOCHI before MUNNAR.
        QCOMPARE(f.show(kDay1, kDay2), (QStringList{"2", "5", "4", "3"}));
        QCOMPARE(f.counts(), (QStringList{"1 AGENT 2", "2 HOTEL 2"}));
        QCOMPARE(f.show(kDay2, kDay2), (QStringList{"5", "4"}));
        QCOMPARE(f.show(kDay1, kDay1), (QStringList{"2", "3"}));
        QCOMPARE(f.show(kDay2, kDay1), QStringList{});
        QCOMPARE(f.counts(), QStringList{});
        // Filters narrow both grids; names are LIKE patterns exactly as typed.
        choose(w->Cmb_PartyType, "HOTEL");
        QCOMPARE(f.show(kDay1.addDays(-1), kDay2.addDays(1)), (QStringList{"4", "1", "6", "3"}));
        QCOMPARE(f.counts(), QStringList{"1 HOTEL 4"});
        typeInto(w->txt_Country, "ind");
        QCOMPARE(f.show(), QStringList{});
        w->txt_Country->setText("IND%");
        w->txt_Place->setText("MUNNAR");
        QCOMPARE(f.show(), QStringList{"1"});
        QCOMPARE(f.counts(), QStringList{"1 HOTEL 1"});
        w->Cmb_PartyType->setCurrentIndex(0);  // every type again
        w->txt_Place->clear();
        w->txt_State->setText("K%");
        QCOMPARE(f.show(), (QStringList{"2", "5", "4", "1", "6"}));
        QCOMPARE(f.counts(), (QStringList{"1 AGENT 2", "2 HOTEL 3"}));
        // The export writes the rows listed, never a password; cancelled, it says nothing.
        w->txt_State->clear();
        f.show(kDay2, kDay2);
        const QString path = f.ts.t.dir() + "/parties.xls";
        setSavePathProvider([&](QWidget*, const QString&, const QString&, QString*) { return path; });
        QTest::mouseClick(w->Cmd_Export, Qt::LeftButton);
        QCOMPARE(f.p.texts(), QStringList{"Successfully Export to " + path});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const QStringList rows = text.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows.at(1).startsWith("\"5\"\t\"AGENT\"\t\"LAST INSTANT\""));
        QVERIFY(!text.contains("hidden-pw"));
        f.p.clear();
        setSavePathProvider([](QWidget*, const QString&, const QString&, QString*) { return QString(); });
        QTest::mouseClick(w->Cmd_Export, Qt::LeftButton);
        setSavePathProvider({});
        QVERIFY(f.p.messages.isEmpty());
        // A party saved now through the party window is listed for today.
        f.db().exec("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 6)");
        frm_Party party(f.ts.session);
        party.txt_PartyName->setText("REGISTERED TODAY");
        party.txt_ContPerson->setText("P");
        party.txt_MobileNOs->setText("1");
        f.p.answers = {true};
        party.Save_Record();
        QCOMPARE(f.p.texts().last(), kSaved);
        QCOMPARE(f.show(QDate::currentDate(), QDate::currentDate()), QStringList{"7"});
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
        QCOMPARE(lines(ts.db(), "SELECT LOGIN_ID FROM MST_LOGINDETAILS WHERE WEB_ACCESS='Y'"), QStringList{"5"});
        // A code that names no login changes nothing and is not reported as done.
        w.txt_LoginID->setText("99");
        w.Show_Record();
        QVERIFY(w.lbl_FullName->text().isEmpty());
        ts.prompter.clear();
        w.Save_Record();
        QCOMPARE(ts.prompter.texts(), QStringList{"LOGIN CODE NOT FOUND ...."});
        QCOMPARE(lines(ts.db(), "SELECT LOGIN_ID FROM MST_LOGINDETAILS WHERE WEB_ACCESS='Y'"), QStringList{"5"});
    }

    void entryChecksNumbersListsAndUpdate() {
        BookFixture f;
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(w.Cmb_Type->currentIndex(), -1);
        QCOMPARE(
            checkInOrder(
                f.ts.prompter, f.ts.db(), {"M_TBL_ADDRESSBOOK"},
                {{"CANNOT PROCEED PLEASE SELECT BUSINESS PROPERLY ....", {}, w.Cmb_Type},
                 {"CANNOT PROCEED PLEASE SELECT COUNTRY PROPERLY ....", [&] { choose(w.Cmb_Type, "HOTEL"); }},
                 {"CANNOT PROCEED PLEASE SELECT STATE  PROPERLY ....", [&] { choose(w.Cmb_Country, "INDIA"); },
                  w.Cmb_State},
                 {"CANNOT PROCEED PLEASE SELECT PLACE  PROPERLY ....", [&] { choose(w.Cmb_State, "KERALA"); }},
                 {"PLEASE ENTER BUSINESS NAME .....", [&] { choose(w.Cmb_Place, "MUNNAR"); }, w.txt_BusinessName},
                 {"CONTACT NUMBERS CANNOT BE BLANK .....", [&] { typeKeys("tea valley resort"); }, w.txt_ContNOs},
                 // Neither without a group or meeting nor with one that does not exist.
                 {"PLEASE ENTER GROUP / MEET CODE PROPERLY ....", [&] { typeKeys("04865 230000"); }, w.txt_GroupCode},
                 {"PLEASE ENTER GROUP / MEET CODE PROPERLY ....",
                  [&] {
                      typeKeys("9");
                      keyToFocus(Qt::Key_Return);
                  }}},
                [&] { f.save(w, true); }),
            QString());
        QVERIFY(w.lbl_GroupName->text().isEmpty());
        typeInto(w.txt_GroupCode, "2");
        keyToFocus(Qt::Key_Return);
        QCOMPARE(w.lbl_GroupName->text(), "SATTE DELHI");
        w.txt_PersonName->setText("JOSE");
        w.txt_Email->setText("stay@teavalley.in");
        w.txt_WebAdd->setText("www.teavalley.in");
        w.txt_FBAdd->setText("fb.com/teavalley");
        w.txt_Address->setPlainText("CHITHIRAPURAM\nMUNNAR");
        w.txt_Remarks->setPlainText("MET AT STALL 14");
        f.save(w, false);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kBookQuestion});
        QCOMPARE(counter(f.ts.db(), "ADDBOOK"), 0);
        QCOMPARE(count(f.ts.db(), "M_TBL_ADDRESSBOOK"), 0);
        f.save(w, true);
        QCOMPARE(f.ts.prompter.texts(), (QStringList{kBookQuestion, kBookSaved}));
        QCOMPARE(counter(f.ts.db(), "ADDBOOK"), 1);
        QCOMPARE(
            count(f.ts.db(), "M_TBL_ADDRESSBOOK",
                  "BUSINESS_CODE=1 AND GROUP_CODE=2 AND BUSINESS_TYPECODE=1 AND COUNTRY_CODE=1 AND STATE_CODE=1 AND "
                  "PLACE_CODE=2 AND BUSINESS_NAME='TEA VALLEY RESORT' AND CONT_NAME='JOSE' AND "
                  "MOBILE_NOS='04865 230000' AND EMAIL_ADDRESS='stay@teavalley.in' AND WEBSITE_ADD='www.teavalley.in' "
                  "AND FB_URL='fb.com/teavalley' AND REMARKS='MET AT STALL 14' AND CREATED_BY='ADMINISTRATOR' AND "
                  "UPDATE_BY='ADMINISTRATOR' AND CREATED_ON IS NOT NULL AND UPDATE_ON IS NOT NULL"),
            1);
        QCOMPARE(f.ts.db().scalar("SELECT ADDRESS FROM M_TBL_ADDRESSBOOK").toString(), "CHITHIRAPURAM\nMUNNAR");
        QCOMPARE(w.lbl_Code->text(), "1");
        w.pressTool(2);  // new record
        QCOMPARE(w.lbl_Code->text(), "0");
        QVERIFY(w.txt_BusinessName->text().isEmpty() && w.Cmb_Country->currentIndex() == -1 &&
                w.Cmb_State->count() == 0);
        // The lists follow the country; an update keeps the codes.
        choose(w.Cmb_Type, "AGENT");
        choose(w.Cmb_Country, "NEPAL");
        QCOMPARE(items(w.Cmb_State), (QStringList{"BAGMATI", "CENTRAL"}));
        // The state is looked up within the chosen country: Nepal's CENTRAL is state 2.
        choose(w.Cmb_State, "CENTRAL");
        QCOMPARE(items(w.Cmb_Place), QStringList{"MIDTOWN"});
        choose(w.Cmb_Place, "MIDTOWN");
        // Another country drops the state and place chosen before.
        choose(w.Cmb_Country, "INDIA");
        QVERIFY(w.Cmb_State->currentIndex() == -1 && w.Cmb_Place->count() == 0);
        choose(w.Cmb_Country, "NEPAL");
        choose(w.Cmb_State, "CENTRAL");
        choose(w.Cmb_Place, "MIDTOWN");
        w.txt_BusinessName->setText("HIMALAYA TREKS");
        w.txt_ContNOs->setText("977 1 4400000");
        w.txt_GroupCode->setText("1");  // shown by the save's own look-up
        f.save(w, true);
        QCOMPARE(f.ts.prompter.texts().last(), kBookSaved);
        QCOMPARE(count(f.ts.db(), "M_TBL_ADDRESSBOOK",
                       "BUSINESS_CODE=2 AND COUNTRY_CODE=2 AND STATE_CODE=2 AND "
                       "PLACE_CODE=1 AND BUSINESS_TYPECODE=2 AND GROUP_CODE=1"),
                 1);
        // A stored contact shown and saved: its codes kept, the number not advanced.
        addContact(f.ts.db(), {7, 3, 1, 2, 1, 1, "GOA CABS", "PRAKASH", "98220 11111"});
        Numbering(f.ts.db()).Upd_Counter("ADDBOOK", 7);
        w.Show_Record(7);
        QCOMPARE(QStringList({w.lbl_Code->text(), w.Cmb_Type->currentText(), w.Cmb_State->currentText(),
                              w.Cmb_Place->currentText(), w.txt_Address->toPlainText(), w.lbl_GroupName->text(),
                              w.lbl_CreatedBy->text(), w.lbl_CreatedOn->text()}),
                 QStringList({"7", "TRANSPORTER", "GOA", "PANAJI", "STREET 7", "OTM MUMBAI 2024", "CLERK",
                              "05/03/2024 10:30:00"}));
        w.txt_ContNOs->setText("98220 22222");
        f.save(w, true);
        QCOMPARE(f.ts.prompter.texts().last(), kBookSaved);
        QCOMPARE(count(f.ts.db(), "M_TBL_ADDRESSBOOK",
                       "BUSINESS_CODE=7 AND MOBILE_NOS='98220 22222' AND PLACE_CODE=1 AND "
                       "STATE_CODE=2 AND CREATED_BY='CLERK' AND UPDATE_BY='ADMINISTRATOR'"),
                 1);
        QCOMPARE(counter(f.ts.db(), "ADDBOOK"), 7);
        QCOMPARE(count(f.ts.db(), "M_TBL_ADDRESSBOOK"), 3);
    }

    void entrySearchesHandTheirCodesBack() {
        BookFixture f(true);
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
        QTest::mouseClick(w.Cmd_SrcGroupName, Qt::LeftButton);
        auto* groups = w.findChild<frm_SearchGroupMeet*>();
        QVERIFY(groups && QTest::qWaitForWindowExposed(groups));
        groups->txt_GroupMeetName->setText("SATTE%");
        groups->Load_Grid1();
        enterRow(groups->Grid1, 0, 1);
        QCOMPARE(w.txt_GroupCode->text() + " " + w.lbl_GroupName->text(), "2 SATTE DELHI");
        // Typing over the code forgets the name until it is looked up again.
        QTRY_VERIFY(!w.findChild<frm_SearchGroupMeet*>());
        QVERIFY(showActive(w));
        typeInto(w.txt_GroupCode, "1");
        QVERIFY(w.lbl_GroupName->text().isEmpty());
        keyToFocus(Qt::Key_Return);
        QCOMPARE(w.lbl_GroupName->text(), "OTM MUMBAI 2024");
        QTest::keyClick(w.txt_BusinessName, Qt::Key_F4);
        QPointer<frm_Search_AddressBook> search = w.findChild<frm_Search_AddressBook*>();
        QVERIFY(search && QTest::qWaitForWindowExposed(search));
        search->txt_Desc->setText("%HILL%");
        QCOMPARE(show(*search), QStringList{"3"});
        enterRow(search->Grid1, 0, 3);
        QCOMPARE(QStringList({w.lbl_Code->text(), w.txt_BusinessName->text(), w.Cmb_Place->currentText()}),
                 QStringList({"3", "HILL VIEW", "MUNNAR"}));
        QTRY_VERIFY(!search);
    }

    void searchByDescriptionNumberAndType() {
        BookFixture f(true);
        frm_Search_AddressBook w(f.ts.session, nullptr);
        QVERIFY(showActive(w));
        QCOMPARE(items(w.Cmb_Type), (QStringList{"%", "AGENT", "HOTEL", "TRANSPORTER"}));
        QCOMPARE(items(w.Cmb_Country), (QStringList{"INDIA", "NEPAL"}));
        QCOMPARE(items(w.Cmb_State), (QStringList{"CENTRAL", "GOA", "KERALA"}));
        // One pattern over country, state, place, name and type, joined by single spaces (not
        // the group); ordered by type, country, state, place, name.
        for (const auto& [pattern, codes] : std::vector<std::pair<QString, QStringList>>{
                 {"%SATTE%", {}}, {"%KERALA MUNNAR HILL%", {"3"}}, {"%KOCHI%", {"2", "1"}}}) {
            w.txt_Desc->setText(pattern);
            QCOMPARE(show(w), codes);
        }
        QCOMPARE(QStringList({gridText(w.Grid1, 0, 2), gridText(w.Grid1, 0, 6), gridText(w.Grid1, 1, 9)}),
                 QStringList({"AGENT", "MUNNAR", "CLERK - 05/03/2024 10:30:00"}));
        QTest::mouseClick(w.Option2, Qt::LeftButton);
        w.txt_ContNO->setText("%98470%");
        QCOMPARE(show(w), (QStringList{"2", "5"}));
        // By type: "%" for every type, but the exact country, state and place.
        QTest::mouseClick(w.Option3, Qt::LeftButton);
        choose(w.Cmb_State, "KERALA");
        QCOMPARE(items(w.Cmb_Place), (QStringList{"KOCHI", "MUNNAR"}));
        choose(w.Cmb_Place, "MUNNAR");
        QCOMPARE(show(w), (QStringList{"2", "3"}));
        choose(w.Cmb_Type, "HOTEL");
        QCOMPARE(show(w), QStringList{"3"});
        choose(w.Cmb_Country, "NEPAL");  // its first state and place: BAGMATI, KATHMANDU
        QCOMPARE(w.Cmb_Place->currentText(), "KATHMANDU");
        QCOMPARE(show(w), QStringList{});
        // Opened from the menu, choosing a row hands nothing over and the search stays.
        w.Grid1->setFocus();
        QTest::keyClick(w.Grid1, Qt::Key_Return);
        QVERIFY(w.isVisible() && f.ts.prompter.messages.isEmpty());
    }

    void listingWithAllListsGroupExportAndEntry() {
        BookFixture f(true);
        frm_LstAddressBook w(f.ts.session, nullptr);
        QVERIFY(showActive(w));
        QCOMPARE(items(w.Cmb_Country), (QStringList{"%", "INDIA", "NEPAL"}));
        QCOMPARE(items(w.Cmb_State), QStringList{"%"});
        // "%" in type, country, state and place lists every contact; narrowed by country and
        // state with the place left at "%".
        QTest::mouseClick(w.Option3, Qt::LeftButton);
        QCOMPARE(show(w), (QStringList{"2", "5", "1", "3", "4"}));
        QCOMPARE(QStringList({gridText(w.Grid1, 0, 2), gridText(w.Grid1, 0, 7), gridText(w.Grid1, 0, 8)}),
                 QStringList({"SATTE DELHI", "anu@example.com", "STREET 2"}));
        choose(w.Cmb_Country, "INDIA");
        QCOMPARE(items(w.Cmb_State), (QStringList{"%", "CENTRAL", "GOA", "KERALA"}));
        choose(w.Cmb_State, "KERALA");
        QCOMPARE(items(w.Cmb_Place), (QStringList{"%", "KOCHI", "MUNNAR"}));
        QCOMPARE(show(w), (QStringList{"2", "1", "3"}));
        // The listing's description also reaches the group name.
        QTest::mouseClick(w.Option1, Qt::LeftButton);
        w.txt_Desc->setText("%SATTE%");
        QCOMPARE(show(w), (QStringList{"2", "4"}));
        // By group / meet code; Enter shows the group's name.
        QTest::mouseClick(w.Option4, Qt::LeftButton);
        typeInto(w.txt_GroupCode, "1");
        keyToFocus(Qt::Key_Return);
        QCOMPARE(w.lbl_GroupName->text(), "OTM MUMBAI 2024");
        QCOMPARE(show(w), (QStringList{"5", "1", "3"}));
        QTest::mouseClick(w.Option2, Qt::LeftButton);
        w.txt_ContNO->setText("%0484%");
        QCOMPARE(show(w), QStringList{"1"});
        const QString path = f.ts.t.dir() + "/contacts.xls";
        setSavePathProvider([&](QWidget*, const QString&, const QString&, QString*) { return path; });
        QTest::mouseClick(w.Cmd_ExpXls, Qt::LeftButton);
        setSavePathProvider({});
        QCOMPARE(f.ts.prompter.texts(), QStringList{"Successfully Export to " + path});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\"1\"\t\"1\"\t\"OTM MUMBAI 2024\"\t\"HOTEL\"\t\"CASINO HOTEL\""));
        // Choosing a row shows the contact in the entry window; the listing stays.
        enterRow(w.Grid1, 0, 4);
        frm_AddressBook* entry = w.entryWindow();
        QVERIFY(entry && entry->isVisible() && w.isVisible());
        QCOMPARE(entry->txt_BusinessName->text(), "CASINO HOTEL");
        entry->close();
    }
};

QTEST_MAIN(tst_party_addressbook)
#include "tst_party_addressbook.moc"
