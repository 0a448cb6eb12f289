// Logins (ids from the counter, names upper case and unique, passwords hashed, never shown,
// kept unless retyped) and their rights (the whole catalogue, replaced whole, seen at the next
// logon); the transfer file's catalogue export and import; counters, document codes, the
// document-account linkage, company profile and mail server.
#include "admin/AdminWindows.h"
#include "admin/CodeMaintenance.h"
#include "admin/frm_AddLogins.h"
#include "admin/frm_CompanyProfile.h"
#include "admin/frm_DocCode_Acc_Combination.h"
#include "admin/frm_ExpImpMenuDetails.h"
#include "admin/frm_GrantAccess.h"
#include "admin/frm_SMTP.h"
#include "data/Migrations.h"
#include "data/Numbering.h"
#include "data/Passwords.h"
#include "data/PrivateFiles.h"
#include "engine/dues/DueBoard.h"
#include "masters/frm_WebAccess.h"
#include "shell/MainWindow.h"
#include "shell/kit/Checks.h"
#include "shell/kit/LookupGridModel.h"
#include "shell/kit/LookupGridWindow.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <sqlite3.h>

#include <tuple>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QString kLoginSaved = u"Successfully Saved Record ...."_s;
const QString kMismatch = u"THE TWO PASSWORDS DO NOT MATCH, PLEASE TYPE THE NEW PASSWORD AGAIN ...."_s;
const QString kRightsSaved = u"Successfully Saved ...."_s;
constexpr int kEntries = 122;  // the seeded catalogue
const QStringList kLogins = {u"MST_LOGINDETAILS"_s};
const QStringList kRights = {u"M_TBL_MENUSHOW"_s};

template <class W>
struct Fixture {
    TestSession ts;
    WindowRegistry windows;
    std::unique_ptr<W> w;
    Fixture() {
        ts.db().exec(
            u"INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, FULL_NAME, USER_DEPARTMENT, "
            "USER_DESIGNATION) VALUES (5, 'RAVI', 'RAVI KUMAR', 'SALES', 'OPERATOR')"_s);
        ts.db().exec(
            u"INSERT INTO M_TBL_DOCUMENTACCOUNT_COMB (DOC_CODE, ACC_CODE, ACCOUNT_DESC) VALUES "
            "('LIDB01', 'LOAN01', 'STAFF LOAN'), ('FRDM01', 'INT01', 'INTEREST RECEIVED')"_s);
        windows.add<frm_WebAccess>(u"frm_WebAccess"_s);
        ts.session.windows = &windows;
        w = std::make_unique<W>(ts.session);
        showActive(*w);
    }
    QString login(qint64 id, const char* col) {
        return ts.db()
            .scalar(u"SELECT %1 FROM MST_LOGINDETAILS WHERE LOGIN_ID=?"_s.arg(QLatin1String(col)), {id})
            .toString();
    }
    void press(int position, const QList<bool>& answers = {}) {
        ts.answer(answers);
        w->pressTool(position);
    }
    // Manage Logins: New Record, then the fields typed as a user would, the password twice.
    void fill(const QString& name, const QString& password, const QString& empl) {
        w->pressTool(2);
        typeInto(w->txt_LoginName, name);
        keyToFocus(Qt::Key_Return);
        typeKeys(password);
        keyToFocus(Qt::Key_Return);
        typeKeys(password);
        typeInto(w->txt_EmplName, empl);
    }
    // Document-account linkage: "ACC|DESC" of the code's links, by account.
    QStringList links(const QString& doc) {
        return lines(ts.db(),
                     u"SELECT ACC_CODE, ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE DOC_CODE=? "
                     "ORDER BY ACC_CODE"_s,
                     {doc});
    }
    void pick(const QString& name) { clickCell(w->Grid1, rowOf(w->Grid1->model(), 1, name), 1); }
    // Access control list: a menu entry's row, what it shows, and keys typed on it.
    int row(int menuId) { return rowOf(w->Grid1->model(), frm_GrantAccess::MenuId, QString::number(menuId)); }
    QString shown(int menuId, int col = frm_GrantAccess::Permission) {
        return w->Grid1->item(row(menuId), col)->text();
    }
    void type(int menuId, const QString& keys, int col = frm_GrantAccess::Permission) {
        w->Grid1->setFocus();
        w->Grid1->setCurrentCell(row(menuId), col);
        QTest::keyClicks(w->Grid1, keys);
    }
    QStringList stored(const QString& menus) {
        return lines(ts.db(),
                     u"SELECT MENU_ID, SHOW_MENU, MENU_DISP FROM M_TBL_MENUSHOW WHERE LOGIN_ID=5 AND "
                     "MENU_ID IN (%1) ORDER BY MENU_ID"_s.arg(menus));
    }
    // What the main window built for login 5 at its next logon shows of each entry.
    QList<bool> seenAtLogon(const QStringList& entries, qint64 loginId = 5) {
        Session next = ts.session;
        next.loginId = loginId;
        MainWindow main(next, windows);
        QList<bool> out;
        for (const QString& e : entries)
            out << main.menuShown(e);
        return out;
    }
};
using Logins = Fixture<frm_AddLogins>;
using Rights = Fixture<frm_GrantAccess>;
using Linkage = Fixture<frm_DocCode_Acc_Combination>;

// Raw access to a transfer file, independent of the window's own code.
struct RawFile {
    sqlite3* db = nullptr;
    explicit RawFile(const QString& path) { sqlite3_open(QFile::encodeName(path).constData(), &db); }
    ~RawFile() { sqlite3_close(db); }
    bool exec(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    QStringList lines(const char* sql = "SELECT * FROM M_Tbl_MenuDetails ORDER BY Menu_Id") {
        QStringList out;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW) {
            QStringList cells;
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                cells << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            out << cells.join(QLatin1Char('|'));
        }
        sqlite3_finalize(st);
        return out;
    }
};

QStringList catalogue(Database& db) {
    return lines(db, u"SELECT * FROM M_TBL_MENUDETAILS ORDER BY MENU_ID"_s);
}
QStringList rights(Database& db) {
    return lines(db, u"SELECT * FROM M_TBL_MENUSHOW ORDER BY LOGIN_ID, MENU_ID"_s);
}

struct Window {
    TestSession& ts;
    std::unique_ptr<frm_ExpImpMenuDetails> w;
    QStringList shown;  // every text lbl_Msg showed
    QString answer;     // what the file dialog answers

    explicit Window(TestSession& s) : ts(s) {
        ts.prompter.pathAnswer = [this](const ScriptedPrompter::PathPrompt&) { return answer; };
        w = std::make_unique<frm_ExpImpMenuDetails>(ts.session);
        QObject::connect(w.get(), &frm_ExpImpMenuDetails::progress, [this](const QString& t) { shown << t; });
        showActive(*w);
    }
    ~Window() { ts.prompter.pathAnswer = {}; }

    // Chooses the file, the direction, and presses Proceed with the given answer.
    void run(const QString& path, bool exporting, bool yes = true) {
        answer = path;
        QTest::mouseClick(w->Cmd_Browse, Qt::LeftButton);
        QTest::mouseClick(exporting ? w->Option1 : w->Option2, Qt::LeftButton);
        shown.clear();
        ts.answer({yes});
        QTest::mouseClick(w->Cmd_Proceed, Qt::LeftButton);
    }
    QStringList said() const { return ts.prompter.texts(); }
};

