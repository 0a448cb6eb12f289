// Consultant registration (both masters), the consultant searches and the role check.
#include "support/Drive.h"
#include "masters/ConsultantMaster.h"
#include "masters/ConsultantRole.h"
#include "masters/ConsultantSearch.h"
#include "shell/kit/GridHelpers.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kQuestionHead = QStringLiteral(" YOU ARE ABOUT TO UPDATE CONSULTANT ...");
const QString kSaved = QStringLiteral("UPDATION OF CONSULTANT SUCCESSFULLY DONE ....");

struct Fixture {
    TestSession ts;

    Fixture() {
        addLogin(11, QStringLiteral("ravi"));
        addLogin(12, QStringLiteral("meena"));
    }
    void addLogin(int id, const QString& name) {
        ts.db().exec(QStringLiteral("INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, FULL_NAME) VALUES (?, ?, ?)"),
                     {id, name, name.toUpper()});
    }
    QString loginColumn(int id, const QString& column) {
        return ts.db().scalar(QStringLiteral("SELECT %1 FROM MST_LOGINDETAILS WHERE LOGIN_ID=?").arg(column), {id}).toString();
    }
    qint64 counter(const QString& code) {
        return ts.db().scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE=?"), {code}).toLongLong();
    }
    std::optional<QSqlRecord> row(const QString& table, int code) {
        return ts.db().firstRow(QStringLiteral("SELECT * FROM %1 WHERE CONSULTANT_CODE=?").arg(table), {code});
    }
    void addConsultant(const QString& table, int code, const QString& name, const QString& role, const QString& login = "11") {
        ts.db().exec(QStringLiteral("INSERT INTO %1 (CONSULTANT_CODE, CONSULTANT_NAME, LOGIN_CODE, TC_ROLE) VALUES (?, ?, ?, ?)")
                         .arg(table),
                     {code, name, login, role});
    }
};

// Types a consultant into the window as a user would and presses F3.
void enter(ConsultantMaster* w, const QString& name, const QString& login, const QString& mobile, const QString& role) {
    w->txt_Name->setFocus();
    typeKeys(name);
    keyToFocus(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->txt_Login);
    typeKeys(login);
    keyToFocus(Qt::Key_Return);  // leaving the login shows its name
    QCOMPARE(QApplication::focusWidget(), w->txt_MobNO);
    typeKeys(mobile);
    w->Cmb_TCRole->setCurrentIndex(w->Cmb_TCRole->findText(role));
    QTest::keyClick(w->txt_MobNO, Qt::Key_F3);
}

}  // namespace

class tst_consultant_master : public QObject {
    Q_OBJECT
private slots:
    void savesTourConsultantAndLinksTheLogin() {
        Fixture f;
        frm_RegdConsultant w(f.ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("REGISTRATION - TOUR CONSULTANT"));
        QCOMPARE(w.objectName(), QStringLiteral("frm_RegdConsultant"));
        QCOMPARE(w.Cmb_TCRole->itemText(0), QStringLiteral("OPERATOR"));
        QCOMPARE(w.Cmb_TCRole->itemText(1), QStringLiteral("ADMIN"));

        // No: nothing written and no number taken.
        f.ts.prompter.answers = {false};
        enter(&w, QStringLiteral("anil kumar"), QStringLiteral("11"), QStringLiteral("98470 12345"), QStringLiteral("ADMIN"));
        QCOMPARE(w.lbl_LoginName->text(), QStringLiteral("ravi"));
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{kQuestionHead + "\n CONSULTANT NAME : ANIL KUMAR\n LOGIN CODE : 11\n LOGIN NAME : ravi\n"
                                             " ARE YOU SURE WANT TO PROCEED (Y/N) ?"});
        QCOMPARE(f.ts.prompter.messages.at(0).kind, QStringLiteral("question"));
        QCOMPARE(f.counter(QStringLiteral("CONSULTANT")), 0);
        QVERIFY(!f.row(QStringLiteral("M_TBL_CONSULTANT"), 1));

