// The lead register: the entry window's save (checks in order, the question, No, all or
// nothing), its end date, the operator's restriction in every list and in the save, the
// follow-up's mends, leads without a status row, the listing's counts and the picker.
#include "LeadFixtures.h"
#include "data/Moments.h"
#include "engine/sales/LeadStore.h"
#include "sales/LeadQuery.h"
#include "sales/LeadStatusList.h"
#include "sales/SalesWindows.h"
#include "sales/frm_BusinessLead_Action.h"
#include "sales/frm_BusinessLead_Add.h"
#include "sales/frm_BusinessLeads.h"
#include "sales/frm_LstBLFC01.h"
#include "sales/frm_SearchLead.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/ListGrid.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"

#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kSaved = QStringLiteral("UPDATION OF BUSINESS LEAD SUCCESSFULLY DONE ...");
const QString kFollowedUp = QStringLiteral("UPDATION OF LEAD RESPONSE SUCCESSFULLY DONE ...");
const QString kNoStatus = QStringLiteral("PLEASE SELECT LEAD STATUS PROPERLY FROM THE LIST ....");
const QStringList kTables{"M_TBL_TRANSACTION"};

// The lead numbers a list shows, top to bottom.
QStringList leads(ListingWindow& w, QRadioButton* option = nullptr) {
    if (option)
        option->click();
    QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
    return column(w.Grid1->model(), lead::LeadCode);
}

QRadioButton* option(QWidget& w, const char* name) {
    return w.findChild<QRadioButton*>(QLatin1String(name));
}

struct EntryFixture : LeadMasters {
    frm_BusinessLead_Add w{ts.session};
    EntryFixture() { QVERIFY(showActive(w)); }
    void party(const QString& code) { typeEnter(w.txt_Code, code); }
    // A whole B2C lead, as typed.
    void fill() {
        w.pressTool(2);
        party("1");
        choose(w.Cmb_LeadType, "GROUP");
        choose(w.Cmb_LeadFor, "PACKAGE");
        typeInto(w.txt_Desc, "kerala 'backwaters' trip");
        typeInto(w.txt_NoOfPax, "2");
        typeInto(w.txt_NoOfChild, "1");
        typeInto(w.txt_ChildAges, "7");
        typeInto(w.txt_StrtDate, "01/03/2024");
        typeInto(w.txt_NoOfDays, "5");
        w.txt_TouristName->setText(QStringLiteral("ÅSA \"Ö\" NILSSON"));
        typeInto(w.txt_TouristMob, "98470 12345");
        typeInto(w.txt_EmailAdd, "asa@example.se");
        choose(w.Cmb_LeadStatus, "OPEN");
        consultant("1");
    }
    void consultant(const QString& code) { typeEnter(w.consultant->edit(), code); }
    void save(QList<bool> answers = {true}) {
        ts.prompter.clear();
        ts.prompter.answers = answers;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    }
};

}  // namespace

