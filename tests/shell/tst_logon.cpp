// The logon window against a fresh database: typing, focus rules, messages, the stamp and
// the session values, and the re-storing of passwords kept in the old form.
#include "shell/Logon.h"
#include "data/Passwords.h"
#include "support/TestSession.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tarvic;
using namespace tarvic::test;

class TestLogon : public QObject {
    Q_OBJECT

    struct Fixture {
        TestSession ts;
        Logon w{ts.session};
        QLineEdit* name() { return w.findChild<QLineEdit*>(QStringLiteral("txt_UsrName")); }
        QLineEdit* password() { return w.findChild<QLineEdit*>(QStringLiteral("txt_Password")); }
        QLabel* label(const char* n) { return w.findChild<QLabel*>(QLatin1String(n)); }
        QPushButton* button(const char* n) { return w.findChild<QPushButton*>(QLatin1String(n)); }
        bool start() {
            const bool ok = w.start();
            if (ok) {
                QApplication::setActiveWindow(&w);
                w.activateWindow();
            }
            return ok;
        }
        void acceptName(const QString& typed) {
            name()->setFocus();
            QTest::keyClicks(name(), typed);
            QTest::keyClick(name(), Qt::Key_Return);
        }
    };

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void loadShowsTrimmedCompanyAndFocusesName() {
        Fixture f;
        f.ts.db().exec(QStringLiteral("UPDATE MST_LOCATIONDETAILS SET LOC_NAME=?"), {QStringLiteral("  SUNRISE TOURS  ")});
        QVERIFY(f.start());
        QCOMPARE(f.label("Label3")->text(), QStringLiteral("SUNRISE TOURS"));
        QCOMPARE(f.ts.session.companyName, QStringLiteral("SUNRISE TOURS"));
        QTRY_COMPARE(QApplication::focusWidget(), f.name());
        QVERIFY(f.ts.prompter.messages.isEmpty());
        QVERIFY(!f.w.nameAccepted());
    }

    void secondCopyIsRefusedBeforeAnythingElse() {
        Fixture f;
        f.w.setInstanceCheck([] { return true; });
        const int before = f.ts.db().statementsRun();
        QVERIFY(!f.start());
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Program is already running.")});
        QCOMPARE(f.ts.db().statementsRun(), before);
        QVERIFY(!f.w.isVisible());
    }

    void failingCompanyQueryClosesTheWindow() {
        Fixture f;
        f.ts.db().failStatement(1);
        QVERIFY(!f.start());
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Cannot Establish a Connection")});
        QVERIFY(!f.w.isVisible());
    }

    void lowerCaseTypingReachesTheDatabaseInUpperCase() {
        Fixture f;
        QVERIFY(f.start());
        f.acceptName(QStringLiteral("adm1n-x"));
        QCOMPARE(f.name()->text(), QStringLiteral("ADM1N-X"));
        // Not a login: the upper-case name was looked up and refused.
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Invalid Username .......")});
        QVERIFY(!f.w.nameAccepted());
        QCOMPARE(QApplication::focusWidget(), f.name());

        f.ts.prompter.clear();
        f.name()->clear();
        f.acceptName(QStringLiteral("admin"));
        QCOMPARE(f.name()->text(), QStringLiteral("ADMIN"));
        QVERIFY(f.ts.prompter.messages.isEmpty());
        QVERIFY(f.w.nameAccepted());
        QCOMPARE(f.label("Label4")->text(), QStringLiteral("ADMINISTRATOR"));
        QTRY_COMPARE(QApplication::focusWidget(), f.password());
    }

    void passwordRefusesFocusUntilNameAccepted() {
        Fixture f;
        QVERIFY(f.start());
        QTRY_COMPARE(QApplication::focusWidget(), f.name());
        QTest::keyClicks(f.name(), QStringLiteral("ADMIN"));
        QTest::keyClick(f.name(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), f.name());
        f.password()->setFocus();
        QCOMPARE(QApplication::focusWidget(), f.name());
        QVERIFY(f.ts.prompter.messages.isEmpty());

        QTest::keyClick(f.name(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), f.password());
        // Changing the accepted name withdraws it again.
        f.name()->setFocus();
        QTest::keyClick(f.name(), Qt::Key_End);
        QTest::keyClicks(f.name(), QStringLiteral("x"));
        QVERIFY(!f.w.nameAccepted());
        QVERIFY(f.label("Label4")->text().isEmpty());
        f.password()->setFocus();
        QCOMPARE(QApplication::focusWidget(), f.name());
    }

    void emptyNameAndPasswordAreRefusedInOrder() {
        Fixture f;
        QVERIFY(f.start());
        QTest::mouseClick(f.button("Cmd_Login"), Qt::LeftButton);
        QTest::keyClick(f.name(), Qt::Key_Return);
        f.name()->setText(QStringLiteral("   "));
        QTest::mouseClick(f.button("Cmd_Login"), Qt::LeftButton);
        QCOMPARE(f.ts.prompter.texts(), QStringList(3, QStringLiteral("Username is necessary ....")));

        f.ts.prompter.clear();
        f.name()->clear();
        f.acceptName(QStringLiteral("ADMIN"));
        f.password()->setText(QStringLiteral("   "));
        QTest::mouseClick(f.button("Cmd_Login"), Qt::LeftButton);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Password is necessary ....")});
        QCOMPARE(QApplication::focusWidget(), f.password());
    }

