// Consultant registration (both masters), the consultant searches and the role check.
#include "masters/ConsultantMaster.h"
#include "masters/ConsultantRole.h"
#include "masters/ConsultantSearch.h"
#include "shell/kit/GridHelpers.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QPushButton>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kSaved = QStringLiteral("UPDATION OF CONSULTANT SUCCESSFULLY DONE ....");

struct Fixture {
    TestSession ts;
    Fixture() {
        ts.db().exec(
            "INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, FULL_NAME) VALUES (11, 'ravi', 'RAVI'), "
            "(12, 'meena', 'MEENA')");
    }
    QString loginColumn(int id, const QString& column) {
        return ts.db()
            .scalar(QStringLiteral("SELECT %1 FROM MST_LOGINDETAILS WHERE LOGIN_ID=?").arg(column), {id})
            .toString();
    }
    void add(const QString& table, int code, const QString& name, const QString& role, const QString& login = "11") {
        ts.db().exec(
            QStringLiteral("INSERT INTO %1 (CONSULTANT_CODE, CONSULTANT_NAME, LOGIN_CODE, TC_ROLE) VALUES (?, ?, ?, ?)")
                .arg(table),
            {code, name, login, role});
    }
    // Types a consultant as a user would (Enter moves on; leaving the login shows its name), then F3.
    void enter(ConsultantMaster& w, const QString& name, const QString& login, const QString& role,
               bool answer = true) {
        ts.prompter.clear();
        ts.prompter.answers = {answer};
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

}  // namespace

class tst_consultant_master : public QObject {
    Q_OBJECT
private slots:
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
        QCOMPARE(counter(f.ts.db(), "CONSULTANT"), 0);
        QCOMPARE(count(f.ts.db(), "M_TBL_CONSULTANT"), 0);

        f.ts.prompter.clear();
        f.ts.prompter.answers = {true};
        w.pressTool(3);
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(count(f.ts.db(), "M_TBL_CONSULTANT",
                       "CONSULTANT_CODE=1 AND CONSULTANT_NAME='ANIL KUMAR' AND "
                       "MOBILE_NO='98470 12345' AND LOGIN_CODE='11' AND TC_ROLE='ADMIN' AND "
                       "CREATED_BY='ADMINISTRATOR' AND CREATED_ON IS NOT NULL"),
                 1);
        QCOMPARE(counter(f.ts.db(), "CONSULTANT"), 1);
        QCOMPARE(f.loginColumn(11, "CONSULTANT_CODE"), "1");
        QVERIFY(f.loginColumn(11, "CONSULTANT_CODE_OPS").isEmpty());
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
        QCOMPARE(f.loginColumn(12, "CONSULTANT_CODE_OPS"), "1");
        QVERIFY(f.loginColumn(12, "CONSULTANT_CODE").isEmpty());
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
        QCOMPARE(f.loginColumn(11, "CONSULTANT_CODE"), "2");

        // Moving FIRST to login 12: 12 gets it, 11 keeps pointing at SECOND.
        w.Show_Record(1);
        QCOMPARE(w.txt_Name->text() + " " + w.lbl_LoginName->text(), "FIRST ravi");
        w.txt_Login->setText("12");
        f.ts.prompter.answers = {true};
        w.pressTool(3);
        QCOMPARE(f.loginColumn(12, "CONSULTANT_CODE"), "1");
        QCOMPARE(f.loginColumn(11, "CONSULTANT_CODE"), "2");

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
        QCOMPARE(f.loginColumn(12, "CONSULTANT_CODE"), "3");
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

    void searchesHandTheCodeToTheCaller() {
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
    }

    void roleCheckForTheLeadWindows() {
        Fixture f;
        f.add("M_TBL_CONSULTANT", 1, "BOSS", "ADMIN");
        f.add("M_TBL_CONSULTANT", 2, "AGENT", "OPERATOR");
        f.add("M_TBL_CONSULTANT", 3, "NEWBIE", QString());
        f.add("M_TBL_CONSULTANT", 4, "ODD", "GUEST");
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
              Case{3, TCRole::NoPermission, false, true, none}, Case{4, TCRole::NoPermission, false, true, none},
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
};

QTEST_MAIN(tst_consultant_master)
#include "tst_consultant_master.moc"
