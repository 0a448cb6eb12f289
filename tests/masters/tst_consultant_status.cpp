// Consultant registration (both masters), the consultant searches and the role check; the
// status-master family (lead, booking, operations: the question, numbering after Yes, the
// one lock holder, row colours, all-or-nothing saves) and the colour chooser.
#include "masters/Colour_Picker.h"
#include "masters/ConsultantMaster.h"
#include "masters/ConsultantRole.h"
#include "masters/ConsultantSearch.h"
#include "masters/StatusMaster.h"
#include "masters/StatusWindows.h"
#include "shell/kit/GridHelpers.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kSaved = QStringLiteral("UPDATION OF CONSULTANT SUCCESSFULLY DONE ....");
const QString kLeadSaved = QStringLiteral("LEAD STATUS SUCCESSFULLY UPDATED .....");

void answer(ScriptedPrompter& p, bool yes = true) {
    p.clear();
    p.answers = {yes};
}

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
            QStringLiteral("INSERT INTO %1 (CONSULTANT_CODE, CONSULTANT_NAME, LOGIN_CODE, TC_ROLE) VALUES (?, ?, ?, ?)")
                .arg(table),
            {code, name, login, role});
    }
    // Types a consultant as a user would (Enter moves on; leaving the login shows its name), then F3.
    void enter(ConsultantMaster& w, const QString& name, const QString& login, const QString& role, bool yes = true) {
        answer(ts.prompter, yes);
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
        answer(ts.prompter, yes);
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

}  // namespace

