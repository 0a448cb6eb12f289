// The program run as a process (missing data source, first start, splash, second copy
// refused); the logon (typing, focus, messages, the stamp, old passwords re-stored); the main
// window (caption, menu and rights, every registered window built, fitting and deleted on
// close, opening by name, closing with the frame).
#include "app/AllWindows.h"
#include "data/Passwords.h"
#include "shell/Logon.h"
#include "shell/MainWindow.h"
#include "shell/MenuCatalogue.h"
#include "shell/kit/TaskWindow.h"
#include "support/Drive.h"
#include "support/EveryWindow.h"
#include "support/ProgramDataSource.h"
#include "support/TestSession.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

class tst_shell : public QObject {
    Q_OBJECT

    QString program_ = qEnvironmentVariable("TARVIC_BIN_DIR") + u"/src/tarvic"_s;
    QTemporaryDir runtime_;
    QTemporaryDir dataHome_;  // the user's data folder: never the embedded database of whoever runs the tests

    // Starts the program with its own data sources, its prompts and shown windows echoed.
    void start(QProcess& p, const QString& odbcDir, bool splash) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ODBCINI"_s, odbcDir + u"/odbc.ini"_s);
        env.insert(u"ODBCSYSINI"_s, odbcDir);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime_.path());
        env.insert(u"XDG_DATA_HOME"_s, dataHome_.path());
        env.insert(u"TARVIC_ECHO_PROMPTS"_s, u"1"_s);
        env.insert(u"TARVIC_TRACE_WINDOWS"_s, u"1"_s);
        if (splash)
            env.remove(u"TARVIC_NO_SPLASH"_s);
        p.setProcessEnvironment(env);
        p.start(program_, {});
    }

    // Reads the program's output until a line appears (or the time runs out).
    static bool waitForLine(QProcess& p, QStringList& lines, const QString& wanted, int ms) {
        QElapsedTimer clock;
        clock.start();
        while (!lines.contains(wanted) && clock.elapsed() < ms) {
            p.waitForReadyRead(200);
            while (p.canReadLine())
                lines << QString::fromUtf8(p.readLine()).chopped(1);
            if (p.state() == QProcess::NotRunning && !p.canReadLine())
                break;
        }
        return lines.contains(wanted);
    }

    static QStringList allLines(QProcess& p) {
        return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

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

    static void setRight(Database& db, qint64 login, const QString& menuName, const QString& show) {
        QVariant id = db.scalar(u"SELECT MENU_ID FROM M_TBL_MENUDETAILS WHERE MENU_NAME=?"_s, {menuName});
        if (id.isNull()) {
            // Menus above the entries have no catalogue row of their own until one is added.
            id = db.scalar(u"SELECT COALESCE(MAX(MENU_ID), 0) + 1 FROM M_TBL_MENUDETAILS"_s);
            db.exec(
                u"INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION) "
                "VALUES (?, 99, 'MENUS', ?, ?)"_s,
                {id, menuName, menuName});
        }
        db.exec(u"DELETE FROM M_TBL_MENUSHOW WHERE LOGIN_ID=? AND MENU_ID=?"_s, {login, id});
        db.exec(u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES (?, ?, ?, ?)"_s,
                {login, id, show, show == "N"_L1 ? u".Enabled=FALSE"_s : u".Enabled=TRUE"_s});
    }

    static QStringList entryNames() {
        QStringList names;
        for (const MenuItem& item : MenuCatalogue::items())
            if (item.kind == MenuItem::Kind::Entry)
                names << QString::fromLatin1(item.name);
        return names;
    }

    // The entries a main window built now hides, sorted.
    static QStringList hidden(TestSession& ts, WindowRegistry& registry) {
        MainWindow w(ts.session, registry);
        QStringList out;
        for (const QString& name : entryNames())
            if (!w.menuShown(name))
                out << name;
        out.sort();
        return out;
    }

    // Closes whatever modal window comes up, as a user would, by polling for it.
    static void closeModalsFor(int ms, QStringList* seen) {
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, [seen] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                *seen << w->objectName();
                w->close();
            }
        });
        poll->start(20);
        QTimer::singleShot(ms, poll, &QObject::deleteLater);
    }

    static QWidget* named(const QString& name, QWidget* w) {
        w->setObjectName(name);
        return w;
    }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY2(QFile::exists(program_), qPrintable(program_ + u" is not built"_s));
        QVERIFY(runtime_.isValid());
    }

    void missingDataSourceEndsWithOneMessage() {
        QTemporaryDir odbc;
        for (const char* f : {"/odbc.ini", "/odbcinst.ini"})
            QVERIFY(QFile(odbc.path() + QLatin1String(f)).open(QIODevice::WriteOnly));
        QProcess p;
        start(p, odbc.path(), true);
        QVERIFY(p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() != 0);
        // Without a database of his own, the user is offered the embedded one; declined (the echo
        // answers No), the one message follows, its two lines joined by CR LF, and no window at all.
        QCOMPARE(allLines(p),
                 (QStringList{u"question|Morvane|THERE IS NO DATABASE FOR THIS USER YET (NO DATA SOURCE TARVIC).\\r\\n"
                              "CREATE THE EMBEDDED DATABASE WITH THE DEMO DATA IN\\r\\n%1/tarvic (Y/N) ?"_s.arg(
                                  dataHome_.path()),
                              u"exclamation| Connection Failure| Data Source Name Does Not Exsist.Cannot "
                              "Continue!!\\r\\nPlease, Check ODBC Data Source."_s}));
    }

    void firstStartSetsUpTheDatabaseAndSecondCopyIsRefused() {
        TestDb t(false);
        QVERIFY(!t.db().tableExists(u"SCHEMA_VERSION"_s));
        // The program's own data source: the test's, pointed at this test's database.
        QTemporaryDir odbc;
        QVERIFY(writeProgramDataSource(t, odbc.path()));
        QProcess first;
        start(first, odbc.path(), true);
        QStringList lines;
        QVERIFY2(waitForLine(first, lines, u"shown|frm_Splash"_s, 60000), qPrintable(lines.join('\n')));
        QElapsedTimer splashShown;
        splashShown.start();
        QVERIFY2(waitForLine(first, lines, u"shown|frm_logon"_s, 40000),
                 qPrintable(lines.join('\n') + QString::fromUtf8(first.readAllStandardError())));
        QVERIFY2(splashShown.elapsed() >= 9000, qPrintable(QString::number(splashShown.elapsed())));
        QCOMPARE(lines, (QStringList{u"shown|frm_Splash"_s, u"shown|frm_logon"_s}));
        QCOMPARE(t.db().scalar(u"SELECT USER_NAME FROM MST_LOGINDETAILS WHERE LOGIN_ID=1"_s).toString(), u"ADMIN"_s);
        QCOMPARE(t.db().scalar(u"SELECT COUNT(*) FROM M_TBL_MENUDETAILS"_s).toInt(), 122);
        QProcess second;
        start(second, odbc.path(), false);
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(allLines(second), QStringList{u"information|Morvane|Program is already running."_s});
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(first.state() == QProcess::Running);
        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }

    // A second copy is refused before any statement runs; a failing company query closes. (The
    // splash handing over after its ten seconds: firstStartSetsUpTheDatabaseAndSecondCopyIsRefused.)
    void refusedStartsEscapeAndCancel() {
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
        // Escape and Cancel close the logon.
        for (bool escape : {true, false}) {
            Fixture f;
            QVERIFY(f.start());
            escape ? QTest::keyClick(f.name, Qt::Key_Escape)
                   : QTest::mouseClick(f.button("Cmd_Cancel"), Qt::LeftButton);
            QVERIFY(!f.w.isVisible());
        }
    }

    // The name is typed upper case and must be accepted (Enter, or Tab which checks it the same
    // way) before the password takes the focus; empty fields are refused in order, each with its
    // message.
    void nameAcceptedBeforeThePasswordAndEmptyFieldsRefused() {
        Fixture f;
        f.ts.db().exec(u"UPDATE MST_LOCATIONDETAILS SET LOC_NAME=?"_s, {u"  SUNRISE TOURS  "_s});
        QVERIFY(f.start());
        QCOMPARE(f.ts.session.companyName, u"SUNRISE TOURS"_s);
        QTRY_COMPARE(QApplication::focusWidget(), f.name);
        QTest::keyClicks(f.name, u"ADMXN"_s);
        QTest::keyClick(f.name, Qt::Key_Tab);
        QTRY_COMPARE(f.ts.prompter.texts(), QStringList{u"Invalid Username ......."_s});
        QCOMPARE(QApplication::focusWidget(), f.name);
        f.ts.prompter.clear();
        f.name->clear();
        QTest::keyClicks(f.name, u"admin"_s);
        QTest::keyClick(f.name, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), f.password);
        QVERIFY(f.ts.prompter.messages.isEmpty() && f.w.nameAccepted());
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
        QTRY_COMPARE(f.ts.prompter.texts().last(), u"Invalid Username ......."_s);
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
        // Right at last, by keyboard: one Enter after the password logs on.
        f.ts.prompter.clear();
        f.password->clear();
        QTest::keyClicks(f.password, u"admin123"_s);
        QTest::keyClick(f.password, Qt::Key_Return);
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

    // When other users of the computer may read the embedded database's file, the logon says so
    // once, naming the file, and goes on; a file of its owner's alone, or a server, says nothing.
    void readableDatabaseFileIsSaidOnceAtLogon() {
        for (const int mode : {0644, 0640, 0604, 0600}) {
            Fixture f;
            const QString file = f.ts.t.sqlitePath();
            if (!file.isEmpty())
                QVERIFY(::chmod(QFile::encodeName(file).constData(), mode_t(mode)) == 0);
            QVERIFY(f.start());
            f.acceptName(u"admin"_s);
            f.password->setText(u"admin123"_s);
            f.login();
            QCOMPARE(f.loggedOn.count(), 1);
            const QStringList said = file.isEmpty() || mode == 0600
                                         ? QStringList()
                                         : QStringList{
                                               u"THE DATABASE FILE CAN BE READ BY OTHER USERS OF THIS COMPUTER :\n%1\n"
                                               "PLEASE LET ONLY ITS OWNER READ IT (chmod 600) ...."_s.arg(file)};
            QCOMPARE(f.ts.prompter.texts(), said);
            QVERIFY(!f.w.isVisible());
        }
    }

    // Only an explicit "N" of this login hides, and only from the next logon on; rights that
    // cannot be read hide nothing and say nothing.
    void captionWholeMenuAndRightsOfExplicitNAtTheNextLogon() {
        TestSession ts;
        ts.session.userFullName = u" RAVI KUMAR  "_s;
        ts.session.companyName = u"SUNRISE TOURS "_s;
        WindowRegistry registry;
        registry.add(u"frm_Counter"_s, [](Session&, QWidget*) { return new QDialog; });
        Database& db = ts.db();
        MainWindow before(ts.session, registry);
        QCOMPARE(before.windowTitle(), u"WELCOME RAVI KUMAR TO SUNRISE TOURS"_s);
        // Every entry of the seeded catalogue is in the menu and shown, and there are no others;
        // only entries with a registered window can be used.
        const QStringList catalogue =
            lines(db, u"SELECT MENU_NAME FROM M_TBL_MENUDETAILS ORDER BY GROUP_ID, MENU_ID"_s);
        QCOMPARE(entryNames(), catalogue);
        for (const QString& name : catalogue)
            QVERIFY2(before.findChild<QAction*>(name) && before.menuShown(name), qPrintable(name));
        QVERIFY(before.hiddenNames().isEmpty() && before.findChild<QAction*>(u"mnu_CounterReset"_s)->isEnabled());
        QVERIFY(!before.findChild<QAction*>(u"mnu_CBPT01"_s)->isEnabled());
        for (const auto& [login, name, show] : {std::tuple{1, "mnu_PLAS", "N"},
                                                {1, "mnu_CounterReset", "N"},
                                                {1, "mnu_Country", "Y"},
                                                {1, "mnu_State", "n"},
                                                {1, "mnu_Place", "X"},
                                                {1, "mnu_MiscAction", "N"},
                                                {2, "mnu_LDOP", "N"}})
            setRight(db, login, QLatin1String(name), QLatin1String(show));
        // A catalogue name in another case still names the entry.
        db.exec(u"UPDATE M_TBL_MENUDETAILS SET MENU_NAME='MNU_SRCPARTY' WHERE MENU_NAME='mnu_SrcParty'"_s);
        setRight(db, 1, u"MNU_SRCPARTY"_s, u"N"_s);
        QVERIFY(before.menuShown(u"mnu_CounterReset"_s));
        QCOMPARE(hidden(ts, registry),
                 (QStringList{"mnu_CompanyProfile", "mnu_CounterReset", "mnu_ExpImpMenudetails", "mnu_GMR", "mnu_Login",
                              "mnu_SendBulkEmail", "mnu_SmtpServer", "mnu_SrcParty"}));
        MainWindow w(ts.session, registry);
        QVERIFY(!w.findChild<QMenu*>(u"mnu_PLAS"_s)->menuAction()->isVisible());
        QVERIFY(!w.findChild<QMenu*>(u"mnu_MiscAction"_s)->menuAction()->isVisible());
        QVERIFY(w.findChild<QMenu*>(u"mnu_CSP"_s)->menuAction()->isVisible());
        QVERIFY(w.findChild<QAction*>(u"mnu_DocCode_Maintenance"_s)->isVisible());
        // A menu whose every entry is hidden is hidden too, rather than opening empty.
        for (const char* name : {"mnu_Country", "mnu_State", "mnu_Place"})
            setRight(db, 1, QLatin1String(name), u"N"_s);
        QVERIFY(!MainWindow(ts.session, registry).findChild<QMenu*>(u"mnu_CSP"_s)->menuAction()->isVisible());
        db.exec(u"DROP TABLE M_TBL_MENUSHOW"_s);
        QCOMPARE(hidden(ts, registry), QStringList());
        QVERIFY(ts.prompter.messages.isEmpty());
    }

    // Every registered window is catalogued, lies inside the main window's work area with no
    // visible heading of its grids cut short, and deletes itself when closed.
    void everyRegisteredWindowIsBuiltFitsAndIsDeletedOnClose() {
        EveryWindow all;
        QVERIFY(showActive(*all.main));
        const QRect frame = all.main->frameGeometry();
        const QSize area = all.main->mdiArea()->size();
        QStringList faults;
        QVERIFY(all.registry.windows().size() >= 30);
        QVERIFY(!all.registry.has(u"mnu_Country"_s));  // keyed by window, not by menu entry
        all.forEach([&](const QString& name, QWidget& w) {
            QVERIFY2(MenuCatalogue::knowsWindow(name), qPrintable(name));
            const QRect at = w.frameGeometry();
            if (at.width() > area.width() || at.height() > area.height() || !frame.contains(at))
                faults << u"%1 is %2x%3 at %4,%5"_s.arg(name)
                              .arg(at.width())
                              .arg(at.height())
                              .arg(at.x() - frame.x())
                              .arg(at.y() - frame.y());
            for (const QHeaderView* h : w.findChildren<QHeaderView*>()) {
                if (h->orientation() != Qt::Horizontal || !h->isVisible())
                    continue;
                // The style's margin on either side, then the whole text, or it is elided.
                const int margin = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
                for (int c = 0; c < h->count(); ++c) {
                    const QString text = h->model()->headerData(c, Qt::Horizontal).toString();
                    const int needed = h->fontMetrics().horizontalAdvance(text) + margin;
                    if (!h->isSectionHidden(c) && !text.isEmpty() && h->sectionSize(c) < needed)
                        faults << u"%1: \"%2\" %3 < %4"_s.arg(name, text).arg(h->sectionSize(c)).arg(needed);
                }
            }
            shoot(w, name);
        });
        QVERIFY2(faults.isEmpty(),
                 qPrintable(u"work area %1x%2\n"_s.arg(area.width()).arg(area.height()) + faults.join('\n')));
    }

    void openByNameWithArgumentsAndModality() {
        TestSession ts;
        WindowRegistry registry;
        QVariant given;
        auto probe = [&given](Session&, QWidget* parent, const WindowArgs& args) -> QWidget* {
            given = args.value(u"CBPT_NO"_s);
            return new QWidget(parent, Qt::Window);
        };
        registry.add(u"frm_Counter"_s, probe);         // a modal menu entry
        registry.add(u"frm_GrantAccess"_s, probe);     // a modeless one
        registry.add(u"frm_PartyWebAccess"_s, probe);  // on no menu
        ts.session.windows = &registry;
        TaskWindow opener(ts.session);
        QPointer<QWidget> modal = opener.openWindow(u"frm_Counter"_s, {{{u"CBPT_NO"_s, 42}}});
        QVERIFY(modal && modal->isVisible());
        QCOMPARE(given.toInt(), 42);
        QCOMPARE(modal->windowModality(), Qt::ApplicationModal);
        QCOMPARE(modal->parentWidget(), &opener);
        for (const char* name : {"frm_GrantAccess", "frm_PartyWebAccess"}) {
            QPointer<QWidget> w = opener.openWindow(QLatin1String(name));
            QVERIFY(w && w->isVisible());
            QCOMPARE(w->windowModality(), Qt::NonModal);
            w->close();
            QTRY_VERIFY(w.isNull());
        }
        QPointer<QWidget> forced = opener.openWindow(u"frm_GrantAccess"_s, {}, WindowRegistry::Opening::Modal);
        QCOMPARE(forced->windowModality(), Qt::ApplicationModal);
        // A window not built yet, or no registry at all: nothing opens, nothing is said.
        QVERIFY(!opener.canOpen(u"frm_FRDB01"_s) && !opener.openWindow(u"frm_FRDB01"_s));
        ts.session.windows = nullptr;
        QVERIFY(!opener.openWindow(u"frm_Counter"_s) && ts.prompter.messages.isEmpty());
    }

    // A window whose grid has more columns than it shows opens wider, within the frame it opens
    // over or the screen when the frame is maximized; one larger than its frame is centred on
    // the screen.
    void windowOpensWideEnoughForItsColumns() {
        TestSession ts;
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        const int screen = avail.width();
        const struct {
            bool maximized;
            int columns, opened, widest;  // widths: the grid's columns, the window opened, the most it may grow to
        } cases[] = {{true, screen / 2, screen / 4, screen},
                     {true, 2 * screen, screen / 4, screen},
                     {false, 2 * screen, screen / 4, screen / 3},
                     {false, 0, screen / 2, screen / 2}};
        for (const auto& c : cases) {
            QWidget frame(nullptr, Qt::Window);
            frame.setGeometry(avail.left(), avail.top(), screen / 3, 400);
            c.maximized ? frame.showMaximized() : frame.show();
            TaskWindow w(ts.session, &frame);
            auto* grid = new QTableWidget(1, 1, &w);
            w.body()->addWidget(grid);
            grid->setColumnWidth(0, c.columns);
            w.resize(c.opened, 300);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            const QString at = u"%1 %2 in %3"_s.arg(c.maximized).arg(c.columns).arg(w.width());
            QVERIFY2(w.width() <= c.widest, qPrintable(at));
            QVERIFY2(grid->horizontalHeader()->length() <= grid->viewport()->width() || w.width() >= c.widest - 20,
                     qPrintable(at));
            if (w.width() > screen / 3)
                QVERIFY2(qAbs(w.frameGeometry().center().x() - avail.center().x()) <= 2, qPrintable(at));
        }
    }

    // Enter on a focused button presses it; on a field it moves to the next one.
    void enterPressesAFocusedButton() {
        TestSession ts;
        TaskWindow w(ts.session);
        auto* field = new QLineEdit(&w);
        auto* button = new QPushButton(u"&SHOW"_s, &w);
        w.body()->addWidget(field);
        w.body()->addWidget(button);
        QSignalSpy pressed(button, &QPushButton::clicked);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(button->hasFocus());
        QCOMPARE(pressed.count(), 0);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
    }

    // Entries open their windows modal or modeless, each once; closing the frame closes all.
    void entriesOpenModalOrModelessAndCloseWithTheFrame() {
        TestSession ts;
        WindowRegistry registry;
        int listings = 0, bookings = 0, counters = 0;
        Session* given = nullptr;
        registry.add(u"frm_LstCBPT01"_s, [&](Session& s, QWidget*) {
            ++listings;
            given = &s;
            return named(u"frm_LstCBPT01"_s, new QWidget);
        });
        registry.add(u"frm_CBPT01"_s, [&](Session&, QWidget* parent) {
            ++bookings;
            return named(u"frm_CBPT01"_s, new QWidget(parent, Qt::Window));
        });
        registry.add(u"frm_Counter"_s, [&](Session&, QWidget* parent) {
            ++counters;
            return named(u"frm_Counter"_s, new QDialog(parent));
        });
        registry.add(u"frm_BusinessLeads_Quotation"_s, [](Session&, QWidget* parent) { return new QDialog(parent); });
        auto* w = new MainWindow(ts.session, registry);
        w->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<MainWindow> frame(w);
        w->show();
        const auto trigger = [&](const char* entry) { w->findChild<QAction*>(QLatin1String(entry))->trigger(); };
        trigger("mnu_LstCBPT");
        trigger("mnu_CBPT01");
        QCOMPARE(given, &ts.session);
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1);
        QCOMPARE(w->mdiArea()->subWindowList()[0]->widget()->objectName(), u"frm_LstCBPT01"_s);
        QPointer<QWidget> booking = w->findChild<QWidget*>(u"frm_CBPT01"_s);
        QVERIFY(booking && booking->isVisible() && booking->isWindow() && !booking->isModal());
        // Both stay open beside the frame; a second click brings the same window forward.
        trigger("mnu_LstCBPT");
        trigger("mnu_CBPT01");
        QCOMPARE((QList<int>{listings, bookings, int(w->mdiArea()->subWindowList().size())}), (QList<int>{1, 1, 1}));
        // A modal entry waits until its window is closed, and its window is gone afterwards.
        QStringList modals;
        closeModalsFor(3000, &modals);
        trigger("mnu_CounterReset");
        QCOMPARE(modals, QStringList{u"frm_Counter"_s});
        QCOMPARE(counters, 1);
        QVERIFY(!w->findChild<QDialog*>(u"frm_Counter"_s));
        // A closed modeless window is made anew on the next click.
        booking->close();
        QTRY_VERIFY(booking.isNull());
        trigger("mnu_CBPT01");
        QCOMPARE(bookings, 2);
        w->openEntry(u"mnu_QGBL01"_s);
        QList<QPointer<QWidget>> others;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != w && top->isVisible())
                others << top;
        QCOMPARE(others.size(), 2);
        QVERIFY(w->close());
        QTRY_VERIFY(frame.isNull());
        for (const QPointer<QWidget>& o : others)
            QTRY_VERIFY(o.isNull() || !o->isVisible());
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    }
};

QTEST_MAIN(tst_shell)
#include "tst_shell.moc"
