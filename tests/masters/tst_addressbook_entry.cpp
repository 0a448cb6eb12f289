// The address-book entry window: ordered checks, numbering after Yes, the lists that follow
// each choice, showing and updating a contact, the group hand-off and the search from F4.
#include "support/Drive.h"
#include "data/Numbering.h"
#include "masters/AddressBook.h"
#include "masters/AddressBookFinder.h"
#include "masters/frm_SearchGroupMeet.h"
#include "shell/kit/GridHelpers.h"
#include "tst_addressbook_data.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kSaved = QStringLiteral("UPDATION OF ADDRESSBOOK SUCCESSFULLY DONE ....");
const QString kQuestion = QStringLiteral(" YOU ARE GOING TO UPDATE ADDRESS BOOK ...\n ARE YOU SURE WANT TO PROCEED (Y/N) ?");

struct Fixture {
    TestSession ts;
    Fixture() { addAddressBookLookups(ts.db()); }
    qint64 counter() {
        return ts.db().scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE='ADDBOOK'")).toLongLong();
    }
    std::optional<QSqlRecord> row(qint64 code) {
        return ts.db().firstRow(QStringLiteral("SELECT * FROM M_TBL_ADDRESSBOOK WHERE BUSINESS_CODE=?"), {code});
    }
    // Presses F3 and returns the one message it showed.
    QString save(frm_AddressBook& w) {
        ts.prompter.messages.clear();  // the scripted answers stay
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(&w), Qt::Key_F3);
        return ts.prompter.texts().value(0);
    }
};

}  // namespace

class tst_addressbook_entry : public QObject {
    Q_OBJECT
private slots:
    void checksInOrderThenNumbersOnlyAfterYes() {
        Fixture f;
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("MAINTAIN ADDRESS BOOK"));
        QCOMPARE(items(w.Cmb_Type), (QStringList{"AGENT", "HOTEL", "TRANSPORTER"}));
        QCOMPARE(items(w.Cmb_Country), (QStringList{"INDIA", "NEPAL"}));
        QCOMPARE(w.Cmb_Type->currentIndex(), -1);

        QCOMPARE(f.save(w), QStringLiteral("CANNOT PROCEED PLEASE SELECT BUSINESS PROPERLY ...."));
        QCOMPARE(QApplication::focusWidget(), w.Cmb_Type);
        choose(w.Cmb_Type, QStringLiteral("HOTEL"));
        QCOMPARE(f.save(w), QStringLiteral("CANNOT PROCEED PLEASE SELECT COUNTRY PROPERLY ...."));
        choose(w.Cmb_Country, QStringLiteral("INDIA"));
        QCOMPARE(items(w.Cmb_State), (QStringList{"CENTRAL", "GOA", "KERALA"}));
        QCOMPARE(f.save(w), QStringLiteral("CANNOT PROCEED PLEASE SELECT STATE  PROPERLY ...."));
        QCOMPARE(QApplication::focusWidget(), w.Cmb_State);
        choose(w.Cmb_State, QStringLiteral("KERALA"));
        QCOMPARE(items(w.Cmb_Place), (QStringList{"KOCHI", "MUNNAR"}));
        QCOMPARE(f.save(w), QStringLiteral("CANNOT PROCEED PLEASE SELECT PLACE  PROPERLY ...."));
        choose(w.Cmb_Place, QStringLiteral("MUNNAR"));
        QCOMPARE(f.save(w), QStringLiteral("PLEASE ENTER BUSINESS NAME ....."));
        QCOMPARE(QApplication::focusWidget(), w.txt_BusinessName);
        typeKeys(QStringLiteral("tea valley resort"));
        QCOMPARE(w.txt_BusinessName->text(), QStringLiteral("TEA VALLEY RESORT"));
        QCOMPARE(f.save(w), QStringLiteral("CONTACT NUMBERS CANNOT BE BLANK ....."));
        QCOMPARE(QApplication::focusWidget(), w.txt_ContNOs);
        typeKeys(QStringLiteral("04865 230000"));
        // A contact cannot be saved without a group or meeting, nor with one that does not exist.
        QCOMPARE(f.save(w), QStringLiteral("PLEASE ENTER GROUP / MEET CODE PROPERLY ...."));
        QCOMPARE(QApplication::focusWidget(), w.txt_GroupCode);
        typeKeys(QStringLiteral("9"));
        keyToFocus(Qt::Key_Return);
        QVERIFY(w.lbl_GroupName->text().isEmpty());
        QCOMPARE(f.save(w), QStringLiteral("PLEASE ENTER GROUP / MEET CODE PROPERLY ...."));
        w.txt_GroupCode->clear();
        typeKeys(QStringLiteral("2"));
        keyToFocus(Qt::Key_Return);
        QCOMPARE(w.lbl_GroupName->text(), QStringLiteral("SATTE DELHI"));

