// Searching and listing the address book: every search mode, "%" lists, the group option,
// the hand-off of a chosen row and the export of the listing.
#include "support/Drive.h"
#include "masters/AddressBook.h"
#include "masters/AddressBookFinder.h"
#include "masters/ConsultantAddressWindows.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "tst_addressbook_data.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace tarvic;
using namespace tarvic::test;

namespace {

// The CODE column of every listed row, top to bottom.
QStringList codes(const ListGrid* grid) {
    QStringList s;
    for (int r = 0; r < grid->rowCount(); ++r)
        if (!isBlankRow(grid, r))
            s << gridText(grid, r, 1);
    return s;
}

struct Fixture {
    TestSession ts;
    Fixture() {
        Database& db = ts.db();
        addAddressBookLookups(db);
        //               code type ctry state place group
        addContact(db, {1, 1, 1, 1, 1, 1, QStringLiteral("CASINO HOTEL"), QStringLiteral("JOHN"), QStringLiteral("0484 2668221")});
        addContact(db, {2, 2, 1, 1, 2, 2, QStringLiteral("KOCHI TRAVELS"), QStringLiteral("ANU"), QStringLiteral("98470 55555")});
        addContact(db, {3, 1, 1, 1, 2, 1, QStringLiteral("HILL VIEW"), QStringLiteral("MANI"), QStringLiteral("04865 230001")});
        addContact(db, {4, 3, 1, 2, 1, 2, QStringLiteral("GOA CABS"), QStringLiteral("PRAKASH"), QStringLiteral("98220 11111")});
        addContact(db, {5, 2, 2, 1, 1, 1, QStringLiteral("EVEREST AGENCY"), QStringLiteral("TENZING"), QStringLiteral("977 98470")});
    }
};

}  // namespace

