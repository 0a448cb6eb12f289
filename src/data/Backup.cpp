#include "Backup.h"

#include "Migrations.h"
#include "PrivateFiles.h"
#include "SchemaTables.h"
#include "SqliteFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <sqlite3.h>

namespace tarvic {

namespace {

// How long a page copy waits for programs that are saving before it gives up.
constexpr qint64 kLockDeadlineMs = 60000;

[[noreturn]] void refuse(const QString& text) {
    throw DbError(DbError::Kind::Refused, text);
}

// An engine tool failed (pg_dump, pg_restore, or SQLite itself): the caller's database error.
[[noreturn]] void failed(const QString& text) {
    throw DbError(DbError::Kind::Other, text);
}

// A file of the embedded database, whose failure to open is the caller's refusal.
struct Lite {
    SqliteFile file;
    Lite(const QString& path, SqliteFile::Mode mode) {
        try {
            file.open(path, mode);
        } catch (const SqliteError& e) {
            refuse(QStringLiteral("%1 cannot be opened: %2").arg(path, e.message));
        }
    }
    QString error() const { return file.error(); }
    // The first column of the first row, or a null string when the statement fails or returns none.
    QString first(const char* sql) {
        try {
            return file.first(QString::fromLatin1(sql));
        } catch (const SqliteError&) {
            return {};
        }
    }
};

// Every page of from's main database into to's, in one step under one read lock, so the copy
// is of one moment. A program saving meanwhile holds the lock for a moment: wait and go on.
void copyPages(Lite& from, Lite& to) {
    sqlite3_backup* b = sqlite3_backup_init(to.file.handle(), "main", from.file.handle(), "main");
    if (!b)
        failed(to.error());
    QElapsedTimer clock;
    clock.start();
    int rc = SQLITE_OK;
    for (;;) {
        rc = sqlite3_backup_step(b, -1);
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || clock.elapsed() > kLockDeadlineMs)
            break;
        QThread::msleep(20);
    }
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE)
        failed(QStringLiteral("the copy stopped: %1").arg(QString::fromUtf8(sqlite3_errstr(rc))));
}

// A TARVIC database file that is whole and of a schema this tool knows; its schema version.
int checkedVersion(Lite& file, const QString& name) {
    const QString integrity = file.first("PRAGMA integrity_check");
    if (integrity != QLatin1String("ok"))
        refuse(QStringLiteral("%1 is not a whole embedded database: %2")
                   .arg(name, integrity.isNull() ? file.error() : integrity));
    const int version = file.first("SELECT MAX(VERSION) FROM SCHEMA_VERSION").toInt();
    if (version <= 0)
        refuse(QStringLiteral("%1 holds no TARVIC schema").arg(name));
    if (version > Migrations::latestVersion())
        refuse(QStringLiteral("%1 is of schema version %2, newer than this tool's %3")
                   .arg(name)
                   .arg(version)
                   .arg(Migrations::latestVersion()));
    return version;
}

qint64 tablesIn(Database& db) {
    return qint64(schemaTables(db).size());
}

// The server behind a data source, as psqlODBC reads it, and the password kept out of the
// command line: it reaches the tools in their environment only.
struct Server {
    QString host, port, database, user, password, sslMode;
    QStringList args() const {
        QStringList a{QStringLiteral("-h"), host, QStringLiteral("-p"), port};
        if (!user.isEmpty())
            a << QStringLiteral("-U") << user;
        return a;
    }
};

Server serverOf(const ConnectionString& cs) {
    const ConnectionString login = cs.withDataSourceLogin();
    Server s;
    s.host = cs.attribute("Servername");
    if (s.host.isEmpty())
        s.host = cs.attribute("Server");
    if (s.host.isEmpty())
        s.host = QStringLiteral("localhost");
    s.port = cs.attribute("Port");
    if (s.port.isEmpty())
        s.port = QStringLiteral("5432");
    s.database = cs.attribute("Database");
    s.user = login.user;
    s.password = login.password;
    s.sslMode = cs.attribute("SSLmode");
    // A name holding '=' would be read by the tools as further connection settings.
    if (s.database.isEmpty() || s.database.contains(QLatin1Char('=')) || s.database.startsWith(QLatin1Char('-')))
        refuse(QStringLiteral("data source %1 names no usable database").arg(cs.dsn));
    return s;
}

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QString& program, const QStringList& args, const Server& server) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!server.password.isEmpty())
        env.insert(QStringLiteral("PGPASSWORD"), server.password);
    if (!server.sslMode.isEmpty())
        env.insert(QStringLiteral("PGSSLMODE"), server.sslMode);
    env.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("15"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForStarted(15000))
        failed(QStringLiteral("%1 cannot be started (Debian package postgresql-client): %2")
                   .arg(program, p.errorString()));
    p.waitForFinished(-1);
    ToolRun r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    if (!server.password.isEmpty())
        r.err.replace(server.password, QStringLiteral("********"));
    return r;
}

