// The party window: ordered checks, the counter taken only after Yes and only with the row,
// the alias default, editing through the picker, the web password button and window.
#include "support/Drive.h"
#include "masters/frm_Party.h"
#include "masters/frm_PartyWebAccess.h"
#include "masters/frm_Search_Party.h"
#include "support/TestSession.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kQuestionHead = QStringLiteral(" YOU ARE ABOUT TO UPDATE PARTY DETAILS .... ");
const QString kSaved = QStringLiteral("UPDATION OF PARTY SUCCESSFULLY DONE ...");

void seedLists(Database& db) {
    for (const auto& [code, type] : std::vector<std::pair<int, QString>>{{1, "HOTEL"}, {2, "AGENT"}, {3, "CUSTOMER"}})
        db.exec(QStringLiteral("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (?, ?)"), {code, type});
    db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA'), (2, 'NEPAL')"));
    db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES "
                           "(1, 10, 'KERALA'), (1, 11, 'GOA'), (2, 20, 'BAGMATI')"));
    db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES "
                           "(1, 10, 100, 'MUNNAR'), (1, 10, 101, 'KOCHI'), (1, 11, 110, 'PANAJI'), (2, 20, 200, 'KATHMANDU')"));
}

struct Fixture {
    TestSession ts;
    std::unique_ptr<frm_Party> w;

    Fixture() {
        seedLists(ts.db());
        w = std::make_unique<frm_Party>(ts.session);
        QVERIFY(showActive(*w));
    }
    Database& db() { return ts.db(); }
    int parties() { return db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_PARTY")).toInt(); }
    QVariant counter() { return db().scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE='PARTY'")); }
    QSqlRecord party(qint64 code) {
        auto row = db().firstRow(QStringLiteral("SELECT * FROM M_TBL_PARTY WHERE PARTY_CODE=?"), {code});
        return row ? *row : QSqlRecord();
    }
    void choose(QComboBox* list, const QString& text) {
        const int i = list->findText(text);
        QVERIFY2(i >= 0, qPrintable(text));
        list->setCurrentIndex(i);
    }
    void pressF3() {
        w->txt_MobileNOs->setFocus();
        QTest::keyClick(w->txt_MobileNOs, Qt::Key_F3);
    }
    // A complete, valid new party on screen.
    void fillParty(const QString& name) {
        w->txt_PartyName->setFocus();
        QTest::keyClicks(w->txt_PartyName, name);
        choose(w->Cmb_PartyType, QStringLiteral("AGENT"));
        w->txt_ContPerson->setText(QStringLiteral("RAVI"));
        w->txt_MobileNOs->setText(QStringLiteral("9847012345"));
        choose(w->Cmb_Country, QStringLiteral("INDIA"));
        choose(w->Cmb_State, QStringLiteral("KERALA"));
        choose(w->Cmb_Place, QStringLiteral("KOCHI"));
    }
    void insertParty(qint64 code, const QString& name, const QString& web, const QString& password) {
        db().exec(QStringLiteral(
                      "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, PARTY_ALIASNAME, PERSON_NAME, MOBILE_NOS, "
                      "BUSINESS_RELTYPE, PARTYTYPE_CODE, COUNTRY_CODE, STATE_CODE, PLACE_CODE, CFA, WEB_ACCESS, WEB_MODULE, "
                      "PARTY_PASSWORD, CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON) "
                      "VALUES (?, ?, ?, 'ANU', '99', 'B2C', 1, 2, 20, 200, 'Y', ?, 'AGENT', ?, 'OLD USER', ?, 'OLD USER', ?)"),
                  {code, name, name, web, password, QDateTime(QDate(2021, 3, 4), QTime(9, 15, 30)),
                   QDateTime(QDate(2021, 3, 5), QTime(11, 0))});
    }
    template <class W>
    W* waitForWindow() {
        for (int waited = 0; waited < 3000; waited += 20) {
            if (W* found = w->findChild<W*>(); found && found->isVisible())
                return found;
            QTest::qWait(20);
        }
        return nullptr;
    }
};

}  // namespace

class tst_party_master : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void newWindowShowsCodeZeroAndFirstItems() {
        Fixture f;
        auto* w = f.w.get();
        QCOMPARE(w->windowTitle(), QStringLiteral("PARTY MAINTENANCE"));
        QCOMPARE(w->lbl_PartyCode->text(), QStringLiteral("0"));
        // Lists in name order, each on its first item, the location chain followed through.
        QCOMPARE(w->Cmb_PartyType->currentText(), QStringLiteral("AGENT"));
        QCOMPARE(w->lbl_PartyTypeCode->text(), QStringLiteral("2"));
        QCOMPARE(w->Cmb_Country->currentText(), QStringLiteral("INDIA"));
        QCOMPARE(w->Cmb_State->currentText(), QStringLiteral("GOA"));
        QCOMPARE(w->lbl_StateCode->text(), QStringLiteral("11"));
        QCOMPARE(w->Cmb_Place->currentText(), QStringLiteral("PANAJI"));
        QCOMPARE(w->lbl_PlaceCode->text(), QStringLiteral("110"));
        QCOMPARE(w->Cmb_RelType->currentText(), QStringLiteral("B2B"));
        QCOMPARE(w->Cmb_CFA->currentText(), QStringLiteral("N"));
        QCOMPARE(w->Cmb_WebAccess->currentText(), QStringLiteral("N"));
        QCOMPARE(w->Cmb_WebModule->currentText(), QStringLiteral("CUSTOMER"));
        QVERIFY(!w->tool(5)->isEnabled());
        QCOMPARE(w->tool(5)->toolTip(), QStringLiteral("Set Password { F5 }"));
        // Another country: its states, none chosen until the user picks one.
        f.choose(w->Cmb_Country, QStringLiteral("NEPAL"));
        QCOMPARE(w->lbl_CountryCode->text(), QStringLiteral("2"));
        QCOMPARE(w->Cmb_State->count(), 1);
        QVERIFY(w->lbl_StateCode->text().isEmpty());
        QCOMPARE(w->Cmb_Place->count(), 0);
        shoot(*w, QStringLiteral("frm_Party"));
    }