        w.txt_PersonName->setText(QStringLiteral("JOSE"));
        w.txt_Email->setText(QStringLiteral("stay@teavalley.in"));
        w.txt_WebAdd->setText(QStringLiteral("www.teavalley.in"));
        w.txt_FBAdd->setText(QStringLiteral("fb.com/teavalley"));
        w.txt_Address->setPlainText(QStringLiteral("CHITHIRAPURAM\nMUNNAR"));
        w.txt_Remarks->setPlainText(QStringLiteral("MET AT STALL 14"));
        // No: nothing kept, no number taken.
        QCOMPARE(f.save(w), kQuestion);
        QCOMPARE(f.ts.prompter.messages.size(), 1);
        QCOMPARE(f.counter(), 0);
        QCOMPARE(f.ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_ADDRESSBOOK")).toInt(), 0);

        f.ts.prompter.clear();
        f.ts.prompter.answers = {true};
        w.pressTool(3);
        QCOMPARE(f.ts.prompter.texts(), (QStringList{kQuestion, kSaved}));
        QCOMPARE(f.counter(), 1);
        const auto r = f.row(1);
        QVERIFY(r);
        QCOMPARE(r->value("GROUP_CODE").toInt(), 2);
        QCOMPARE(r->value("BUSINESS_TYPECODE").toInt(), 1);
        QCOMPARE(r->value("COUNTRY_CODE").toInt(), 1);
        QCOMPARE(r->value("STATE_CODE").toInt(), 1);
        QCOMPARE(r->value("PLACE_CODE").toInt(), 2);
        QCOMPARE(r->value("BUSINESS_NAME").toString(), QStringLiteral("TEA VALLEY RESORT"));
        QCOMPARE(r->value("CONT_NAME").toString(), QStringLiteral("JOSE"));
        QCOMPARE(r->value("MOBILE_NOS").toString(), QStringLiteral("04865 230000"));
        QCOMPARE(r->value("EMAIL_ADDRESS").toString(), QStringLiteral("stay@teavalley.in"));
        QCOMPARE(r->value("WEBSITE_ADD").toString(), QStringLiteral("www.teavalley.in"));
        QCOMPARE(r->value("FB_URL").toString(), QStringLiteral("fb.com/teavalley"));
        QCOMPARE(r->value("ADDRESS").toString(), QStringLiteral("CHITHIRAPURAM\nMUNNAR"));
        QCOMPARE(r->value("REMARKS").toString(), QStringLiteral("MET AT STALL 14"));
        QCOMPARE(r->value("CREATED_BY").toString(), QStringLiteral("ADMINISTRATOR"));
        QCOMPARE(r->value("UPDATE_BY").toString(), QStringLiteral("ADMINISTRATOR"));
        QVERIFY(!r->value("CREATED_ON").isNull() && !r->value("UPDATE_ON").isNull());
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("1"));
        shoot(w, QStringLiteral("frm_AddressBook"));

