// The first start of a user without a database (the embedded one offered, accepted or
// declined), a data source that fails (the connection-failure message, never the offer), and a
// newer program over an older database (backed up and migrated) or a newer one (refused).
#include "data/Migrations.h"
#include "engine/admin/DatabaseSetup.h"
#include "shell/Prompter.h"
#include "shell/StartUp.h"
#include "support/Drive.h"
#include "support/TestDb.h"
#include "support/UserHome.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const ScriptedPrompter::Message kConnectionFailure{
    u"exclamation"_s, u" Connection Failure"_s,
    u" Data Source Name Does Not Exsist.Cannot Continue!!\r\nPlease, Check ODBC Data Source."_s};

// A data source name of its own for each case: unixODBC's driver manager keeps what it looked up
// of a name for twenty seconds, beyond the reach of this process, and would carry one case's
// definition into the next.
ConnectionString freshDataSource() {
    static int serial = 0;
    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.dsn = u"TARVIC_FIRST%1"_s.arg(++serial);
    return cs;
}

QStringList describe(const QList<ScriptedPrompter::Message>& messages) {
    QStringList out;
    for (const auto& m : messages)
        out << m.kind + u'|' + m.title + u'|' + m.text;
    return out;
}

}  // namespace

class TstFirstRun : public QObject {
    Q_OBJECT
private slots:
    void firstStartOffersTheEmbeddedDatabase_data() {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("accepted") << true;
        QTest::newRow("declined") << false;
    }
    void firstStartOffersTheEmbeddedDatabase() {
        QFETCH(bool, accepted);
        UserHome home;
        const UserHome::InPlace here(home);
        ScriptedPrompter prompter;
        prompter.answers = {accepted};
        const ConnectionString cs = freshDataSource();
        std::unique_ptr<Database> db = openDatabase(prompter, cs);
        const ScriptedPrompter::Message offer{
            u"question"_s, u"Morvane"_s,
            u"THERE IS NO DATABASE FOR THIS USER YET (NO DATA SOURCE %1).\r\nCREATE THE EMBEDDED DATABASE WITH "
            "THE DEMO DATA IN\r\n%2 (Y/N) ?"_s.arg(cs.dsn, home.folder())};
        if (!accepted) {
            QCOMPARE(describe(prompter.messages), describe({offer, kConnectionFailure}));
            QVERIFY(!db);
            QVERIFY(contentsOf(home.ini()).isEmpty() && !QFile::exists(home.database()));
            return;
        }
        const ScriptedPrompter::Message ready{
            u"information"_s, u"Morvane"_s,
            u"THE EMBEDDED DATABASE IS READY ....\r\nLOG ON AS ADMIN WITH THE PASSWORD admin123, AND CHANGE THE "
            "PASSWORD.\r\nDEMO LOGIN DEMOSALES1, PASSWORD demo1234\r\nDEMO LOGIN DEMOSALES2, PASSWORD demo5678"_s};
        QCOMPARE(describe(prompter.messages), describe({offer, ready}));
        QVERIFY(db);  // (the data source and its files' modes: tst_setup, through the same set-up)
        // The logon finds the administrator and the demo logins; nothing is left to prepare.
        QCOMPARE(lines(*db, u"SELECT USER_NAME FROM MST_LOGINDETAILS ORDER BY USER_NAME"_s),
                 (QStringList{u"ADMIN"_s, u"DEMOSALES1"_s, u"DEMOSALES2"_s}));
        QVERIFY(prepareDatabase(*db, prompter, cs));
        QCOMPARE(prompter.messages.size(), 2);
    }

    // Only a user with neither the data source nor the embedded database is offered one.
    void aDataSourceThatFailsGetsTheMessageAndNoOffer_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("embedded");
        const QString failing =
            TestDb::usePostgres()
                ? u"Driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so\nServername=127.0.0.1\nPort=1\n"
                  "Database=TARVIC\nCommLog=0\nDebug=0\n"_s
                : u"Driver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so\nDatabase=/nonexistent/tarvic.db\n"
                  "NoCreat=1\n"_s;
        QTest::newRow("defined but failing") << failing << false;
        QTest::newRow("not defined, embedded database there") << QString() << true;
    }
    void aDataSourceThatFailsGetsTheMessageAndNoOffer() {
        QFETCH(QString, source);
        QFETCH(bool, embedded);
        UserHome home;
        const UserHome::InPlace here(home);
        const ConnectionString cs = freshDataSource();
        if (!source.isEmpty()) {
            QFile ini(home.ini());
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write(u"[%1]\n%2"_s.arg(cs.dsn, source).toUtf8());
        }
        if (embedded) {
            QVERIFY(QDir().mkpath(home.folder()));
            QFile file(home.database());
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QByteArray ini = contentsOf(home.ini());
        ScriptedPrompter prompter;
        prompter.answers = {true};
        QVERIFY(!openDatabase(prompter, cs));
        QCOMPARE(describe(prompter.messages), describe({kConnectionFailure}));
        QCOMPARE(contentsOf(home.ini()), ini);
    }

    // A newer program over an older database: backed up beside it, then migrated, the rows kept,
    // and the user told where the backup is. Over a newer database: refused, nothing changed.
    void startUpgradesAnOlderDatabaseAndRefusesANewerOne() {
        TestDb t(false);
        QTemporaryDir dataHome;
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
        const auto restore =
            qScopeGuard([&] { saved.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", saved); });
        const int latest = Migrations::latestVersion();
        Migrations(t.db()).apply(latest - 1);
        const int old = Migrations(t.db()).currentVersion();
        t.db().exec(u"INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('KEPT', 42)"_s);
        ScriptedPrompter prompter;
        QVERIFY(prepareDatabase(t.db(), prompter, t.connectionString()));
        QCOMPARE(Migrations(t.db()).currentVersion(), latest);
        QCOMPARE(t.db().scalar(u"SELECT COUNTER FROM MST_COUNTER WHERE CODE='KEPT'"_s).toInt(), 42);
        QCOMPARE(prompter.messages.size(), 1);
        const QString text = prompter.messages.first().text;
        const QString backup = text.section(u"ITS BACKUP: "_s, 1);
        QCOMPARE(text,
                 u"THE DATABASE WAS BROUGHT UP TO DATE (SCHEMA VERSION %1 TO %2) ....\r\nITS BACKUP: %3"_s.arg(old)
                     .arg(latest)
                     .arg(backup));
        QVERIFY(QFile::exists(backup));  // (where, under which name, its owner's alone: tst_setup)

        // Up to date: nothing said. Newer: refused with the versions named.
        prompter.clear();
        QVERIFY(prepareDatabase(t.db(), prompter, t.connectionString()));
        QVERIFY(prompter.messages.isEmpty());
        t.db().exec(u"INSERT INTO SCHEMA_VERSION (VERSION) VALUES (?)"_s, {latest + 1});
        QVERIFY(!prepareDatabase(t.db(), prompter, t.connectionString()));
        QCOMPARE(
            describe(prompter.messages),
            describe({{u"exclamation"_s, u"Morvane"_s,
                       u"THE DATABASE IS OF SCHEMA VERSION %1, NEWER THAN THIS PROGRAM'S %2.\r\nPLEASE INSTALL THE "
                       "NEWER VERSION OF TARVIC ...."_s.arg(latest + 1)
                           .arg(latest)}}));
    }
};

QTEST_MAIN(TstFirstRun)
#include "tst_firstrun.moc"
