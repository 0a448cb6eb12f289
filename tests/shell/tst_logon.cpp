// The logon window against a fresh database: typing, focus rules, messages, the stamp and
// the session values, and the re-storing of passwords kept in the old form.
#include "data/Passwords.h"
#include "shell/Logon.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

class TestLogon : public QObject {
    Q_OBJECT

    struct Fixture {
        TestSession ts;
        Logon w{ts.session};
        QSignalSpy loggedOn{&w, &Logon::loggedOn};
        QLineEdit* name = w.findChild<QLineEdit*>(u"txt_UsrName"_s);
        QLineEdit* password = w.findChild<QLineEdit*>(u"txt_Password"_s);
        QLabel* fullName = w.findChild<QLabel*>(u"Label4"_s);
        QPushButton* button(const char* n) { return w.findChild<QPushButton*>(QLatin1String(n)); }
        void login() { QTest::mouseClick(button("Cmd_Login"), Qt::LeftButton); }
        bool start() {
            const bool ok = w.start();
            if (ok) {
                QApplication::setActiveWindow(&w);
                w.activateWindow();
            }
            return ok;
        }
        void acceptName(const QString& typed) {
            name->setFocus();
            QTest::keyClicks(name, typed);
            QTest::keyClick(name, Qt::Key_Return);
        }
    };

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // A second copy is refused before any statement runs; a failing company query closes.
    void refusedStartsCloseTheWindow() {
        for (const bool secondCopy : {true, false}) {
            Fixture f;
            if (secondCopy)
                f.w.setInstanceCheck([] { return true; });
            else
                f.ts.db().failStatement(1);
            const int before = f.ts.db().statementsRun();
            QVERIFY(!f.start());
            QCOMPARE(f.ts.prompter.texts(),
                     QStringList{secondCopy ? u"Program is already running."_s : u"Cannot Establish a Connection"_s});
            if (secondCopy)
                QCOMPARE(f.ts.db().statementsRun(), before);
            QVERIFY(!f.w.isVisible());
        }
    }