class tst_addressbook_find : public QObject {
    Q_OBJECT
private slots:
    void searchByDescriptionNumberAndType() {
        Fixture f;
        frm_Search_AddressBook w(f.ts.session, nullptr);
        QVERIFY(showActive(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("SEARCH ADDRESS BOOK"));
        QVERIFY(w.Option1->isChecked());
        QVERIFY(!w.findChild<QRadioButton*>(QStringLiteral("Option4")));
        QCOMPARE(items(w.Cmb_Type), (QStringList{"%", "AGENT", "HOTEL", "TRANSPORTER"}));
        QCOMPARE(items(w.Cmb_Country), (QStringList{"INDIA", "NEPAL"}));
        QCOMPARE(items(w.Cmb_State), (QStringList{"CENTRAL", "GOA", "KERALA"}));

        // One pattern over country, state, place, name and type: KOCHI is contact 1's place
        // and contact 2's name. Ordered by type, country, state, place, name.
        w.txt_Desc->setFocus();
        typeKeys(QStringLiteral("%kochi%"));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(codes(w.Grid1), (QStringList{"2", "1"}));
        QCOMPARE(w.Grid1->columnCount(), 11);
        QCOMPARE(gridText(w.Grid1, 0, 2), QStringLiteral("AGENT"));
        QCOMPARE(gridText(w.Grid1, 0, 6), QStringLiteral("MUNNAR"));
        QCOMPARE(gridText(w.Grid1, 1, 8), QStringLiteral("INDIA"));
        QCOMPARE(gridText(w.Grid1, 1, 9), QStringLiteral("CLERK - 05/03/2024 10:30:00"));
        // The words are joined by single spaces: "KERALA MUNNAR" spans two of them.
        w.txt_Desc->setText(QStringLiteral("%KERALA MUNNAR HILL%"));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(codes(w.Grid1), QStringList{"3"});
        // The search text does not reach the group name.
        w.txt_Desc->setText(QStringLiteral("%SATTE%"));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QVERIFY(codes(w.Grid1).isEmpty());

        QTest::mouseClick(w.Option2, Qt::LeftButton);
        w.txt_ContNO->setText(QStringLiteral("%98470%"));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(codes(w.Grid1), (QStringList{"2", "5"}));

        // By type: "%" for every type, but the exact country, state and place.
        QTest::mouseClick(w.Option3, Qt::LeftButton);
        choose(w.Cmb_Country, QStringLiteral("INDIA"));
        choose(w.Cmb_State, QStringLiteral("KERALA"));
        QCOMPARE(items(w.Cmb_Place), (QStringList{"KOCHI", "MUNNAR"}));
        choose(w.Cmb_Place, QStringLiteral("MUNNAR"));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(codes(w.Grid1), (QStringList{"2", "3"}));
        choose(w.Cmb_Type, QStringLiteral("HOTEL"));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(codes(w.Grid1), QStringList{"3"});
        shoot(w, QStringLiteral("frm_Search_AddressBook"));

        // Opened from the menu, choosing a row hands nothing over and the search stays.
        w.Grid1->setFocus();
        QTest::keyClick(w.Grid1, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(f.ts.prompter.messages.isEmpty());
    }

    void listingWithAllListsGroupAndDescription() {
        Fixture f;
        frm_LstAddressBook w(f.ts.session, nullptr);
        QVERIFY(showActive(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("LIST ADDRESS BOOK DETAILS"));
        QCOMPARE(items(w.Cmb_Country), (QStringList{"%", "INDIA", "NEPAL"}));
        QCOMPARE(items(w.Cmb_State), QStringList{"%"});
        QCOMPARE(items(w.Cmb_Place), QStringList{"%"});

        // "%" in type, country, state and place lists every contact.
        QTest::mouseClick(w.Option3, Qt::LeftButton);
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(codes(w.Grid1), (QStringList{"2", "5", "1", "3", "4"}));
        QCOMPARE(w.Grid1->columnCount(), 14);
        QCOMPARE(gridText(w.Grid1, 0, 2), QStringLiteral("SATTE DELHI"));
        QCOMPARE(gridText(w.Grid1, 0, 7), QStringLiteral("anu@example.com"));
        QCOMPARE(gridText(w.Grid1, 0, 8), QStringLiteral("STREET 2"));
        // Narrowing by country and state, the place left at "%".
        choose(w.Cmb_Country, QStringLiteral("INDIA"));
        QCOMPARE(items(w.Cmb_State), (QStringList{"%", "CENTRAL", "GOA", "KERALA"}));
        choose(w.Cmb_State, QStringLiteral("KERALA"));
        QCOMPARE(items(w.Cmb_Place), (QStringList{"%", "KOCHI", "MUNNAR"}));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(codes(w.Grid1), (QStringList{"2", "1", "3"}));

        // The listing's description also reaches the group name.
        QTest::mouseClick(w.Option1, Qt::LeftButton);
        w.txt_Desc->setText(QStringLiteral("%SATTE%"));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(codes(w.Grid1), (QStringList{"2", "4"}));

        // By group / meet code; Enter shows the group's name.
        QTest::mouseClick(w.Option4, Qt::LeftButton);
        w.txt_GroupCode->setFocus();
        typeKeys(QStringLiteral("1"));
        keyToFocus(Qt::Key_Return);
        QCOMPARE(w.lbl_GroupName->text(), QStringLiteral("OTM MUMBAI 2024"));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(codes(w.Grid1), (QStringList{"5", "1", "3"}));
        shoot(w, QStringLiteral("frm_LstAddressBook"));
        QVERIFY(f.ts.prompter.messages.isEmpty());
    }

    void listingExportsAndOpensTheEntryWindow() {
        Fixture f;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("contacts.xls"));
        setSavePathProvider([&](QWidget*, const QString&, const QString&, QString*) { return path; });
        frm_LstAddressBook w(f.ts.session, nullptr);
        QVERIFY(showActive(w));
        QTest::mouseClick(w.Option2, Qt::LeftButton);
        w.txt_ContNO->setText(QStringLiteral("%0484%"));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QTest::mouseClick(w.Cmd_ExpXls, Qt::LeftButton);
        setSavePathProvider({});
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Successfully Export to ") + path});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(lines.value(0).startsWith("\xEF\xBB\xBF\"SLNO\"\t\"CODE\"\t\"GROUP / MEET\""));  // after the UTF-8 mark
        QVERIFY(lines.value(1).startsWith("\"1\"\t\"1\"\t\"OTM MUMBAI 2024\"\t\"HOTEL\"\t\"CASINO HOTEL\""));

        // Choosing a row shows the contact in the entry window.
        w.Grid1->setFocus();
        w.Grid1->setCurrentCell(0, 4);
        QTest::keyClick(w.Grid1, Qt::Key_Return);
        frm_AddressBook* entry = w.entryWindow();
        QVERIFY(entry);
        QVERIFY(entry->isVisible());
        QCOMPARE(entry->lbl_Code->text(), QStringLiteral("1"));
        QCOMPARE(entry->txt_BusinessName->text(), QStringLiteral("CASINO HOTEL"));
        QVERIFY(w.isVisible());
        entry->close();
    }
};

QTEST_MAIN(tst_addressbook_find)
#include "tst_addressbook_find.moc"