    void checksInOrderAndCounterOnlyAfterYes() {
        Fixture f;
        auto* w = f.w.get();
        auto& p = f.ts.prompter;
        f.db().exec(QStringLiteral("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 41)"));

        f.pressF3();
        QCOMPARE(p.texts(), QStringList{QStringLiteral("PLEASE ENTER PARTY NAME PROPERLY ...")});
        QCOMPARE(QApplication::focusWidget(), w->txt_PartyName);
        typeKeys(QStringLiteral("  sea breeze tours "));
        QCOMPARE(w->txt_PartyName->text(), QStringLiteral("  SEA BREEZE TOURS "));
        // Leaving the name fills the empty alias with the trimmed name.
        keyToFocus(Qt::Key_Return);
        QCOMPARE(w->txt_PartyAliasName->text(), QStringLiteral("SEA BREEZE TOURS"));

        w->Cmb_PartyType->setEditText(QStringLiteral("NO SUCH TYPE"));
        QVERIFY(w->lbl_PartyTypeCode->text().isEmpty());
        p.clear();
        f.pressF3();
        QCOMPARE(p.texts(), QStringList{QStringLiteral("PLEASE SELECT PARTY PROPERLY ....")});
        QCOMPARE(QApplication::focusWidget(), w->Cmb_PartyType);
        w->Cmb_PartyType->setEditText(QStringLiteral("HOTEL"));  // typed whole: found by name
        QCOMPARE(w->lbl_PartyTypeCode->text(), QStringLiteral("1"));

        p.clear();
        f.pressF3();
        QCOMPARE(p.texts(), QStringList{QStringLiteral("PLEASE ENTER CONTACT PERSON NAME ...")});
        QCOMPARE(QApplication::focusWidget(), w->txt_ContPerson);
        typeKeys(QStringLiteral("meera"));
        p.clear();
        f.pressF3();
        QCOMPARE(p.texts(), QStringList{QStringLiteral("PLEASE ENTER MOBILE NOS ....")});
        QCOMPARE(QApplication::focusWidget(), w->txt_MobileNOs);
        typeKeys(QStringLiteral("98470 11111, 98470 22222"));

        w->Cmb_Country->setEditText(QStringLiteral("ATLANTIS"));
        QVERIFY(w->lbl_CountryCode->text().isEmpty());
        QCOMPARE(w->Cmb_State->count(), 0);
        p.clear();
        f.pressF3();
        QCOMPARE(p.texts(), QStringList{QStringLiteral("PLEASE SELECT COUNTRY PROPERLY FROM LIST ....")});
        QCOMPARE(QApplication::focusWidget(), w->Cmb_Country);
        f.choose(w->Cmb_Country, QStringLiteral("INDIA"));
        p.clear();
        f.pressF3();
        QCOMPARE(p.texts(), QStringList{QStringLiteral("PLEASE SELECT STATE PROPERLY FROM LIST ....")});
        QCOMPARE(QApplication::focusWidget(), w->Cmb_State);
        f.choose(w->Cmb_State, QStringLiteral("KERALA"));
        p.clear();
        f.pressF3();
        QCOMPARE(p.texts(), QStringList{QStringLiteral("PLEASE SELECT PLACE PROPERLY FROM LIST ....")});
        QCOMPARE(QApplication::focusWidget(), w->Cmb_Place);
        f.choose(w->Cmb_Place, QStringLiteral("MUNNAR"));
        f.choose(w->Cmb_RelType, QStringLiteral("B2C"));
        w->txt_GSTIN->setFocus();
        typeKeys(QStringLiteral("32abcde1234f1z5"));
        w->txt_Address->setPlainText(QStringLiteral("  MG ROAD\nMUNNAR  "));
        w->txt_EmailAdd->setText(QStringLiteral(" Sea@Breeze.in "));
        f.choose(w->Cmb_CFA, QStringLiteral("Y"));

        // No: nothing written, no number taken, code still 0.
        const QString question = kQuestionHead + QStringLiteral("\n PARTY NAME : SEA BREEZE TOURS\n PARTY TYPE : HOTEL\n"
                                                                " BUSINESS RELATION : B2C\n ARE YOU SURE WANT TO PROCEED (Y/N) ?");
        p.clear();
        p.answers = {false};
        f.pressF3();
        QCOMPARE(p.texts(), QStringList{question});
        QCOMPARE(p.messages.first().kind, QStringLiteral("question"));
        QCOMPARE(f.parties(), 0);
        QCOMPARE(f.counter().toLongLong(), 41);
        QCOMPARE(w->lbl_PartyCode->text(), QStringLiteral("0"));

        p.clear();
        p.answers = {true};
        f.pressF3();
        QCOMPARE(p.texts(), (QStringList{question, kSaved}));
        QCOMPARE(f.counter().toLongLong(), 42);
        QCOMPARE(w->lbl_PartyCode->text(), QStringLiteral("42"));
        const QSqlRecord r = f.party(42);
        auto v = [&r](const char* c) { return r.value(QLatin1String(c)).toString(); };
        QCOMPARE(v("PARTY_NAME"), QStringLiteral("SEA BREEZE TOURS"));
        QCOMPARE(v("PARTY_ALIASNAME"), QStringLiteral("SEA BREEZE TOURS"));
        QCOMPARE(v("PERSON_NAME"), QStringLiteral("MEERA"));
        QCOMPARE(v("MOBILE_NOS"), QStringLiteral("98470 11111, 98470 22222"));
        QCOMPARE(v("EMAIL_ADD"), QStringLiteral("Sea@Breeze.in"));
        QCOMPARE(v("GSTIN_NO"), QStringLiteral("32ABCDE1234F1Z5"));
        QCOMPARE(v("PARTY_ADDRESS"), QStringLiteral("MG ROAD\nMUNNAR"));
        QCOMPARE(v("BUSINESS_RELTYPE"), QStringLiteral("B2C"));
        QCOMPARE(r.value(QStringLiteral("PARTYTYPE_CODE")).toInt(), 1);
        QCOMPARE(r.value(QStringLiteral("COUNTRY_CODE")).toInt(), 1);
        QCOMPARE(r.value(QStringLiteral("STATE_CODE")).toInt(), 10);
        QCOMPARE(r.value(QStringLiteral("PLACE_CODE")).toInt(), 100);
        QCOMPARE(v("CFA"), QStringLiteral("Y"));
        QCOMPARE(v("WEB_ACCESS"), QStringLiteral("N"));
        QCOMPARE(v("WEB_MODULE"), QStringLiteral("CUSTOMER"));
        QCOMPARE(v("CREATED_BY"), QStringLiteral("ADMINISTRATOR"));
        QCOMPARE(v("UPDATE_BY"), QStringLiteral("ADMINISTRATOR"));
        QVERIFY(!r.value(QStringLiteral("CREATED_ON")).isNull());
        QVERIFY(r.value(QStringLiteral("PARTY_PASSWORD")).toString().isEmpty());
        // Shown again from the stored row.
        QCOMPARE(w->Cmb_Place->currentText(), QStringLiteral("MUNNAR"));
        QVERIFY(w->lbl_CreatedByOn->text().startsWith(QStringLiteral("ADMINISTRATOR - ")));
        QCOMPARE(w->lbl_CreatedByOn->text().size(), QStringLiteral("ADMINISTRATOR - dd/mm/yyyy hh:mm:ss").size());

        // F2: a new party again.
        QTest::keyClick(w->txt_PartyName, Qt::Key_F2);
        QCOMPARE(w->lbl_PartyCode->text(), QStringLiteral("0"));
        QVERIFY(w->txt_PartyName->text().isEmpty() && w->txt_PartyAliasName->text().isEmpty());
        QVERIFY(w->lbl_CreatedByOn->text().isEmpty());
    }