class tst_consultant_status : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void savesTourConsultantAndLinksTheLogin() {
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
        answer(f.ts.prompter);
        w.pressTool(3);
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(count(f.ts.db(), "M_TBL_CONSULTANT",
                       "CONSULTANT_CODE=1 AND CONSULTANT_NAME='ANIL KUMAR' AND MOBILE_NO='98470 12345' AND "
                       "LOGIN_CODE='11' AND TC_ROLE='ADMIN' AND CREATED_BY='ADMINISTRATOR' AND CREATED_ON IS NOT NULL"),
                 1);
        QCOMPARE(counter(f.ts.db(), "CONSULTANT"), 1);
        QCOMPARE(f.links(), QStringList({"1|", "|"}));
        // Shown again under its number, and listed.
        QCOMPARE(w.lbl_Code->text() + " " + w.lbl_CreatedBy->text(), "1 ADMINISTRATOR");
        QCOMPARE(gridText(w.Grid1, 0, 2), "ANIL KUMAR");
        QVERIFY(gridText(w.Grid1, 0, 6).startsWith("ADMINISTRATOR - "));
        // Saving the shown consultant again updates it in place: no new number.
        f.ts.prompter.answers = {true};
        w.Cmb_TCRole->setCurrentIndex(0);
        w.pressTool(3);
        QCOMPARE(counter(f.ts.db(), "CONSULTANT"), 1);
        QCOMPARE(count(f.ts.db(), "M_TBL_CONSULTANT", "TC_ROLE='OPERATOR' AND CREATED_BY='ADMINISTRATOR'"), 1);
    }

    void operationsTeamUsesItsOwnTableCounterAndLoginColumn() {
        Fixture f;
        f.add("M_TBL_CONSULTANT", 1, "TOUR ONE", "ADMIN");
        frm_Regd_Consultant_OP w(f.ts.session);
        QVERIFY(showActive(w));
        QVERIFY(isBlankRow(w.Grid1, 0));  // the tour consultant is not listed here
        f.enter(w, "OPS MAN", "12", "OPERATOR");
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(count(f.ts.db(), "M_TBL_CONSULTANT_OP", "CONSULTANT_CODE=1"), 1);
        QCOMPARE(counter(f.ts.db(), "CONSULTANT-OP"), 1);
        QCOMPARE(counter(f.ts.db(), "CONSULTANT"), 0);
        QCOMPARE(f.links(), QStringList({"|", "|1"}));
        QCOMPARE(count(f.ts.db(), "M_TBL_CONSULTANT", "CONSULTANT_NAME='TOUR ONE'"), 1);
    }

    void loginLinkFollowsTheLastSaveAndFailsWithTheConsultant() {
        Fixture f;
        frm_RegdConsultant w(f.ts.session);
        QVERIFY(showActive(w));
        f.enter(w, "FIRST", "11", "OPERATOR");
        w.pressTool(2);
        QCOMPARE(w.lbl_Code->text(), "0");
        f.enter(w, "SECOND", "11", "OPERATOR");
        QCOMPARE(f.links(), QStringList({"2|", "|"}));
        // Moving FIRST to login 12: 12 gets it, 11 keeps pointing at SECOND.
        w.Show_Record(1);
        QCOMPARE(w.txt_Name->text() + " " + w.lbl_LoginName->text(), "FIRST ravi");
        w.txt_Login->setText("12");
        f.ts.prompter.answers = {true};
        w.pressTool(3);
        QCOMPARE(f.links(), QStringList({"2|", "1|"}));
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
        QCOMPARE(f.links(), QStringList({"2|", "3|"}));
    }

    void gridFindsNameAnywhereAtMostFifty() {
        Fixture f;
        for (int i = 1; i <= 55; ++i)
            f.add("M_TBL_CONSULTANT", i, QStringLiteral("AGENT %1 KUMAR").arg(i, 2, 10, QChar('0')), "OPERATOR");
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
        w.Grid1->setFocus();
        w.Grid1->setCurrentCell(0, 2);
        QTest::keyClick(w.Grid1, Qt::Key_Return);
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
        s->Grid1->setFocus();
        s->Grid1->setCurrentCell(1, 1);
        QTest::keyClick(s->Grid1, Qt::Key_Return);
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

    void leadStatusChecksAsksThenNumbersAfterYes() {
        StatusFixture f;
        auto* w = f.w.get();
        QCOMPARE(checkInOrder(f.ts.prompter, f.ts.db(), {"M_TBL_LEADSTATUS"},
                              {{"PLEASE ENTER LEAD STATUS TYPE ....", {}, w->txt_Status}},
                              [&] { QTest::keyClick(w->txt_SlNO, Qt::Key_F3); }),
                 QString());
        const QString question =
            " YOU ARE ABOUT TO UPDATUS LEAD STATUS \n STATUS : BOOKED\n ARE YOU SURE WANT TO PROCEED (Y/N) ?";
        f.enter("booked", "3", "Y", {255, 255, 0, 0, 0, 128}, false);
        QCOMPARE(f.ts.prompter.texts(), QStringList{question});
        QCOMPARE((QList<qint64>{f.leads({}), counter(f.ts.db(), "LEADSTAT")}), (QList<qint64>{0, 0}));
        f.save();
        QCOMPARE(f.ts.prompter.texts(), (QStringList{question, kLeadSaved}));
        QCOMPARE(counter(f.ts.db(), "LEADSTAT"), 1);
        QCOMPARE(w->lbl_Code->text(), "1");
        QCOMPARE(f.leads("LEADSTATUS_CODE=1 AND LEAD_STATUS='BOOKED' AND LEAD_SLNO=3 AND LEAD_LOCK='Y' AND "
                         "RGB_COLOR='255,255,0' AND L_BLUE=0 AND RGB_COLOR_F='0,0,128' AND L_F_BLUE=128 AND "
                         "CREATED_BY='ADMINISTRATOR' AND UPDATE_BY='ADMINISTRATOR' AND CREATED_ON IS NOT NULL"),
                 1);
        // The grid row is painted in the status's own colours.
        const int row = rowOf(w->Grid1->model(), 1, "BOOKED");
        QCOMPARE(w->Grid1->item(row, 0)->background().color(), QColor(255, 255, 0));
        QCOMPARE(w->Grid1->item(row, 1)->foreground().color(), QColor(0, 0, 128));
        QCOMPARE(gridText(w->Grid1, row, 3), "Y");
        // Saved again: same code, no new number, creation kept.
        const QVariant created = f.ts.db().scalar("SELECT CREATED_ON FROM M_TBL_LEADSTATUS");
        w->txt_Status->setText("BOOKED TOUR");
        f.save();
        QCOMPARE(counter(f.ts.db(), "LEADSTAT"), 1);
        QCOMPARE(f.leads("LEAD_STATUS='BOOKED TOUR'"), 1);
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
        w->Grid1->setFocus();
        w->Grid1->setCurrentCell(rowOf(w->Grid1->model(), 1, "LOST"), 1);
        QTest::keyClick(w->Grid1, Qt::Key_Return);
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

    void bookingStatusKeepsItsEightFlags() {
        TestSession ts;
        // The booking status tables come with the windows that own them; made here when missing.
        const QString common =
            "CBPT_STATUS VARCHAR(100), CBPT_SLNO INTEGER, H_RED INTEGER, H_GREEN INTEGER, H_BLUE INTEGER, "
            "RGB_COLOR VARCHAR(20), H_F_RED INTEGER, H_F_GREEN INTEGER, H_F_BLUE INTEGER, "
            "RGB_COLOR_F VARCHAR(20), %1 CREATED_BY VARCHAR(100), CREATED_ON TIMESTAMP, "
            "UPDATE_BY VARCHAR(100), UPDATE_ON TIMESTAMP)";
        QString locks;
        for (const char* l : {"LEAD", "QUOT", "MONEYRCPT", "ANCP01", "ANCP02", "ANCP03", "PAYMENT", "CBPT"})
            locks += QStringLiteral("LCK_%1 VARCHAR(1), ").arg(l);
        if (!ts.db().tableExists("M_TBL_CBPT_STATUS"))
            ts.db().exec("CREATE TABLE M_TBL_CBPT_STATUS (CBPTSTATUS_CODE INTEGER NOT NULL PRIMARY KEY, " +
                         common.arg(locks));
        if (!ts.db().tableExists("M_TBL_CBPT_STATUS_OPS"))
            ts.db().exec("CREATE TABLE M_TBL_CBPT_STATUS_OPS (CBPTSTATUS_CODE_O INTEGER NOT NULL PRIMARY KEY, " +
                         common.arg(QString()));
        {
            StatusMaster w(ts.session, nullptr, frm_CBPTSTATUS_Config());
            QCOMPARE(w.lockLists.size(), 8);
            auto save = [&](const QString& name, QList<int> yes) {
                w.Load_Init();
                w.txt_Status->setText(name);
                w.txt_SlNO->setText("1");
                w.txt_R->setText("200");
                for (int i : yes)
                    w.lockLists.at(i)->setCurrentText("Y");
                answer(ts.prompter);
                w.Save_Record();
            };
            save("CLOSED", {2, 7});
            QCOMPARE(
                ts.prompter.texts(),
                (QStringList{
                    " YOU ARE ABOUT TO UPDATUS CBPT STATUS \n STATUS : CLOSED\n ARE YOU SURE WANT TO PROCEED (Y/N) ?",
                    "CBPT STATUS SUCCESSFULLY UPDATED ....."}));
            save("ON TOUR", {7});
            QCOMPARE(count(ts.db(), "M_TBL_CBPT_STATUS",
                           "CBPTSTATUS_CODE=1 AND CBPT_STATUS='CLOSED' AND "
                           "LCK_MONEYRCPT='Y' AND LCK_LEAD='N' AND RGB_COLOR='200,0,0'"),
                     1);
            // Booking locks are not exclusive: both statuses keep LCK_CBPT.
            QCOMPARE(count(ts.db(), "M_TBL_CBPT_STATUS", "LCK_CBPT='Y'"), 2);
            QCOMPARE(counter(ts.db(), "CBPTSTAT"), 2);
        }
        StatusMaster w(ts.session, nullptr, frm_CBPTSTATUS_OPS_Config());
        QVERIFY(w.lockLists.isEmpty());
        w.txt_Status->setText("ASSIGNED");
        ts.prompter.answers = {true};
        w.Save_Record();
        QCOMPARE(count(ts.db(), "M_TBL_CBPT_STATUS_OPS", "CBPTSTATUS_CODE_O=1 AND CBPT_STATUS='ASSIGNED'"), 1);
        QCOMPARE(counter(ts.db(), "CBPTSTAT_OPS"), 1);
    }

    void colourChooserHandsTheColourBack() {
        QStandardPaths::setTestModeEnabled(true);
        StatusFixture f;
        auto* w = f.w.get();
        Colour_Picker* p = openPicker(w->Cmb_PickColor);
        QVERIFY(p && p->isModal());
        QCOMPARE(p->R_Value->text() + " " + QString::number(p->G_Slider->value()), "255 255");
        // 300 is refused with the range message; the field goes back.
        typeInto(p->R_Value, "300");
        QCOMPARE(f.ts.prompter.messages.size(), 1);
        QCOMPARE(f.ts.prompter.messages.first().text, "Invalid value. Range must be within (0-255).");
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
    }
};

QTEST_MAIN(tst_consultant_status)
#include "tst_consultant_status.moc"