// The tables a custom-format archive carries; refused when pg_restore cannot read it.
int archiveTables(const QString& file, const Server& server) {
    const ToolRun r = runTool(QStringLiteral("pg_restore"), {QStringLiteral("-l"), file}, server);
    if (r.code != 0)
        refuse(QStringLiteral("%1 is not a server backup: %2").arg(file, r.err));
    return int(r.out.count(QLatin1String(" TABLE DATA ")));
}

}  // namespace

void backupDatabase(const ConnectionString& cs, const QString& file, const Say& say) {
    const QString target = QFileInfo(file).absoluteFilePath();
    auto db = std::make_unique<Database>(cs, QStringLiteral("tarvic-backup"));
    if (Migrations(*db).currentVersion() == 0)
        refuse(QStringLiteral("the database of data source %1 has no schema: there is nothing to back up").arg(cs.dsn));
    const bool embedded = db->dialect().isSqlite();
    const QString path = embedded ? databaseFile(*db) : QString();
    if (embedded && QFileInfo(path).canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        refuse(QStringLiteral("the backup cannot be written over the database itself"));
    // The copy holds every book: it is its owner's alone from its first byte (the engine's tools
    // write into the file made here, which keeps its mode), and goes away unless it is whole.
    PrivateSaveFile partial(target);
    if (!partial.open())
        refuse(QStringLiteral("%1 cannot be written: %2").arg(target, partial.errorString()));
    partial.file().close();
    const auto putInPlace = [&] {
        if (!partial.commit())
            failed(partial.errorString());
    };
    if (embedded) {
        db.reset();
        int version = 0;
        {
            Lite from(path, SqliteFile::Mode::ReadOnly);
            Lite to(partial.path(), SqliteFile::Mode::ReadWrite);
            copyPages(from, to);
            version = checkedVersion(to, partial.path());
        }
        putInPlace();
        say(QStringLiteral("backup written to %1: embedded database, schema version %2, %3 byte(s)")
                .arg(target)
                .arg(version)
                .arg(QFileInfo(target).size()));
        return;
    }
    const int version = Migrations(*db).currentVersion();
    db.reset();
    const Server server = serverOf(cs);
    // pg_dump reads every table in one snapshot: the backup is of one moment while programs save.
    const ToolRun r = runTool(QStringLiteral("pg_dump"),
                              QStringList{QStringLiteral("-Fc"), QStringLiteral("-f"), partial.path()} + server.args() +
                                  QStringList{QStringLiteral("-d"), server.database},
                              server);
    if (r.code != 0)
        failed(QStringLiteral("pg_dump failed: %1").arg(r.err));
    const int tables = archiveTables(partial.path(), server);
    putInPlace();
    say(QStringLiteral("backup written to %1: server database %2, schema version %3, %4 table(s), %5 byte(s)")
            .arg(target, server.database)
            .arg(version)
            .arg(tables)
            .arg(QFileInfo(target).size()));
}

BooksReport restoreDatabase(const ConnectionString& cs, const QString& file, bool replace, const Say& say) {
    const QString source = QFileInfo(file).absoluteFilePath();
    if (!QFileInfo(source).isFile())
        refuse(QStringLiteral("%1 does not exist").arg(source));
    auto db = std::make_unique<Database>(cs, QStringLiteral("tarvic-restore"));
    const qint64 present = tablesIn(*db);
    if (present > 0 && !replace)
        refuse(QStringLiteral("the database of data source %1 is not empty (%2 table(s)); give --replace to "
                              "overwrite it with the backup")
                   .arg(cs.dsn)
                   .arg(present));
    if (db->dialect().isSqlite()) {
        const QString path = databaseFile(*db);
        db.reset();
        if (QFileInfo(path).canonicalFilePath() == QFileInfo(source).canonicalFilePath())
            refuse(QStringLiteral("the backup is the database itself"));
        // Pages are copied into the database in place (not a file put over it), so that a
        // program that has it open reads the restored books, never a file that went away.
        Lite from(source, SqliteFile::Mode::ReadOnly);
        const int version = checkedVersion(from, source);
        Lite to(path, SqliteFile::Mode::ReadWrite);
        copyPages(from, to);
        say(QStringLiteral("restored %1 into %2 (schema version %3)").arg(source, path).arg(version));
    } else {
        db.reset();
        const Server server = serverOf(cs);
        const int tables = archiveTables(source, server);
        QStringList args{QStringLiteral("--single-transaction"), QStringLiteral("--exit-on-error"),
                         QStringLiteral("--no-owner"), QStringLiteral("--no-privileges")};
        if (present > 0)
            args << QStringLiteral("--clean") << QStringLiteral("--if-exists");
        args << server.args() << QStringLiteral("-d") << server.database << source;
        const ToolRun r = runTool(QStringLiteral("pg_restore"), args, server);
        if (r.code != 0)
            failed(QStringLiteral("pg_restore failed; the database was left as it was: %1").arg(r.err));
        say(QStringLiteral("restored %1 into server database %2 (%3 table(s))")
                .arg(source, server.database)
                .arg(tables));
    }
    Database restored(cs, QStringLiteral("tarvic-restored"));
    return checkBooks(restored);
}

}  // namespace tarvic