    void typedAliasIsKept() {
        Fixture f;
        auto* w = f.w.get();
        w->txt_PartyAliasName->setText(QStringLiteral("SBT"));
        w->txt_PartyName->setFocus();
        typeKeys(QStringLiteral("sea breeze tours"));
        keyToFocus(Qt::Key_Tab);
        QCOMPARE(w->txt_PartyAliasName->text(), QStringLiteral("SBT"));
    }

    void refusedSaveTakesNoNumberAndWritesNothing() {
        Fixture f;
        auto* w = f.w.get();
        auto& p = f.ts.prompter;
        f.fillParty(QStringLiteral("ATOMIC TRAVELS"));
        // Fail each statement of the save in turn: whichever fails, neither the row nor the
        // counter's advance is kept, and the window still holds the new party.
        bool saved = false;
        for (int k = 1; k <= 12 && !saved; ++k) {
            p.clear();
            p.answers = {true};
            f.db().failStatement(k);
            w->Save_Record();
            f.db().failStatement(0);
            saved = p.texts().contains(kSaved);
            if (saved)
                break;  // (a failure injected past the save hits the reload that follows it)
            QCOMPARE(p.texts().size(), 2);
            QCOMPARE(p.texts().at(1), QStringLiteral("Statement refused (injected failure)"));
            QCOMPARE(f.parties(), 0);
            QVERIFY(f.counter().isNull() || f.counter().toLongLong() == 0);
            QCOMPARE(w->lbl_PartyCode->text(), QStringLiteral("0"));
            QCOMPARE(w->txt_PartyName->text(), QStringLiteral("ATOMIC TRAVELS"));
        }
        QVERIFY(saved);
        QCOMPARE(f.parties(), 1);
        QCOMPARE(f.counter().toLongLong(), 1);
        QCOMPARE(f.party(1).value(QStringLiteral("PARTY_NAME")).toString(), QStringLiteral("ATOMIC TRAVELS"));
    }