        f.ts.prompter.clear();
        f.ts.prompter.answers = {true};
        w.pressTool(3);
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        const auto r = f.row(QStringLiteral("M_TBL_CONSULTANT"), 1);
        QVERIFY(r);
        QCOMPARE(r->value("CONSULTANT_NAME").toString(), QStringLiteral("ANIL KUMAR"));
        QCOMPARE(r->value("MOBILE_NO").toString(), QStringLiteral("98470 12345"));
        QCOMPARE(r->value("LOGIN_CODE").toString(), QStringLiteral("11"));
        QCOMPARE(r->value("TC_ROLE").toString(), QStringLiteral("ADMIN"));
        QCOMPARE(r->value("CREATED_BY").toString(), QStringLiteral("ADMINISTRATOR"));
        QVERIFY(!r->value("CREATED_ON").isNull());
        QCOMPARE(f.counter(QStringLiteral("CONSULTANT")), 1);
        QCOMPARE(f.loginColumn(11, "CONSULTANT_CODE"), QStringLiteral("1"));
        QVERIFY(f.loginColumn(11, "CONSULTANT_CODE_OPS").isEmpty());
        // Shown again under its number, and listed.
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("1"));
        QCOMPARE(w.lbl_CreatedBy->text(), QStringLiteral("ADMINISTRATOR"));
        QCOMPARE(gridText(w.Grid1, 0, 2), QStringLiteral("ANIL KUMAR"));
        QVERIFY(gridText(w.Grid1, 0, 6).startsWith(QStringLiteral("ADMINISTRATOR - ")));
        shoot(w, QStringLiteral("frm_RegdConsultant"));

        // Saving the shown consultant again updates it in place: no new number.
        f.ts.prompter.clear();
        f.ts.prompter.answers = {true};
        w.Cmb_TCRole->setCurrentIndex(0);
        w.pressTool(3);
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(f.counter(QStringLiteral("CONSULTANT")), 1);
        QCOMPARE(f.row(QStringLiteral("M_TBL_CONSULTANT"), 1)->value("TC_ROLE").toString(), QStringLiteral("OPERATOR"));
        QCOMPARE(f.row(QStringLiteral("M_TBL_CONSULTANT"), 1)->value("CREATED_BY").toString(), QStringLiteral("ADMINISTRATOR"));
    }

    void checksInOrderAndRefusesUnknownLogin() {
        Fixture f;
        frm_RegdConsultant w(f.ts.session);
        QVERIFY(showActive(w));
        w.txt_Login->setFocus();
        QTest::keyClick(w.txt_Login, Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("PLEASE ENTER CONSULTANT NAME ....")});
        QCOMPARE(QApplication::focusWidget(), w.txt_Name);

        // A login code that matches no login cannot be saved, even with a name shown before.
        typeKeys(QStringLiteral("SUNIL"));
        w.txt_Login->setText(QStringLiteral("11"));
        w.Show_LoginName();
        QCOMPARE(w.lbl_LoginName->text(), QStringLiteral("ravi"));
        w.txt_Login->setText(QStringLiteral("99"));  // changed without leaving the field
        f.ts.prompter.clear();
        f.ts.prompter.answers = {true};
        QTest::keyClick(w.txt_Name, Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("PLEASE ENTER LOGIN CODE ....")});
        QCOMPARE(QApplication::focusWidget(), w.txt_Login);
        QVERIFY(w.lbl_LoginName->text().isEmpty());
        QCOMPARE(f.ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_CONSULTANT")).toInt(), 0);
        QCOMPARE(f.ts.prompter.answers.size(), 1);  // no question was asked
    }

    void operationsTeamUsesItsOwnTableCounterAndLoginColumn() {
        Fixture f;
        f.addConsultant(QStringLiteral("M_TBL_CONSULTANT"), 1, QStringLiteral("TOUR ONE"), QStringLiteral("ADMIN"));
        frm_Regd_Consultant_OP w(f.ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("REGISTRATION - CONSULTANT OPERATIONAL TEAM"));
        QCOMPARE(w.objectName(), QStringLiteral("frm_Regd_Consultant_OP"));
        QCOMPARE(w.Grid1->rowCount(), 1);
        QVERIFY(isBlankRow(w.Grid1, 0));  // the tour consultant is not listed here
        f.ts.prompter.answers = {true};
        enter(&w, QStringLiteral("OPS MAN"), QStringLiteral("12"), QString(), QStringLiteral("OPERATOR"));
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QVERIFY(f.row(QStringLiteral("M_TBL_CONSULTANT_OP"), 1));
        QCOMPARE(f.counter(QStringLiteral("CONSULTANT-OP")), 1);
        QCOMPARE(f.counter(QStringLiteral("CONSULTANT")), 0);
        QCOMPARE(f.loginColumn(12, "CONSULTANT_CODE_OPS"), QStringLiteral("1"));
        QVERIFY(f.loginColumn(12, "CONSULTANT_CODE").isEmpty());
        QCOMPARE(f.row(QStringLiteral("M_TBL_CONSULTANT"), 1)->value("CONSULTANT_NAME").toString(), QStringLiteral("TOUR ONE"));
        shoot(w, QStringLiteral("frm_Regd_Consultant_OP"));
    }

    void loginLinkFollowsTheLastSaveAndFailsWithTheConsultant() {
        Fixture f;
        frm_RegdConsultant w(f.ts.session);
        QVERIFY(showActive(w));
        f.ts.prompter.answers = {true};
        enter(&w, QStringLiteral("FIRST"), QStringLiteral("11"), QString(), QStringLiteral("OPERATOR"));
        w.pressTool(2);
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("0"));
        f.ts.prompter.answers = {true};
        enter(&w, QStringLiteral("SECOND"), QStringLiteral("11"), QString(), QStringLiteral("OPERATOR"));
        QCOMPARE(f.loginColumn(11, "CONSULTANT_CODE"), QStringLiteral("2"));

        // Moving FIRST to login 12: 12 gets it, 11 keeps pointing at SECOND.
        w.Show_Record(1);
        QCOMPARE(w.txt_Name->text(), QStringLiteral("FIRST"));
        QCOMPARE(w.lbl_LoginName->text(), QStringLiteral("ravi"));
        w.txt_Login->setText(QStringLiteral("12"));
        f.ts.prompter.clear();
        f.ts.prompter.answers = {true};
        w.pressTool(3);
        QCOMPARE(f.ts.prompter.texts().last(), kSaved);
        QCOMPARE(f.loginColumn(12, "CONSULTANT_CODE"), QStringLiteral("1"));
        QCOMPARE(f.loginColumn(11, "CONSULTANT_CODE"), QStringLiteral("2"));

        // The consultant and its login link are one commit, whichever statement fails.
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.ts.db(), {QStringLiteral("M_TBL_CONSULTANT"), QStringLiteral("MST_LOGINDETAILS")}, kSaved,
                     [&] {
                         w.pressTool(2);
                         w.txt_Name->setText(QStringLiteral("THIRD"));
                         w.txt_Login->setText(QStringLiteral("12"));
                     },
                     [&] { w.Save_Record(); }),
                 QString());
        QCOMPARE(f.loginColumn(12, "CONSULTANT_CODE"), QStringLiteral("3"));
    }

    void gridFindsNameAnywhereAtMostFifty() {
        Fixture f;
        for (int i = 1; i <= 55; ++i)
            f.addConsultant(QStringLiteral("M_TBL_CONSULTANT"), i, QStringLiteral("AGENT %1 KUMAR").arg(i, 2, 10, QChar('0')),
                            QStringLiteral("OPERATOR"));
        f.addConsultant(QStringLiteral("M_TBL_CONSULTANT"), 60, QStringLiteral("BINU"), QStringLiteral("ADMIN"), "99");
        frm_RegdConsultant w(f.ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(w.Grid1->rowCount(), 50);
        QCOMPARE(gridText(w.Grid1, 0, 2), QStringLiteral("AGENT 01 KUMAR"));
        QCOMPARE(gridText(w.Grid1, 49, 2), QStringLiteral("AGENT 50 KUMAR"));

        w.txt_SrcRecord->setFocus();
        typeKeys(QStringLiteral("5 kum"));
        keyToFocus(Qt::Key_Return);
        QStringList names;
        for (int r = 0; r < w.Grid1->rowCount(); ++r)
            names << gridText(w.Grid1, r, 2);
        QCOMPARE(names, (QStringList{"AGENT 05 KUMAR", "AGENT 15 KUMAR", "AGENT 25 KUMAR", "AGENT 35 KUMAR",
                                     "AGENT 45 KUMAR", "AGENT 55 KUMAR"}));

        // A consultant whose login has gone is still shown from the grid (Enter on its row).
        w.txt_SrcRecord->setText(QStringLiteral("BIN"));
        QTest::mouseClick(w.Cmd_Show, Qt::LeftButton);
        QCOMPARE(w.Grid1->rowCount(), 1);
        w.Grid1->setFocus();
        w.Grid1->setCurrentCell(0, 2);
        QTest::keyClick(w.Grid1, Qt::Key_Return);
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("60"));
        QCOMPARE(w.txt_Name->text(), QStringLiteral("BINU"));
        QCOMPARE(w.Cmb_TCRole->currentText(), QStringLiteral("ADMIN"));
        QVERIFY(w.lbl_LoginName->text().isEmpty());
        QVERIFY(f.ts.prompter.messages.isEmpty());
    }

    void searchesHandTheCodeToTheCaller() {
        Fixture f;
        f.addConsultant(QStringLiteral("M_TBL_CONSULTANT"), 4, QStringLiteral("RAJESH"), QStringLiteral("ADMIN"));
        f.addConsultant(QStringLiteral("M_TBL_CONSULTANT"), 5, QStringLiteral("RAMAN"), QStringLiteral("ADMIN"));
        f.addConsultant(QStringLiteral("M_TBL_CONSULTANT_OP"), 7, QStringLiteral("RAVI OPS"), QStringLiteral("ADMIN"));

        QStringList picked;
        QPointer<frm_SearchConsultant> s = new frm_SearchConsultant(f.ts.session, nullptr,
                                                                    [&](const QString& code) { picked << code; });
        s->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(showActive(*s));
        QCOMPARE(s->windowTitle(), QStringLiteral("SEARCH CONSULTANT"));
        // The pattern is used as typed: without a wildcard only the exact name matches.
        s->txt_Name->setFocus();
        typeKeys(QStringLiteral("ra"));
        QTest::mouseClick(s->Cmd_Show, Qt::LeftButton);
        QVERIFY(isBlankRow(s->Grid1, 0));
        s->txt_Name->setText(s->txt_Name->text() + QStringLiteral("%"));
        s->txt_Name->setFocus();
        keyToFocus(Qt::Key_Return);  // Enter in the pattern shows the list
        QCOMPARE(s->Grid1->rowCount(), 2);
        QCOMPARE(gridText(s->Grid1, 1, 1), QStringLiteral("RAMAN"));
        QCOMPARE(gridText(s->Grid1, 1, 2), QStringLiteral("5"));
        shoot(*s, QStringLiteral("frm_SearchConsultant"));
        s->Grid1->setFocus();
        s->Grid1->setCurrentCell(1, 1);
        QTest::keyClick(s->Grid1, Qt::Key_Return);
        QCOMPARE(picked, QStringList{QStringLiteral("5")});
        QTRY_VERIFY(!s);  // closed and gone

        QPointer<frm_SearchConsultant_OP> o = new frm_SearchConsultant_OP(f.ts.session, nullptr,
                                                                          [&](const QString& code) { picked << code; });
        o->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(showActive(*o));
        QCOMPARE(o->windowTitle(), QStringLiteral("SEARCH CONSULTANT OPERATION"));
        o->txt_Name->setText(QStringLiteral("%"));
        QTest::mouseClick(o->Cmd_Show, Qt::LeftButton);
        QCOMPARE(o->Grid1->rowCount(), 1);
        o->Grid1->setFocus();
        QTest::keyClick(o->Grid1, Qt::Key_Return);
        QCOMPARE(picked, (QStringList{"5", "7"}));
        QTRY_VERIFY(!o);
    }

    void roleCheckForTheLeadWindows() {
        Fixture f;
        f.addConsultant(QStringLiteral("M_TBL_CONSULTANT"), 1, QStringLiteral("BOSS"), QStringLiteral("ADMIN"));
        f.addConsultant(QStringLiteral("M_TBL_CONSULTANT"), 2, QStringLiteral("AGENT"), QStringLiteral("OPERATOR"));
        f.addConsultant(QStringLiteral("M_TBL_CONSULTANT"), 3, QStringLiteral("NEWBIE"), QString());
        f.addConsultant(QStringLiteral("M_TBL_CONSULTANT"), 4, QStringLiteral("ODD"), QStringLiteral("GUEST"));
        // Only the tour consultants count: an operations consultant is not one.
        f.addConsultant(QStringLiteral("M_TBL_CONSULTANT_OP"), 9, QStringLiteral("OPS"), QStringLiteral("ADMIN"));

        const TCRoleCheck admin = Chk_TCRole(f.ts.db(), 1);
        QCOMPARE(admin.role, TCRole::Admin);
        QVERIFY(admin.saveAllowed() && !admin.consultantLocked());
        QCOMPARE(admin.consultantName, QStringLiteral("BOSS"));
        QVERIFY(admin.refusal().isEmpty());

        f.ts.session.consultantCode = 2;
        const TCRoleCheck op = Chk_TCRole(f.ts.session);
        QCOMPARE(op.role, TCRole::Operator);
        QVERIFY(op.saveAllowed() && op.consultantLocked());
        QCOMPARE(op.consultantCode, 2);

        for (int code : {3, 4}) {
            const TCRoleCheck none = Chk_TCRole(f.ts.db(), code);
            QCOMPARE(none.role, TCRole::NoPermission);
            QVERIFY(!none.saveAllowed() && none.consultantLocked());
            QCOMPARE(none.refusal(), QStringLiteral("CANNOT PROCEED AS YOU DONT HAVE ANY PERMISSION ..."));
        }
        for (int code : {0, 9}) {
            const TCRoleCheck stranger = Chk_TCRole(f.ts.db(), code);
            QCOMPARE(stranger.role, TCRole::NotRegistered);
            QVERIFY(!stranger.saveAllowed());
            QCOMPARE(stranger.refusal(), QStringLiteral("CANNOT PROCEED AS YOU ARE NOT REGISTERED AS TOUR CONSULTANT..."));
        }
    }
};

QTEST_MAIN(tst_consultant_master)
#include "tst_consultant_master.moc"