    // The name is typed upper case and must be accepted (Enter) before the password takes the
    // focus; empty fields are refused in order, each with its message.
    void nameAcceptedBeforeThePasswordAndEmptyFieldsRefused() {
        Fixture f;
        f.ts.db().exec(u"UPDATE MST_LOCATIONDETAILS SET LOC_NAME=?"_s, {u"  SUNRISE TOURS  "_s});
        QVERIFY(f.start());
        QCOMPARE(f.w.findChild<QLabel*>(u"Label3"_s)->text(), u"SUNRISE TOURS"_s);
        QCOMPARE(f.ts.session.companyName, u"SUNRISE TOURS"_s);
        QTRY_COMPARE(QApplication::focusWidget(), f.name);
        QTest::keyClicks(f.name, u"ADMIN"_s);
        QTest::keyClick(f.name, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), f.name);
        f.password->setFocus();
        QCOMPARE(QApplication::focusWidget(), f.name);
        QVERIFY(f.ts.prompter.messages.isEmpty() && !f.w.nameAccepted());
        f.name->clear();
        f.login();
        QTest::keyClick(f.name, Qt::Key_Return);
        f.name->setText(u"   "_s);
        f.login();
        QCOMPARE(f.ts.prompter.texts(), QStringList(3, u"Username is necessary ...."_s));
        f.ts.prompter.clear();
        f.name->clear();
        f.acceptName(u"adm1n-x"_s);
        QCOMPARE(f.name->text(), u"ADM1N-X"_s);
        QCOMPARE(f.ts.prompter.texts(), QStringList{u"Invalid Username ......."_s});
        QVERIFY(!f.w.nameAccepted());
        QCOMPARE(QApplication::focusWidget(), f.name);
        f.ts.prompter.clear();
        f.name->clear();
        f.acceptName(u"admin"_s);
        QCOMPARE(f.name->text(), u"ADMIN"_s);
        QVERIFY(f.ts.prompter.messages.isEmpty() && f.w.nameAccepted());
        QCOMPARE(f.fullName->text(), u"ADMINISTRATOR"_s);
        QTRY_COMPARE(QApplication::focusWidget(), f.password);
        f.password->setText(u"   "_s);
        f.login();
        QCOMPARE(f.ts.prompter.texts(), QStringList{u"Password is necessary ...."_s});
        QCOMPARE(QApplication::focusWidget(), f.password);
        // Changing the accepted name withdraws it again.
        f.name->setFocus();
        QTest::keyClick(f.name, Qt::Key_End);
        QTest::keyClicks(f.name, u"x"_s);
        QVERIFY(!f.w.nameAccepted() && f.fullName->text().isEmpty());
        f.password->setFocus();
        QCOMPARE(QApplication::focusWidget(), f.name);
    }

    void wrongPasswordKeepsNameAndAllowsRetry() {
        Fixture f;
        QVERIFY(f.start());
        f.acceptName(u"admin"_s);
        QTRY_COMPARE(QApplication::focusWidget(), f.password);
        for (const QString wrong : {"admin", " admin123", "ADMIN123"}) {
            f.password->setText(wrong);
            f.login();
        }
        QCOMPARE(f.ts.prompter.texts(), QStringList(3, u"Invalid Password ......."_s));
        QCOMPARE(f.loggedOn.count(), 0);
        QVERIFY(f.w.isVisible() && f.w.nameAccepted());
        QCOMPARE(QApplication::focusWidget(), f.password);
        QVERIFY(f.ts.db().scalar(u"SELECT LAST_LOGIN FROM MST_LOGINDETAILS WHERE LOGIN_ID=1"_s).isNull());
        // Right at last, by keyboard: Enter moves to the button, Enter on it logs on.
        f.ts.prompter.clear();
        f.password->clear();
        QTest::keyClicks(f.password, u"admin123"_s);
        QTest::keyClick(f.password, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), f.button("Cmd_Login"));
        QTest::keyClick(f.button("Cmd_Login"), Qt::Key_Return);
        QVERIFY(f.ts.prompter.messages.isEmpty() && !f.w.isVisible());
        QCOMPARE(f.loggedOn.count(), 1);
        QCOMPARE(f.ts.session.loginId, 1);
        auto row = f.ts.db().firstRow(
            u"SELECT LAST_LOGIN, LAST_LOGINTIME, USER_PASSWORD FROM MST_LOGINDETAILS WHERE LOGIN_ID=1"_s);
        QVERIFY(row);
        QCOMPARE(row->value(0).toDate(), QDate::currentDate());
        const QTime t = QTime::fromString(row->value(1).toString().left(8), u"HH:mm:ss"_s);
        QVERIFY2(t.isValid() && qAbs(t.secsTo(QTime::currentTime())) < 120, qPrintable(row->value(1).toString()));
        // A hashed password stays as it was.
        QCOMPARE(Passwords::verify(u"admin123"_s, row->value(2).toString()), Passwords::Match::Yes);
    }

    void legacyPasswordLogsOnAndIsStoredAsHash() {
        Fixture f;
        f.ts.db().exec(
            u"INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, USER_PASSWORD, FULL_NAME, "
            "USER_DESIGNATION, CONSULTANT_CODE) VALUES (7, 'RAVI', ?, 'RAVI KUMAR', 'OPERATOR', ' 12 ')"_s,
            {Passwords::EnCrypt(u"Tour#42"_s)});
        f.ts.session.loginId = 0;
        f.ts.session.userFullName.clear();
        QVERIFY(f.start());
        f.acceptName(u"ravi"_s);
        QCOMPARE(f.fullName->text(), u"RAVI KUMAR"_s);
        f.password->setText(u"Tour#42"_s);
        f.login();
        QVERIFY2(f.ts.prompter.messages.isEmpty(), qPrintable(f.ts.prompter.texts().join('/')));
        QCOMPARE(f.loggedOn.count(), 1);
        QCOMPARE((std::tuple{f.ts.session.loginId, f.ts.session.userFullName, f.ts.session.consultantCode}),
                 (std::tuple{qint64(7), u"RAVI KUMAR"_s, 12}));
        const QString stored =
            f.ts.db().scalar(u"SELECT USER_PASSWORD FROM MST_LOGINDETAILS WHERE LOGIN_ID=7"_s).toString();
        QVERIFY(Passwords::isHash(stored));
        QCOMPARE(Passwords::verify(u"Tour#42"_s, stored), Passwords::Match::Yes);
        QCOMPARE(Passwords::verify(u"tour#42"_s, stored), Passwords::Match::No);
    }

    void escapeAndCancelClose() {
        for (bool escape : {true, false}) {
            Fixture f;
            QVERIFY(f.start());
            if (escape)
                QTest::keyClick(f.name, Qt::Key_Escape);
            else
                QTest::mouseClick(f.button("Cmd_Cancel"), Qt::LeftButton);
            QVERIFY(!f.w.isVisible());
        }
    }
};

QTEST_MAIN(TestLogon)
#include "tst_logon.moc"