    void counterSetBackNeverOverwritesAParty() {
        Fixture f;
        auto* w = f.w.get();
        auto& p = f.ts.prompter;
        f.insertParty(5, QStringLiteral("EXISTING PARTY"), QStringLiteral("N"), QString());
        f.db().exec(QStringLiteral("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 4)"));
        f.fillParty(QStringLiteral("NEWCOMER"));
        p.answers = {true};
        w->Save_Record();
        // The key refuses the second row: its message is shown, nothing changes.
        QCOMPARE(p.texts().size(), 2);
        QVERIFY(p.texts().at(1) != kSaved);
        QCOMPARE(f.parties(), 1);
        QCOMPARE(f.party(5).value(QStringLiteral("PARTY_NAME")).toString(), QStringLiteral("EXISTING PARTY"));
        QCOMPARE(f.party(5).value(QStringLiteral("CREATED_BY")).toString(), QStringLiteral("OLD USER"));
        QCOMPARE(f.counter().toLongLong(), 4);
        QCOMPARE(w->lbl_PartyCode->text(), QStringLiteral("0"));
        // Once the counter is past the codes in use, the same party saves.
        f.db().exec(QStringLiteral("UPDATE MST_COUNTER SET COUNTER=5 WHERE CODE='PARTY'"));
        p.clear();
        p.answers = {true};
        w->Save_Record();
        QCOMPARE(p.texts().last(), kSaved);
        QCOMPARE(w->lbl_PartyCode->text(), QStringLiteral("6"));
    }