        // New record: the next save takes the next number.
        w.pressTool(2);
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("0"));
        QVERIFY(w.txt_BusinessName->text().isEmpty());
        QCOMPARE(w.Cmb_Country->currentIndex(), -1);
        QCOMPARE(w.Cmb_State->count(), 0);
    }

    void statesAndPlacesFollowTheChosenCountry() {
        Fixture f;
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
        choose(w.Cmb_Type, QStringLiteral("AGENT"));
        choose(w.Cmb_Country, QStringLiteral("NEPAL"));
        QCOMPARE(items(w.Cmb_State), (QStringList{"BAGMATI", "CENTRAL"}));
        // The state is looked up within the chosen country: Nepal's CENTRAL is state 2.
        choose(w.Cmb_State, QStringLiteral("CENTRAL"));
        QCOMPARE(items(w.Cmb_Place), QStringList{"MIDTOWN"});
        choose(w.Cmb_Place, QStringLiteral("MIDTOWN"));
        // Another country drops the state and place chosen before.
        choose(w.Cmb_Country, QStringLiteral("INDIA"));
        QCOMPARE(w.Cmb_State->currentIndex(), -1);
        QCOMPARE(w.Cmb_Place->count(), 0);
        QCOMPARE(f.save(w), QStringLiteral("CANNOT PROCEED PLEASE SELECT STATE  PROPERLY ...."));
        choose(w.Cmb_Country, QStringLiteral("NEPAL"));
        choose(w.Cmb_State, QStringLiteral("CENTRAL"));
        choose(w.Cmb_Place, QStringLiteral("MIDTOWN"));
        w.txt_BusinessName->setText(QStringLiteral("HIMALAYA TREKS"));
        w.txt_ContNOs->setText(QStringLiteral("977 1 4400000"));
        w.txt_GroupCode->setText(QStringLiteral("1"));  // shown by the save's own look-up
        f.ts.prompter.answers = {true};
        QCOMPARE(f.save(w), kQuestion);
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        const auto r = f.row(1);
        QCOMPARE(r->value("COUNTRY_CODE").toInt(), 2);
        QCOMPARE(r->value("STATE_CODE").toInt(), 2);
        QCOMPARE(r->value("PLACE_CODE").toInt(), 1);
        QCOMPARE(r->value("BUSINESS_TYPECODE").toInt(), 2);
        QCOMPARE(r->value("GROUP_CODE").toInt(), 1);
    }

    void showsAndUpdatesAContactInPlace() {
        Fixture f;
        addContact(f.ts.db(), {7, 3, 1, 2, 1, 1, QStringLiteral("GOA CABS"), QStringLiteral("PRAKASH"), QStringLiteral("98220 11111")});
        Numbering(f.ts.db()).Upd_Counter(QStringLiteral("ADDBOOK"), 7);
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
        w.Show_Record(7);
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("7"));
        QCOMPARE(w.Cmb_Type->currentText(), QStringLiteral("TRANSPORTER"));
        QCOMPARE(w.Cmb_Country->currentText(), QStringLiteral("INDIA"));
        QCOMPARE(w.Cmb_State->currentText(), QStringLiteral("GOA"));
        QCOMPARE(w.Cmb_Place->currentText(), QStringLiteral("PANAJI"));
        QCOMPARE(items(w.Cmb_Place), QStringList{"PANAJI"});
        QCOMPARE(w.txt_BusinessName->text(), QStringLiteral("GOA CABS"));
        QCOMPARE(w.txt_PersonName->text(), QStringLiteral("PRAKASH"));
        QCOMPARE(w.txt_Address->toPlainText(), QStringLiteral("STREET 7"));
        QCOMPARE(w.txt_GroupCode->text(), QStringLiteral("1"));
        QCOMPARE(w.lbl_GroupName->text(), QStringLiteral("OTM MUMBAI 2024"));
        QCOMPARE(w.lbl_CreatedBy->text(), QStringLiteral("CLERK"));
        QCOMPARE(w.lbl_CreatedOn->text(), QStringLiteral("05/03/2024 10:30:00"));

        // Saved as shown: the stored codes are kept, the number is not advanced.
        w.txt_ContNOs->setText(QStringLiteral("98220 22222"));
        f.ts.prompter.answers = {true};
        QCOMPARE(f.save(w), kQuestion);
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        const auto r = f.row(7);
        QCOMPARE(r->value("MOBILE_NOS").toString(), QStringLiteral("98220 22222"));
        QCOMPARE(r->value("PLACE_CODE").toInt(), 1);
        QCOMPARE(r->value("STATE_CODE").toInt(), 2);
        QCOMPARE(r->value("CREATED_BY").toString(), QStringLiteral("CLERK"));
        QCOMPARE(r->value("UPDATE_BY").toString(), QStringLiteral("ADMINISTRATOR"));
        QCOMPARE(f.counter(), 7);
        QCOMPARE(f.ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_ADDRESSBOOK")).toInt(), 1);
    }

    void groupSearchHandsTheCodeBack() {
        Fixture f;
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
        QTest::mouseClick(w.Cmd_SrcGroupName, Qt::LeftButton);
        auto* search = w.findChild<frm_SearchGroupMeet*>();
        QVERIFY(search);
        QVERIFY(QTest::qWaitForWindowExposed(search));
        search->txt_GroupMeetName->setText(QStringLiteral("SATTE%"));
        search->Load_Grid1();
        QCOMPARE(search->Grid1->rowCount(), 1);
        search->Grid1->setFocus();
        search->Grid1->setCurrentCell(0, 1);
        QTest::keyClick(search->Grid1, Qt::Key_Return);
        QCOMPARE(w.txt_GroupCode->text(), QStringLiteral("2"));
        QCOMPARE(w.lbl_GroupName->text(), QStringLiteral("SATTE DELHI"));
        // Typing over the code forgets the name until it is looked up again.
        QTRY_VERIFY(!w.findChild<frm_SearchGroupMeet*>());
        QVERIFY(showActive(w));
        w.txt_GroupCode->setFocus();
        w.txt_GroupCode->selectAll();
        typeKeys(QStringLiteral("1"));
        QVERIFY(w.lbl_GroupName->text().isEmpty());
        keyToFocus(Qt::Key_Return);
        QCOMPARE(w.lbl_GroupName->text(), QStringLiteral("OTM MUMBAI 2024"));
    }

    void searchFromTheEntryShowsTheChosenContact() {
        Fixture f;
        addContact(f.ts.db(), {3, 1, 1, 1, 1, 1, QStringLiteral("CASINO HOTEL"), QStringLiteral("JOHN"), QStringLiteral("0484 2668221")});
        addContact(f.ts.db(), {4, 1, 1, 1, 2, 2, QStringLiteral("HILL VIEW"), QStringLiteral("MANI"), QStringLiteral("04865 1")});
        frm_AddressBook w(f.ts.session);
        QVERIFY(showActive(w));
        QTest::keyClick(w.txt_BusinessName, Qt::Key_F4);
        QPointer<frm_Search_AddressBook> search = w.findChild<frm_Search_AddressBook*>();
        QVERIFY(search);
        QVERIFY(QTest::qWaitForWindowExposed(search));
        search->txt_Desc->setText(QStringLiteral("%HILL%"));
        QTest::mouseClick(search->Cmd_Show, Qt::LeftButton);
        QCOMPARE(search->Grid1->rowCount(), 1);
        search->Grid1->setFocus();
        search->Grid1->setCurrentCell(0, 3);
        QTest::keyClick(search->Grid1, Qt::Key_Return);
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("4"));
        QCOMPARE(w.txt_BusinessName->text(), QStringLiteral("HILL VIEW"));
        QCOMPARE(w.Cmb_Place->currentText(), QStringLiteral("MUNNAR"));
        QTRY_VERIFY(!search);
    }
};

QTEST_MAIN(tst_addressbook_entry)
#include "tst_addressbook_entry.moc"
