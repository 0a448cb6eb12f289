// Secrets stay where they are kept: stored passwords (the old transform still recognised,
// argon2id hashes from now on), the data source's own server login, no password in any message,
// exception, Qt log line, admin tool output or command line, backups and new databases that
// are their owner's alone (the data folder: tst_setup, tst_firstrun), and no driver log.
#include "admin/frm_SMTP.h"
#include "data/Backup.h"
#include "data/Passwords.h"
#include "engine/admin/DatabaseSetup.h"
#include "shell/Logon.h"
#include "support/AdminRunner.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QString kBuiltIn = ConnectionString::parse(QString::fromLatin1(kConnectionString)).password;
// A password with the characters a connection string must escape.
const QString kOwn = u"Own;pw{7}x"_s;
const QString kWrong = u"Wrong;pw"_s;
QString role() {
    return u"tarvic_sec_%1"_s.arg(QCoreApplication::applicationPid());
}

// Data sources of this test: the test's TARVIC with some keys said first (the first one counts).
void defineDataSources(const QList<std::pair<QString, QStringList>>& sources) {
    QFile ini(qEnvironmentVariable("ODBCINI"));
    QVERIFY(ini.open(QIODevice::ReadWrite));
    const QString text = QString::fromUtf8(ini.readAll());
    const QString base = text.mid(text.indexOf(u"[TARVIC]"_s) + 8).section(QLatin1Char('['), 0, 0);
    for (const auto& [name, lines] : sources)
        ini.write(u"\n[%1]\n%2%3"_s.arg(name, lines.join(QLatin1Char('\n')), base).toUtf8());
}

ConnectionString through(const QString& dsn) {
    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.dsn = dsn;
    return cs;
}

// Everything Qt logs while the test runs a failure path.
QString qtLog;
void collect(QtMsgType, const QMessageLogContext&, const QString& text) {
    qtLog += text + QLatin1Char('\n');
}

bool showsAnyPassword(const QString& text) {
    return text.contains(kBuiltIn) || text.contains(kOwn) || text.contains(kWrong);
}

int modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

