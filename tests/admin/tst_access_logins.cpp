// "Manage Logins": new ids from the counter, hashed passwords never shown, a picked login
// keeping its password unless a new one is typed, the checks, and deletion.
#include "support/Drive.h"
#include "admin/frm_AddLogins.h"
#include "data/Passwords.h"
#include "masters/frm_WebAccess.h"
#include "support/TestSession.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

struct Fixture {
    TestSession ts;
    WindowRegistry windows;
    std::unique_ptr<frm_AddLogins> w;
    Fixture() {
        windows.add<frm_WebAccess>(QStringLiteral("frm_WebAccess"));
        ts.session.windows = &windows;
        w = std::make_unique<frm_AddLogins>(ts.session);
        w->show();
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("window not active");
    }
    QVariant login(qint64 id, const QString& column) {
        return ts.db().scalar(QStringLiteral("SELECT %1 FROM MST_LOGINDETAILS WHERE LOGIN_ID=?").arg(column), {id});
    }
    qint64 counter() {
        return ts.db().scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE='LoginId'")).toLongLong();
    }
    int rowOf(const QString& loginName) {
        for (int r = 0; r < w->Grid1->rowCount(); ++r)
            if (w->Grid1->item(r, 1) && w->Grid1->item(r, 1)->text() == loginName)
                return r;
        return -1;
    }
    void click(int row) {
        QTest::mouseClick(w->Grid1->viewport(), Qt::LeftButton, {},
                          w->Grid1->visualRect(w->Grid1->model()->index(row, 1)).center());
    }
    void fill(const QString& name, const QString& password, const QString& empl) {
        w->txt_LoginName->setFocus();
        QTest::keyClicks(w->txt_LoginName, name);
        QTest::keyClick(w->txt_LoginName, Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), password);
        w->txt_EmplName->setFocus();
        QTest::keyClicks(w->txt_EmplName, empl);
    }
    void press(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.get(), key);
    }
};

const QString kSaved = QStringLiteral("Successfully Saved Record ....");

}  // namespace

class tst_access_logins : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void toolbarAndEmptyFieldChecks() {
        Fixture f;
        auto* w = f.w.get();
        QCOMPARE(w->windowTitle(), QStringLiteral("Manage Logins"));
        const QStringList tips = {"Quit Form", "Add New Record", "Save Record", "Search Record", "Delete Record",
                                  "Web Access { F6 }"};
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(w->tool(i)->toolTip(), tips.at(i - 1));
        QVERIFY(!w->tool(4)->isEnabled());
        QCOMPARE(w->Cmb_Designation->count(), 2);
        QCOMPARE(w->Cmb_Designation->itemText(1), QStringLiteral("OPERATOR"));
        QCOMPARE(w->Cmb_Department->itemText(0), QStringLiteral("ACCOUNTS"));
        QCOMPARE(w->Grid1->horizontalHeaderItem(2)->text(), QStringLiteral("PASSWORD"));

        // Each empty field in turn: the one message and the focus on that field.
        const QString essential = QStringLiteral("All the Records are Essential");
        w->txt_EmplName->setFocus();
        f.press(Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{essential});
        QCOMPARE(QApplication::focusWidget(), w->txt_LoginName);
        QTest::keyClicks(w->txt_LoginName, QStringLiteral("ravi"));
        f.press(Qt::Key_F3);
        QCOMPARE(QApplication::focusWidget(), w->txt_Password);
        QTest::keyClicks(w->txt_Password, QStringLiteral("   "));
        f.press(Qt::Key_F3);
        QCOMPARE(QApplication::focusWidget(), w->txt_Password);
        w->txt_Password->setText(QStringLiteral("secret"));
        f.press(Qt::Key_F3);
        QCOMPARE(QApplication::focusWidget(), w->txt_EmplName);
        QCOMPARE(f.ts.prompter.texts(), QStringList(4, essential));
        QCOMPARE(f.ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM MST_LOGINDETAILS")).toInt(), 1);

        // F6 opens the web-access window, by name, modally over this one.
        f.press(Qt::Key_F6);
        QTRY_VERIFY(qobject_cast<frm_WebAccess*>(QApplication::activeModalWidget()));
        QPointer<QWidget> web = QApplication::activeModalWidget();
        web->close();
        QTRY_VERIFY(!web);
    }

