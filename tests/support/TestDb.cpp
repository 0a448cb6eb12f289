#include "TestDb.h"

#include "data/Migrations.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTextStream>

#include <fcntl.h>
#include <unistd.h>

#include <mutex>
#include <thread>

namespace tarvic::test {

namespace {
QAtomicInt serial;

QString pgParam(const QString& key, const QString& fallback) {
    for (const QString& item : qEnvironmentVariable("TARVIC_TEST_PG").split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (item.startsWith(key + QLatin1Char('=')))
            return item.mid(key.size() + 1);
    }
    return fallback;
}

// Runs sql on the test server as tarvicuser, or as the superuser scripts/pg-start.sh sets up.
bool pgAdmin(const QString& sql, bool mustSucceed = true, bool superuser = false) {
    QProcess p;
    QStringList env = QProcess::systemEnvironment();
    env << (superuser ? QStringLiteral("PGPASSWORD=postgres") : QStringLiteral("PGPASSWORD=pass987"));
    p.setEnvironment(env);
    const QString user = superuser ? QStringLiteral("postgres") : QStringLiteral("tarvicuser");
    p.start(QStringLiteral("psql"), QStringList{"-X", "-q", "-h", pgParam("host", "127.0.0.1"), "-p",
                                                pgParam("port", "5432"), "-U", user, "-d", "postgres", "-c", sql});
    const bool ok = p.waitForFinished(60000) && p.exitCode() == 0;
    if (!ok && mustSucceed)
        qFatal("psql failed: %s", p.readAllStandardError().constData());
    if (!ok)
        qWarning("psql failed: %s", p.readAllStandardError().constData());
    return ok;
}
}  // namespace

void TestDb::serverAdmin(const QString& sql) {
    pgAdmin(sql, true, true);
}

bool TestDb::usePostgres() {
    return qEnvironmentVariable("TARVIC_TEST_ENGINE") == QLatin1String("pg");
}

void TestDb::defineDataSource() {
    static QTemporaryDir dir;
    static bool done = false;
    if (done)
        return;
    done = true;
    // Drivers are named by full path and psqlODBC's communication log is off, so neither the
    // system odbcinst.ini nor the user's own data sources take part.
    QFile inst(dir.path() + QStringLiteral("/odbcinst.ini"));
    inst.open(QIODevice::WriteOnly);
    inst.write(
        "[ODBC]\nTrace=No\n\n[PostgreSQL Unicode]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so\n"
        "CommLog=0\nDebug=0\n");
    inst.close();
    QFile ini(dir.path() + QStringLiteral("/odbc.ini"));
    ini.open(QIODevice::WriteOnly);
    QTextStream out(&ini);
    if (!usePostgres()) {
        out << "[TARVIC]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so\nDatabase=" << dir.path()
            << "/none.db\nTimeout=5000\nJournalMode=WAL\nSyncPragma=FULL\nFKSupport=1\nNoCreat=0\n";
    } else {
        out << "[TARVIC]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so\nServername="
            << pgParam(QStringLiteral("host"), QStringLiteral("127.0.0.1"))
            << "\nPort=" << pgParam(QStringLiteral("port"), QStringLiteral("5432"))
            << "\nDatabase=postgres\nProtocol=7.4-2\nBoolsAsChar=0\nUseDeclareFetch=0\nCommLog=0\nDebug=0\n";
    }
    out.flush();
    ini.close();
    qputenv("ODBCINI", (dir.path() + QStringLiteral("/odbc.ini")).toLocal8Bit());
    qputenv("ODBCSYSINI", dir.path().toLocal8Bit());
}

TestDb::TestDb(bool migrate) {
    tmp_.setAutoRemove(true);
    if (usePostgres()) {
        pgDatabase_ =
            QStringLiteral("tarvic_t%1_%2").arg(QCoreApplication::applicationPid()).arg(serial.fetchAndAddRelaxed(1));
        pgAdmin(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(pgDatabase_));
        pgAdmin(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0").arg(pgDatabase_));
    } else {
        sqlitePath_ = tmp_.path() + QStringLiteral("/tarvic.db");
        // Private, as the program makes its own database (an empty file is an empty database).
        const int fd = ::open(QFile::encodeName(sqlitePath_).constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd >= 0)
            ::close(fd);
    }
    defineDataSource();
    overrides_ = QStringLiteral("Database=") + (usePostgres() ? pgDatabase_ : sqlitePath_);
    // A name of its own: two fresh databases alive at once (two copies, two benchmarks) must
    // not take over each other's connection, which Qt replaces by name.
    static QAtomicInt connections;
    db_ = connect(QStringLiteral("test-main-%1").arg(connections.fetchAndAddRelaxed(1)));
    if (migrate)
        Migrations(*db_).apply();
}

TestDb::~TestDb() {
    db_.reset();
    if (!pgDatabase_.isEmpty())
        // A leftover database on the throwaway server harms nothing: never fail a test for it.
        pgAdmin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(pgDatabase_), false);
}

ConnectionString TestDb::connectionString() const {
    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.overrides = overrides_;
    return cs;
}

std::unique_ptr<Database> TestDb::connect(const QString& name) {
    return std::make_unique<Database>(connectionString(), name);
}

QStringList TestDb::writersAtOnce(int writers, const std::function<void(Database&, int)>& write) {
    std::mutex lock;
    QStringList errors;
    std::vector<std::thread> threads;
    for (int w = 0; w < writers; ++w)
        threads.emplace_back([&, w] {
            try {
                auto conn = connect(QStringLiteral("writer%1").arg(w));
                write(*conn, w);
            } catch (const DbError& e) {
                std::lock_guard g(lock);
                errors << e.message();
            }
        });
    for (auto& t : threads)
        t.join();
    return errors;
}

}  // namespace tarvic::test
