// The master windows: geography (ordered checks, questions, counters after Yes, one default
// state, names unique under their parent, all-or-nothing), lookup lists, the group search,
// demo data; consultants, their searches and roles; status masters and the colour chooser;
// the party window, its picker and web password, the registration list; the address book.
#include "data/BooksCheck.h"
#include "data/Money.h"
#include "data/Numbering.h"
#include "data/Passwords.h"
#include "engine/admin/DemoData.h"
#include "masters/AddressBook.h"
#include "masters/AddressBookFinder.h"
#include "masters/Colour_Picker.h"
#include "masters/ConsultantMaster.h"
#include "masters/ConsultantRole.h"
#include "masters/ConsultantSearch.h"
#include "masters/GeographyMaster.h"
#include "masters/LookupMasters.h"
#include "masters/StatusMaster.h"
#include "masters/StatusWindows.h"
#include "masters/frm_LstPartyRegd.h"
#include "masters/frm_Party.h"
#include "masters/frm_PartyWebAccess.h"
#include "masters/frm_SearchGroupMeet.h"
#include "masters/frm_Search_Party.h"
#include "masters/frm_WebAccess.h"
#include "shell/MainWindow.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/LookupGridModel.h"
#include "shell/kit/LookupGridWindow.h"
#include "support/AdminRunner.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"
#include "support/UserHome.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList kTables{"M_TBL_CSP_COUNTRY", "M_TBL_CSP_STATE", "M_TBL_CSP_PLACE"};

// Party types, countries, states and places: each list of VALUES inserted into its table.
void geography(Database& db, const char* types, const char* states, const char* places) {
    const std::pair<const char*, const char*> rows[] = {
        {"M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE)", types},
        {"M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME)", "(1, 'INDIA'), (2, 'NEPAL')"},
        {"M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME)", states},
        {"M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME)", places}};
    for (const auto& [table, values] : rows)
        if (*values)
            db.exec(u"INSERT INTO %1 VALUES %2"_s.arg(QLatin1String(table), QLatin1String(values)));
}

// INDIA 1 (KERALA 1: KOCHI 1; GOA 2: PANAJI 2), NEPAL 2 (BAGMATI 3), the counters past them.
void seed(Database& db) {
    geography(db, "", "", "");
    db.exec(
        "INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_CODE2, STATE_DEF, CREATED_BY, "
        "CREATED_ON) VALUES (1, 1, 'KERALA', '32', 'Y', 'FIRST USER', ?), (1, 2, 'GOA', '', 'N', NULL, NULL), "
        "(2, 3, 'BAGMATI', 'BG', 'Y', NULL, NULL)",
        {QDateTime(QDate(2024, 1, 5), QTime(10, 30, 0))});
    db.exec(
        "INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES (1, 1, 1, 'KOCHI'), "
        "(1, 2, 2, 'PANAJI')");
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
    ts.answer({answer});
    QTest::keyClick(&w, Qt::Key_F3);
}

const QStringList kDemoTables =
    u"M_TBL_CSP_COUNTRY M_TBL_CSP_STATE M_TBL_CSP_PLACE M_TBL_PARTYTYPE M_TBL_LEADTYPE M_TBL_LEADNATURE "
    "M_TBL_MEALPLAN M_TBL_HOTELROOMTYPE MST_VEHICLEBRANDTYPE M_TBL_TAX MST_BANK MST_PAYMODE "
    "M_TBL_PARTYGROUP M_TBL_PARTY M_TBL_CONSULTANT MST_LOGINDETAILS M_TBL_LEADSTATUS M_TBL_MENUSHOW "
    "M_TBL_TRANSACTION M_TBL_QUOTATION M_TBL_ITINERARY_HEADER M_TBL_ITINERARY_DETAILS "
    "M_TBL_ITINERARY_NOTES M_TBL_ITINERARY_DETAILS_QUOTE M_TBL_ITINERARY_NOTES_QUOTE "
    "M_TBL_DOCUMENTACCOUNT_COMB M_TBL_CBPT_STATUS M_TBL_CBPT_STATUS_OPS M_TBL_CONSULTANT_OP "
    "M_TBL_HOTELSTATUS M_TBL_GSTMAINTENANCE M_TBL_BOOKING_INSTALMENT M_TBL_ADVICE_DUE "
    "M_TBL_HOTEL_DEADLINE M_TBL_SCHEDULE_TEMPLATE M_TBL_BOOKING_TRAVELLER"_s.split(' ');

QMap<QString, qint64> counts(Database& db) {
    QMap<QString, qint64> out;
    for (const QString& table : kDemoTables + QStringList{"MST_COUNTER", "DEMO_DATA"})
        out[table] = count(db, table);
    return out;
}

const QString kSaved = u"UPDATION OF CONSULTANT SUCCESSFULLY DONE ...."_s;
const QString kLeadSaved = u"LEAD STATUS SUCCESSFULLY UPDATED ....."_s;

struct Fixture {
    TestSession ts;
    Fixture() {
        ts.db().exec(
            "INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, FULL_NAME) VALUES (11, 'ravi', 'RAVI'), "
            "(12, 'meena', 'MEENA')");
    }
    // The consultant each login points at, tour and operations.
    QStringList links() {
        return lines(
            ts.db(),
            "SELECT CONSULTANT_CODE, CONSULTANT_CODE_OPS FROM MST_LOGINDETAILS WHERE LOGIN_ID>10 ORDER BY LOGIN_ID");
    }
    void add(const QString& table, int code, const QString& name, const QString& role, const QString& login = "11") {
        ts.db().exec(
            u"INSERT INTO %1 (CONSULTANT_CODE, CONSULTANT_NAME, LOGIN_CODE, TC_ROLE) VALUES (?, ?, ?, ?)"_s.arg(table),
            {code, name, login, role});
    }
    // Types a consultant as a user would (Enter moves on; leaving the login shows its name), then F3.
    void enter(ConsultantMaster& w, const QString& name, const QString& login, const QString& role, bool yes = true) {
        ts.answer({yes});
        typeInto(w.txt_Name, name);
        keyToFocus(Qt::Key_Return);
        typeKeys(login);
        keyToFocus(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.txt_MobNO);
        typeKeys("98470 12345");
        w.Cmb_TCRole->setCurrentIndex(w.Cmb_TCRole->findText(role));
        QTest::keyClick(w.txt_MobNO, Qt::Key_F3);
    }
};

struct StatusFixture {
    TestSession ts;
    std::unique_ptr<StatusMaster> w;
    StatusFixture() {
        w = std::make_unique<StatusMaster>(ts.session, nullptr, frm_LeadStatus_Config());
        QVERIFY(showActive(*w));
    }
    void enter(const QString& name, const QString& slno, const QString& lock, QList<int> colours, bool yes = true) {
        w->Load_Init();
        typeInto(w->txt_Status, name);
        typeInto(w->txt_SlNO, slno);
        w->lockLists.first()->setCurrentText(lock);
        QLineEdit* fields[] = {w->txt_R, w->txt_G, w->txt_B, w->txt_FR, w->txt_FG, w->txt_FB};
        for (int i = 0; i < 6; ++i)
            typeInto(fields[i], QString::number(colours.value(i)));
        save(yes);
    }
    void save(bool yes = true) {
        ts.answer({yes});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    }
    qint64 leads(const QString& where) { return count(ts.db(), "M_TBL_LEADSTATUS", where); }
};