    void wrongPasswordKeepsNameAndAllowsRetry() {
        Fixture f;
        QSignalSpy loggedOn(&f.w, &Logon::loggedOn);
        QVERIFY(f.start());
        f.acceptName(QStringLiteral("admin"));
        QTRY_COMPARE(QApplication::focusWidget(), f.password());
        for (const QString& wrong : {QStringLiteral("admin"), QStringLiteral(" admin123"), QStringLiteral("ADMIN123")}) {
            f.password()->setText(wrong);
            QTest::mouseClick(f.button("Cmd_Login"), Qt::LeftButton);
        }
        QCOMPARE(f.ts.prompter.texts(), QStringList(3, QStringLiteral("Invalid Password .......")));
        QCOMPARE(loggedOn.count(), 0);
        QVERIFY(f.w.isVisible());
        QVERIFY(f.w.nameAccepted());
        QCOMPARE(QApplication::focusWidget(), f.password());
        QVERIFY(f.ts.db().scalar(QStringLiteral("SELECT LAST_LOGIN FROM MST_LOGINDETAILS WHERE LOGIN_ID=1")).isNull());

        // Right at last, by keyboard: Enter moves to the button, Enter on it logs on.
        f.ts.prompter.clear();
        f.password()->clear();
        QTest::keyClicks(f.password(), QStringLiteral("admin123"));
        QTest::keyClick(f.password(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), f.button("Cmd_Login"));
        QTest::keyClick(f.button("Cmd_Login"), Qt::Key_Return);
        QVERIFY(f.ts.prompter.messages.isEmpty());
        QCOMPARE(loggedOn.count(), 1);
        QVERIFY(!f.w.isVisible());
        QCOMPARE(f.ts.session.loginId, 1);
        auto row = f.ts.db().firstRow(QStringLiteral("SELECT LAST_LOGIN, LAST_LOGINTIME, USER_PASSWORD "
                                                     "FROM MST_LOGINDETAILS WHERE LOGIN_ID=1"));
        QVERIFY(row);
        QCOMPARE(row->value(0).toDate(), QDate::currentDate());
        const QTime t = QTime::fromString(row->value(1).toString().left(8), QStringLiteral("HH:mm:ss"));
        QVERIFY2(t.isValid(), qPrintable(row->value(1).toString()));
        QVERIFY(qAbs(t.secsTo(QTime::currentTime())) < 120);
        // A hashed password stays as it was.
        QCOMPARE(Passwords::verify(QStringLiteral("admin123"), row->value(2).toString()), Passwords::Match::Yes);
    }

    void legacyPasswordLogsOnAndIsStoredAsHash() {
        Fixture f;
        f.ts.db().exec(QStringLiteral("INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, USER_PASSWORD, FULL_NAME, "
                                      "USER_DESIGNATION, CONSULTANT_CODE) VALUES (7, ?, ?, ?, ?, ?)"),
                       {QStringLiteral("RAVI"), Passwords::EnCrypt(QStringLiteral("Tour#42")),
                        QStringLiteral("RAVI KUMAR"), QStringLiteral("OPERATOR"), QStringLiteral(" 12 ")});
        f.ts.session.loginId = 0;
        f.ts.session.userFullName.clear();
        QSignalSpy loggedOn(&f.w, &Logon::loggedOn);
        QVERIFY(f.start());
        f.acceptName(QStringLiteral("ravi"));
        QCOMPARE(f.label("Label4")->text(), QStringLiteral("RAVI KUMAR"));
        f.password()->setText(QStringLiteral("Tour#42"));
        QTest::mouseClick(f.button("Cmd_Login"), Qt::LeftButton);
        QVERIFY2(f.ts.prompter.messages.isEmpty(), qPrintable(f.ts.prompter.texts().join(QLatin1Char('/'))));
        QCOMPARE(loggedOn.count(), 1);
        QCOMPARE(f.ts.session.loginId, 7);
        QCOMPARE(f.ts.session.userFullName, QStringLiteral("RAVI KUMAR"));
        QCOMPARE(f.ts.session.consultantCode, 12);
        const QString stored = f.ts.db().scalar(QStringLiteral("SELECT USER_PASSWORD FROM MST_LOGINDETAILS "
                                                               "WHERE LOGIN_ID=7")).toString();
        QVERIFY(Passwords::isHash(stored));
        QCOMPARE(Passwords::verify(QStringLiteral("Tour#42"), stored), Passwords::Match::Yes);
        QCOMPARE(Passwords::verify(QStringLiteral("tour#42"), stored), Passwords::Match::No);
    }

    void escapeAndCancelClose() {
        for (bool escape : {true, false}) {
            Fixture f;
            QVERIFY(f.start());
            if (escape)
                QTest::keyClick(f.name(), Qt::Key_Escape);
            else
                QTest::mouseClick(f.button("Cmd_Cancel"), Qt::LeftButton);
            QVERIFY(!f.w.isVisible());
        }
    }
};

QTEST_MAIN(TestLogon)
#include "tst_logon.moc"
