// The address book: the entry window (ordered checks, numbering after Yes, lists that follow
// each choice, showing and updating a contact, the group and contact searches) and the
// finders (every search mode, "%" lists, the group option, hand-off and export).
#include "data/Numbering.h"
#include "masters/AddressBook.h"
#include "masters/AddressBookFinder.h"
#include "masters/frm_SearchGroupMeet.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "tst_addressbook_data.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kSaved = QStringLiteral("UPDATION OF ADDRESSBOOK SUCCESSFULLY DONE ....");
const QString kQuestion =
    QStringLiteral(" YOU ARE GOING TO UPDATE ADDRESS BOOK ...\n ARE YOU SURE WANT TO PROCEED (Y/N) ?");

struct Fixture {
    TestSession ts;
    explicit Fixture(bool contacts = false) {
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

// The codes listed after pressing SHOW.
QStringList show(AddressBookFinder& w) {
    QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
    return column(w.Grid1->model(), 1);
}

}  // namespace

class tst_addressbook : public QObject {
    Q_OBJECT
private slots:
    void entryChecksInOrderThenNumbersOnlyAfterYes() {
        Fixture f;
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
        QCOMPARE(f.ts.prompter.texts(), QStringList{kQuestion});
        QCOMPARE(counter(f.ts.db(), "ADDBOOK"), 0);
        QCOMPARE(count(f.ts.db(), "M_TBL_ADDRESSBOOK"), 0);

        f.save(w, true);
        QCOMPARE(f.ts.prompter.texts(), (QStringList{kQuestion, kSaved}));
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
    }

    void entryListsFollowTheCountryAndAnUpdateKeepsTheCodes() {
        Fixture f;
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
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
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(count(f.ts.db(), "M_TBL_ADDRESSBOOK",
                       "BUSINESS_CODE=1 AND COUNTRY_CODE=2 AND STATE_CODE=2 AND "
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
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(count(f.ts.db(), "M_TBL_ADDRESSBOOK",
                       "BUSINESS_CODE=7 AND MOBILE_NOS='98220 22222' AND PLACE_CODE=1 AND "
                       "STATE_CODE=2 AND CREATED_BY='CLERK' AND UPDATE_BY='ADMINISTRATOR'"),
                 1);
        QCOMPARE(counter(f.ts.db(), "ADDBOOK"), 7);
        QCOMPARE(count(f.ts.db(), "M_TBL_ADDRESSBOOK"), 2);
    }

    void entrySearchesHandTheirCodesBack() {
        Fixture f(true);
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
        QTest::mouseClick(w.Cmd_SrcGroupName, Qt::LeftButton);
        auto* groups = w.findChild<frm_SearchGroupMeet*>();
        QVERIFY(groups && QTest::qWaitForWindowExposed(groups));
        groups->txt_GroupMeetName->setText("SATTE%");
        groups->Load_Grid1();
        groups->Grid1->setFocus();
        groups->Grid1->setCurrentCell(0, 1);
        QTest::keyClick(groups->Grid1, Qt::Key_Return);
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
        search->Grid1->setFocus();
        search->Grid1->setCurrentCell(0, 3);
        QTest::keyClick(search->Grid1, Qt::Key_Return);
        QCOMPARE(QStringList({w.lbl_Code->text(), w.txt_BusinessName->text(), w.Cmb_Place->currentText()}),
                 QStringList({"3", "HILL VIEW", "MUNNAR"}));
        QTRY_VERIFY(!search);
    }

    void searchByDescriptionNumberAndType() {
        Fixture f(true);
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
        Fixture f(true);
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
        QTemporaryDir dir;
        const QString path = dir.filePath("contacts.xls");
        setSavePathProvider([&](QWidget*, const QString&, const QString&, QString*) { return path; });
        QTest::mouseClick(w.Cmd_ExpXls, Qt::LeftButton);
        setSavePathProvider({});
        QCOMPARE(f.ts.prompter.texts(), QStringList{"Successfully Export to " + path});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\"1\"\t\"1\"\t\"OTM MUMBAI 2024\"\t\"HOTEL\"\t\"CASINO HOTEL\""));

        // Choosing a row shows the contact in the entry window; the listing stays.
        w.Grid1->setFocus();
        w.Grid1->setCurrentCell(0, 4);
        QTest::keyClick(w.Grid1, Qt::Key_Return);
        frm_AddressBook* entry = w.entryWindow();
        QVERIFY(entry && entry->isVisible() && w.isVisible());
        QCOMPARE(entry->txt_BusinessName->text(), "CASINO HOTEL");
        entry->close();
    }
};

QTEST_MAIN(tst_addressbook)
#include "tst_addressbook.moc"
