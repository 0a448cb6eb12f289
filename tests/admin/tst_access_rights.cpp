// "ACCESS CONTROL LIST": Y/N editing, rights replaced whole in one transaction, and their
// effect on the main window built for the login at its next logon.
#include "support/Drive.h"
#include "admin/frm_GrantAccess.h"
#include "shell/MainWindow.h"
#include "support/TestSession.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

struct Fixture {
    TestSession ts;
    std::unique_ptr<frm_GrantAccess> w;
    Fixture() {
        ts.db().exec(QStringLiteral("INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, USER_PASSWORD, FULL_NAME, "
                                    "MODULE_FOR, USER_DEPARTMENT, USER_DESIGNATION) VALUES (5, 'ravi', 'x', 'RAVI KUMAR', "
                                    "'SALES', 'SALES', 'OPERATOR')"));
        w = std::make_unique<frm_GrantAccess>(ts.session);
        w->show();
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("window not active");
    }
    int rowOfMenu(int menuId) {
        for (int r = 0; r < w->Grid1->rowCount(); ++r)
            if (w->Grid1->item(r, 0) && w->Grid1->item(r, 0)->text().toInt() == menuId)
                return r;
        return -1;
    }
    void typeAt(int row, int column, const QString& keys) {
        w->Grid1->setFocus();
        w->Grid1->setCurrentCell(row, column);
        QTest::keyClicks(w->Grid1, keys);
    }
    QString permission(int row) { return w->Grid1->item(row, frm_GrantAccess::Permission)->text(); }
    QString stored(qint64 login, int menu, const char* column = "SHOW_MENU") {
        return ts.db().scalar(QStringLiteral("SELECT %1 FROM M_TBL_MENUSHOW WHERE LOGIN_ID=? AND MENU_ID=?").arg(QLatin1String(column)),
                              {login, menu}).toString();
    }
    int rows(qint64 login) {
        return ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_MENUSHOW WHERE LOGIN_ID=?"), {login}).toInt();
    }
    void enterLogin(const QString& id) {
        w->txt_EmpID->setFocus();
        QTest::keyClicks(w->txt_EmpID, id);
    }
};

}  // namespace

class tst_access_rights : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void catalogueFirstThenTheLoginsRows() {
        Fixture f;
        auto* w = f.w.get();
        QCOMPARE(w->windowTitle(), QStringLiteral("ACCESS CONTROL LIST"));
        QCOMPARE(w->Grid1->columnCount(), 4);
        QCOMPARE(w->Grid1->horizontalHeaderItem(3)->text(), QStringLiteral("PERMISSION (Y/N)"));
        QCOMPARE(w->Grid1->rowCount(), 115);
        for (int r = 0; r < w->Grid1->rowCount(); ++r)
            QCOMPARE(f.permission(r), QStringLiteral("Y"));
        // Ordered by group: the master menu's entries first, a search entry later.
        QCOMPARE(w->Grid1->item(0, 1)->text(), QStringLiteral("MASTER"));
        QVERIFY(f.rowOfMenu(60) > f.rowOfMenu(31));