const QString kQuestion = u"Want to proceed preparing Data(Y/N)?"_s;
const QString kExported = u"EXPORT SUCCESSFULLY DONE..."_s;
const QString kImported = u"IMPORT SUCCESSFULLY DONE..."_s;
const QString kRefused = u"Statement refused (injected failure)"_s;
const char* const kCreate =
    "CREATE TABLE M_Tbl_MenuDetails (Menu_Id INTEGER, Group_Id INTEGER, Group_Name TEXT, "
    "Menu_Name TEXT, Menu_Caption TEXT)";

const QString kDone = u"UPDATION SUCCESSFULLY DONE ...."_s;
const QString kProfileQuestion =
    u" YOU ARE ABOUT TO UPDATE COMPANY PROFILE ....\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"_s;
const QString kProfileDone = u"UPDATION OF COMPANY PROFILE SUCCESSFULLY DONE ...."_s;
const QString kEmail =
    u"SELECT EMAIL_USERNAME, EMAIL_PASSWORD, EMAIL_SMTP, EMAIL_SMTP_PORT, EMAIL_SENDERNAME, "
    "EMAIL_SENDERADD FROM M_TBL_EMAIL"_s;

template <class W>
std::unique_ptr<W> open(TestSession& ts) {
    auto w = std::make_unique<W>(ts.session);
    showActive(*w);
    return w;
}

}  // namespace

