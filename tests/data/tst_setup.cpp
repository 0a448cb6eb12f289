// A user's database set up by tarvic-admin setup (private folder, data source file and database,
// the exact data source, an existing one left alone), and upgrades that keep the books: the
// backup taken first (its name, mode and contents), a database newer than the tool refused.
#include "data/Migrations.h"
#include "data/SchemaUpgrade.h"
#include "support/AdminRunner.h"
#include "support/Drive.h"
#include "support/TestDb.h"
#include "support/UserHome.h"

#include <QtTest>

#include <sqlite3.h>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

// The schema version a backup holds, read from the file itself.
int versionIn(const QString& backup) {
    if (!TestDb::usePostgres()) {
        QProcess p;
        p.start(u"sqlite3"_s, {backup, u"SELECT MAX(VERSION) FROM SCHEMA_VERSION"_s});
        p.waitForFinished(60000);
        return p.readAllStandardOutput().trimmed().toInt();
    }
    QProcess p;
    p.start(u"pg_restore"_s, {u"--data-only"_s, u"--table=schema_version"_s, u"-f"_s, u"-"_s, backup});
    p.waitForFinished(60000);
    int version = 0;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (!line.isEmpty() && std::isdigit(static_cast<unsigned char>(line.at(0))))
            version = std::max(version, line.split('\t').first().toInt());
    return version;
}

// The test's own data sources, with the user's data folder.
QProcessEnvironment dataHomeOnly(const UserHome& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_DATA_HOME"_s, home.dataHome());
    return env;
}

}  // namespace

class TstSetup : public QObject {
    Q_OBJECT
private slots:
    // A user with other data sources of his own, and perhaps a loose folder from an earlier
    // copy of the database: everything ends up his alone, his other data sources kept.
    void setUpDefinesThePrivateEmbeddedDatabase_data() {
        QTest::addColumn<bool>("looseFolder");
        QTest::newRow("new user") << false;
        QTest::newRow("loose folder and database") << true;
    }
    void setUpDefinesThePrivateEmbeddedDatabase() {
        QFETCH(bool, looseFolder);
        UserHome home;
        const QByteArray other = "[OTHER]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so\nServername=db.lan\n";
        QFile ini(home.ini());
        QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write(other) == other.size());
        ini.close();
        QVERIFY(::chmod(QFile::encodeName(home.ini()).constData(), 0644) == 0);
        if (looseFolder) {
            QVERIFY(QDir().mkpath(home.folder()));
            QVERIFY(::chmod(QFile::encodeName(home.folder()).constData(), 0755) == 0);
            QFile stale(home.folder() + u"/tarvic-old.backup"_s);
            QVERIFY(stale.open(QIODevice::WriteOnly));
            stale.close();
            QVERIFY(::chmod(QFile::encodeName(stale.fileName()).constData(), 0644) == 0);
        }

        AdminRun r = runAdmin({u"setup"_s, u"--no-demo"_s}, home.environment());
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        QVERIFY2(r.out.startsWith(u"data source TARVIC defined in %1 for %2\n"_s.arg(home.ini(), home.database())),
                 qPrintable(r.out));
        QCOMPARE((QList<int>{modeOf(home.folder()), modeOf(home.database()), modeOf(home.ini())}),
                 (QList<int>{0700, 0600, 0600}));
        if (looseFolder)
            QCOMPARE(modeOf(home.folder() + u"/tarvic-old.backup"_s), 0600);
        QCOMPARE(contentsOf(home.ini()), other +
                                             "\n[TARVIC]\n"
                                             "Description=TARVIC embedded database\n"
                                             "Driver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so\n"
                                             "Database=" +
                                             QFile::encodeName(home.database()) +
                                             "\n"
                                             "Timeout=5000\n"
                                             "JournalMode=DELETE\n"
                                             "SyncPragma=FULL\n"
                                             "FKSupport=1\n"
                                             "NoCreat=1\n");
        // The tables are there, without the demo set; the tool works through the new data source.
        r = runAdmin({u"check"_s}, home.environment());
        QVERIFY2(r.code == 0 && r.out.trimmed() == u"books are consistent"_s, qPrintable(r.describe()));