        // A login without rights rows shows its details and an empty grid.
        f.enterLogin(QStringLiteral("5"));
        QTest::keyClick(w->txt_EmpID, Qt::Key_Return);
        QCOMPARE(w->lbl_EmplName->text(), QStringLiteral("RAVI KUMAR"));
        QCOMPARE(w->lbl_Desig->text(), QStringLiteral("OPERATOR"));
        QCOMPARE(w->lbl_Dept->text(), QStringLiteral("SALES"));
        QCOMPARE(w->Grid1->rowCount(), 1);
        QVERIFY(w->Grid1->item(0, 0) == nullptr || w->Grid1->item(0, 0)->text().isEmpty());
    }

    void onlyYAndNInThePermissionColumn() {
        Fixture f;
        auto* w = f.w.get();
        const int row = f.rowOfMenu(7);
        f.typeAt(row, frm_GrantAccess::Permission, QStringLiteral("n"));
        QCOMPARE(f.permission(row), QStringLiteral("N"));
        QCOMPARE(w->Grid1->item(row, 1)->background().color(), w->Grid1->item(row, 3)->background().color());
        const QColor hidden = w->Grid1->item(row, 0)->background().color();
        f.typeAt(row, frm_GrantAccess::Permission, QStringLiteral("x1 "));
        QCOMPARE(f.permission(row), QStringLiteral("N"));
        f.typeAt(row, frm_GrantAccess::Permission, QStringLiteral("y"));
        QCOMPARE(f.permission(row), QStringLiteral("Y"));
        QVERIFY(w->Grid1->item(row, 0)->background().color() != hidden);
        // Outside the permission column nothing changes.
        f.typeAt(row, frm_GrantAccess::MenuCaption, QStringLiteral("nN"));
        QCOMPARE(f.permission(row), QStringLiteral("Y"));
        QCOMPARE(w->Grid1->item(row, 2)->text(), QStringLiteral("COUNTER RESET"));
    }

    void savedRightsHideEntriesAtTheNextLogon() {
        Fixture f;
        auto* w = f.w.get();
        // Rights typed on the catalogue list, the login id typed without Enter.
        f.enterLogin(QStringLiteral("5"));
        f.typeAt(f.rowOfMenu(7), frm_GrantAccess::Permission, QStringLiteral("n"));   // mnu_CounterReset
        f.typeAt(f.rowOfMenu(18), frm_GrantAccess::Permission, QStringLiteral("N"));  // mnu_LeadStatus
        f.ts.prompter.clear();
        QTest::keyClick(w->Grid1, Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Successfully Saved ....")});
        QCOMPARE(f.rows(5), 115);
        QCOMPARE(f.stored(5, 7), QStringLiteral("N"));
        QCOMPARE(f.stored(5, 7, "MENU_DISP"), QStringLiteral(".Enabled=FALSE"));
        QCOMPARE(f.stored(5, 8), QStringLiteral("Y"));
        QCOMPARE(f.stored(5, 8, "MENU_DISP"), QStringLiteral(".Enabled=TRUE"));
        // Shown again: the login's own rows.
        QCOMPARE(w->Grid1->rowCount(), 115);
        QCOMPARE(f.permission(f.rowOfMenu(7)), QStringLiteral("N"));
        shoot(*w, QStringLiteral("frm_GrantAccess"));

        Session next = f.ts.session;
        next.loginId = 5;
        next.userFullName = QStringLiteral("RAVI KUMAR");
        WindowRegistry registry;
        {
            MainWindow main(next, registry);
            QVERIFY(!main.menuShown(QStringLiteral("mnu_CounterReset")));
            QVERIFY(!main.menuShown(QStringLiteral("mnu_LeadStatus")));
            QVERIFY(main.menuShown(QStringLiteral("mnu_Country")));
        }
        // Another login is untouched.
        {
            MainWindow main(f.ts.session, registry);
            QVERIFY(main.menuShown(QStringLiteral("mnu_CounterReset")));
        }

        // Saving again replaces every row: a stale row (an entry no longer in the catalogue)
        // goes, and an entry turned back to Y is visible at the next logon.
        f.ts.db().exec(QStringLiteral("INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES (5, 999, 'N', '.Enabled=FALSE')"));
        QTest::keyClick(w->Grid1, Qt::Key_F2);  // the login's rights again
        f.typeAt(f.rowOfMenu(7), frm_GrantAccess::Permission, QStringLiteral("y"));
        QTest::keyClick(w->Grid1, Qt::Key_F3);
        QCOMPARE(f.rows(5), 115);
        QVERIFY(f.stored(5, 999).isEmpty());
        QCOMPARE(f.stored(5, 7), QStringLiteral("Y"));
        MainWindow main(next, registry);
        QVERIFY(main.menuShown(QStringLiteral("mnu_CounterReset")));
        QVERIFY(!main.menuShown(QStringLiteral("mnu_LeadStatus")));
    }

    void aFailedSaveKeepsTheEarlierRights() {
        Fixture f;
        auto* w = f.w.get();
        f.enterLogin(QStringLiteral("5"));
        f.typeAt(f.rowOfMenu(7), frm_GrantAccess::Permission, QStringLiteral("n"));
        QTest::keyClick(w->Grid1, Qt::Key_F3);
        QCOMPARE(f.rows(5), 115);

        f.typeAt(f.rowOfMenu(7), frm_GrantAccess::Permission, QStringLiteral("y"));
        f.typeAt(f.rowOfMenu(9), frm_GrantAccess::Permission, QStringLiteral("n"));
        f.ts.prompter.clear();
        f.ts.db().failStatement(60);  // well inside the inserts
        w->Save_Record();
        f.ts.db().failStatement(0);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Statement refused (injected failure)")});
        // Nothing of the failed save is kept: the earlier rows are whole.
        QCOMPARE(f.rows(5), 115);
        QCOMPARE(f.stored(5, 7), QStringLiteral("N"));
        QCOMPARE(f.stored(5, 9), QStringLiteral("Y"));
    }

    void deleteAsksThenEveryEntryShows() {
        Fixture f;
        auto* w = f.w.get();
        f.enterLogin(QStringLiteral("5"));
        QTest::keyClick(w->txt_EmpID, Qt::Key_Return);  // labels shown
        w->Show_Record_ACL_NEW();
        f.typeAt(f.rowOfMenu(7), frm_GrantAccess::Permission, QStringLiteral("n"));
        QTest::keyClick(w->Grid1, Qt::Key_F3);

        const QString question = QStringLiteral("DO WANT TO DELETE ACL FOR RAVI KUMAR");
        f.ts.prompter.clear();
        f.ts.prompter.answers = {false};
        QTest::keyClick(w->Grid1, Qt::Key_F4);
        QCOMPARE(f.ts.prompter.texts(), QStringList{question});
        QCOMPARE(f.rows(5), 115);
        f.ts.prompter.clear();
        f.ts.prompter.answers = {true};
        QTest::keyClick(w->Grid1, Qt::Key_F4);
        QCOMPARE(f.ts.prompter.texts(), (QStringList{question, QStringLiteral("Successfully Deleted ACL ....")}));
        QCOMPARE(f.rows(5), 0);
        Session next = f.ts.session;
        next.loginId = 5;
        WindowRegistry registry;
        MainWindow main(next, registry);
        QVERIFY(main.menuShown(QStringLiteral("mnu_CounterReset")));
    }

    void noLoginIdNoWrite() {
        Fixture f;
        auto* w = f.w.get();
        QTest::keyClick(w->Grid1, Qt::Key_F3);
        QTest::keyClick(w->Grid1, Qt::Key_F4);
        QCOMPARE(f.ts.prompter.texts(), QStringList(2, QStringLiteral("PLEASE ENTER LOGIN CODE ....")));
        QCOMPARE(QApplication::focusWidget(), w->txt_EmpID);
        QCOMPARE(f.ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_MENUSHOW")).toInt(), 0);
        // The id field takes whole numbers only.
        QTest::keyClicks(w->txt_EmpID, QStringLiteral("a5."));
        QCOMPARE(w->txt_EmpID->text(), QStringLiteral("5"));
    }
};

QTEST_MAIN(tst_access_rights)
#include "tst_access_rights.moc"