// Opens the chooser from a button, polling until it is up (it is modal).
Colour_Picker* openPicker(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    for (int i = 0; i < 100 && !qobject_cast<Colour_Picker*>(QApplication::activeModalWidget()); ++i)
        QTest::qWait(20);
    return qobject_cast<Colour_Picker*>(QApplication::activeModalWidget());
}

const QString kPartySaved = u"UPDATION OF PARTY SUCCESSFULLY DONE ..."_s;
const QStringList kPartyTables{"M_TBL_PARTY"};
const QDate kDay1(2024, 3, 10);
const QDate kDay2(2024, 3, 11);

// Types, and INDIA (KERALA: MUNNAR, KOCHI, THEKKADY; GOA: PANAJI), NEPAL (BAGMATI: KATHMANDU).
struct Seeded {
    TestSession ts;
    ScriptedPrompter& p = ts.prompter;
    Seeded() {
        geography(db(), "(1, 'HOTEL'), (2, 'AGENT'), (3, 'CUSTOMER')",
                  "(1, 10, 'KERALA'), (1, 11, 'GOA'), (2, 20, 'BAGMATI')",
                  "(1, 10, 100, 'MUNNAR'), (1, 10, 101, 'KOCHI'), (1, 10, 102, 'THEKKADY'), (1, 11, 110, 'PANAJI'), "
                  "(2, 20, 200, 'KATHMANDU')");
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

struct PartyFixture : Seeded {
    std::unique_ptr<frm_Party> w;
    PartyFixture() {
        w = std::make_unique<frm_Party>(ts.session);
        QVERIFY(showActive(*w));
    }
    void save(QList<bool> answers = {true}) {
        ts.answer(answers);
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
    QStringList counts() const { return rowTexts(w->Grid2->model(), 3); }
};

// The address book's lookups: INDIA (KERALA 1: KOCHI 1, MUNNAR 2; GOA 2: PANAJI 1; CENTRAL 3:
// BHOPAL 1), NEPAL (BAGMATI 1: KATHMANDU 1; CENTRAL 2, the same name under another code:
// MIDTOWN 1), three types and two groups.
void addAddressBookLookups(Database& db) {
    geography(
        db, "(1, 'HOTEL'), (2, 'AGENT'), (3, 'TRANSPORTER')",
        "(1, 1, 'KERALA'), (1, 2, 'GOA'), (1, 3, 'CENTRAL'), (2, 1, 'BAGMATI'), (2, 2, 'CENTRAL')",
        "(1, 1, 1, 'KOCHI'), (1, 1, 2, 'MUNNAR'), (1, 2, 1, 'PANAJI'), (2, 1, 1, 'KATHMANDU'), (1, 3, 1, 'BHOPAL'), "
        "(2, 2, 1, 'MIDTOWN')");
    db.exec("INSERT INTO M_TBL_PARTYGROUP (GROUP_CODE, GROUP_NAME) VALUES (1, 'OTM MUMBAI 2024'), (2, 'SATTE DELHI')");
}

struct Contact {
    qint64 code;
    int type, country, state, place, group;
    QString name, person, mobile;
};

void addContact(Database& db, const Contact& c) {
    db.exec(
        "INSERT INTO M_TBL_ADDRESSBOOK (BUSINESS_CODE, GROUP_CODE, BUSINESS_NAME, BUSINESS_TYPECODE, COUNTRY_CODE, "
        "STATE_CODE, PLACE_CODE, CONT_NAME, MOBILE_NOS, EMAIL_ADDRESS, ADDRESS, CREATED_BY, CREATED_ON) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'CLERK', ?)",
        {c.code, c.group, c.name, c.type, c.country, c.state, c.place, c.person, c.mobile,
         c.person.toLower() + "@example.com", u"STREET %1"_s.arg(c.code), QDateTime(QDate(2024, 3, 5), QTime(10, 30))});
}

const QString kBookSaved = u"UPDATION OF ADDRESSBOOK SUCCESSFULLY DONE ...."_s;
const QString kBookQuestion = u" YOU ARE GOING TO UPDATE ADDRESS BOOK ...\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"_s;

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
        ts.answer({answer});
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_F3);
    }
};

// The codes listed after pressing SHOW.
QStringList show(AddressBookFinder& w) {
    QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
    return column(w.Grid1->model(), 1);
}

}  // namespace