class tst_admin_windows : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(dir.isValid());
    }

    void loginsCheckedNamedUniqueHashedAndKept() {
        Logins f;
        auto* w = f.w.get();
        const QString essential = u"All the Records are Essential"_s;
        QCOMPARE(checkInOrder(f.ts.prompter, f.ts.db(), kLogins,
                              {{essential, {}, w->txt_LoginName},
                               {essential, [&] { w->txt_LoginName->setText(u"ASHA"_s); }, w->txt_Password},
                               {essential, [&] { w->txt_Password->setText(u"   "_s); }, w->txt_Password},
                               {kMismatch, [&] { w->txt_Password->setText(u"pw"_s); }, w->txt_Confirm},
                               {essential, [&] { w->txt_Confirm->setText(u" pw "_s); }, w->txt_EmplName}},
                              [&] { w->pressTool(3); }),
                 QString());
        // F6 opens the web-access window, by name, modally over this one.
        keyToFocus(Qt::Key_F6);
        QTRY_VERIFY(qobject_cast<frm_WebAccess*>(QApplication::activeModalWidget()));
        QPointer<QWidget> web = QApplication::activeModalWidget();
        web->close();
        QTRY_VERIFY(!web);
        showActive(*w);
        // Then a new login takes the next id, its name upper case and its password hashed.
        f.ts.db().exec(u"UPDATE MST_COUNTER SET COUNTER=9 WHERE CODE='LoginId'"_s);  // ids taken elsewhere
        f.fill(u"asha"_s, u" pass12 "_s, u"asha menon"_s);
        w->Cmb_Department->setCurrentText(u"SALES"_s);
        w->Cmb_Designation->setCurrentText(u"OPERATOR"_s);
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kLoginSaved});
        QCOMPARE(lines(f.ts.db(),
                       u"SELECT USER_NAME, FULL_NAME, MODULE_FOR, USER_DEPARTMENT, USER_DESIGNATION "
                       "FROM MST_LOGINDETAILS WHERE LOGIN_ID=10"_s),
                 QStringList{"ASHA|ASHA MENON|SALES|SALES|OPERATOR"});
        QCOMPARE(Passwords::verify(u"pass12"_s, f.login(10, "USER_PASSWORD")), Passwords::Match::Yes);
        // Listed by full name; a stored password is never shown.
        QCOMPARE(column(w->Grid1->model(), 1), (QStringList{"ADMIN", "ASHA", "RAVI"}));
        QCOMPARE(column(w->Grid1->model(), 2),
                 (QStringList{frm_AddLogins::kPasswordMask, frm_AddLogins::kPasswordMask, ""}));
        // Whichever statement is refused, no login and no id is taken.
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.ts.db(), kLogins, kLoginSaved, [&] { f.fill(u"joe"_s, u"x"_s, u"joe"_s); },
                     [&] { w->Save_Rec(); }),
                 QString());
        QCOMPARE(f.login(11, "USER_NAME"), u"JOE"_s);
        // A name taken in any case is refused with the message, nothing stored, no id used; the
        // same holds for a row written past the window (the rule is in the database).
        const Footprint before = footprint(f.ts.db(), kLogins);
        // (A name typed with Enter loads its login; pasted, it is a new login's.)
        for (const auto& [picked, typed] : {std::pair{"", "admin"}, {"", " Ravi "}, {"RAVI", "ADMIN"}}) {
            if (*picked) {
                f.pick(QLatin1String(picked)), w->txt_LoginName->setText(QLatin1String(typed));
            } else {
                f.fill(u"NEW"_s, u"pw"_s, u"X"_s);
                w->txt_LoginName->setText(QLatin1String(typed));
            }
            f.press(3);
            QCOMPARE(f.ts.prompter.texts(), QStringList{u"Login Name already exists ...."_s});
            QCOMPARE(QApplication::focusWidget(), w->txt_LoginName);
            QVERIFY(footprint(f.ts.db(), kLogins) == before);
        }
        QVERIFY_THROWS_EXCEPTION(DbError, f.ts.db().exec(u"INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME) "
                                                         "VALUES (40, 'Admin')"_s));
        // A picked login keeps its password unless one is typed; deleting it asks first.
        f.ts.db().exec(u"UPDATE MST_LOGINDETAILS SET USER_PASSWORD='stored', MODULE_FOR='OLD DEPT' WHERE LOGIN_ID=5"_s);
        w->Load_EmplLogins();
        f.pick(u"RAVI"_s);
        // The department is no longer listed, yet still the login's.
        QCOMPARE((QStringList{w->lbl_LoginID->text(), w->Cmb_Department->currentText()}),
                 (QStringList{"5", "OLD DEPT"}));
        QVERIFY(w->txt_Password->text().isEmpty() && w->keepsStoredPassword());
        w->txt_EmplName->setText(u"RAVI K"_s);
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kLoginSaved});
        QCOMPARE((QStringList{f.login(5, "USER_PASSWORD"), f.login(5, "FULL_NAME")}),
                 (QStringList{"stored", "RAVI K"}));
        QCOMPARE(counter(f.ts.db(), u"LoginId"_s), 11);  // an update takes no id
        // A typed password replaces it once typed twice alike and the change agreed to; saved
        // again without typing, it stays.
        f.pick(u"RAVI"_s);
        typeInto(w->txt_Password, u"second"_s);
        QVERIFY(w->passwordTyped());
        typeInto(w->txt_Confirm, u"secnod"_s);
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kMismatch});
        QCOMPARE(QApplication::focusWidget(), w->txt_Confirm);
        typeInto(w->txt_Confirm, u"second"_s);
        const QString change = Confirmation{u" YOU ARE ABOUT TO CHANGE THE PASSWORD OF RAVI ...."_s, {}}.text();
        f.press(3, {false});
        QCOMPARE(f.ts.prompter.texts(), QStringList{change});
        QCOMPARE(f.login(5, "USER_PASSWORD"), u"stored"_s);
        f.press(3, {true});
        QCOMPARE(f.ts.prompter.texts(), (QStringList{change, kLoginSaved}));
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kLoginSaved});
        QCOMPARE(Passwords::verify(u"second"_s, f.login(5, "USER_PASSWORD")), Passwords::Match::Yes);
        // The administrator is found by typing the name, without a click in the grid.
        f.press(2);
        typeInto(w->txt_LoginName, u"admin"_s);
        keyToFocus(Qt::Key_Return);
        QCOMPARE((QStringList{w->lbl_LoginID->text(), w->txt_EmplName->text()}), (QStringList{"1", "ADMINISTRATOR"}));
        QCOMPARE(QApplication::focusWidget(), w->txt_Password);
        // Deleting asks, then leaves the login's rights.
        f.ts.db().exec(u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU) VALUES (5, 7, 'N')"_s);
        f.press(2);
        f.press(5);
        QCOMPARE(f.ts.prompter.texts(), QStringList{u"Please Login for Deletion...."_s});
        f.pick(u"RAVI"_s);
        const QString question = u"Are U sure want delete login for RAVI K"_s;
        f.press(5, {false});
        QCOMPARE(count(f.ts.db(), kLogins[0], u"LOGIN_ID=5"_s), 1);
        f.press(5, {true});
        QCOMPARE(f.ts.prompter.texts(), (QStringList{question, u"Login is successfully deleted ...."_s}));
        QCOMPARE((QList<qint64>{count(f.ts.db(), kLogins[0], u"LOGIN_ID=5"_s),
                                count(f.ts.db(), kRights[0], u"LOGIN_ID=5"_s)}),
                 (QList<qint64>{0, 1}));
        QVERIFY(f.w->lbl_LoginID->text().isEmpty() && rowOf(f.w->Grid1->model(), 1, u"RAVI"_s) == -1);
    }

    // After logon the administrator is taken to the company profile while it carries
    // placeholders; a user whose rights hide it, or a filled profile, is left alone. HELP says
    // what runs and who is on; LOG OFF closes every window and ends the session, not the program.
    void companySetUpAboutAndLogOff() {
        Logins f;
        registerAdminWindows(f.windows);
        f.ts.db().exec(
            u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU) SELECT 5, MENU_ID, 'N' FROM "
            "M_TBL_MENUDETAILS WHERE MENU_NAME='mnu_CompanyProfile'"_s);
        const auto fill = [&] {
            f.ts.db().exec(
                u"UPDATE MST_LOCATIONDETAILS SET COMP_ADDRESS='MG ROAD', ADD1='KOCHI', STATE='KERALA', "
                "COMP_PHONES='0484 200100', COMP_GSTIN='32AABCT5566P1ZV', JURISDICTION_CITY='KOCHI', "
                "BANK_ACNAME='TARVIC', BANK_ACNO='0001', BANK_NAME='DEMO BANK', BANK_BRANCH='KOCHI', "
                "BANK_IFSC='DEMB0000001'"_s);
        };
        const QList<std::tuple<const char*, qint64, std::function<void()>, QString>> cases{
            {"rights hide it", 5, [] {}, QString()},
            {"placeholders", 1, [] {}, u"frm_CompanyProfile"_s},
            {"filled in", 1, fill, QString()},
        };
        for (const auto& [what, login, before, opened] : cases) {
            before();
            Session session = f.ts.session;
            session.loginId = login;
            MainWindow main(session, f.windows);
            QString seen;
            QTimer::singleShot(0, [&seen] {
                if (QWidget* modal = QApplication::activeModalWidget())
                    seen = modal->objectName(), modal->close();
            });
            QCOMPARE(main.offerCompanySetUp(), !opened.isEmpty());
            QCoreApplication::processEvents();
            QVERIFY2(seen == opened, what);
        }

        auto* main = new MainWindow(f.ts.session, f.windows);
        QPointer<MainWindow> alive(main);
        main->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(showActive(*main));
        const QString about = main->aboutText();
        const QStringList expected{
            u"SCHEMA VERSION : %1"_s.arg(Migrations::latestVersion()),
            f.ts.db().dialect().isSqlite() ? u"DATABASE : EMBEDDED (SQLITE)"_s : u"DATABASE : SERVER (POSTGRESQL "_s,
            f.ts.db().dialect().isSqlite() ? u"FILE : "_s + databaseFile(f.ts.db()) : u"SERVER DATABASE : "_s,
            u"DATA SOURCE : "_s + f.ts.t.connectionString().dsn,
            u"COMPANY : TARVIC HOLIDAYS"_s,
            u"LOGGED ON : ADMINISTRATOR (LOGIN ID 1)"_s};
        for (const QString& line : expected)
            QVERIFY2(about.contains(line), qPrintable(line + u"\n"_s + about));
        QVERIFY(!about.contains(u"PWD="_s, Qt::CaseInsensitive));
        f.ts.answer();
        main->findChild<QAction*>(u"mnu_About"_s)->trigger();
        QCOMPARE(f.ts.prompter.messages.size(), 1);
        QCOMPARE(f.ts.prompter.messages[0].title + f.ts.prompter.messages[0].text, u"ABOUT TARVIC"_s + about);

        main->openEntry(u"mnu_Login"_s);
        QPointer<QWidget> logins = main->findChild<frm_AddLogins*>();
        QVERIFY(logins && logins->isVisible());
        QSignalSpy off(main, &MainWindow::loggedOff);
        main->findChild<QAction*>(u"mnu_LogOff"_s)->trigger();
        QCOMPARE(off.count(), 1);
        QTRY_VERIFY(!alive && !logins);
        QCOMPARE((std::tuple{f.ts.session.loginId, f.ts.session.userFullName}), (std::tuple{qint64(0), QString()}));
    }

    // Names stored before the rule are upper-cased; where that meets a taken name, the row that
    // could log on (upper case, else the lowest id) keeps it and the others are told apart.
    void olderLowerCaseLoginNamesAreUpperCased() {
        TestSession ts;
        Database& db = ts.db();
        db.exec(u"DROP INDEX UX_LOGIN_NAME"_s);
        db.exec(
            u"INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME) VALUES (2, 'admin'), (3, 'ravi'), "
            "(4, 'Asha'), (5, 'asha'), (6, 'asha'), (7, 'MEENA')"_s);
        db.exec(u"DELETE FROM SCHEMA_VERSION WHERE VERSION=5"_s);
        Migrations(db).apply();
        QCOMPARE(lines(db, u"SELECT USER_NAME FROM MST_LOGINDETAILS ORDER BY LOGIN_ID"_s),
                 (QStringList{"ADMIN", "ADMIN#2", "RAVI", "ASHA", "ASHA#5", "ASHA#6", "MEENA"}));
    }

    // Nothing is written without a login id and only Y or N is typed; saved rights replace the
    // login's rows whole and hide entries at its next logon.
    void rightsWrittenWholeForALoginAndSeenAtItsNextLogon() {
        Rights f;
        f.press(3);
        f.w->pressTool(4);
        QCOMPARE(f.ts.prompter.texts(), QStringList(2, u"PLEASE ENTER LOGIN CODE ...."_s));
        QCOMPARE(QApplication::focusWidget(), f.w->txt_EmpID);
        QCOMPARE(count(f.ts.db(), kRights[0]), 0);
        QTest::keyClicks(f.w->txt_EmpID, u"a5."_s);  // whole numbers only
        QCOMPARE(f.w->txt_EmpID->text(), u"5"_s);
        // Only Y and N reach the permission column, shown in their colours.
        const auto colour = [&](int col) { return f.w->Grid1->item(f.row(7), col)->background().color(); };
        const QColor shown = colour(0);
        for (const auto& [keys, col, expected] :
             {std::tuple{"n", 3, "N"}, {"x1 ", 3, "N"}, {"nN", 2, "N"}, {"y", 3, "Y"}}) {
            f.type(7, QLatin1String(keys), col);
            QCOMPARE(f.shown(7), QLatin1String(expected));
            QCOMPARE(colour(0) == shown, f.shown(7) == QLatin1String("Y"));
            QCOMPARE(colour(3), colour(0));
        }
        QCOMPARE(f.shown(7, frm_GrantAccess::MenuCaption), u"COUNTER RESET"_s);
        typeInto(f.w->txt_EmpID, u"5"_s);  // typed on the catalogue shown at load, without Enter
        f.type(7, u"n"_s);                 // mnu_CounterReset
        f.type(18, u"N"_s);                // mnu_LeadStatus
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kRightsSaved});
        QCOMPARE(count(f.ts.db(), kRights[0], u"LOGIN_ID=5"_s), kEntries);
        QCOMPARE(f.stored(u"7, 8"_s), (QStringList{"7|N|.Enabled=FALSE", "8|Y|.Enabled=TRUE"}));
        QCOMPARE(f.shown(7), u"N"_s);  // shown again from the login's rows
        const QStringList entries = {"mnu_CounterReset", "mnu_LeadStatus", "mnu_Country"};
        QCOMPARE(f.seenAtLogon(entries), (QList<bool>{false, false, true}));
        QCOMPARE(f.seenAtLogon(entries, 1), (QList<bool>{true, true, true}));  // another login is untouched
        // Saved again: every row replaced, a stale one (an entry gone from the catalogue) too.
        f.ts.db().exec(u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU) VALUES (5, 999, 'N')"_s);
        f.type(7, u"y"_s);
        f.press(3);
        QCOMPARE(count(f.ts.db(), kRights[0], u"LOGIN_ID=5"_s), kEntries);
        QCOMPARE(f.stored(u"7, 999"_s), QStringList{"7|Y|.Enabled=TRUE"});
        QCOMPARE(f.seenAtLogon(entries), (QList<bool>{true, false, true}));
        // A save refused part way keeps the earlier rows whole.
        const Footprint before = footprint(f.ts.db(), kRights);
        f.type(9, u"n"_s);
        f.ts.db().failStatement(60);
        f.press(3);
        f.ts.db().failStatement(0);
        QCOMPARE(f.ts.prompter.texts(), QStringList{u"Statement refused (injected failure)"_s});
        QVERIFY(footprint(f.ts.db(), kRights) == before);
        // Delete asks; then every entry shows again.
        QTest::keyClick(f.w->txt_EmpID, Qt::Key_Return);
        f.press(4, {false});
        QCOMPARE(count(f.ts.db(), kRights[0], u"LOGIN_ID=5"_s), kEntries);
        f.press(4, {true});
        QCOMPARE(f.ts.prompter.texts(),
                 (QStringList{u"DO WANT TO DELETE ACL FOR RAVI KUMAR"_s, u"Successfully Deleted ACL ...."_s}));
        QCOMPARE(count(f.ts.db(), kRights[0], u"LOGIN_ID=5"_s), 0);
        QCOMPARE(f.seenAtLogon(entries), (QList<bool>{true, true, true}));
        // A login without rights rows sees every entry: on Enter as on New Record it shows the whole
        // catalogue with "Y", edited and saved like any other; an entry added to the catalogue
        // later has no row yet, so the login sees it: "Y".
        auto* w = f.w.get();
        QVERIFY(f.row(60) > f.row(31));  // ordered by group
        typeInto(w->txt_EmpID, u"5"_s);
        QTest::keyClick(w->txt_EmpID, Qt::Key_Return);
        QCOMPARE((QStringList{w->lbl_EmplName->text(), w->lbl_Desig->text(), w->lbl_Dept->text()}),
                 (QStringList{"RAVI KUMAR", "OPERATOR", "SALES"}));
        QCOMPARE(column(w->Grid1->model(), frm_GrantAccess::Permission), QStringList(kEntries, u"Y"_s));
        f.press(2);
        QCOMPARE(column(w->Grid1->model(), frm_GrantAccess::Permission), QStringList(kEntries, u"Y"_s));
        f.type(7, u"n"_s);
        f.press(3);
        QCOMPARE(count(f.ts.db(), kRights[0], u"LOGIN_ID=5"_s), kEntries);
        f.ts.db().exec(u"INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, MENU_NAME) VALUES (200, 9, 'mnu_New')"_s);
        f.press(2);
        QCOMPARE((QStringList{f.shown(7), f.shown(200)}), (QStringList{"N", "Y"}));
    }

    // The source installation's catalogue differs from the seed: a caption changed, an entry
    // moved to another group, a new entry. The target lost entries and changed a caption;
    // it has logins with full, partial and no rights.
    void roundTripCarriesTheCatalogueAndGrantsMissingEntries() {
        const QString path = file(u"roundtrip.dat"_s);
        QStringList source;
        {
            TestSession ts;
            ts.db().exec(u"UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION='STATE MASTER' WHERE MENU_ID=9"_s);
            ts.db().exec(u"UPDATE M_TBL_MENUDETAILS SET GROUP_ID=2, GROUP_NAME='SALES' WHERE MENU_ID=10"_s);
            ts.db().exec(
                u"INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION) "
                "VALUES (200, 9, 'NEW GROUP', 'mnu_New', 'NEW ENTRY')"_s);
            source = catalogue(ts.db());
            Window win(ts);
            win.run(path, true);
            QCOMPARE(win.said(), (QStringList{kQuestion, kExported}));
            // Progress: connection, start, clearing, one text per row, the compaction result.
            QCOMPARE(win.shown.mid(0, 4), (QStringList{u"Please wait while connection is established with "_s + path,
                                                       u"Connection is established with "_s + path,
                                                       u"Exporting of Menu Details about to begin"_s,
                                                       u"PLEASE WAIT CLEARING PREVIOUS DETAILS ....."_s}));
            QCOMPARE(win.shown.size(), 4 + source.size() + 1);
            QVERIFY(
                win.shown.contains(u"EXPORTING MENU DETAILS.... \nMENU ID : 200\nGROUP ID : 9\n"
                                   "GROUP NAME: NEW GROUP\nMENU NAME: mnu_New\nCAPTION: NEW ENTRY"_s));
            QVERIFY(win.shown.constLast().startsWith(u"Compacting Database Result\n"_s + QString(43, QLatin1Char('-')) +
                                                     u"\nSize Before Compact: "_s));
            QVERIFY(win.shown.constLast().endsWith(u"\nSiza After Compact: %1 bytes"_s.arg(QFileInfo(path).size())));
        }
        QCOMPARE(RawFile(path).lines(), source);
        TestSession ts;
        Database& db = ts.db();
        db.exec(u"DELETE FROM M_TBL_MENUDETAILS WHERE MENU_ID IN (114, 115)"_s);
        db.exec(u"UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION='OLD TEXT' WHERE MENU_ID=5"_s);
        // Login 7 has a row for every remaining entry, entry 5 denied; login 8 only two rows.
        db.exec(
            u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) SELECT 7, MENU_ID, "
            "CASE WHEN MENU_ID=5 THEN 'N' ELSE 'Y' END, 'OLD' FROM M_TBL_MENUDETAILS"_s);
        db.exec(
            u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES "
            "(8, 1, 'N', '.Enabled=FALSE'), (8, 2, 'Y', '.Enabled=TRUE')"_s);
        const QStringList before = rights(db);
        Window win(ts);
        win.run(path, false);
        QCOMPARE(win.said(), (QStringList{kQuestion, kImported}));
        QCOMPARE(catalogue(db), source);
        QCOMPARE(
            win.shown.mid(0, 5),
            (QStringList{u"Please wait while connection is established with "_s + path,
                         u"Connection is established with "_s + path, u"PLEASE WAIT..., ABOUT TO IMPORT DETAILS ..."_s,
                         u"SETTING MENU ACCESS FOR MEMBERS  ...."_s, u"LOGIN ID : 7\nMENU : COMPANY PROFILE"_s}));
        QCOMPARE(win.shown.size(), 4 + 2 * source.size());  // logins in order, entries by group then id
        QCOMPARE(win.shown.constLast(), u"LOGIN ID : 8\nMENU : NEW ENTRY"_s);
        // Every row a login had keeps its answer; login 7 gains exactly the three entries it
        // lacked, login 8 every entry but its own two.
        const QStringList after = rights(db);
        for (const QString& r : before)
            QVERIFY2(after.contains(r), qPrintable(r));
        QCOMPARE(
            lines(db,
                  u"SELECT MENU_ID, SHOW_MENU, MENU_DISP FROM M_TBL_MENUSHOW WHERE LOGIN_ID=7 AND MENU_DISP<>'OLD' "
                  "ORDER BY MENU_ID"_s),
            (QStringList{"114|Y|.Enabled=TRUE", "115|Y|.Enabled=TRUE", "200|Y|.Enabled=TRUE"}));
        QCOMPARE(count(db, u"M_TBL_MENUSHOW"_s, u"LOGIN_ID=8 AND MENU_ID>2 AND MENU_DISP='.Enabled=TRUE'"_s),
                 source.size() - 2);
        QCOMPARE(after.size(), before.size() + 3 + source.size() - 2);
        // Importing again changes nothing; the file was only read.
        win.run(path, false);
        QCOMPARE(win.said(), (QStringList{kQuestion, kImported}));
        QCOMPARE(rights(db), after);
        QVERIFY(catalogue(db) == source && RawFile(path).lines() == source);
    }

    void importIsAllOrNothingAndRefusalsChangeNothing() {
        TestSession ts;
        Database& db = ts.db();
        const QString full = file(u"full.dat"_s);
        Window win(ts);
        win.run(full, true);
        db.exec(u"DELETE FROM M_TBL_MENUDETAILS WHERE MENU_ID > 100"_s);
        db.exec(u"UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION='LOCAL' WHERE MENU_ID=4"_s);
        db.exec(u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU) VALUES (3, 1, 'Y')"_s);
        const Footprint before = footprint(db, {u"M_TBL_MENUDETAILS"_s, u"M_TBL_MENUSHOW"_s});
        // A statement refused early or late (while granting rights) takes back every row written.
        for (int n : {3, 240}) {
            db.failStatement(n);
            win.run(full, false);
            QCOMPARE(win.said(), (QStringList{kQuestion, u"IMPDATA : "_s + kRefused}));
            QVERIFY(footprint(db, {u"M_TBL_MENUDETAILS"_s, u"M_TBL_MENUSHOW"_s}) == before);
        }
        // A file whose catalogue is empty: nothing to import; a file without the table: why.
        const QString empty = file(u"empty.dat"_s), bare = file(u"bare.dat"_s);
        QVERIFY(RawFile(empty).exec(kCreate) && RawFile(bare).exec("CREATE TABLE OTHER (X INTEGER)"));
        win.run(empty, false);
        QCOMPARE(win.said(), (QStringList{kQuestion, u"NO RECORDS AVAILABLE FOR IMPORT ...."_s}));
        win.run(bare, false);
        QVERIFY(win.said().size() == 2 && win.said().at(1).startsWith(u"IMPDATA : "_s));
        QVERIFY(footprint(db, {u"M_TBL_MENUDETAILS"_s, u"M_TBL_MENUSHOW"_s}) == before);
        auto* w = win.w.get();
        // A file that held another, larger catalogue: replaced whole, rewritten without free space.
        const QString path = file(u"kept.dat"_s);
        QVERIFY(RawFile(path).exec(kCreate) &&
                RawFile(path).exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                   "FROM n WHERE i < 3000) INSERT INTO M_Tbl_MenuDetails "
                                   "SELECT i, 1, 'OLD', 'mnu_Old' || i, 'X' FROM n"));
        win.run(path, true);
        const QStringList fileRows = RawFile(path).lines();
        QCOMPARE(fileRows, catalogue(db));
        QCOMPARE(RawFile(path).lines("PRAGMA freelist_count"), QStringList{"0"});
        // No to the question: the file is closed untouched and the message cleared.
        win.run(path, true, false);
        QCOMPARE(win.said(), QStringList{kQuestion});
        QCOMPARE(win.shown.constLast(), QString());
        QCOMPARE(RawFile(path).lines(), fileRows);
        // A missing file is not created by an import, nor is a file that is no database read,
        // nor is anything opened without a file: the reason is told, the window keeps its text.
        w->lbl_Msg->setText(u"EARLIER"_s);
        const QString missing = file(u"missing.dat"_s);
        const QString text = file(u"text.dat"_s);
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(4096, 'z')) == 4096);
        f.close();
        for (const auto& [chosen, exporting] :
             {std::pair{missing, false}, {text, false}, {text, true}, {QString(), true}}) {
            if (chosen.isEmpty())
                w->Load_Init();
            win.run(chosen, exporting);
            QCOMPARE(win.said().size(), 1);
            QCOMPARE(ts.prompter.messages.at(0).kind, u"information"_s);
            QCOMPARE(w->lbl_Msg->text(), u"EARLIER"_s);
        }
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(QFileInfo(text).size(), 4096);
        // An export the server refuses leaves the file's catalogue as it was (a cancelled
        // dialog keeps the file chosen before).
        db.exec(u"UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION='CHANGED' WHERE MENU_ID=3"_s);
        win.answer = path;
        QTest::mouseClick(w->Cmd_Browse, Qt::LeftButton);
        win.answer.clear();
        QTest::mouseClick(w->Cmd_Browse, Qt::LeftButton);
        ts.answer({true});
        db.failStatement(1);
        QTest::mouseClick(w->Cmd_Proceed, Qt::LeftButton);
        QCOMPARE(win.said(), (QStringList{kQuestion, u"EXPDATA : "_s + kRefused}));
        QCOMPARE(RawFile(path).lines(), fileRows);
        // An empty server catalogue: nothing to export, the file keeps its rows and the
        // window starts again.
        db.exec(u"DELETE FROM M_TBL_MENUDETAILS"_s);
        win.run(path, true);
        QCOMPARE(win.said(), (QStringList{kQuestion, u"NO RECORDS AVAILABLE FOR EXPORTING ...."_s}));
        QCOMPARE(RawFile(path).lines(), fileRows);
        QVERIFY(w->lbl_FilePath->text().isEmpty() && w->Option1->isChecked());
    }

    // A counter reset to 100 gives 101 next; letters and points never reach a number cell;
    // no counter is added in the grid.
    void countersAndDocumentCodesInTheirGrids() {
        TestSession ts;
        Numbering numbers(ts.db());
        QCOMPARE(numbers.next(u"CBPT01"_s), 1);
        numbers.next(u"ANCP01"_s);
        LookupGridWindow w(ts.session, nullptr, frm_Counter_Config());
        QVERIFY(showActive(w));
        auto* m = w.model();
        const int row = rowOf(m, 0, u"CBPT01"_s);
        typeIntoCell(w.grid(), row, 1, u"1a0.0"_s);
        QVERIFY(!m->isDirty(row));   // still in the editor
        keyToFocus(Qt::Key_Return);  // off the last cell, to the next row: written
        QCOMPARE(w.grid()->currentIndex().row(), row + 1);
        QCOMPARE((QList<qint64>{counter(ts.db(), u"CBPT01"_s), numbers.next(u"CBPT01"_s)}), (QList<qint64>{100, 101}));
        QCOMPARE(m->rowCount(), count(ts.db(), u"MST_COUNTER"_s));  // no new-row line
        QVERIFY(ts.prompter.messages.isEmpty());
        // A member of the family that allows deleting: asked, then gone; no other table touched.
        Numbering(ts.db()).next(u"ZZQ1"_s);
        Numbering(ts.db()).nextLine(u"7"_s);
        const qint64 counters = count(ts.db(), u"MST_COUNTER"_s);
        LookupGridConfig cfg = frm_Counter_Config();
        cfg.table = u"MST_COUNTER2"_s;
        cfg.allowDelete = true;
        LookupGridWindow w2(ts.session, nullptr, cfg);
        QVERIFY(showActive(w2));
        clickCell(w2.grid(), 0, 1);
        ts.answer({false, true});
        QTest::keyClick(w2.grid(), Qt::Key_Delete);
        QCOMPARE(ts.prompter.texts(), QStringList{u"ARE YOU SURE WANT TO DELETE ...\n CODE : 7\n DELETION IS "
                                                  "IRREVERSIBLE, WANT TO PROCEED (Y/N) ?"_s});
        QCOMPARE(count(ts.db(), u"MST_COUNTER2"_s), 1);
        QTest::keyClick(w2.grid(), Qt::Key_Delete);
        QCOMPARE((QList<qint64>{count(ts.db(), u"MST_COUNTER2"_s), w2.model()->rowCount(),
                                count(ts.db(), u"MST_COUNTER"_s)}),
                 (QList<qint64>{0, 0, counters}));  // the other table untouched
        // Lower case typed is stored upper; a new code is stored when the cursor leaves it; a
        // code that exists is refused in the window's words, not stored, and the cursor goes
        // back to it.
        Database& db = ts.db();
        ts.prompter.clear();
        const qint64 before = count(db, u"MST_DOCUMENTCODES"_s);
        LookupGridWindow codes(ts.session, nullptr, frm_DocCode_Masters_Config());
        QVERIFY(showActive(codes));
        auto* cm = codes.model();
        QCOMPARE(cm->index(0, 1).data().toString(), u"BLFC01"_s);  // SLNO 1 first
        // (A row of the grid edited in place: the lookup family's test in tst_masters.)
        const QString doc = u"SELECT SLNO, DOC_DESCRIPTION, DOC_HEADER FROM MST_DOCUMENTCODES WHERE DOC_CODE=?"_s;
        const auto typeRow = [&](const QStringList& cells) {
            typeIntoCell(codes.grid(), cm->rowCount() - 1, 0, cells.first());
            for (const QString& c : cells.mid(1)) {
                keyToFocus(Qt::Key_Return);
                typeKeys(c);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            clickCell(codes.grid(), 0, 0);
        };
        typeRow({"99", "zzt01", "test doc", "test"});
        QVERIFY2(ts.prompter.messages.isEmpty(), qPrintable(ts.prompter.texts().join('|')));
        QCOMPARE(lines(db, doc, {u"ZZT01"_s}), QStringList{"99|TEST DOC|TEST"});
        const int dupLine = cm->rowCount() - 1;
        typeRow({"98", "cbpt01"});
        const QStringList refused = {u"DOC CODE : CBPT01 ALREADY EXISTS, CANNOT PROCEED ....."_s};
        QCOMPARE(ts.prompter.texts(), refused);
        QCOMPARE(db.scalar(u"SELECT SLNO FROM MST_DOCUMENTCODES WHERE DOC_CODE='CBPT01'"_s).toInt(), 6);
        QTRY_COMPARE(codes.grid()->currentIndex().row(), dupLine);
        // A number that reached its cell without the key filter (a program, a paste of "-") is
        // refused as well; closing reports both in row order and stores neither.
        ts.prompter.clear();
        QVERIFY(cm->setData(cm->index(0, 0), u"1-2"_s, Qt::EditRole));
        QTest::keyClick(codes.grid(), Qt::Key_Escape);
        QVERIFY(!codes.isVisible());
        QCOMPARE(ts.prompter.texts(), QStringList{"INVALID NUMBER FOR SL NO : 1-2 ...."} + refused);
        QCOMPARE((QList<qint64>{count(db, u"MST_DOCUMENTCODES"_s),
                                count(db, u"MST_DOCUMENTCODES"_s, u"DOC_CODE='BLFC01' AND SLNO=1"_s)}),
                 (QList<qint64>{before + 1, 1}));
    }

    void linkageLocksSavesAndDeletes() {
        Linkage f;
        auto* w = f.w.get();
        for (const QString code : {"ESSLP01", "LRCR01", "LRCR02", "LIDB01"}) {
            choose(w->Cmb_DocCode, code);
            QVERIFY2(!w->txt_AccCode->isEnabled() && !w->txt_AccDesc->isEnabled(), qPrintable(code));
            QVERIFY(!w->tool(3)->isEnabled() && !w->tool(4)->isEnabled());
        }
        clickCell(f.w->Grid1, 0, 2);
        QVERIFY(w->txt_AccCode->text() == u"LOAN01"_s && !w->txt_AccDesc->isEnabled());
        // Saving and deleting are refused even when called directly: no message, nothing changed.
        w->txt_AccDesc->setText(u"CHANGED"_s);
        w->Save_Record();
        w->Delete_Record();
        QVERIFY(f.ts.prompter.messages.isEmpty());
        QCOMPARE(f.links(u"LIDB01"_s), QStringList{"LOAN01|STAFF LOAN"});
        // Any other code unlocks the window again and lists its links.
        choose(w->Cmb_DocCode, u"FRDM01"_s);
        QVERIFY(w->txt_AccCode->isEnabled() && w->txt_AccDesc->isEnabled() && w->tool(3)->isEnabled());
        QCOMPARE(column(w->Grid1->model(), 2), QStringList{"INT01"});
        // Saving checks in order, then stores without a question.
        choose(w->Cmb_DocCode, u"APCM01"_s);
        QCOMPARE(checkInOrder(f.ts.prompter, f.ts.db(), {u"M_TBL_DOCUMENTACCOUNT_COMB"_s},
                              {{u"SORRY ACCOUNT CODE CANNOT BE BLANK...."_s, {}, w->txt_AccCode},
                               {u"SORRY ACCOUNT DESCRIPTION CANNOT BE BLANK...."_s,
                                [&] { typeInto(w->txt_AccCode, "rent01"); }, w->txt_AccDesc}},
                              [&] { w->pressTool(3); }),
                 QString());
        typeKeys(u"office rent"_s);
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kDone});
        QCOMPARE(f.links(u"APCM01"_s), QStringList{"RENT01|OFFICE RENT"});
        QCOMPARE(column(w->Grid1->model(), 2), QStringList{"RENT01"});
        QVERIFY(w->txt_AccCode->text().isEmpty() && w->txt_AccDesc->text().isEmpty());
        // A chosen row: the code is fixed, only the description changes.
        clickCell(f.w->Grid1, 0, 2);
        QVERIFY(!w->txt_AccCode->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w->txt_AccDesc);
        typeKeys(u"rent of office"_s);
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kDone});
        QCOMPARE(f.links(u"APCM01"_s), QStringList{"RENT01|RENT OF OFFICE"});
        // A refused statement shows the database's text and keeps the fields.
        w->txt_AccCode->setText(u"X1"_s);
        w->txt_AccDesc->setText(u"SOMETHING"_s);
        f.ts.db().failStatement(1);
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kRefused});
        QVERIFY(w->txt_AccCode->text() == u"X1"_s && f.links(u"APCM01"_s).size() == 1);
        // Deleting: a link in use is refused; otherwise the question first.
        f.ts.db().exec(
            u"INSERT INTO M_TBL_DOCUMENTACCOUNT_COMB (DOC_CODE, ACC_CODE, ACCOUNT_DESC) VALUES "
            "('FRDM01', 'INT02', 'INTEREST TWO')"_s);
        f.ts.db().exec(
            u"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, TO_ACC, DOC_STATUS) VALUES "
            "('FRDM01', 1, 'INT01', 'NC'), ('FRDM01', 2, 'INT02', 'CNCL')"_s);
        choose(w->Cmb_DocCode, u"FRDM01"_s);
        const QString choose = u"PLEASE SELECT FROM LIST TO DELETE THE RECORD...."_s;
        f.press(4);
        QCOMPARE(f.ts.prompter.texts(), QStringList{choose});
        // INT01 has a pending document: refused.
        clickCell(f.w->Grid1, 0, 2);
        f.press(4);
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{
                     u"DOCUMENT CODE : FRDM01 AND A/C CODE : INT01 CANNOT BE DELETED AS THEY ARE BEING IN USE...."_s});
        // INT02 is used only by a cancelled document: the question, No keeps it, Yes deletes.
        clickCell(f.w->Grid1, 1, 2);
        const QString question =
            u"ARE YOU SURE WANT TO DELETE ...\n DOCUMNT CODE : FRDM01\n ACCOUNT CODE : INT02\n"
            " DELETION IS IRREVERSIBLE, WANT TO PROCEED (Y/N) ?"_s;
        f.press(4, {false});
        QCOMPARE(f.links(u"FRDM01"_s).size(), 2);
        f.press(4, {true});
        QCOMPARE(f.ts.prompter.texts(), (QStringList{question, u"DELETION COMPLETED SUCCESSFULLY ...."_s}));
        QCOMPARE(f.links(u"FRDM01"_s), QStringList{"INT01|INTEREST RECEIVED"});
        QCOMPARE(column(w->Grid1->model(), 2), QStringList{"INT01"});
        // The deleted row is no longer chosen; a refused delete is reported.
        f.press(4);
        QCOMPARE(f.ts.prompter.texts(), QStringList{choose});
        clickCell(f.w->Grid1, 0, 2);
        f.ts.db().exec(u"DELETE FROM M_TBL_TRANSACTION"_s);
        f.ts.db().failStatement(2);
        f.press(4, {true});
        QCOMPARE(f.ts.prompter.texts().constLast(), kRefused);
        QCOMPARE(f.links(u"FRDM01"_s).size(), 1);
        QTest::keyClick(w->txt_AccCode, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    }

    // The office's days ahead show its default until set, are typed as whole days and saved
    // with the profile; left empty they are asked for and nothing changes.
    void companyProfileDueDays() {
        struct Case {
            QString typed;
            QString message;
            int days;  // the office's days ahead afterwards
        };
        const QList<Case> cases{{"21", kProfileDone, 21},
                                {"0", kProfileDone, 0},
                                {"", u"PLEASE ENTER DUE DAYS AHEAD ...."_s, kDefaultDueDays}};
        for (const Case& c : cases) {
            TestSession ts;
            auto w = open<frm_CompanyProfile>(ts);
            QCOMPARE(w->txt_DueDays->text(), QString::number(kDefaultDueDays));
            w->txt_DueDays->clear();
            typeInto(w->txt_DueDays, c.typed + u"-9x"_s);  // neither a sign, a letter nor a fourth digit
            QCOMPARE(w->txt_DueDays->text(), (c.typed + u"9"_s).left(3));
            w->txt_DueDays->setText(c.typed);
            ts.answer({true});
            QTest::mouseClick(w->Cmd_Save, Qt::LeftButton);
            QCOMPARE(ts.prompter.texts().constLast(), c.message);
            QCOMPARE(officeDueDays(ts.db()), c.days);
        }
    }

    void companyProfileAndMailServer() {
        TestSession ts;
        Database& db = ts.db();
        db.exec(u"UPDATE MST_LOCATIONDETAILS SET ADD1=?, STATE=?, PHOTO_PATH=?"_s,
                {u"  KOCHI "_s, u" KERALA  "_s, u" http://old.example/img "_s});
        auto w = open<frm_CompanyProfile>(ts);
        // A new database's placeholders are greyed hints, not values, and named at the top.
        QLineEdit* gstin = w->letterhead.value(u"COMP_GSTIN"_s);
        QCOMPARE((QStringList{w->txt_CompName->text(), w->txt_CityName->text(), w->txt_StateName->text(),
                              w->txt_ImgUrl->text(), gstin->text(), gstin->placeholderText()}),
                 (QStringList{"TARVIC HOLIDAYS", "KOCHI", "KERALA", "http://old.example/img", "", "YOUR GSTIN"}));
        QVERIFY(w->lbl_Needed->isVisible());
        QVERIFY2(w->lbl_Needed->text().startsWith(u"PLEASE FILL IN ADDRESS, PHONE NOS, GSTIN, JURISDICTION CITY, "
                                                  "A/C NAME, A/C NO, BANK NAME, BRANCH, IFS CODE :"_s),
                 qPrintable(w->lbl_Needed->text()));
        typeInto(w->txt_ImgUrl, u"  http://new.example/pics  "_s);
        w->letterhead.value(u"JURISDICTION_CITY"_s)->setText(u" ERNAKULAM "_s);
        QStringList stored;
        for (const bool yes : {false, true}) {
            ts.prompter.answers = {yes};
            QTest::mouseClick(w->Cmd_Save, Qt::LeftButton);
            stored += lines(db, u"SELECT LOC_NAME, ADD1, PHOTO_PATH, JURISDICTION_CITY FROM MST_LOCATIONDETAILS"_s);
        }
        QCOMPARE(ts.prompter.texts(), (QStringList{kProfileQuestion, kProfileQuestion, kProfileDone}));
        QCOMPARE(stored, (QStringList{"TARVIC HOLIDAYS|  KOCHI | http://old.example/img |YOUR CITY",
                                      "TARVIC HOLIDAYS|KOCHI|http://new.example/pics|ERNAKULAM"}));
        ts.prompter.answers = {true};
        db.failStatement(1);
        w->Save_Record();
        QCOMPARE(ts.prompter.texts().mid(3), (QStringList{kProfileQuestion, kRefused}));
        // The name is needed; the rest typed as a user would, the name and codes in capitals,
        // fills the profile: nothing is left to name, and an empty jurisdiction is the city.
        ts.answer({true});
        w->txt_CompName->clear();
        w->Save_Record();
        QCOMPARE(ts.prompter.texts(), QStringList{u"COMPANY NAME IS NECESSARY ...."_s});
        QCOMPARE(QApplication::focusWidget(), w->txt_CompName);
        const QList<std::pair<const char*, const char*>> typed{
            {"LOC_NAME", "sunrise tours"},     {"ADD1", "alappuzha"},
            {"COMP_ADDRESS", "Beach Road"},    {"COMP_PHONES", "0477 2250000"},
            {"COMP_GSTIN", "32aabct5566p1zx"}, {"JURISDICTION_CITY", ""},
            {"BANK_ACNAME", "SUNRISE TOURS"},  {"BANK_ACNO", "0123456789"},
            {"BANK_NAME", "DEMO BANK"},        {"BANK_BRANCH", "BEACH ROAD"},
            {"BANK_IFSC", "demb0000001"}};
        for (const auto& [column, text] : typed) {
            QLineEdit* e = w->letterhead.value(QLatin1String(column));
            *text ? typeInto(e, QLatin1String(text)) : e->clear();
        }
        // A mistyped GSTIN is refused, nothing kept; corrected, the profile is whole.
        ts.answer({true, true});
        w->Save_Record();
        typeInto(w->letterhead.value(u"COMP_GSTIN"_s), u"32aabct5566p1zv"_s);
        w->Save_Record();
        QCOMPARE(ts.prompter.texts(),
                 (QStringList{kProfileQuestion,
                              u"THE COMPANY'S GSTIN 32AABCT5566P1ZX IS NOT VALID (WRONG CHECK CHARACTER) ...."_s,
                              kProfileQuestion, kProfileDone}));
        QCOMPARE(lines(db,
                       u"SELECT LOC_NAME, ADD1, COMP_ADDRESS, COMP_GSTIN, JURISDICTION_CITY, BANK_IFSC "
                       "FROM MST_LOCATIONDETAILS"_s),
                 QStringList{"SUNRISE TOURS|ALAPPUZHA|Beach Road|32AABCT5566P1ZV|ALAPPUZHA|DEMB0000001"});
        QVERIFY(w->lbl_Needed->isHidden() && ts.session.companyName == u"SUNRISE TOURS"_s);
        // An empty table gets its one row, however often it is saved.
        db.exec(u"DELETE FROM MST_LOCATIONDETAILS"_s);
        auto empty = open<frm_CompanyProfile>(ts);
        QVERIFY(empty->txt_CompName->text().isEmpty() && empty->txt_ImgUrl->text().isEmpty());
        empty->txt_CompName->setText(u"TARVIC"_s);
        empty->txt_ImgUrl->setText(u"/srv/pictures"_s);
        ts.answer({true, true});
        empty->Save_Record();
        empty->Save_Record();
        QCOMPARE(ts.prompter.texts(), (QStringList{kProfileQuestion, kProfileDone, kProfileQuestion, kProfileDone}));
        QCOMPARE(lines(db, u"SELECT PHOTO_PATH FROM MST_LOCATIONDETAILS"_s), QStringList{"/srv/pictures"});
        // Checks in order; the one settings row is added once, then the row found is shown and
        // updated, never a second one added.
        auto smtp = open<frm_SMTP>(ts);
        smtp->txt_SMTPPort->setText(u"   "_s);  // blanks count as empty
        const auto fillIn = [](QLineEdit* e, const char* text) {
            return [e, text] { e->setText(QLatin1String(text)); };
        };
        QCOMPARE(checkInOrder(ts.prompter, db, {u"M_TBL_EMAIL"_s},
                              {{u"PLEASE ENTER SMTP USER NAME ....."_s, {}, smtp->txt_SMTPUsrName},
                               {u"PLEASE ENTER SMTP PASSWORD ....."_s,
                                fillIn(smtp->txt_SMTPUsrName, " mailer@tarvic.test "), smtp->txt_SMTPPasswd},
                               {u"PLEASE ENTER SMTP SERVER ....."_s, fillIn(smtp->txt_SMTPPasswd, "s3cret;Pw"),
                                smtp->txt_SMTPServer},
                               {u"PLEASE ENTER SMTP PORT ....."_s, fillIn(smtp->txt_SMTPServer, "smtp.tarvic.test"),
                                smtp->txt_SMTPPort}},
                              [&] { QTest::mouseClick(smtp->Cmd_Save, Qt::LeftButton); }),
                 QString());
        QCoreApplication::processEvents();  // the field selects its text on focus
        typeKeys(u"4x65"_s);                // digits only
        // Sender name and address may stay empty; no question. (A refused save: tst_secrets.)
        ts.prompter.clear();
        QTest::mouseClick(smtp->Cmd_Save, Qt::LeftButton);
        QCOMPARE(ts.prompter.texts(), QStringList{u"SMTP DETAILS SUCCESSFULLY UPDATED ...."_s});
        QCOMPARE(lines(db, kEmail), QStringList{"mailer@tarvic.test|s3cret;Pw|smtp.tarvic.test|465||"});
        // The row as another installation left it: shown trimmed, updated under its own key.
        db.exec(u"UPDATE M_TBL_EMAIL SET EMAIL_ID=5, EMAIL_USERNAME=' old '"_s);
        auto again = open<frm_SMTP>(ts);
        QStringList shown;
        for (QLineEdit* e : {again->txt_SMTPUsrName, again->txt_SMTPPasswd, again->txt_SMTPServer, again->txt_SMTPPort})
            shown << e->text();
        QCOMPARE(shown, (QStringList{"old", "s3cret;Pw", "smtp.tarvic.test", "465"}));
        QVERIFY(again->txt_SMTPPasswd->displayText() != u"s3cret;Pw"_s);
        again->txt_SenderName->setText(u"TARVIC HOLIDAYS"_s);
        again->txt_SenderEmail->setText(u" tours@tarvic.test "_s);
        QTest::mouseClick(again->Cmd_Save, Qt::LeftButton);
        QCOMPARE(lines(db, u"SELECT EMAIL_ID FROM M_TBL_EMAIL"_s), QStringList{"5"});
        QCOMPARE(lines(db, kEmail),
                 QStringList{"old|s3cret;Pw|smtp.tarvic.test|465|TARVIC HOLIDAYS|tours@tarvic.test"});
    }
};

QTEST_MAIN(tst_admin_windows)
#include "tst_admin_windows.moc"