void writeFile(const QString& path, const QString& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

QString pgParam(const QString& key) {
    for (const QString& item : qEnvironmentVariable("TARVIC_TEST_PG").split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (item.startsWith(key + QLatin1Char('=')))
            return item.mid(key.size() + 1);
    return {};
}

// The tool run with a terminal of the test's own as its standard input and error: what it shows
// there is read back, and each answer typed once the prompt before it has appeared.
struct TerminalRun {
    int code = -1;
    QByteArray screen;
    QString out;
};
TerminalRun runAtTerminal(const QStringList& args, const QList<std::pair<QByteArray, QByteArray>>& prompts) {
    TerminalRun r;
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return r;
    const QByteArray terminal = ::ptsname(master);
    QProcess p;
    p.setChildProcessModifier([terminal] {
        ::setsid();
        const int fd = ::open(terminal.constData(), O_RDWR);
        ::ioctl(fd, TIOCSCTTY, 0);
        ::dup2(fd, STDIN_FILENO);
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
    });
    p.start(qEnvironmentVariable("TARVIC_BIN_DIR") + u"/src/tarvic-admin"_s, args);
    // Reads what the terminal shows until text appears (none: until nothing more comes).
    const auto readUntil = [&](const QByteArray& text) {
        QElapsedTimer clock;
        clock.start();
        while ((text.isEmpty() || !r.screen.contains(text)) && clock.elapsed() < 30000) {
            pollfd pfd{master, POLLIN, 0};
            const int ready = ::poll(&pfd, 1, 100);
            if (ready == 0 && text.isEmpty())
                break;
            char buffer[256];
            const ssize_t n = ready > 0 ? ::read(master, buffer, sizeof buffer) : 0;
            if (ready > 0 && n <= 0)
                break;
            r.screen.append(buffer, n);
        }
        return !text.isEmpty() && r.screen.contains(text);
    };
    for (const auto& [prompt, answer] : prompts) {
        if (!readUntil(prompt))
            break;
        ::write(master, answer.constData(), size_t(answer.size()));
    }
    p.waitForFinished(60000);
    readUntil({});
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    ::close(master);
    return r;
}

}  // namespace

class tst_secrets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        TestDb::defineDataSource();
        const QString own = u"Username=%1"_s.arg(role());
        defineDataSources({
            {u"SEC_OWN"_s, {own, u"Password="_s + kOwn}},
            {u"SEC_UIDPWD"_s, {u"UID="_s + role(), u"PWD="_s + kOwn}},
            {u"SEC_PASSWORD"_s, {u"Password="_s + kOwn}},
            {u"SEC_USER"_s, {own}},
            {u"SEC_WRONG"_s, {own, u"Password="_s + kWrong}},
            {u"SEC_GONE"_s,
             {TestDb::usePostgres() ? u"Database=no_such_database"_s : u"Database=/no/such/dir/x.db"_s,
              u"NoCreat=1"_s}},
        });
        if (TestDb::usePostgres())
            TestDb::serverAdmin(u"CREATE ROLE %1 LOGIN PASSWORD '%2'"_s.arg(role(), kOwn));
    }

    void oldTransformHashesAndLegacy() {
        // Each code raised by the key's code ('7' = 55, the default key), low eight bits kept;
        // the key upper-cased ("a" is "A"); key character (i mod length) + 1 raises character
        // i; an empty key changes nothing. Letters raised into 0x80..0x9F are the workstation
        // code page's characters there ('I' + 55 = 0x80, the euro sign), read back at their codes.
        const QString typed = u"Secret 123!"_s;
        const std::tuple<QString, QString, QString> cases[] = {{u"ABC"_s, u"7"_s, u"xyz"_s},
                                                               {u"\x01"_s, u"a"_s, QString(QChar(0x42))},
                                                               {u"AAA"_s, u"\x01\x02"_s, u"CBC"_s},
                                                               {typed, QString(), typed},
                                                               {QString(QChar(0xF0)), u"7"_s, QString(QChar(0x27))},
                                                               {u"\u20AC"_s, u"\x01"_s, QString(QChar(0x81))}};
        for (const auto& [text, key, expected] : cases)
            QCOMPARE(Passwords::EnCrypt(text, key), expected);
        QCOMPARE(Passwords::EnCrypt(u"ABC"_s), u"xyz"_s);
        QCOMPARE(Passwords::EnCrypt(u"Ia"_s), u"\u20AC\u02DC"_s);
        QCOMPARE(Passwords::EnCrypt(typed).size(), typed.size());
        QCOMPARE(Passwords::EnCrypt(typed, u"a"_s), Passwords::EnCrypt(typed, u"A"_s));
        for (char c = 0x20; c < 0x7F; ++c)  // printable input never yields a quote
            QVERIFY(!Passwords::EnCrypt(QString(QLatin1Char(c))).contains(QLatin1Char('\'')));
        const QString stored = Passwords::hash(u"Tour@2024"_s);
        QVERIFY(Passwords::isHash(stored) && stored.startsWith(QLatin1String("$argon2id$")));
        QVERIFY(Passwords::hash(u"Tour@2024"_s) != stored);  // salted
        const QString unicode = Passwords::hash(u"p\u00E4ss\u20AC"_s), legacy = Passwords::EnCrypt(u"Admin123"_s);
        QVERIFY(!Passwords::isHash(legacy));
        // Stored trimmed, typed with the blanks: no match. The legacy form carried byte for byte
        // as Latin-1 is recognised too; an empty stored password never matches.
        using M = Passwords::Match;
        const std::tuple<QString, QString, M> matches[] = {{u"Tour@2024"_s, stored, M::Yes},
                                                           {u"tour@2024"_s, stored, M::No},
                                                           {QString(), stored, M::No},
                                                           {u" Tour@2024 "_s, stored, M::No},
                                                           {u"p\u00E4ss\u20AC"_s, unicode, M::Yes},
                                                           {u"pass?"_s, unicode, M::No},
                                                           {u"Admin123"_s, legacy, M::YesLegacy},
                                                           {u"admin123"_s, legacy, M::No},
                                                           {u" Admin123 "_s, legacy, M::No},
                                                           {u"Ia"_s, u"\u0080\u0098"_s, M::YesLegacy},
                                                           {QString(), QString(), M::No}};
        for (const auto& [typed, stored, match] : matches)
            QCOMPARE(Passwords::verify(typed, stored), match);
    }

    void cleanupTestCase() {
        if (TestDb::usePostgres())
            TestDb::serverAdmin(u"DROP ROLE IF EXISTS %1"_s.arg(role()));
    }

    // None of its own, Username/Password, UID/PWD, the password only, the user only (then no
    // built-in password).
    void theDataSourcesLoginReplacesTheBuiltInOne() {
        const QStringList cases[] = {{u"TARVIC"_s, u"tarvicuser"_s, kBuiltIn},
                                     {u"SEC_OWN"_s, role(), kOwn},
                                     {u"SEC_UIDPWD"_s, role(), kOwn},
                                     {u"SEC_PASSWORD"_s, u"tarvicuser"_s, kOwn},
                                     {u"SEC_USER"_s, role(), QString()}};
        for (const QStringList& c : cases) {
            const ConnectionString cs = through(c[0]).withDataSourceLogin();
            QCOMPARE((QStringList{c[0], cs.user, cs.password}), c);
        }
    }

    void aServerRoleConnectsWithItsOwnPassword() {
        if (!TestDb::usePostgres())
            QSKIP("the embedded database has no logins");
        for (const QString& dsn : {u"SEC_OWN"_s, u"SEC_UIDPWD"_s}) {
            Database db(through(dsn), dsn);
            QCOMPARE(db.scalar(u"SELECT current_user"_s).toString(), role());
        }
    }

    void failuresNeverShowAPassword_data() {
        QTest::addColumn<QString>("dsn");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("said");
        const QString refused = u"cannot connect to data source \"%1\""_s;
        QTest::newRow("no such data source")
            << "SEC_MISSING" << int(DbError::Kind::NoDataSource) << u"data source \"SEC_MISSING\" does not exist"_s;
        QTest::newRow("database cannot be opened")
            << "SEC_GONE" << int(DbError::Kind::Connection) << refused.arg("SEC_GONE");
        if (TestDb::usePostgres())
            QTest::newRow("wrong password")
                << "SEC_WRONG" << int(DbError::Kind::Connection) << refused.arg("SEC_WRONG");
    }
    void failuresNeverShowAPassword() {
        QFETCH(QString, dsn);
        QFETCH(int, kind);
        qtLog.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collect);
        QString seen;
        try {
            Database db(through(dsn), dsn);
        } catch (const DbError& e) {
            QCOMPARE(int(e.kind()), kind);
            seen = e.message() + QString::fromLocal8Bit(e.what());
        }
        qInstallMessageHandler(previous);
        QVERIFY2(!seen.isEmpty(), "the connection did not fail");
        QVERIFY(!showsAnyPassword(seen + qtLog));

        // The admin tool reports the same failure as no connection (exit 2), and nothing more.
        const AdminRun r = runAdmin({u"--dsn"_s, dsn, u"check"_s});
        QFETCH(QString, said);
        QVERIFY2(r.code == 2 && r.err.contains(said), qPrintable(r.describe()));
        QVERIFY(!showsAnyPassword(r.out + r.err));
    }

    // PostgreSQL quotes a refused row whole ("Failing row contains (...)").
    void aRefusedMailSettingsSaveHidesThePassword() {
        TestSession ts;
        ts.db().exec(TestDb::usePostgres()
                         ? u"ALTER TABLE M_TBL_EMAIL ADD CONSTRAINT refused CHECK (EMAIL_SENDERNAME <> 'REFUSED')"_s
                         : u"CREATE TRIGGER refused BEFORE INSERT ON M_TBL_EMAIL WHEN NEW.EMAIL_SENDERNAME = "
                           "'REFUSED' BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
        frm_SMTP w(ts.session);
        showActive(w);
        for (auto [field, text] : {std::pair{w.txt_SMTPUsrName, u"mailer"_s},
                                   {w.txt_SMTPPasswd, kOwn},
                                   {w.txt_SMTPServer, u"smtp.test"_s},
                                   {w.txt_SMTPPort, u"25"_s},
                                   {w.txt_SenderName, u"REFUSED"_s}})
            field->setText(text);
        QTest::mouseClick(w.Cmd_Save, Qt::LeftButton);
        QCOMPARE(count(ts.db(), u"M_TBL_EMAIL"_s), qint64(0));
        QCOMPARE(ts.prompter.texts().size(), 1);
        QVERIFY(!ts.prompter.texts().first().isEmpty() && !showsAnyPassword(ts.prompter.texts().first()));
    }

    // A new login's password never stands on the tool's command line (every user sees it there):
    // that form is refused and says how to give it. At a terminal it is asked twice and never
    // shown, and two different answers change nothing; from a pipe it is one line. The login
    // then logs on.
    void createLoginTakesThePasswordUnseenNeverFromItsArguments() {
        TestSession ts;
        const qint64 logins = count(ts.db(), u"MST_LOGINDETAILS"_s);
        const QStringList db{u"--set"_s, ts.t.connectionString().overrides};
        for (const QStringList& args : {QStringList{u"clerk"_s, u"Tour#42"_s}, {u"clerk"_s, u"Tour#42"_s, u"RAVI"_s}}) {
            const AdminRun r = runAdmin(QStringList{u"create-login"_s} + args + db, "Tour#42\n");
            QVERIFY2(r.code == 64 && r.err.contains(u"no password on its command line"_s) &&
                         r.err.contains(u"standard input"_s),
                     qPrintable(r.describe()));
        }
        QCOMPARE(count(ts.db(), u"MST_LOGINDETAILS"_s), logins);

        const QByteArray asked = "Password for CLERK: ", again = "The same password again: ";
        TerminalRun r = runAtTerminal(QStringList{u"create-login"_s, u"clerk"_s} + db,
                                      {{asked, "Tour#42\n"}, {again, "Tour#43\n"}});
        QVERIFY2(r.code == 1 && !r.screen.contains("Tour#4"), r.screen.constData());
        QCOMPARE(count(ts.db(), u"MST_LOGINDETAILS"_s), logins);
        r = runAtTerminal(QStringList{u"create-login"_s, u"clerk"_s, u"--full-name"_s, u"RAVI KUMAR"_s} + db,
                          {{asked, "Tour#42 x\n"}, {again, "Tour#42 x\n"}});
        QVERIFY2(r.code == 0 && r.out.contains(u"login CLERK created"_s), r.screen.constData());
        QVERIFY2(r.screen.startsWith(asked) && r.screen.contains(again) && !r.screen.contains("Tour#4"),
                 r.screen.constData());
        const AdminRun piped = runAdmin(QStringList{u"create-login"_s, u"typist"_s} + db, "Key board 9\n");
        QVERIFY2(piped.code == 0, qPrintable(piped.describe()));

        for (const auto& [name, password, fullName] :
             {std::tuple{u"clerk"_s, u"Tour#42 x"_s, u"RAVI KUMAR"_s}, {u"typist"_s, u"Key board 9"_s, u"TYPIST"_s}}) {
            Logon w(ts.session);
            QSignalSpy loggedOn(&w, &Logon::loggedOn);
            QVERIFY(w.start());
            auto* nameField = w.findChild<QLineEdit*>(u"txt_UsrName"_s);
            nameField->setText(name.toUpper());
            w.Validate_UsrName();
            w.findChild<QLineEdit*>(u"txt_Password"_s)->setText(password);
            w.Validate_Passwd();
            QCOMPARE(loggedOn.count(), 1);
            QCOMPARE(ts.session.userFullName, fullName);
        }
    }

    // Under a umask that leaves new files readable by everyone, a backup (through the tool and
    // called here, and on the server pg_dump's file while it writes) and a database that init
    // creates outside the default folder are their owner's alone, and no partial file is left.
    void backupsAndNewDatabasesAreTheOwnersAlone() {
        const mode_t umask = ::umask(022);
        QTemporaryDir dir;
        const QString modes = dir.filePath(u"dump-modes"_s);
        const QByteArray path = qgetenv("PATH");
        if (TestDb::usePostgres()) {
            // pg_dump stood in for by a script that notes the mode of the file it is to write.
            const QString pgDump = QStandardPaths::findExecutable(u"pg_dump"_s);
            QVERIFY(!pgDump.isEmpty() && QDir().mkpath(dir.filePath(u"bin"_s)));
            writeFile(dir.filePath(u"bin/pg_dump"_s),
                      u"#!/bin/sh\nfor a; do [ \"$prev\" = -f ] && stat -c %a \"$a\" >>%1; prev=$a; done\n"
                      "exec %2 \"$@\"\n"_s.arg(modes, pgDump));
            QVERIFY(::chmod(QFile::encodeName(dir.filePath(u"bin/pg_dump"_s)).constData(), 0755) == 0);
            qputenv("PATH", QFile::encodeName(dir.filePath(u"bin"_s)) + ':' + path);
        }
        TestDb t;
        const QString byTool = dir.filePath(u"tool.backup"_s), byCall = dir.filePath(u"call.backup"_s);
        const AdminRun r = runAdmin(t, {u"backup"_s, byTool});
        backupDatabase(t.connectionString(), byCall, [](const QString&) {});
        qputenv("PATH", path);
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        QCOMPARE(modeOf(byTool), 0600);
        QCOMPARE(modeOf(byCall), 0600);
        if (TestDb::usePostgres()) {
            QFile noted(modes);
            QVERIFY(noted.open(QIODevice::ReadOnly));
            QCOMPARE(noted.readAll(), QByteArray("600\n600\n"));
        } else {
            const QString book = dir.filePath(u"books/new.db"_s);
            QVERIFY(QDir().mkpath(dir.filePath(u"books"_s)));
            defineDataSources({{u"SEC_NEWFILE"_s, {u"Database="_s + book, u"NoCreat=0"_s}}});
            const AdminRun init = runAdmin({u"--dsn"_s, u"SEC_NEWFILE"_s, u"init"_s, u"--no-demo"_s});
            QVERIFY2(init.code == 0, qPrintable(init.describe()));
            QCOMPARE(modeOf(book), 0600);
        }
        ::umask(umask);
        QCOMPARE(QDir(dir.path()).entryList({u"*partial*"_s}, QDir::Files | QDir::Hidden), QStringList());
    }

    // Whatever psqlODBC's driver entry says (here both logs on, as the driver manager's own
    // client shows), connecting and running statements leaves no log file of the tool's.
    void driverLogsStayOffWhateverTheDriverEntrySays() {
        if (!TestDb::usePostgres())
            QSKIP("psqlODBC is the server's driver");
        TestDb t;
        QTemporaryDir odbc;
        const QString logs = odbc.filePath(u"logs"_s);
        QVERIFY(QDir().mkpath(logs));
        writeFile(odbc.filePath(u"odbcinst.ini"_s),
                  u"[PostgreSQL Unicode]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so\nCommLog=1\nDebug=1\n"
                  "Logdir=%1\n"_s.arg(logs));
        writeFile(odbc.filePath(u"odbc.ini"_s),
                  u"[LOGS]\nDriver=PostgreSQL Unicode\nServername=%1\nPort=%2\n%3\nProtocol=7.4-2\nBoolsAsChar=0\n"
                  "Username=tarvicuser\nPassword=%4\n"_s.arg(pgParam(u"host"_s), pgParam(u"port"_s),
                                                             t.connectionString().overrides, kBuiltIn));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ODBCSYSINI"_s, odbc.path());
        env.insert(u"ODBCINI"_s, odbc.filePath(u"odbc.ini"_s));
        const auto written = [&logs] { return QDir(logs).entryList(QDir::Files); };
        QProcess isql;
        isql.setProcessEnvironment(env);
        isql.start(u"isql"_s, {u"-b"_s, u"LOGS"_s});
        isql.write("SELECT 1\n");
        isql.closeWriteChannel();
        QVERIFY(isql.waitForFinished(60000));
        QVERIFY2(written().size() == 2, qPrintable(written().join(' ')));  // both logs, as the entry says
        for (const QString& f : written())
            QFile::remove(logs + QLatin1Char('/') + f);

        QProcess tool;
        tool.setProcessEnvironment(env);
        tool.start(qEnvironmentVariable("TARVIC_BIN_DIR") + u"/src/tarvic-admin"_s,
                   {u"--dsn"_s, u"LOGS"_s, u"check"_s});
        QVERIFY(tool.waitForStarted(10000));
        const qint64 pid = tool.processId();
        tool.closeWriteChannel();
        QVERIFY(tool.waitForFinished(60000));
        QVERIFY2(tool.exitCode() == 0 && tool.readAllStandardOutput().contains("books are consistent"),
                 tool.readAllStandardError().constData());
        QCOMPARE(written(), QStringList());
        const QRegularExpression ofTool(u"^(psqlodbc|mylog)_.*\\D%1\\.log$"_s.arg(pid));
        for (const QString& f : QDir(QDir::tempPath()).entryList(QDir::Files))
            QVERIFY2(!ofTool.match(f).hasMatch(), qPrintable(f));
    }
};

QTEST_MAIN(tst_secrets)
#include "tst_secrets.moc"