class tst_masters : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        QStandardPaths::setTestModeEnabled(true);
    }

    void countryAndLookupRowsAddedEditedAndKept() {
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
        // A stored code stays (parties point at it); a row added without a code takes the next,
        // shows it and can be edited at once; every letter is stored upper case; Escape in an
        // open cell editor drops what was typed there, the next one closes; closing keeps it; a
        // rate keeps its paise.
        ts.prompter.clear();
        db.exec("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (3, 'HOTEL'), (5, 'AGENT')");
        const QString names = "SELECT PARTY_TYPE FROM M_TBL_PARTYTYPE ORDER BY PARTYTYPE_CODE";
        LookupGridWindow types(ts.session, nullptr, frm_PartyType_Config());
        QVERIFY(showActive(types));
        typeIntoCell(types.grid(), 0, 0, "99");
        keyToFocus(Qt::Key_Down);
        typeIntoCell(types.grid(), 2, 1, u"zürich café"_s);  // on the new-row line
        keyToFocus(Qt::Key_Return);
        QCOMPARE(column(types.model(), 0), QStringList({"3", "5", "6", ""}));
        QCOMPARE(lines(db, names), QStringList({"HOTEL", "AGENT", u"ZÜRICH CAFÉ"_s}));
        typeIntoCell(types.grid(), 2, 1, "guide");
        keyToFocus(Qt::Key_Return);
        for (int row : {0, 3}) {
            typeIntoCell(types.grid(), row, 1, "escapetest");
            keyToFocus(Qt::Key_Escape);
            QVERIFY(types.isVisible());
        }
        keyToFocus(Qt::Key_Escape);
        QVERIFY(!types.isVisible());
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

    // Places first, then states: each level's checks, question and numbering; one default
    // state; an edit keeps the code and the creation stamp.
    void placeThenStateQuestionsOneDefaultAndKeptStamp() {
        TestSession ts;
        Database& db = ts.db();
        seed(db);
        frm_CSP_Place place(ts.session);
        QVERIFY(showActive(place));
        QCOMPARE(
            checkInOrder(ts.prompter, db, kTables,
                         {{"PLEASE SELECT COUNTRY FROM THE LIST ....", [&] { typeInto(place.txt_Name, "MUNNAR"); }},
                          {"PLEASE SELECT STATE FROM THE LIST ....", [&] { chooseIn(place.Cmb_Country, "INDIA"); }},
                          {"PLEASE ENTER PLACE NAME PROPERLY ....",
                           [&] {
                               chooseIn(place.Cmb_State, "KERALA");
                               place.txt_Name->clear();
                           },
                           place.txt_Name}},
                         [&] { QTest::keyClick(&place, Qt::Key_F3); }),
            QString());
        typeInto(place.txt_Name, "Munnar ");
        save(ts, place, false);
        QCOMPARE(ts.prompter.texts(),
                 QStringList({" YOU ARE ABOUT TO UPDATE PLACE .... \n COUNTRY : INDIA\n STATE : KERALA\n"
                              " PLACE : Munnar\n ARE YOU SURE WANT TO PROCEED (Y/N ?"}));
        QCOMPARE(counter(db, "PLACE"), 2);
        save(ts, place);
        QCOMPARE(ts.prompter.texts().last(), "UPDATION OF PLACE SUCCESSFULLY DONE ....");
        QCOMPARE(lines(db, "SELECT COUNTRY_CODE, STATE_CODE, PLACE_NAME FROM M_TBL_CSP_PLACE WHERE PLACE_CODE=3"),
                 QStringList{"1|1|Munnar"});
        QCOMPARE(column(place.Grid1->model(), 1), QStringList({"KOCHI", "Munnar"}));
        chooseIn(place.Cmb_State, "GOA");
        QCOMPARE(column(place.Grid1->model(), 1), QStringList({"PANAJI"}));
        place.close();
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
        QCOMPARE(counter(db, "STATE"), 4);
        // A state loaded and then moved to another country becomes a new state, never a
        // second row under the old code.
        clickCell(w.Grid1, 0, 1);
        QCOMPARE(w.lbl_Code->text(), "2");
        chooseIn(w.Cmb_Country, "NEPAL");
        QCOMPARE(w.lbl_Code->text(), QString());
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"BAGMATI"}));
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

    // Every list opens by its name and lists its rows by code (the tax list in the order the
    // database returns them); Escape closing is the lookup family's own test below.
    void lookupListsGroupSearchAndWebAccessOfLogins() {
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
                QCOMPARE(w->model()->index(taxes.indexOf("2"), 2).data().toString(), u"5.50"_s);
            delete widget;
        }
        QVERIFY(ts.prompter.messages.isEmpty());
        // Search by a pattern as typed: "%" finds every group by name, an empty pattern finds
        // none, a quote is only a character; from the menu (no caller) a chosen row only lists.
        // (The address book's entry shows the code handed to a caller.)
        ts.db().exec(
            "INSERT INTO M_TBL_PARTYGROUP (GROUP_CODE, GROUP_NAME) VALUES (1, 'TRAVEL MART'), "
            "(2, 'ANNUAL MEET'), (3, 'AGENTS'' MEET'), (4, 'BUSINESS TRAVEL')");
        frm_SearchGroupMeet w(ts.session, nullptr, {});
        QVERIFY(showActive(w));
        const auto search = [&](const QString& pattern) {
            w.txt_GroupMeetName->clear();
            QTest::keyClicks(w.txt_GroupMeetName, pattern);
            QTest::keyClick(w.txt_GroupMeetName, Qt::Key_Return);
            return column(w.Grid1->model(), 1);
        };
        QCOMPARE(search(""), QStringList{""});
        QCOMPARE(search("%"), QStringList({"AGENTS' MEET", "ANNUAL MEET", "BUSINESS TRAVEL", "TRAVEL MART"}));
        QCOMPARE(column(w.Grid1->model(), 2), QStringList({"3", "2", "4", "1"}));
        QCOMPARE(search("%meet"), QStringList({"AGENTS' MEET", "ANNUAL MEET"}));
        QCOMPARE(search("' OR '1'='1"), QStringList{""});
        QCOMPARE(search("%travel%"), QStringList({"BUSINESS TRAVEL", "TRAVEL MART"}));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(column(w.Grid1->model(), 1).size(), 2);
        enterOn(w.Grid1, 0, 1);
        QVERIFY(w.isVisible() && ts.prompter.messages.isEmpty());
        ts.db().exec(
            "INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, FULL_NAME, WEB_ACCESS) VALUES "
            "(5, 'asha', 'ASHA MENON', 'N'), (6, 'raj', 'RAJ KUMAR', 'Y')");
        frm_WebAccess web(ts.session, nullptr);
        QVERIFY(showActive(web));
        QTest::keyClick(web.txt_LoginID, Qt::Key_F2);
        QCOMPARE(ts.prompter.texts(), QStringList{"PLEASE ENTER LOGIN CODE PROPERLY ...."});
        QCOMPARE(QApplication::focusWidget(), web.txt_LoginID);
        typeKeys("6x");  // only digits pass
        keyToFocus(Qt::Key_Return);
        QCOMPARE(web.lbl_FullName->text() + " " + web.Cmb_WebAccess->currentText(), "RAJ KUMAR Y");
        QCOMPARE(QApplication::focusWidget(), web.Cmb_WebAccess);
        choose(web.Cmb_WebAccess, "N");
        ts.prompter.clear();
        keyToFocus(Qt::Key_F2);
        QCOMPARE(ts.prompter.texts(), QStringList{"UPDATION SUCCESSFULLY DONE ...."});
        const QString open = "SELECT LOGIN_ID FROM MST_LOGINDETAILS WHERE WEB_ACCESS='Y'";
        QCOMPARE(lines(ts.db(), open), QStringList{});
        // A code that names no login changes nothing and is not reported as done.
        web.txt_LoginID->setText("99");
        web.Show_Record();
        QVERIFY(web.lbl_FullName->text().isEmpty());
        choose(web.Cmb_WebAccess, "Y");
        ts.prompter.clear();
        web.Save_Record();
        QCOMPARE(ts.prompter.texts(), QStringList{"LOGIN CODE NOT FOUND ...."});
        QCOMPARE(lines(ts.db(), open), QStringList{});
    }

    void initAddsTheSetOnce() {
        TestDb t(false);
        Database& db = t.db();
        AdminRun r = runAdmin(t, {u"init"_s});
        QVERIFY2(r.code == 0 && r.out.contains(u"demo data added"_s), qPrintable(r.describe()));
        const auto first = counts(db);
        // The administrator and two demo logins, two consultants, seven parties and the three
        // more of last month's billing.
        QCOMPARE((QList<qint64>{first.value("MST_LOGINDETAILS"), first.value("M_TBL_CONSULTANT"),
                                first.value("M_TBL_PARTY")}),
                 (QList<qint64>{3, 2, 10}));
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
                 (QStringList{"CUSTOMER|3", "HOTEL|2", "TRANSPORTER|2", "TRAVEL AGENT|3"}));
        // Logins: printed, passwords that verify, tied both ways to their consultants, and a
        // consultant's menu: every entry but the administration ones.
        const QStringList denied =
            u"mnu_CompanyProfile mnu_Login mnu_GMR mnu_SmtpServer mnu_DocCode_Maintenance "
            "mnu_DocCode_Acc_Comb mnu_CounterReset mnu_ExpImpMenudetails mnu_ReminderTemplates mnu_SupplierTemplates"_s
                .split(' ');
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
        // Twice: nothing more, and the books pass the check (no counter behind its codes).
        r = runAdmin(t, {u"init"_s});
        QVERIFY2(r.code == 0 && r.out.contains(u"demo data already present"_s), qPrintable(r.describe()));
        QCOMPARE(addDemoData(db).added, false);
        QCOMPARE(counts(db), first);
        r = runAdmin(t, {u"check"_s});
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        QCOMPARE(checkBooks(db).problems, QStringList());
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

    void consultantsOfBothTeamsAndTheirLoginLinks() {
        Fixture f;
        frm_RegdConsultant w(f.ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(checkInOrder(f.ts.prompter, f.ts.db(), {"M_TBL_CONSULTANT", "MST_LOGINDETAILS"},
                              {{"PLEASE ENTER CONSULTANT NAME ....", {}, w.txt_Name},
                               // A login that matches no row, even with a name shown before.
                               {"PLEASE ENTER LOGIN CODE ....",
                                [&] {
                                    typeInto(w.txt_Name, "SUNIL");
                                    w.txt_Login->setText("11");
                                    w.Show_LoginName();
                                    w.txt_Login->setText("99");  // changed without leaving the field
                                },
                                w.txt_Login}},
                              [&] { QTest::keyClick(w.txt_Name, Qt::Key_F3); }),
                 QString());
        QVERIFY(w.lbl_LoginName->text().isEmpty());
        w.pressTool(2);
        f.enter(w, "anil kumar", "11", "ADMIN", false);
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{" YOU ARE ABOUT TO UPDATE CONSULTANT ...\n CONSULTANT NAME : ANIL KUMAR\n"
                             " LOGIN CODE : 11\n LOGIN NAME : ravi\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"});
        QCOMPARE((QList<qint64>{counter(f.ts.db(), "CONSULTANT"), count(f.ts.db(), "M_TBL_CONSULTANT")}),
                 (QList<qint64>{0, 0}));
        f.ts.answer();
        w.pressTool(3);
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(count(f.ts.db(), "M_TBL_CONSULTANT",
                       "CONSULTANT_CODE=1 AND CONSULTANT_NAME='ANIL KUMAR' AND MOBILE_NO='98470 12345' AND "
                       "LOGIN_CODE='11' AND TC_ROLE='ADMIN' AND CREATED_BY='ADMINISTRATOR' AND CREATED_ON IS NOT NULL"),
                 1);
        QCOMPARE(counter(f.ts.db(), "CONSULTANT"), 1);
        QCOMPARE(f.links(), QStringList({"1|", "|"}));
        QCOMPARE(w.lbl_Code->text() + " " + w.lbl_CreatedBy->text(), "1 ADMINISTRATOR");  // shown again
        // The login's link follows the last save: FIRST moved to login 12 takes it, 11 keeps
        // pointing at SECOND.
        w.pressTool(2);
        f.enter(w, "FIRST", "11", "OPERATOR");
        w.pressTool(2);
        QCOMPARE(w.lbl_Code->text(), "0");
        f.enter(w, "SECOND", "11", "OPERATOR");
        QCOMPARE(f.links(), QStringList({"3|", "|"}));
        w.Show_Record(2);
        QCOMPARE(w.txt_Name->text() + " " + w.lbl_LoginName->text(), "FIRST ravi");
        w.txt_Login->setText("12");
        f.ts.answer();
        w.pressTool(3);
        QCOMPARE(f.links(), QStringList({"3|", "2|"}));
        // The consultant and its login link are one commit, whichever statement fails.
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.ts.db(), {"M_TBL_CONSULTANT", "MST_LOGINDETAILS"}, kSaved,
                     [&] {
                         w.pressTool(2);
                         w.txt_Name->setText("THIRD");
                         w.txt_Login->setText("12");
                     },
                     [&] { w.Save_Record(); }),
                 QString());
        QCOMPARE(f.links(), QStringList({"3|", "4|"}));
        // The operations team: its own table, counter and login column; no tour consultant listed.
        frm_Regd_Consultant_OP ops(f.ts.session);
        QVERIFY(showActive(ops) && isBlankRow(ops.Grid1, 0));
        f.enter(ops, "OPS MAN", "12", "OPERATOR");
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(count(f.ts.db(), "M_TBL_CONSULTANT_OP", "CONSULTANT_CODE=1"), 1);
        QCOMPARE((QList<qint64>{counter(f.ts.db(), "CONSULTANT-OP"), counter(f.ts.db(), "CONSULTANT"),
                                count(f.ts.db(), "M_TBL_CONSULTANT")}),
                 (QList<qint64>{1, 4, 4}));
        QCOMPARE(f.links(), QStringList({"3|", "4|1"}));
    }

    void gridFindsNameAnywhereAtMostFifty() {
        Fixture f;
        for (int i = 1; i <= 55; ++i)
            f.add("M_TBL_CONSULTANT", i, u"AGENT %1 KUMAR"_s.arg(i, 2, 10, QChar('0')), "OPERATOR");
        f.add("M_TBL_CONSULTANT", 60, "BINU", "ADMIN", "99");
        frm_RegdConsultant w(f.ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(w.Grid1->rowCount(), 50);
        QCOMPARE(gridText(w.Grid1, 49, 2), "AGENT 50 KUMAR");
        typeInto(w.txt_SrcRecord, "5 kum");
        keyToFocus(Qt::Key_Return);
        QCOMPARE(column(w.Grid1->model(), 2), (QStringList{"AGENT 05 KUMAR", "AGENT 15 KUMAR", "AGENT 25 KUMAR",
                                                           "AGENT 35 KUMAR", "AGENT 45 KUMAR", "AGENT 55 KUMAR"}));
        // A consultant whose login has gone is still shown from the grid (Enter on its row).
        w.txt_SrcRecord->setText("BIN");
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        enterOn(w.Grid1, 0, 2);
        QCOMPARE(
            QStringList({w.lbl_Code->text(), w.txt_Name->text(), w.Cmb_TCRole->currentText(), w.lbl_LoginName->text()}),
            QStringList({"60", "BINU", "ADMIN", ""}));
        QVERIFY(f.ts.prompter.messages.isEmpty());
    }

    void searchesHandTheCodeOverAndTheRoleCheck() {
        Fixture f;
        f.add("M_TBL_CONSULTANT", 4, "RAJESH", "ADMIN");
        f.add("M_TBL_CONSULTANT", 5, "RAMAN", "ADMIN");
        f.add("M_TBL_CONSULTANT_OP", 7, "RAVI OPS", "ADMIN");
        QStringList picked;
        auto pick = [&](const QString& code) { picked << code; };
        QPointer<ConsultantSearch> s = new frm_SearchConsultant(f.ts.session, nullptr, pick);
        s->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(showActive(*s));
        // The pattern is used as typed: without a wildcard only the exact name matches.
        typeInto(s->txt_Name, "ra");
        QTest::mouseClick(s->Cmd_Show, Qt::LeftButton);
        QVERIFY(isBlankRow(s->Grid1, 0));
        typeInto(s->txt_Name, "ra%");
        keyToFocus(Qt::Key_Return);  // Enter in the pattern shows the list
        QCOMPARE(gridText(s->Grid1, 1, 1) + " " + gridText(s->Grid1, 1, 2), "RAMAN 5");
        enterOn(s->Grid1, 1, 1);
        QTRY_VERIFY(!s);  // closed and gone
        s = new frm_SearchConsultant_OP(f.ts.session, nullptr, pick);
        s->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(showActive(*s));
        s->txt_Name->setText("%");
        QTest::mouseClick(s->Cmd_Show, Qt::LeftButton);
        QCOMPARE(s->Grid1->rowCount(), 1);
        s->Grid1->setFocus();
        QTest::keyClick(s->Grid1, Qt::Key_Return);
        QCOMPARE(picked, (QStringList{"5", "7"}));
        QTRY_VERIFY(!s);
        // The role check of the lead windows.
        f.add("M_TBL_CONSULTANT", 1, "BOSS", "ADMIN");
        f.add("M_TBL_CONSULTANT", 2, "AGENT", "OPERATOR");
        f.add("M_TBL_CONSULTANT", 3, "NEWBIE", QString());
        f.add("M_TBL_CONSULTANT", 6, "ODD", "GUEST");
        f.add("M_TBL_CONSULTANT_OP", 9, "OPS", "ADMIN");  // an operations consultant is no tour consultant
        const QString none = "CANNOT PROCEED AS YOU DONT HAVE ANY PERMISSION ...";
        const QString stranger = "CANNOT PROCEED AS YOU ARE NOT REGISTERED AS TOUR CONSULTANT...";
        struct Case {
            int code;
            TCRole role;
            bool save, locked;
            QString refusal;
        };
        for (const Case& c :
             {Case{1, TCRole::Admin, true, false, {}}, Case{2, TCRole::Operator, true, true, {}},
              Case{3, TCRole::NoPermission, false, true, none}, Case{6, TCRole::NoPermission, false, true, none},
              Case{0, TCRole::NotRegistered, false, false, stranger},
              Case{9, TCRole::NotRegistered, false, false, stranger}}) {
            f.ts.session.consultantCode = c.code;
            const TCRoleCheck r = Chk_TCRole(f.ts.session);
            QVERIFY2(r.role == c.role && r.saveAllowed() == c.save && r.consultantLocked() == c.locked &&
                         r.refusal() == c.refusal && r.consultantCode == c.code,
                     qPrintable(QString::number(c.code)));
        }
        QCOMPARE(Chk_TCRole(f.ts.db(), 1).consultantName, "BOSS");
    }

    void leadStatusColoursChecksAndSavedAgain() {
        StatusFixture f;
        auto* w = f.w.get();
        // The colour chooser hands the colour back to the status's fields.
        Colour_Picker* p = openPicker(w->Cmb_PickColor);
        QVERIFY(p && p->isModal());
        // 300 is refused with the range message; the field goes back.
        typeInto(p->R_Value, "300");
        QCOMPARE(f.ts.prompter.texts(), QStringList{"Invalid value. Range must be within (0-255)."});
        QCOMPARE(p->R_Value->text() + " " + QString::number(p->R_Slider->value()), "30 30");  // "30" passed
        typeInto(p->B_Value, "x7");  // letters never reach a field
        QCOMPARE(p->B_Value->text() + " " + QString::number(p->B_Slider->value()), "7 7");
        f.ts.prompter.clear();
        typeInto(p->G_Value, "999");
        QCOMPARE(f.ts.prompter.texts(), QStringList{"Invalid value. Range must be within (0-255)."});
        // A slider sets its field and the selected colour; a click on the palette takes its pixel.
        p->G_Slider->setValue(64);
        QCOMPARE(p->G_Value->text(), "64");
        QCOMPARE(p->pic_Selected->palette().color(QPalette::Window), QColor(30, 64, 7));
        const QPoint at(40, 120);
        const QColor pixel = p->pic_Palette->image().pixelColor(at);
        QTest::mouseClick(p->pic_Palette, Qt::LeftButton, {}, at);
        QCOMPARE(p->colour(), pixel);
        QCOMPARE(p->B_Slider->value(), pixel.blue());
        // The simplified view hides the palette.
        QTest::mouseClick(p->Cmd_View, Qt::LeftButton);
        QVERIFY(!p->pic_Palette->isVisible());
        QTest::mouseClick(p->Cmd_View, Qt::LeftButton);
        QVERIFY(p->pic_Palette->isVisible());
        QTest::mouseClick(p->Cmd_OK, Qt::LeftButton);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(QStringList({w->txt_R->text(), w->txt_G->text(), w->txt_B->text(), w->txt_FR->text()}),
                 QStringList({QString::number(pixel.red()), QString::number(pixel.green()),
                              QString::number(pixel.blue()), ""}));
        // The fore colour by Apply; Cancel writes nothing.
        const std::pair<bool, QColor> tries[] = {{false, QColor(10, 20, 30)}, {true, QColor(1, 1, 1)}};
        for (const auto& [cancel, colour] : tries) {
            p = openPicker(w->Cmb_PickColor2);
            QVERIFY(p);
            p->setColour(colour);
            QTest::mouseClick(cancel ? p->Cmd_Cancel : p->Cmd_Apply, Qt::LeftButton);
            QTRY_VERIFY(!QApplication::activeModalWidget());
        }
        QCOMPARE(w->txt_FR->text() + "," + w->txt_FG->text() + "," + w->txt_FB->text(), "10,20,30");
        QCOMPARE(checkInOrder(f.ts.prompter, f.ts.db(), {"M_TBL_LEADSTATUS"},
                              {{"PLEASE ENTER LEAD STATUS TYPE ....", {}, w->txt_Status}},
                              [&] { QTest::keyClick(w->txt_SlNO, Qt::Key_F3); }),
                 QString());
        // (The question and the number after Yes: statusMembersNumberAfterYesAndKeepTheirFlags.)
        f.enter("booked", "3", "Y", {255, 255, 0, 0, 0, 128});
        QCOMPARE(f.ts.prompter.texts().last(), kLeadSaved);
        QCOMPARE(w->lbl_Code->text(), "1");
        QCOMPARE(lines(f.ts.db(),
                       "SELECT LEAD_SLNO, RGB_COLOR, L_BLUE, RGB_COLOR_F, L_F_BLUE, CREATED_BY, UPDATE_BY, "
                       "CASE WHEN CREATED_ON IS NULL THEN 0 ELSE 1 END FROM M_TBL_LEADSTATUS"),
                 QStringList{"3|255,255,0|0|0,0,128|128|ADMINISTRATOR|ADMINISTRATOR|1"});
        // The grid row is painted in the status's own colours.
        const int row = rowOf(w->Grid1->model(), 1, "BOOKED");
        QCOMPARE(w->Grid1->item(row, 0)->background().color(), QColor(255, 255, 0));
        QCOMPARE(w->Grid1->item(row, 1)->foreground().color(), QColor(0, 0, 128));
        // Saved again: same code, no new number, creation kept.
        const QVariant created = f.ts.db().scalar("SELECT CREATED_ON FROM M_TBL_LEADSTATUS");
        w->txt_Status->setText("BOOKED TOUR");
        f.save();
        QCOMPARE((QList<qint64>{counter(f.ts.db(), "LEADSTAT"), f.leads("LEAD_STATUS='BOOKED TOUR'")}),
                 (QList<qint64>{1, 1}));
        QCOMPARE(f.ts.db().scalar("SELECT CREATED_ON FROM M_TBL_LEADSTATUS"), created);
        // Empty colour fields are stored as 0; listed by LEAD_SLNO.
        f.enter("open", "1", "N", {1, 2, 3, 4, 5, 6}, false);
        w->txt_G->clear();
        w->txt_FR->clear();
        f.save();
        QCOMPARE(f.leads("LEADSTATUS_CODE=2 AND RGB_COLOR='1,0,3' AND RGB_COLOR_F='0,5,6'"), 1);
        QCOMPARE(column(w->Grid1->model(), 1).mid(0, 2), QStringList({"OPEN", "BOOKED TOUR"}));
    }

    void onlyOneLeadStatusHoldsTheLockAllOrNothing() {
        StatusFixture f;
        auto* w = f.w.get();
        f.enter("booked", "1", "Y", {255, 255, 0});
        f.enter("confirmed", "2", "Y", {0, 255, 0});
        f.enter("lost", "3", "N", {255, 0, 0, 255, 255, 255});
        QCOMPARE(lines(f.ts.db(), "SELECT LEADSTATUS_CODE FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'"),
                 QStringList{"2"});
        // A single click loads nothing; a double click loads the row; Y takes the lock back.
        const QPoint at =
            w->Grid1->visualRect(w->Grid1->model()->index(rowOf(w->Grid1->model(), 1, "BOOKED"), 1)).center();
        QTest::mouseClick(w->Grid1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(w->code(), 3);
        QTest::mouseDClick(w->Grid1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(QStringList({w->lbl_Code->text(), w->txt_Status->text(), w->lockLists.first()->currentText(),
                              w->txt_G->text(), w->lbl_CreatedBy->text()}),
                 QStringList({"1", "BOOKED", "N", "255", "ADMINISTRATOR"}));
        w->lockLists.first()->setCurrentText("Y");
        f.save();
        QCOMPARE(lines(f.ts.db(), "SELECT LEADSTATUS_CODE FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'"),
                 QStringList{"1"});
        // Enter on a grid row loads it too; F2 clears for a new status.
        enterOn(w->Grid1, rowOf(w->Grid1->model(), 1, "LOST"), 1);
        QCOMPARE(w->code(), 3);
        QTest::keyClick(w->Grid1, Qt::Key_F2);
        QVERIFY(w->code() == 0 && w->txt_Status->text().isEmpty() && w->lbl_Code->text().isEmpty());
        // A new status taking the lock: its number, its row and the other lock's clearing are
        // kept together or not at all.
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.ts.db(), {"M_TBL_LEADSTATUS"}, kLeadSaved,
                     [&] {
                         w->Load_Init();
                         typeInto(w->txt_Status, "quoted");
                         typeInto(w->txt_SlNO, "4");
                         w->lockLists.first()->setCurrentText("Y");
                     },
                     [&] { w->Save_Record(); }),
                 QString());
        QCOMPARE(lines(f.ts.db(), "SELECT LEADSTATUS_CODE FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'"),
                 QStringList{"4"});
    }

    // Each member of the status family asks its question, takes a number from its own counter
    // only after Yes and stores each of its flags; only the lead's first flag is held by one
    // status at a time (a booking's locks are not exclusive).
    void statusMembersNumberAfterYesAndKeepTheirFlags() {
        struct Case {
            StatusMasterConfig cfg;
            QString table, counter, subject;
            QString flags;         // typed into the flag lists in turn
            qint64 holdFirstFlag;  // statuses holding the first flag after two saves
        };
        for (const Case& c :
             {Case{frm_LeadStatus_Config(), "M_TBL_LEADSTATUS", "LEADSTAT", "LEAD", "Y", 1},
              Case{frm_HotelStatus_Config(), "M_TBL_HOTELSTATUS", "HOTLSTAT", "HOTEL", "Y", 2},
              Case{frm_CBPTSTATUS_Config(), "M_TBL_CBPT_STATUS", "CBPTSTAT", "CBPT", "YNYNNNNY", 2},
              Case{frm_CBPTSTATUS_OPS_Config(), "M_TBL_CBPT_STATUS_OPS", "CBPTSTAT_OPS", "CBPT", "", 0}}) {
            TestSession ts;
            StatusMaster w(ts.session, nullptr, c.cfg);
            QVERIFY(showActive(w));
            QCOMPARE(w.lockLists.size(), c.flags.size());
            const auto enter = [&](const QString& name, bool yes) {
                w.Load_Init();
                typeInto(w.txt_Status, name);
                typeInto(w.txt_SlNO, "1");
                typeInto(w.txt_R, "200");
                for (int i = 0; i < c.flags.size(); ++i)
                    w.lockLists.at(i)->setCurrentText(c.flags.at(i));
                save(ts, w, yes);
            };
            enter("closed", false);
            const QString question = " YOU ARE ABOUT TO UPDATUS " + c.subject +
                                     " STATUS \n STATUS : CLOSED\n ARE YOU SURE WANT TO PROCEED (Y/N) ?";
            QCOMPARE(ts.prompter.texts(), QStringList{question});
            QCOMPARE((QList<qint64>{count(ts.db(), c.table), counter(ts.db(), c.counter)}), (QList<qint64>{0, 0}));
            save(ts, w);
            QCOMPARE(ts.prompter.texts(), (QStringList{question, c.subject + " STATUS SUCCESSFULLY UPDATED ....."}));
            QStringList columns{c.cfg.keyColumn, c.cfg.nameColumn, "RGB_COLOR"};
            for (const StatusLockFlag& f : c.cfg.locks)
                columns << f.column;
            QCOMPARE(
                lines(ts.db(), "SELECT " + columns.join(',') + " FROM " + c.table),
                QStringList{(QStringList{"1", "CLOSED", "200,0,0"} + c.flags.split("", Qt::SkipEmptyParts)).join('|')});
            enter("on tour", true);
            QCOMPARE(counter(ts.db(), c.counter), 2);
            if (!c.flags.isEmpty())
                QCOMPARE(count(ts.db(), c.table, c.cfg.locks.first().column + "='Y'"), c.holdFirstFlag);
        }
    }

    // A supplier's periods are typed as whole days (nothing beyond 999, no sign), saved with
    // the party and shown again; a period left empty is no period (NULL), not 0.
    void partyPeriodsSavedWithParty() {
        struct Case {
            QString credit, option, freeCancel;
            QString stored;  // CREDIT_DAYS|OPTION_DAYS|FREECNCL_DAYS, -1 for NULL
        };
        const QList<Case> cases{{"30", "8", "15", "30|8|15"}, {"0", "", "2", "0|-1|2"}, {"", "", "", "-1|-1|-1"}};
        for (const Case& c : cases) {
            PartyFixture f;
            f.fill("HILL RESORT");
            typeInto(f.w->txt_CreditDays, "-" + c.credit + "9999");  // the sign and a fourth digit refused
            QCOMPARE(f.w->txt_CreditDays->text(), (c.credit + "999").left(3));
            for (QLineEdit* e : {f.w->txt_CreditDays, f.w->txt_OptionDays, f.w->txt_FreeCancelDays})
                e->clear();
            typeInto(f.w->txt_CreditDays, c.credit);
            typeInto(f.w->txt_OptionDays, c.option);
            typeInto(f.w->txt_FreeCancelDays, c.freeCancel);
            f.save({true});
            const qint64 code = f.w->lbl_PartyCode->text().toLongLong();
            QVERIFY(code > 0);
            QCOMPARE(lines(f.db(),
                           "SELECT COALESCE(CREDIT_DAYS,-1), COALESCE(OPTION_DAYS,-1), COALESCE(FREECNCL_DAYS,-1) "
                           "FROM M_TBL_PARTY WHERE PARTY_CODE=?",
                           {code}),
                     QStringList{c.stored});
            f.w->Load_Init();
            f.w->Show_Record(code);
            QCOMPARE(
                f.w->txt_CreditDays->text() + "|" + f.w->txt_OptionDays->text() + "|" + f.w->txt_FreeCancelDays->text(),
                QString(c.stored).replace("-1", ""));
        }
    }

    void checksInOrderThenCounterOnlyAfterYes() {
        PartyFixture f;
        auto* w = f.w.get();
        f.db().exec("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 41)");
        // New: code 0, each list on its first item, the location chain followed through.
        QCOMPARE(QStringList({w->lbl_PartyCode->text(), w->lbl_PartyTypeCode->text(), w->lbl_CountryCode->text(),
                              w->lbl_StateCode->text(), w->lbl_PlaceCode->text()}),
                 QStringList({"0", "2", "1", "11", "110"}));
        QVERIFY(!w->tool(5)->isEnabled());
        QCOMPARE(checkInOrder(
                     f.p, f.db(), kPartyTables,
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
        QCOMPARE((QList<qint64>{count(f.db(), "M_TBL_PARTY"), counter(f.db(), "PARTY")}), (QList<qint64>{0, 41}));
        f.save();
        QCOMPARE(f.p.texts(), (QStringList{question, kPartySaved}));
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
        PartyFixture f;
        QCOMPARE(
            checkAtomic(
                f.p, f.db(), kPartyTables, kPartySaved, [&] { f.fill("ATOMIC TRAVELS"); }, [&] { f.w->Save_Record(); }),
            QString());
        QCOMPARE(lines(f.db(), "SELECT PARTY_CODE, PARTY_NAME FROM M_TBL_PARTY"), QStringList{"1|ATOMIC TRAVELS"});
        f.insertParty(7, "HILL VIEW", "N", QString());
        f.db().exec("UPDATE MST_COUNTER SET COUNTER=7 WHERE CODE='PARTY'");
        f.w->Show_Record(7);
        f.save();
        QVERIFY(f.p.texts().size() == 2 && f.p.texts().last() == kPartySaved);  // its own name: no warning
        const QString warning =
            " PARTY NAME ALREADY EXISTS ....\n PARTY NAME : HILL VIEW\n PARTY CODE : 7\n"
            " ARE YOU SURE WANT TO PROCEED (Y/N) ?";
        f.fill("hill view ");
        f.save({false});
        QCOMPARE(f.p.texts(), QStringList{warning});
        QCOMPARE(QApplication::focusWidget(), f.w->txt_PartyName);
        QCOMPARE((QList<qint64>{count(f.db(), "M_TBL_PARTY"), counter(f.db(), "PARTY")}), (QList<qint64>{2, 7}));
        f.save({true, true});
        QVERIFY(f.p.texts().size() == 3 && f.p.texts().first() == warning && f.p.texts().last() == kPartySaved);
        QCOMPARE(count(f.db(), "M_TBL_PARTY", "PARTY_NAME='HILL VIEW'"), 2);
        f.db().exec("UPDATE MST_COUNTER SET COUNTER=6 WHERE CODE='PARTY'");  // the next code, 7, is in use
        f.fill("NEWCOMER");
        f.save();
        QVERIFY(f.p.texts().size() == 2 && f.p.texts().at(1) != kPartySaved);
        QCOMPARE(count(f.db(), "M_TBL_PARTY", "PARTY_CODE=7 AND PARTY_NAME='HILL VIEW' AND CREATED_BY='OLD USER'"), 1);
        QVERIFY(counter(f.db(), "PARTY") == 6 && f.w->lbl_PartyCode->text() == "0");
        f.db().exec("UPDATE MST_COUNTER SET COUNTER=8 WHERE CODE='PARTY'");
        f.save();
        QCOMPARE(f.p.texts().last(), kPartySaved);
        QCOMPARE(f.w->lbl_PartyCode->text(), "9");
    }

    // Through the picker: the creation and password kept, the web-access button following what
    // is stored; the web password stored trimmed, never shown, touching nothing else.
    void editThroughPickerThenWebPassword() {
        PartyFixture f;
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
        enterOn(search->Grid1, 0, 1);
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
        QCOMPARE(f.p.texts().last(), kPartySaved);
        QCOMPARE((QList<qint64>{count(f.db(), "M_TBL_PARTY"), counter(f.db(), "PARTY")}), (QList<qint64>{2, 8}));
        QCOMPARE(count(f.db(), "M_TBL_PARTY",
                       "PARTY_CODE=7 AND WEB_ACCESS='N' AND PERSON_NAME='TENZING' AND CREATED_BY='OLD USER' AND "
                       "UPDATE_BY='ADMINISTRATOR' AND PARTY_PASSWORD='Kathmandu#1'"),
                 1);
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
            f.ts.answer(answers);
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
        // Without "%" a whole value first, else the values containing the text; nothing found is said.
        const std::vector<std::tuple<QLineEdit*, QString, QStringList>> cases{
            {w->txt_PartyName, "NOTHING", {}},
            {w->txt_PartyName, "tea", {"3", "1"}},  // no whole name: those containing it
            {w->txt_PartyName, "tea county", {"3"}},
            {w->txt_PartyName, "%", {"2", "3", "1"}},  // by name; the party without its place never appears
            {w->txt_PartyName, "GHOST%", {}},          // a pattern is never widened
            {w->txt_PartyName, "o'brien%", {"2"}},     // a quote is only a character of the pattern
            {w->txt_PartyName, "x' OR '1'='1", {}},
            {w->txt_ContPerson, "%o'brien", {"2"}},
            {w->txt_MobileNos, "98470%", {"2", "1"}},
            {w->txt_MobileNos, "2333", {"3"}},
            {w->txt_EmailAdd, "%.in", {"3", "1"}},
            {w->txt_PartyCode, "3", {"3"}},
            {w->txt_PartyCode, "4", {}},
            {w->txt_TypePlace, "hotel kochi", {"3"}},  // the type, one blank, the place
            {w->txt_TypePlace, "KOCHI", {"2", "3"}},
        };
        for (const auto& [field, pattern, codes] : cases) {
            f.p.clear();
            QVERIFY2(f.search(field, pattern) == codes, qPrintable(pattern));
            QCOMPARE(f.p.texts(), codes.isEmpty() ? QStringList{"SORRY NO RECORDS FOUND ...."} : QStringList{});
        }
        f.search(w->txt_PartyName, "county");
        QVERIFY(w->lbl_Hint->text().contains("CONTAINING"));  // the hint says what the rows are
        shoot(*w, "frm_Search_Party_contains");
        // The show button searches by the chosen key; a code that is no number finds nothing.
        f.p.clear();
        w->Opt_PartyCode->setChecked(true);
        w->txt_PartyCode->setText("1 OR 1=1");
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(column(w->Grid1->model(), 0), QStringList{});
        QCOMPARE(f.p.texts().size(), qsizetype(1));
        f.p.clear();
        enterOn(w->Grid1, 0, 0);  // an empty grid offers nothing
        QVERIFY(f.picked.isEmpty() && w->isVisible() && f.p.messages.isEmpty());
        // Every column of a row, and never the password.
        f.search(w->txt_PartyName, "TEA VALLEY RESORT");
        QCOMPARE(rowTexts(w->Grid1->model(), w->Grid1->columnCount(), "|"),
                 QStringList{"1|TEA VALLEY RESORT|JOSE|9847011111|stay@teavalley.in|MUNNAR|KERALA|INDIA|"
                             "ASHA - 01/02/2024 10:30:00|RAJ - 09/02/2024 17:05:09"});
        f.search(w->txt_PartyName, "TEA%");
        clickCell(w->Grid1, 1, 1);
        QVERIFY(f.picked.isEmpty());  // a single click only chooses the row
        QTest::mouseDClick(w->Grid1->viewport(), Qt::LeftButton, {},
                           w->Grid1->visualRect(w->Grid1->model()->index(1, 1)).center());
        QCOMPARE(f.picked, QStringList{"1"});
        QVERIFY(!w->isVisible());
        SearchFixture g;  // Enter picks the current row
        g.search(g.w->txt_PartyName, "%");
        enterOn(g.w->Grid1, 1, 0);
        QCOMPARE(g.picked, QStringList{"3"});
        SearchFixture menu(false);  // from the menu it only lists
        menu.search(menu.w->txt_PartyName, "%");
        QVERIFY(!menu.w->pickRow(0) && menu.w->isVisible());
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
        // The export writes the rows listed, never a password.
        w->txt_State->clear();
        f.show(kDay2, kDay2);
        const QString path = f.ts.t.dir() + "/parties.xls";
        f.ts.prompter.paths = {path};
        f.p.clear();  // the empty lists above said so
        QTest::mouseClick(w->Cmd_Export, Qt::LeftButton);
        QCOMPARE(f.p.texts(), QStringList{"Successfully Export to " + path});
        const QString text = QString::fromUtf8(contentsOf(path));
        const QStringList rows = text.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows.at(1).startsWith("\"5\"\t\"AGENT\"\t\"LAST INSTANT\"") && !text.contains("hidden-pw"));
        // A party saved now through the party window is listed for today.
        f.db().exec("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 6)");
        frm_Party party(f.ts.session);
        party.txt_PartyName->setText("REGISTERED TODAY");
        party.txt_ContPerson->setText("P");
        party.txt_MobileNOs->setText("1");
        f.p.answers = {true};
        party.Save_Record();
        QCOMPARE(f.p.texts().last(), kPartySaved);
        QCOMPARE(f.show(QDate::currentDate(), QDate::currentDate()), QStringList{"7"});
    }

    void entryChecksNumbersListsAndUpdate() {
        BookFixture f;
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
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
        w.txt_GroupCode->setText("2");  // looked up by the save
        w.txt_PersonName->setText("JOSE");
        w.txt_Email->setText("stay@teavalley.in");
        w.txt_WebAdd->setText("www.teavalley.in");
        w.txt_FBAdd->setText("fb.com/teavalley");
        w.txt_Address->setPlainText("CHITHIRAPURAM\nMUNNAR");
        w.txt_Remarks->setPlainText("MET AT STALL 14");
        f.save(w, false);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kBookQuestion});
        QCOMPARE((QList<qint64>{counter(f.ts.db(), "ADDBOOK"), count(f.ts.db(), "M_TBL_ADDRESSBOOK")}),
                 (QList<qint64>{0, 0}));
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
        QCOMPARE((QList<qint64>{counter(f.ts.db(), "ADDBOOK"), count(f.ts.db(), "M_TBL_ADDRESSBOOK")}),
                 (QList<qint64>{7, 3}));
    }

    void addressBookSearchesFindersAndListing() {
        BookFixture f(true);
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
        QTest::mouseClick(w.Cmd_SrcGroupName, Qt::LeftButton);
        auto* groups = w.findChild<frm_SearchGroupMeet*>();
        QVERIFY(groups && QTest::qWaitForWindowExposed(groups));
        groups->txt_GroupMeetName->setText("SATTE%");
        groups->Load_Grid1();
        enterOn(groups->Grid1, 0, 1);
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
        enterOn(search->Grid1, 0, 3);
        QCOMPARE(QStringList({w.lbl_Code->text(), w.txt_BusinessName->text(), w.Cmb_Place->currentText()}),
                 QStringList({"3", "HILL VIEW", "MUNNAR"}));
        QTRY_VERIFY(!search);
        frm_Search_AddressBook finder(f.ts.session, nullptr);
        QVERIFY(showActive(finder));
        QCOMPARE(items(finder.Cmb_Type), (QStringList{"%", "AGENT", "HOTEL", "TRANSPORTER"}));
        // One pattern over country, state, place, name and type, joined by single spaces (not
        // the group); ordered by type, country, state, place, name.
        for (const auto& [pattern, codes] : std::vector<std::pair<QString, QStringList>>{
                 {"%SATTE%", {}}, {"%KERALA MUNNAR HILL%", {"3"}}, {"%KOCHI%", {"2", "1"}}}) {
            finder.txt_Desc->setText(pattern);
            QCOMPARE(show(finder), codes);
        }
        QCOMPARE(
            QStringList({gridText(finder.Grid1, 0, 2), gridText(finder.Grid1, 0, 6), gridText(finder.Grid1, 1, 9)}),
            QStringList({"AGENT", "MUNNAR", "CLERK - 05/03/2024 10:30:00"}));
        QTest::mouseClick(finder.Option2, Qt::LeftButton);
        finder.txt_ContNO->setText("%98470%");
        QCOMPARE(show(finder), (QStringList{"2", "5"}));
        // By type: "%" for every type, but the exact country, state and place.
        QTest::mouseClick(finder.Option3, Qt::LeftButton);
        choose(finder.Cmb_State, "KERALA");
        QCOMPARE(items(finder.Cmb_Place), (QStringList{"KOCHI", "MUNNAR"}));
        choose(finder.Cmb_Place, "MUNNAR");
        QCOMPARE(show(finder), (QStringList{"2", "3"}));
        choose(finder.Cmb_Type, "HOTEL");
        QCOMPARE(show(finder), QStringList{"3"});
        choose(finder.Cmb_Country, "NEPAL");  // its first state and place: BAGMATI, KATHMANDU
        QCOMPARE(finder.Cmb_Place->currentText(), "KATHMANDU");
        QCOMPARE(show(finder), QStringList{});
        // Opened from the menu, choosing a row hands nothing over and the search stays.
        finder.Grid1->setFocus();
        QTest::keyClick(finder.Grid1, Qt::Key_Return);
        QVERIFY(finder.isVisible() && f.ts.prompter.messages.isEmpty());
        frm_LstAddressBook listing(f.ts.session, nullptr);
        QVERIFY(showActive(listing));
        QCOMPARE(items(listing.Cmb_Country), (QStringList{"%", "INDIA", "NEPAL"}));
        QCOMPARE(items(listing.Cmb_State), QStringList{"%"});
        // "%" in type, country, state and place lists every contact; narrowed by country and
        // state with the place left at "%".
        QTest::mouseClick(listing.Option3, Qt::LeftButton);
        QCOMPARE(show(listing), (QStringList{"2", "5", "1", "3", "4"}));
        QCOMPARE(
            QStringList({gridText(listing.Grid1, 0, 2), gridText(listing.Grid1, 0, 7), gridText(listing.Grid1, 0, 8)}),
            QStringList({"SATTE DELHI", "anu@example.com", "STREET 2"}));
        choose(listing.Cmb_Country, "INDIA");
        choose(listing.Cmb_State, "KERALA");
        QCOMPARE(items(listing.Cmb_Place), (QStringList{"%", "KOCHI", "MUNNAR"}));
        QCOMPARE(show(listing), (QStringList{"2", "1", "3"}));
        // The listing's description also reaches the group name.
        QTest::mouseClick(listing.Option1, Qt::LeftButton);
        listing.txt_Desc->setText("%SATTE%");
        QCOMPARE(show(listing), (QStringList{"2", "4"}));
        // By group / meet code; Enter shows the group's name.
        QTest::mouseClick(listing.Option4, Qt::LeftButton);
        typeInto(listing.txt_GroupCode, "1");
        keyToFocus(Qt::Key_Return);
        QCOMPARE(listing.lbl_GroupName->text(), "OTM MUMBAI 2024");
        QCOMPARE(show(listing), (QStringList{"5", "1", "3"}));
        QTest::mouseClick(listing.Option2, Qt::LeftButton);
        listing.txt_ContNO->setText("%0484%");
        QCOMPARE(show(listing), QStringList{"1"});
        // (A listing's export writes the rows listed: registrationRangeFiltersAndExport, tst_kit.)
        // Choosing a row shows the contact in the entry window; the listing stays.
        enterOn(listing.Grid1, 0, 4);
        frm_AddressBook* entry = listing.entryWindow();
        QVERIFY(entry && entry->isVisible() && listing.isVisible());
        QCOMPARE(entry->txt_BusinessName->text(), "CASINO HOTEL");
        entry->close();
    }
};

QTEST_MAIN(tst_masters)
#include "tst_masters.moc"