        // Set up again, now with the demo: the data source stays as it is, the demo is added.
        const QByteArray defined = contentsOf(home.ini());
        r = runAdmin({u"setup"_s}, home.environment());
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        QVERIFY2(r.out.startsWith(u"data source TARVIC already defined: left as it is\n"_s), qPrintable(r.out));
        QVERIFY2(r.out.contains(u"demo data added"_s), qPrintable(r.out));
        QCOMPARE(contentsOf(home.ini()), defined);
        QCOMPARE(modeOf(home.database()), 0600);
    }

    // A data source file that cannot be written (here a folder, which even root cannot write
    // into as a file): refused, and no database is left behind that would keep the next first
    // start from offering the set-up again.
    void aSetUpThatCannotDefineTheDataSourceLeavesNoDatabase() {
        UserHome home;
        QVERIFY(QDir().mkpath(home.ini()));
        const AdminRun r = runAdmin({u"setup"_s}, home.environment());
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith(u"tarvic-admin: %1 cannot be written: "_s.arg(home.ini())), qPrintable(r.err));
        QVERIFY(!QFile::exists(home.database()));
    }

    // A user who has the data source already (here the test's own, of either engine) keeps it:
    // the set-up only creates the tables in its database, and no embedded database appears.
    void existingDataSourceIsLeftAlone() {
        TestDb t(false);
        UserHome home;
        const QByteArray before = contentsOf(qEnvironmentVariable("ODBCINI"));
        const AdminRun r = runAdmin(t, {u"setup"_s, u"--no-demo"_s}, dataHomeOnly(home));
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        QVERIFY2(r.out.startsWith(u"data source TARVIC already defined: left as it is\n"_s), qPrintable(r.out));
        QCOMPARE(contentsOf(qEnvironmentVariable("ODBCINI")), before);
        QVERIFY(!QFile::exists(home.database()));
        QCOMPARE(Migrations(t.db()).currentVersion(), Migrations::latestVersion());
    }

    // An older database is backed up before the first migration, beside the embedded database's
    // file or into the user's data folder for a server's; a newer one is refused untouched.
    void upgradeBacksUpFirstAndRefusesANewerDatabase() {
        TestDb t(false);
        UserHome home;
        const int latest = Migrations::latestVersion();
        Migrations(t.db()).apply(latest - 1);
        const int old = Migrations(t.db()).currentVersion();
        QVERIFY(old > 0 && old < latest);
        t.db().exec(u"INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('KEPT', 42)"_s);

        AdminRun r = runAdmin(t, {u"upgrade"_s}, dataHomeOnly(home));
        QVERIFY2(r.code == 0, qPrintable(r.describe()));
        QVERIFY2(r.out.contains(u"\nschema version %1 -> %2 ("_s.arg(old).arg(latest)), qPrintable(r.out));
        const QString folder = TestDb::usePostgres() ? home.folder() : QFileInfo(t.sqlitePath()).absolutePath();
        const QString name = TestDb::usePostgres() ? t.connectionString().overrides.section(u'=', 1) : u"tarvic"_s;
        const QString backup =
            folder + u"/%1-%2-schema%3.backup"_s.arg(name, QDate::currentDate().toString(Qt::ISODate)).arg(old);
        QCOMPARE(upgradeBackupName(name, QDate::currentDate(), old), QFileInfo(backup).fileName());
        QVERIFY2(r.out.contains(backup), qPrintable(r.out));
        QCOMPARE(modeOf(backup), 0600);
        QCOMPARE(versionIn(backup), old);
        QCOMPARE(Migrations(t.db()).currentVersion(), latest);
        QCOMPARE(t.db().scalar(u"SELECT COUNTER FROM MST_COUNTER WHERE CODE='KEPT'"_s).toInt(), 42);

        // Up to date: nothing to back up.
        QVERIFY(QFile::remove(backup));
        r = runAdmin(t, {u"upgrade"_s}, dataHomeOnly(home));
        QVERIFY2(r.code == 0 && r.out == u"schema version %1 -> %1 (0 migration(s) applied)\n"_s.arg(latest),
                 qPrintable(r.describe()));
        QVERIFY(!QFile::exists(backup));

        // Newer than the tool: refused, nothing changed, no backup.
        const qint64 versions = count(t.db(), u"SCHEMA_VERSION"_s);
        t.db().exec(u"INSERT INTO SCHEMA_VERSION (VERSION) VALUES (?)"_s, {latest + 1});
        for (const QString& command : {u"upgrade"_s, u"init"_s}) {
            r = runAdmin(t, {command, u"--no-demo"_s}, dataHomeOnly(home));
            QCOMPARE(r.code, 1);
            QCOMPARE(r.err,
                     u"tarvic-admin: the database is of schema version %1, newer than this program's %2: "
                     "install the newer version of TARVIC\n"_s.arg(latest + 1)
                         .arg(latest));
        }
        QVERIFY(!QFile::exists(backup));
        QCOMPARE(count(t.db(), u"SCHEMA_VERSION"_s), versions + 1);
    }

    void versionIsTheProjects() {
        const AdminRun r = runAdmin({u"version"_s});
        QCOMPARE(r.out, u"tarvic-admin %1, schema version %2\n"_s.arg(TARVIC_VERSION).arg(Migrations::latestVersion()));
    }
};

QTEST_MAIN(TstSetup)
#include "tst_setup.moc"