    void newLoginTakesTheNextIdAndAHash() {
        Fixture f;
        auto* w = f.w.get();
        QCOMPARE(f.counter(), 1);  // the first administrator
        f.fill(QStringLiteral("ravi"), QStringLiteral(" pass12 "), QStringLiteral("ravi kumar"));
        QCOMPARE(w->txt_EmplName->text(), QStringLiteral("RAVI KUMAR"));
        w->Cmb_Department->setCurrentText(QStringLiteral("SALES"));
        w->Cmb_Designation->setCurrentText(QStringLiteral("OPERATOR"));
        f.press(Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kSaved});
        QCOMPARE(w->lbl_LoginID->text(), QStringLiteral("2"));
        QCOMPARE(f.counter(), 2);
        QCOMPARE(f.login(2, "USER_NAME").toString(), QStringLiteral("ravi"));
        QCOMPARE(f.login(2, "FULL_NAME").toString(), QStringLiteral("RAVI KUMAR"));
        QCOMPARE(f.login(2, "MODULE_FOR").toString(), QStringLiteral("SALES"));
        QCOMPARE(f.login(2, "USER_DEPARTMENT").toString(), QStringLiteral("SALES"));
        QCOMPARE(f.login(2, "USER_DESIGNATION").toString(), QStringLiteral("OPERATOR"));
        const QString stored = f.login(2, "USER_PASSWORD").toString();
        QVERIFY(Passwords::isHash(stored));
        QCOMPARE(Passwords::verify(QStringLiteral("pass12"), stored), Passwords::Match::Yes);

        // The grid lists by full name and never shows a stored password.
        QCOMPARE(w->Grid1->rowCount(), 2);
        QCOMPARE(w->Grid1->item(0, 3)->text(), QStringLiteral("ADMINISTRATOR"));
        const int row = f.rowOf(QStringLiteral("ravi"));
        QCOMPARE(row, 1);
        for (int r = 0; r < w->Grid1->rowCount(); ++r)
            QCOMPARE(w->Grid1->item(r, 2)->text(), frm_AddLogins::kPasswordMask);
        shoot(*w, QStringLiteral("frm_AddLogins"));

