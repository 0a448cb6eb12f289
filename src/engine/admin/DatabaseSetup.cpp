#include "DatabaseSetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <odbcinst.h>
#include <sqlite3.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef TARVIC_SQLITE_ODBC_DRIVER
#define TARVIC_SQLITE_ODBC_DRIVER "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so"
#endif

namespace tarvic {

namespace {

[[noreturn]] void refuse(const QString& text) {
    throw DbError(DbError::Kind::Refused, text);
}

QString systemError() {
    return QString::fromLocal8Bit(strerror(errno));
}

// An empty SQLite file with a rollback journal, as the driver (NoCreat=1) wants to find it.
void createDatabaseFile(const QString& path) {
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const bool ok =
        rc == SQLITE_OK && sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) == SQLITE_OK;
    const QString error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    sqlite3_close_v2(db);
    if (!ok)
        refuse(QStringLiteral("%1 cannot be created: %2").arg(path, error));
}

// The data source's section, with the attributes every embedded data source of this system has.
QByteArray embeddedSection(const QString& dsn, const QString& database) {
    return QStringLiteral(
               "\n[%1]\n"
               "Description=TARVIC embedded database\n"
               "Driver=" TARVIC_SQLITE_ODBC_DRIVER
               "\n"
               "Database=%2\n"
               "Timeout=5000\n"
               "JournalMode=DELETE\n"
               "SyncPragma=FULL\n"
               "FKSupport=1\n"
               "NoCreat=1\n")
        .arg(dsn, database)
        .toLocal8Bit();
}

}  // namespace

QString dataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tarvic");
}

QString embeddedDatabaseFile() {
    return dataFolder() + QStringLiteral("/tarvic.db");
}

QString userDataSourceFile() {
    const QString given = qEnvironmentVariable("ODBCINI");
    if (!given.isEmpty())
        return given;
    const passwd* pw = ::getpwuid(::getuid());
    return QFile::decodeName(pw && pw->pw_dir ? pw->pw_dir : "") + QStringLiteral("/.odbc.ini");
}

bool dataSourceDefined(const QString& dsn) {
    // With no key named, the keys of the section: none when the section is not there.
    char keys[4096] = {0};
    SQLSetConfigMode(ODBC_BOTH_DSN);
    return SQLGetPrivateProfileString(dsn.toLocal8Bit().constData(), nullptr, "", keys, sizeof keys, "odbc.ini") > 0 &&
           keys[0] != '\0';
}

void makeDataFolderPrivate(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) {
        QDir().mkpath(QFileInfo(folder).path());
        ::mkdir(path.constData(), 0700);
    } else if (S_ISDIR(st.st_mode) && (st.st_mode & 077)) {
        ::chmod(path.constData(), st.st_mode & 0700);
    }
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : files) {
        const QByteArray file = QFile::encodeName(folder + QLatin1Char('/') + name);
        if (::lstat(file.constData(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077))
            ::chmod(file.constData(), st.st_mode & 0700);
    }
}

bool defineEmbeddedDataSource(const QString& dsn, const Say& say) {
    const QString ini = userDataSourceFile();
    if (dataSourceDefined(dsn)) {
        say(QStringLiteral("data source %1 already defined: left as it is").arg(dsn));
        return false;
    }
    const QString folder = dataFolder();
    const QString database = embeddedDatabaseFile();
    makeDataFolderPrivate(folder);
    if (!QFileInfo(folder).isDir())
        refuse(QStringLiteral("the folder %1 cannot be created").arg(folder));
    {
        const OwnerOnlyFiles guard;
        const bool created = !QFileInfo::exists(database);
        if (created)
            createDatabaseFile(database);
        QDir().mkpath(QFileInfo(ini).absolutePath());
        QFile file(ini);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(embeddedSection(dsn, database)) < 0 ||
            !file.flush()) {
            // A database without its data source would keep the next first start from offering it.
            if (created)
                QFile::remove(database);
            refuse(QStringLiteral("%1 cannot be written: %2").arg(ini, file.errorString()));
        }
    }
    if (::chmod(QFile::encodeName(ini).constData(), 0600) != 0)
        refuse(QStringLiteral("%1 cannot be made private: %2").arg(ini, systemError()));
    makeDataFolderPrivate(folder);
    say(QStringLiteral("data source %1 defined in %2 for %3").arg(dsn, ini, database));
    return true;
}

DatabaseInit initDatabase(Database& db, const ConnectionString& cs, bool demo, const Say& say) {
    DatabaseInit r;
    r.schema = upgradeSchema(db, cs, dataFolder(), say);
    say(QStringLiteral("schema version %1 (%2 migration(s) applied, was %3)")
            .arg(r.schema.to)
            .arg(r.schema.applied)
            .arg(r.schema.from));
    if (!demo)
        return r;
    r.demo = addDemoData(db);
    if (!r.demo.added) {
        say(QStringLiteral("demo data already present: nothing added"));
        return r;
    }
    // A new office also gets a voucher of each printed kind to look at; the tests build on
    // addDemoData alone, so their numbers stay as they were.
    const int vouchers = addReportDemo(db);
    // And last month billed, for the GST returns.
    const int billed = addGstDemo(db);
    say(QStringLiteral("demo data added: %1 row(s)").arg(r.demo.rows + vouchers + billed));
    for (const DemoLogin& l : r.demo.logins)
        say(QStringLiteral("demo login %1 password %2 (%3, consultant %4)")
                .arg(l.userName, l.password, l.fullName, l.role));
    return r;
}

DatabaseInit setUpDatabase(const ConnectionString& cs, bool demo, const Say& say) {
    defineEmbeddedDataSource(cs.dsn, say);
    Database db(cs, QStringLiteral("tarvic-setup"));
    return initDatabase(db, cs, demo, say);
}

}  // namespace tarvic