class tst_leads : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Checks in their order with their focus, the B2C tourist fields and the children's ages;
    // No stores nothing; Yes stores every column once under number 1; a B2B lead needs no
    // tourist; the save is all or nothing, number included.
    void entrySaveProtocol() {
        EntryFixture f;
        auto& w = f.w;
        QVERIFY(w.lbl_SaveNote->isHidden());
        QCOMPARE(
            checkInOrder(
                f.ts.prompter, f.db(), kTables,
                {{"PLEASE ENTER PARTY CODE PROPERLY .....", {}, w.txt_Code},
                 {"TOURIST NAME IS NECESSARY FOR B2C ....", [&] { f.party("1"); }, w.txt_TouristName},
                 {"TOURIST MOBILE NO IS NECESSARY FOR B2C ....", [&] { w.txt_TouristName->setText("ASA"); },
                  w.txt_TouristMob},
                 {"E-MAIL ADDRESS IS NECESSARY FOR B2C ....", [&] { w.txt_TouristMob->setText("9847"); },
                  w.txt_EmailAdd},
                 {"PLEASE SELECT LEAD TYPE PROPERLY FROM THE LIST ....", [&] { w.txt_EmailAdd->setText("a@b.in"); },
                  w.Cmb_LeadType},
                 {"PLEASE SELECT LEAD FOR FROM THE LIST ....", [&] { choose(w.Cmb_LeadType, "FIT"); }, w.Cmb_LeadFor},
                 {kNoStatus, [&] { choose(w.Cmb_LeadFor, "HOTEL"); }, w.Cmb_LeadStatus},
                 {"DESCRIPTION CANNOT BE BLANK ....", [&] { choose(w.Cmb_LeadStatus, "OPEN"); }, w.txt_Desc},
                 {"PLEASE ENTER NO OF PAX ....",
                  [&] {
                      typeInto(w.txt_Desc, "x");
                      typeInto(w.txt_NoOfPax, "0");
                  },
                  w.txt_NoOfPax},
                 {"PLEASE ENTER AGES OF CHILDREN ....",
                  [&] {
                      typeInto(w.txt_NoOfPax, "2");
                      typeInto(w.txt_NoOfChild, "2");
                  },
                  w.txt_ChildAges},
                 {"PLEASE ENTER START DATE PROPERLY (DD/MM/YYYY) ....",
                  [&] {
                      typeInto(w.txt_ChildAges, "4,6");
                      typeInto(w.txt_StrtDate, "31/02/2024");
                  },
                  w.txt_StrtDate},
                 {lead::kNoConsultant, [&] { typeInto(w.txt_StrtDate, "01/03/2024"); }, w.consultant->edit()}},
                [&] { QTest::keyClick(w.txt_Code, Qt::Key_F3); }),
            QString());
        // Booked statuses are never offered for entry; "-" never reaches a count.
        QCOMPARE(items(w.Cmb_LeadStatus), (QStringList{"FOLLOW UP", "OPEN"}));
        typeInto(w.txt_NoOfPax, "-3");
        QCOMPARE(w.txt_NoOfPax->text(), "3");

        f.fill();
        f.save({false});
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{" YOU ARE ABOUT TO UPDATE BUSINESS LEAD ....\n PARTY NAME : SEA BREEZE\n NO OF PAX : 2\n"
                             " TOURS DAYS : 5\n LEAD STATUS : OPEN\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"});
        QCOMPARE(count(f.db(), "M_TBL_TRANSACTION") + counter(f.db(), "BLFC01"), 0);
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.db(), kTables, kSaved, [&] { f.fill(); }, [&] { f.save(); }),
                 QString());
        // The harness fails the statement after the save's last one: the lead shown again.
        QVERIFY(w.Show_Record(1));
        QCOMPARE(
            lines(f.db(),
                  "SELECT DOC_NO, PARTY_CODE, LEADTYPE_CODE, LEADREQ_CODE, DOC_DESC, NOOF_PAX, NOOF_CHILD, "
                  "CHILD_AGES, TOUR_DAYS, TOURIST_NAME, TOURIST_MOBNO, TOURIST_EMAIL, CONSULTANT_CODE, "
                  "LEADSTATUS_CODE, CREATED_BY, UPDATE_BY FROM M_TBL_TRANSACTION"),
            QStringList{"1|1|2|2|KERALA 'BACKWATERS' TRIP|2|1|7|5|ÅSA \"Ö\" NILSSON|98470 12345|asa@example.se|1|1|"
                        "ADMINISTRATOR|ADMINISTRATOR"});
        QCOMPARE(dateFromDb(f.db().scalar("SELECT END_DT FROM M_TBL_TRANSACTION")), QDate(2024, 3, 5));
        QCOMPARE(w.lbl_EndDate->text() + " " + w.txt_StrtDate->text(), "05/03/2024 01/03/2024");
        QCOMPARE(counter(f.db(), "BLFC01"), 1);
        // Saved again: the same row, updated; a B2B party's lead without tourist saves as number 2.
        typeInto(w.txt_NoOfPax, "4");
        f.save();
        QCOMPARE(lines(f.db(), "SELECT DOC_NO, NOOF_PAX FROM M_TBL_TRANSACTION"), QStringList{"1|4"});
        w.pressTool(2);
        f.party("2");
        choose(w.Cmb_LeadType, "FIT");
        choose(w.Cmb_LeadFor, "HOTEL");
        choose(w.Cmb_LeadStatus, "FOLLOW UP");
        typeInto(w.txt_Desc, "agent enquiry");
        typeInto(w.txt_NoOfPax, "9");
        f.consultant("2");
        f.save();
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(lines(f.db(),
                       "SELECT DOC_NO, NOOF_CHILD, CHILD_AGES, TOURIST_NAME, START_DT, COALESCE(TOUR_DAYS, -1) FROM "
                       "M_TBL_TRANSACTION WHERE DOC_NO=2"),
                 QStringList{"2|0||||-1"});
    }

    // A lead is stored with a registered consultant or not at all, its number unused (an
    // operator's is his own whatever is sent); a change that leaves it alone needs none.
    void aLeadAlwaysHasAConsultant() {
        LeadMasters f;
        f.lead(5, 2, 1);
        const QVariant none(QMetaType(QMetaType::LongLong)), unsent;
        // user, lead number, consultant sent, consultant kept (0: refused)
        const std::tuple<int, qint64, QVariant, qint64> cases[] = {{1, 0, unsent, 0}, {1, 0, none, 0},   {1, 0, 0, 0},
                                                                   {1, 0, 99, 0},     {1, 5, none, 0},   {1, 0, 2, 2},
                                                                   {2, 0, none, 2},   {1, 5, unsent, 2}, {1, 5, 1, 1}};
        for (const auto& [user, number, sent, kept] : cases) {
            Columns columns{{"DOC_DESC", "X"}};
            if (sent.isValid())
                columns.emplace_back("CONSULTANT_CODE", sent);
            QString got;
            try {
                const qint64 n = lead::saveLead(f.db(), "X", user, number, columns);
                got = lines(f.db(), "SELECT CONSULTANT_CODE FROM M_TBL_TRANSACTION WHERE DOC_NO=?", {n}).value(0);
            } catch (const DbError& e) {
                got = e.message() + QString::number(counter(f.db(), "BLFC01"));
            }
            QCOMPARE(got, kept ? QString::number(kept) : lead::kNoConsultant + "0");
        }
    }

    // End date = start + (days - 1); no days, 0 days or no start: none.
    void endDate() {
        EntryFixture f;
        const QList<QStringList> cases{{"01/03/2024", "5", "05/03/2024"}, {"01/03/2024", "1", "01/03/2024"},
                                       {"28/02/2024", "3", "01/03/2024"}, {"01/03/2024", "", ""},
                                       {"01/03/2024", "0", ""},           {"", "4", ""}};
        for (const QStringList& c : cases) {
            f.w.txt_StrtDate->setText(c[0]);
            f.w.txt_NoOfDays->setText(c[1]);
            QVERIFY2(f.w.lbl_EndDate->text() == c[2], qPrintable(c.join(' ')));
        }
    }

    // An operator sees only his own leads whatever is asked, in the register, the search and
    // the listing; he cannot show another's lead, and a save of a lead that became another's
    // is refused in the transaction. No consultant row or role: no save, and the search says why.
    void operatorRestriction() {
        LeadMasters f;
        f.lead(1, 1, 1);
        f.lead(2, 2, 1);
        f.lead(3, 2, 2);
        f.ts.session.consultantCode = 2;
        frm_BusinessLeads reg(f.ts.session);
        frm_SearchLead search(f.ts.session);
        frm_LstBLFC01 list(f.ts.session);
        for (LeadListWindow* w : std::initializer_list<LeadListWindow*>{&reg, &search, &list}) {
            QCOMPARE(w->txt_ConsCode->text(), "2");
            QVERIFY(!w->txt_ConsCode->isEnabled());
            QCOMPARE(leads(*w), (QStringList{"3", "2"}));
            w->txt_ConsCode->setText("1");
            QCOMPARE(leads(*w, option(*w, "Option2")), QStringList{});
        }
        f.ts.session.consultantCode = 1;  // the admin sees every consultant's
        frm_BusinessLeads all(f.ts.session);
        QCOMPARE(leads(all), (QStringList{"3", "2", "1"}));
        all.txt_ConsCode->setText("1");
        emit all.txt_ConsCode->editingFinished();  // the code left: its name is looked up
        QCOMPARE(all.lbl_ConsName->text(),
                 lines(f.db(), "SELECT CONSULTANT_NAME FROM M_TBL_CONSULTANT WHERE CONSULTANT_CODE=1").value(0));
        QCOMPARE(leads(all, option(all, "Option2")), QStringList{"1"});

        f.ts.session.consultantCode = 2;
        f.ts.prompter.clear();  // the empty lists above said so
        frm_BusinessLead_Add w(f.ts.session, nullptr, {{{"LEAD_NO", 1}}});
        QCOMPARE(f.ts.prompter.texts(), QStringList{"UNABLE TO FETCH RECORD !!!! "});
        QCOMPARE(w.number(), 0);
        QCOMPARE(w.consultant->key(), "2");
        QVERIFY(w.Show_Record(2));
        f.db().exec("UPDATE M_TBL_TRANSACTION SET CONSULTANT_CODE=1 WHERE DOC_NO=2");
        f.ts.answer({true});
        w.Save_Record();
        QCOMPARE(f.ts.prompter.texts().last(), lead::kNotOwnLead);
        QCOMPARE(lines(f.db(), "SELECT CONSULTANT_CODE, UPDATE_BY FROM M_TBL_TRANSACTION WHERE DOC_NO=2"),
                 QStringList{"1|"});

        // The window says why on opening and again on F3, and stores nothing.
        for (int code : {3, 9}) {
            f.ts.session.consultantCode = code;
            f.ts.prompter.clear();
            frm_BusinessLead_Add none(f.ts.session);
            QVERIFY(showActive(none));
            QTest::keyClick(none.txt_Code, Qt::Key_F3);
            const QString said = f.ts.prompter.texts().value(0);
            QVERIFY(said.startsWith((code == 3 ? kNoTCPermission : kNotTourConsultant) + "\n "));
            QVERIFY(none.lbl_SaveNote->isVisible() && none.lbl_SaveNote->text() == said.split("\n ").join('\n'));
            f.ts.prompter.clear();  // the follow-up says the same, on the window and on F3
            frm_BusinessLead_Action followUp(f.ts.session, nullptr, {{{"LEAD_NO", 1}}});
            QVERIFY(showActive(followUp));
            QTest::keyClick(&followUp, Qt::Key_F3);
            QCOMPARE(f.ts.prompter.texts().value(f.ts.prompter.texts().size() - 1), said);
            QCOMPARE(followUp.lbl_SaveNote->text(), none.lbl_SaveNote->text());
            f.ts.prompter.clear();
            frm_SearchLead refused(f.ts.session);
            QCOMPARE(leads(refused), QStringList{});
            QCOMPARE(f.ts.prompter.texts(), QStringList{code == 3 ? kNoTCPermission : kNotTourConsultant});
            QVERIFY_THROWS_EXCEPTION(DbError, lead::saveLead(f.db(), "X", code, 0, {{"DOC_DESC", "X"}}));
        }
        QCOMPARE(count(f.db(), "M_TBL_TRANSACTION"), 3);
    }

    // The next follow-up date typed by keys is stored as the lead's follow-up date and shown
    // again; a date that is no date is refused before anything is written; cleared, none.
    void followUpDateStored() {
        struct Case {
            QString typed;
            QString message;  // the last one shown
            QString stored;   // FOLLOWUP_DT's day, empty for NULL
        };
        const QList<Case> cases{{"24122026", kFollowedUp, "2026-12-24"},
                                {"31022027", "PLEASE ENTER NEXT FOLLOW-UP DATE PROPERLY ....", ""},
                                {"", kFollowedUp, ""}};
        for (const Case& c : cases) {
            LeadMasters f;
            f.lead(2, 1, 0);
            f.db().exec("UPDATE M_TBL_TRANSACTION SET FOLLOWUP_DT=? WHERE DOC_NO=2",
                        {c.typed.isEmpty() ? QVariant(QDate(2026, 1, 5)) : QVariant()});
            frm_BusinessLead_Action w(f.ts.session, nullptr, {{{"LEAD_NO", 2}}});
            QCOMPARE(w.txt_FollowUpDt->text(), c.typed.isEmpty() ? "05/01/2026" : "//");
            choose(w.Cmb_Status, "FOLLOW UP");
            w.txt_ResAction->setPlainText("called");
            w.txt_FollowUpDt->setFocus();
            w.txt_FollowUpDt->selectAll();
            QTest::keyClick(w.txt_FollowUpDt, Qt::Key_Delete);
            QTest::keyClicks(w.txt_FollowUpDt, c.typed);
            f.ts.answer({true});
            QTest::keyClick(w.txt_FileNO, Qt::Key_F3);
            QCOMPARE(f.ts.prompter.texts().last(), c.message);
            QCOMPARE(lines(f.db(), "SELECT FOLLOWUP_DT FROM M_TBL_TRANSACTION WHERE DOC_NO=2").value(0).left(10),
                     c.stored);
        }
    }

    // Follow-up: a booked status is shown as the current item and kept on save; no status is
    // refused; a locked lead is read-only and, locked after it was opened, refused in the save.
    // The entry window keeps the booked status too and shows a locked lead read-only.
    void followUpMends() {
        LeadMasters f;
        f.lead(1, 1, 3);
        f.lead(2, 1, 0);
        f.lead(3, 1, 1, QDate::currentDate(), "Y");
        auto followUp = [&](frm_BusinessLead_Action& w, const QString& text) {
            w.txt_ResAction->setPlainText(text);
            f.ts.answer({true});
            QTest::keyClick(w.txt_FileNO, Qt::Key_F3);
        };
        frm_BusinessLead_Action booked(f.ts.session, nullptr, {{{"LEAD_NO", 1}}});
        QCOMPARE(booked.Cmb_Status->currentText(), "BOOKED");
        QCOMPARE(items(booked.Cmb_Status), (QStringList{"BOOKED", "FOLLOW UP", "OPEN"}));
        booked.txt_FileNO->setText("F-77");
        followUp(booked, "");
        QCOMPARE(f.ts.prompter.texts(), QStringList{"PLEASE ENTER FOLLOW UP ACTION ..."});
        followUp(booked, "called back");
        QCOMPARE(f.ts.prompter.texts(),
                 (QStringList{" YOU ARE ABOUT TO UPDATE LEAD ...\n LEAD CODE : 1\n DESC : LEAD 1\n"
                              " ARE YOU SURE WANT TO UPDATE (Y/N) ?",
                              kFollowedUp}));
        QCOMPARE(lines(f.db(),
                       "SELECT FILENO, CONSUTLTANT_RESPONSETXT, LEADSTATUS_CODE, UPDATE_BY FROM M_TBL_TRANSACTION "
                       "WHERE DOC_NO=1"),
                 QStringList{"F-77|called back|3|ADMINISTRATOR"});

        frm_BusinessLead_Action none(f.ts.session, nullptr, {{{"LEAD_NO", 2}}});
        followUp(none, "x");
        QCOMPARE(f.ts.prompter.texts(), QStringList{kNoStatus});
        choose(none.Cmb_Status, "FOLLOW UP");
        followUp(none, "x");
        QCOMPARE(f.ts.prompter.texts().last(), kFollowedUp);

        frm_BusinessLead_Action locked(f.ts.session, nullptr, {{{"LEAD_NO", 3}}});
        QVERIFY(!locked.tool(3)->isEnabled() && !locked.txt_FileNO->isEnabled());
        frm_BusinessLead_Action lateLock(f.ts.session, nullptr, {{{"LEAD_NO", 2}}});
        f.db().exec("UPDATE M_TBL_TRANSACTION SET LCK_LEAD='Y' WHERE DOC_NO=2");
        followUp(lateLock, "y");
        QCOMPARE(f.ts.prompter.texts().last(), lead::kLeadLocked);
        QCOMPARE(lines(f.db(), "SELECT CONSUTLTANT_RESPONSETXT FROM M_TBL_TRANSACTION WHERE DOC_NO=2"),
                 QStringList{"x"});
        f.ts.prompter.clear();
        frm_BusinessLead_Action missing(f.ts.session, nullptr, {{{"LEAD_NO", 99}}});
        QCOMPARE(f.ts.prompter.texts(), QStringList{"UNABLE TO FETCH RECORD !!!! "});
        QVERIFY(!missing.tool(3)->isEnabled());

        frm_BusinessLead_Add entry(f.ts.session, nullptr, {{{"LEAD_NO", 3}}});
        QVERIFY(entry.txt_Desc->isReadOnly() && !entry.tool(3)->isEnabled() && !entry.Cmb_LeadStatus->isEnabled());
        QVERIFY(entry.lbl_LeadLock->text().startsWith("Y"));
        QVERIFY(entry.Show_Record(1));
        QVERIFY(!entry.txt_Desc->isReadOnly());
        QCOMPARE(entry.Cmb_LeadStatus->currentText(), "BOOKED");
        f.ts.answer({true});
        entry.Save_Record();
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(lines(f.db(), "SELECT LEADSTATUS_CODE FROM M_TBL_TRANSACTION WHERE DOC_NO=1"), QStringList{"3"});
    }

    // A status code without a row, no status, no consultant, type or request: still listed,
    // in the grid's own colours, and counted; the status filter and the colours of the rest.
    void leadsWithoutLookupsAreListed() {
        LeadMasters f;
        f.lead(1, 1, 1, QDate(2024, 3, 1));
        f.lead(2, 1, 99, QDate(2024, 3, 2));
        f.lead(3, 7, 0, QDate(2024, 3, 3));
        f.db().exec("UPDATE M_TBL_TRANSACTION SET LEADTYPE_CODE=NULL, LEADREQ_CODE=55, PARTY_CODE=NULL WHERE DOC_NO=3");
        f.lead(4, 1, 2, QDate(2024, 3, 4));  // outside the range
        frm_BusinessLeads w(f.ts.session);
        w.txt_FromDate->setDate(QDate(2024, 3, 1));
        w.txt_ToDate->setDate(QDate(2024, 3, 3));
        QCOMPARE(leads(w), (QStringList{"3", "2", "1"}));
        QCOMPARE(w.Grid1->model()->index(2, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 0));
        QCOMPARE(w.Grid1->model()->index(2, 5).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
        QVERIFY(!w.Grid1->model()->index(0, 0).data(Qt::BackgroundRole).isValid());
        QCOMPARE(items(w.Cmb_LeadStatus), (QStringList{"%", "FOLLOW UP", "OPEN", "BOOKED"}));
        choose(w.Cmb_LeadStatus, "OPEN");
        QCOMPARE(leads(w), QStringList{"1"});
        w.txt_MailAddress->setText("%");
        QCOMPARE(leads(w, option(w, "Option5")), QStringList{});
    }

    // The four counts over the same filter as the detail, in their order and colours.
    void listingCounts() {
        LeadMasters f;
        f.lead(1, 1, 1);
        f.lead(2, 2, 1);
        f.lead(3, 2, 2);
        f.lead(4, 2, 99);
        f.db().exec("UPDATE M_TBL_TRANSACTION SET PARTY_CODE=1, LEADTYPE_CODE=2 WHERE DOC_NO=3");
        frm_LstBLFC01 w(f.ts.session);
        QCOMPARE(leads(w), (QStringList{"4", "3", "2", "1"}));
        auto grid = [](ListGrid* g) { return rowTexts(g->model(), -1, "|"); };
        const bool nullsFirst = !TestDb::usePostgres();
        auto ordered = [&](QStringList withBlank, const QString& blank) {
            withBlank.removeAll(blank);
            nullsFirst ? withBlank.prepend(blank) : withBlank.append(blank);
            return withBlank;
        };
        QStringList meena = ordered({"MEENA|FOLLOW UP|1", "MEENA|OPEN|1"}, "MEENA||1");
        QCOMPARE(grid(w.Grid2), QStringList{"ANIL|OPEN|1"} + meena);
        QCOMPARE(grid(w.Grid3), (QStringList{"FIT|3", "GROUP|1"}));
        QCOMPARE(grid(w.Grid4), (QStringList{"B2B|PACKAGE|3", "B2C|PACKAGE|1"}));
        QCOMPARE(grid(w.Grid5), ordered({"FOLLOW UP|1", "OPEN|2"}, "|1"));
        QCOMPARE(w.Grid5->model()->index(nullsFirst ? 2 : 1, 0).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(255, 255, 0));
        w.txt_PartyCode->setText("1");
        QCOMPARE(leads(w, option(w, "Option3")), QStringList{"3"});
        QCOMPARE(grid(w.Grid5), QStringList{"FOLLOW UP|1"});
    }

    // The picker hands the chosen lead to its caller and closes; the register opens the
    // follow-up of the selected lead and reloads after it saves.
    void pickerAndRegisterHandOff() {
        LeadMasters f;
        f.lead(1, 1, 1);
        f.lead(2, 1, 1);
        WindowRegistry registry;
        registerLeadWindows(registry);
        f.ts.session.windows = &registry;
        QStringList picked;
        auto* search = new frm_SearchLead(f.ts.session, nullptr, [&](const QString& code) { picked << code; });
        search->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<frm_SearchLead> alive(search);
        QVERIFY(showActive(*search));
        search->txt_LeadNO->setText("1");
        QCOMPARE(leads(*search, option(*search, "Option4")), QStringList{"1"});
        search->Grid1->setFocus();
        search->Grid1->setCurrentCell(0, 1);
        QTest::keyClick(search->Grid1, Qt::Key_Return);
        QCOMPARE(picked, QStringList{"1"});
        QTRY_VERIFY(!alive);

        frm_BusinessLeads reg(f.ts.session);
        QVERIFY(showActive(reg));
        QCOMPARE(leads(reg), (QStringList{"2", "1"}));
        QVERIFY(!reg.tool(3)->isEnabled());
        clickCell(reg.Grid1, 1, 3);
        QCOMPARE(reg.lbl_LeadCode->text() + reg.lbl_LeadLock->text(), "1N");
        reg.pressTool(3);
        frm_BusinessLead_Action* action = nullptr;
        QTRY_VERIFY((action = reg.findChild<frm_BusinessLead_Action*>()) != nullptr);
        QCOMPARE(action->lbl_LeadCode->text(), "1");
        choose(action->Cmb_Status, "FOLLOW UP");
        action->txt_ResAction->setPlainText("visited");
        f.ts.prompter.answers = {true};
        action->Save_Record();
        QCOMPARE(gridText(reg.Grid1, 1, 21), "FOLLOW UP");
        QCOMPARE(reg.lbl_LeadCode->text(), "0");
        action->close();
    }
};

QTEST_MAIN(tst_leads)
#include "tst_leads.moc"