        // A counter moved on elsewhere (another workstation took ids) is honoured.
        f.ts.db().exec(QStringLiteral("UPDATE MST_COUNTER SET COUNTER=9 WHERE CODE='LoginId'"));
        QTest::keyClick(w->Grid1, Qt::Key_F2);
        QVERIFY(w->lbl_LoginID->text().isEmpty() && w->txt_Password->text().isEmpty());
        QCOMPARE(w->Cmb_Designation->count(), 2);  // lists loaded again
        f.fill(QStringLiteral("asha"), QStringLiteral("x"), QStringLiteral("asha"));
        f.press(Qt::Key_F3);
        QCOMPARE(w->lbl_LoginID->text(), QStringLiteral("10"));
        QCOMPARE(f.counter(), 10);
        // A refused insert gives the id back.
        QTest::keyClick(w->Grid1, Qt::Key_F2);
        f.fill(QStringLiteral("joe"), QStringLiteral("x"), QStringLiteral("joe"));
        f.ts.prompter.clear();
        f.ts.db().failStatement(f.ts.db().dialect().isSqlite() ? 4 : 2);  // the INSERT after the counter
        w->Save_Rec();
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Statement refused (injected failure)")});
        QVERIFY(w->lbl_LoginID->text().isEmpty());
        QCOMPARE(f.counter(), 10);
    }

    void pickedLoginKeepsItsPasswordUnlessRetyped() {
        Fixture f;
        auto* w = f.w.get();
        f.fill(QStringLiteral("ravi"), QStringLiteral("first"), QStringLiteral("ravi"));
        f.press(Qt::Key_F3);
        const QString stored = f.login(2, "USER_PASSWORD").toString();

        QTest::keyClick(w->Grid1, Qt::Key_F2);
        f.click(f.rowOf(QStringLiteral("ravi")));
        QCOMPARE(w->lbl_LoginID->text(), QStringLiteral("2"));
        QCOMPARE(w->txt_LoginName->text(), QStringLiteral("ravi"));
        // The stored form is never copied into the field.
        QVERIFY(w->txt_Password->text().isEmpty());
        QVERIFY(w->keepsStoredPassword());
        // Change the name and designation only.
        w->txt_EmplName->setText(QStringLiteral("RAVI K"));
        w->Cmb_Designation->setCurrentText(QStringLiteral("ADMIN"));
        f.ts.prompter.clear();
        f.press(Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kSaved});
        QCOMPARE(f.login(2, "USER_PASSWORD").toString(), stored);
        QCOMPARE(f.login(2, "FULL_NAME").toString(), QStringLiteral("RAVI K"));
        QCOMPARE(f.login(2, "USER_DESIGNATION").toString(), QStringLiteral("ADMIN"));
        QCOMPARE(f.counter(), 2);  // an update takes no id

        // A typed password replaces it.
        f.click(f.rowOf(QStringLiteral("ravi")));
        w->txt_Password->setFocus();
        QTest::keyClicks(w->txt_Password, QStringLiteral("second"));
        QVERIFY(w->passwordTyped());
        f.press(Qt::Key_F3);
        const QString changed = f.login(2, "USER_PASSWORD").toString();
        QVERIFY(changed != stored);
        QCOMPARE(Passwords::verify(QStringLiteral("second"), changed), Passwords::Match::Yes);
        // Saved once more without typing: still the second password.
        f.press(Qt::Key_F3);
        QCOMPARE(f.login(2, "USER_PASSWORD").toString(), changed);
    }

    void deleteAsksAndLeavesTheRights() {
        Fixture f;
        auto* w = f.w.get();
        f.fill(QStringLiteral("ravi"), QStringLiteral("pw"), QStringLiteral("ravi kumar"));
        f.press(Qt::Key_F3);
        f.ts.db().exec(QStringLiteral("INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES (2, 7, 'N', '.Enabled=FALSE')"));

        QTest::keyClick(w->Grid1, Qt::Key_F2);
        f.ts.prompter.clear();
        f.press(Qt::Key_F5);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Please Login for Deletion....")});

        f.click(f.rowOf(QStringLiteral("ravi")));
        const QString question = QStringLiteral("Are U sure want delete login for RAVI KUMAR");
        f.ts.prompter.clear();
        f.ts.prompter.answers = {false};
        f.press(Qt::Key_F5);
        QCOMPARE(f.ts.prompter.texts(), QStringList{question});
        QCOMPARE(f.ts.prompter.messages.first().kind, QStringLiteral("question"));
        QVERIFY(!f.login(2, "USER_NAME").isNull());

        f.ts.prompter.clear();
        f.ts.prompter.answers = {true};
        f.press(Qt::Key_F5);
        QCOMPARE(f.ts.prompter.texts(), (QStringList{question, QStringLiteral("Login is successfully deleted ....")}));
        QVERIFY(f.login(2, "USER_NAME").isNull());
        QCOMPARE(f.ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_MENUSHOW WHERE LOGIN_ID=2")).toInt(), 1);
        QVERIFY(w->lbl_LoginID->text().isEmpty());
        QCOMPARE(f.rowOf(QStringLiteral("ravi")), -1);
    }
};

QTEST_MAIN(tst_access_logins)
#include "tst_access_logins.moc"