    void editThroughPickerKeepsCreationAndFollowsWebAccess() {
        Fixture f;
        auto* w = f.w.get();
        auto& p = f.ts.prompter;
        f.insertParty(7, QStringLiteral("HIMALAYAN LODGE"), QStringLiteral("Y"), QStringLiteral("Kathmandu#1"));
        f.insertParty(8, QStringLiteral("HILL VIEW"), QStringLiteral("N"), QString());
        f.db().exec(QStringLiteral("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('PARTY', 8)"));

        // F4 opens the picker; Enter in its name field searches, Enter in the grid picks.
        w->txt_PartyName->setFocus();
        QTest::keyClick(w->txt_PartyName, Qt::Key_F4);
        auto* search = f.waitForWindow<frm_Search_Party>();
        QVERIFY(search);
        QVERIFY(search->isModal());
        QApplication::setActiveWindow(search);
        QVERIFY(QTest::qWaitForWindowActive(search));
        search->txt_PartyName->setFocus();
        typeKeys(QStringLiteral("him%"));
        keyToFocus(Qt::Key_Return);
        QCOMPARE(search->Grid1->rowCount(), 1);
        QCOMPARE(search->Grid1->text(0, 0), QStringLiteral("7"));
        search->Grid1->setFocus();
        search->Grid1->setCurrentCell(0, 1);
        QTest::keyClick(search->Grid1, Qt::Key_Return);
        QTRY_VERIFY(w->findChild<frm_Search_Party*>() == nullptr);

        QCOMPARE(w->lbl_PartyCode->text(), QStringLiteral("7"));
        QCOMPARE(w->txt_PartyName->text(), QStringLiteral("HIMALAYAN LODGE"));
        QCOMPARE(w->Cmb_PartyType->currentText(), QStringLiteral("HOTEL"));
        QCOMPARE(w->Cmb_Country->currentText(), QStringLiteral("NEPAL"));
        QCOMPARE(w->Cmb_State->currentText(), QStringLiteral("BAGMATI"));
        QCOMPARE(w->Cmb_Place->currentText(), QStringLiteral("KATHMANDU"));
        QCOMPARE(w->lbl_PlaceCode->text(), QStringLiteral("200"));
        QCOMPARE(w->Cmb_RelType->currentText(), QStringLiteral("B2C"));
        QCOMPARE(w->Cmb_WebModule->currentText(), QStringLiteral("AGENT"));
        QCOMPARE(w->lbl_CreatedByOn->text(), QStringLiteral("OLD USER - 04/03/2021 09:15:30"));
        QCOMPARE(w->lbl_UpdateByOn->text(), QStringLiteral("OLD USER - 05/03/2021 11:00:00"));
        QVERIFY(w->tool(5)->isEnabled());

        // Web access off and saved: same row, creation kept, password kept, button off.
        f.choose(w->Cmb_WebAccess, QStringLiteral("N"));
        w->txt_ContPerson->setText(QStringLiteral("TENZING"));
        p.answers = {true};
        f.pressF3();
        QCOMPARE(p.texts().last(), kSaved);
        QCOMPARE(f.parties(), 2);
        QCOMPARE(f.counter().toLongLong(), 8);
        const QSqlRecord r = f.party(7);
        QCOMPARE(r.value(QStringLiteral("WEB_ACCESS")).toString(), QStringLiteral("N"));
        QCOMPARE(r.value(QStringLiteral("PERSON_NAME")).toString(), QStringLiteral("TENZING"));
        QCOMPARE(r.value(QStringLiteral("CREATED_BY")).toString(), QStringLiteral("OLD USER"));
        QCOMPARE(r.value(QStringLiteral("UPDATE_BY")).toString(), QStringLiteral("ADMINISTRATOR"));
        QCOMPARE(r.value(QStringLiteral("PARTY_PASSWORD")).toString(), QStringLiteral("Kathmandu#1"));
        QCOMPARE(w->lbl_CreatedByOn->text(), QStringLiteral("OLD USER - 04/03/2021 09:15:30"));
        QVERIFY(!w->tool(5)->isEnabled());
        // F5 does nothing while the button is off.
        QTest::keyClick(w->txt_ContPerson, Qt::Key_F5);
        QApplication::processEvents();
        QVERIFY(w->findChild<frm_PartyWebAccess*>() == nullptr);

        // Web access back on: the button follows once it is stored.
        f.choose(w->Cmb_WebAccess, QStringLiteral("Y"));
        QVERIFY(!w->tool(5)->isEnabled());
        p.answers = {true};
        f.pressF3();
        QVERIFY(w->tool(5)->isEnabled());
    }

    void webPasswordIsStoredAsTypedTrimmed() {
        Fixture f;
        auto* w = f.w.get();
        auto& p = f.ts.prompter;
        f.insertParty(7, QStringLiteral("HIMALAYAN LODGE"), QStringLiteral("Y"), QStringLiteral("old"));
        w->Show_Record(7);
        w->txt_ContPerson->setFocus();
        QTest::keyClick(w->txt_ContPerson, Qt::Key_F5);
        auto* pw = f.waitForWindow<frm_PartyWebAccess>();
        QVERIFY(pw);
        QCOMPARE(pw->windowTitle(), QStringLiteral("WEB PASSWORD CHANGE"));
        QCOMPARE(pw->lbl_PartyCode->text(), QStringLiteral("7"));
        QCOMPARE(pw->lbl_PartyName->text(), QStringLiteral("HIMALAYAN LODGE"));
        QVERIFY(pw->txt_Password->text().isEmpty());  // the stored password is never shown
        QApplication::setActiveWindow(pw);
        QVERIFY(QTest::qWaitForWindowActive(pw));
        shoot(*pw, QStringLiteral("frm_PartyWebAccess"));

        pw->txt_Password->setFocus();
        typeKeys(QStringLiteral("   "));
        keyToFocus(Qt::Key_F2);
        QCOMPARE(p.texts(), QStringList{QStringLiteral("PASSWORD CANNOT BE BLANK .....")});
        QCOMPARE(QApplication::focusWidget(), pw->txt_Password);

        pw->txt_Password->setText(QStringLiteral("  Pa55 Word! "));
        const QString question = QStringLiteral(" YOU ARE ABOUT TO UPDATE OR CHANGE PASSWORD FOR ..\n PARTY NAME : "
                                                "HIMALAYAN LODGE\n ARE YOU SURE WANT TO PROCEED (Y/N) ?");
        p.clear();
        p.answers = {false};
        keyToFocus(Qt::Key_F2);
        QCOMPARE(p.texts(), QStringList{question});
        QCOMPARE(f.party(7).value(QStringLiteral("PARTY_PASSWORD")).toString(), QStringLiteral("old"));
        QVERIFY(f.party(7).value(QStringLiteral("PASSWD_UPDBY")).isNull());

        p.clear();
        p.answers = {true};
        pw->txt_Password->setFocus();
        keyToFocus(Qt::Key_F2);
        QCOMPARE(p.texts(), (QStringList{question, QStringLiteral("UPDATION OF PASSWORD SUCCESSFULLY DONE ...")}));
        const QSqlRecord r = f.party(7);
        QCOMPARE(r.value(QStringLiteral("PARTY_PASSWORD")).toString(), QStringLiteral("Pa55 Word!"));
        QCOMPARE(r.value(QStringLiteral("PASSWD_UPDBY")).toString(), QStringLiteral("ADMINISTRATOR"));
        QVERIFY(!r.value(QStringLiteral("PASSWD_UPDON")).isNull());
        // Reloaded: who changed it and when, the field empty again.
        QVERIFY(pw->lbl_PasswdUpdByOn->text().startsWith(QStringLiteral("ADMINISTRATOR - ")));
        QCOMPARE(pw->lbl_PasswdUpdByOn->text().mid(16, 10), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        QVERIFY(pw->txt_Password->text().isEmpty());
        // Other columns untouched.
        QCOMPARE(r.value(QStringLiteral("UPDATE_BY")).toString(), QStringLiteral("OLD USER"));
        QTest::keyClick(pw->txt_Password, Qt::Key_Escape);
        QTRY_VERIFY(w->findChild<frm_PartyWebAccess*>() == nullptr);
    }
};

QTEST_MAIN(tst_party_master)
#include "tst_party_master.moc"
