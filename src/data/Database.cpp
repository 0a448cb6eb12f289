#include "Database.h"
#include "StatementCount.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlResult>
#include <QThread>

#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>

namespace tarvic {

namespace {

// A conflict with another workstation is retried for this long before it reaches the user:
// SQLite's lock wait is not first-come first-served, so a busy moment can pass one writer by
// several times.
constexpr qint64 kRetryDeadlineMs = 60000;

// Reads the SQLSTATE of the last failure on an ODBC statement handle: Qt keeps it to itself.
QString sqlStateOf(const QSqlQuery& q) {
    const QSqlResult* r = q.result();
    if (!r)
        return {};
    QVariant h = r->handle();
    if (!h.isValid() || (qstrcmp(h.typeName(), "SQLHANDLE") != 0 && qstrcmp(h.typeName(), "void*") != 0))
        return {};
    SQLHANDLE stmt = *static_cast<SQLHANDLE*>(h.data());
    if (!stmt)
        return {};
    SQLCHAR state[6] = {0};
    SQLINTEGER native = 0;
    SQLCHAR msg[8];
    SQLSMALLINT len = 0;
    if (SQLGetDiagRecA(SQL_HANDLE_STMT, stmt, 1, state, &native, msg, sizeof msg, &len) == SQL_NO_DATA)
        return {};
    return QString::fromLatin1(reinterpret_cast<const char*>(state));
}

DbError::Kind classify(const QString& state, const QString& text) {
    static const QStringList lockStates = {QStringLiteral("40001"), QStringLiteral("40P01"), QStringLiteral("55P03")};
    if (lockStates.contains(state) || text.contains(QLatin1String("database is locked"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("database table is locked"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("SQLITE_BUSY"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("deadlock detected"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("could not serialize"), Qt::CaseInsensitive))
        return DbError::Kind::Locked;
    if (state == QLatin1String("23505") || text.contains(QLatin1String("UNIQUE constraint failed")) ||
        text.contains(QLatin1String("duplicate key value")))
        return DbError::Kind::Duplicate;
    return DbError::Kind::Other;
}

QString errorText(const QSqlError& e) {
    QString db = e.databaseText().trimmed();
    QString drv = e.driverText().trimmed();
    if (db.isEmpty())
        return drv;
    return drv.isEmpty() ? db : drv + QLatin1String(": ") + db;
}

// One key of a data source's definition (the user's odbc.ini, else the system's), read before
// connecting; empty when the key is not there.
QString dataSourceValue(const QString& dsn, const char* key) {
    char value[1024] = {0};
    SQLGetPrivateProfileString(dsn.toLocal8Bit().constData(), key, "", value, sizeof value, "odbc.ini");
    return QString::fromLocal8Bit(value);
}

// Whether a data source is served by the SQLite driver, so that its journal can be chosen
// before the driver applies its own.
bool servedBySqlite(const QString& dsn) {
    return dataSourceValue(dsn, "Driver").toLower().contains(QLatin1String("sqlite"));
}

// One item of a connection string. Qt passes user and password on unescaped, so a password
// holding ';' would end early and leave its rest as further items: such a value goes in braces.
QString item(const QString& key, const QString& value) {
    const bool plain = value.trimmed() == value && !value.contains(QLatin1Char(';')) &&
                       !value.contains(QLatin1Char('{')) && !value.contains(QLatin1Char('}'));
    if (plain)
        return QLatin1Char(';') + key + QLatin1Char('=') + value;
    return QLatin1Char(';') + key + QStringLiteral("={") +
           QString(value).replace(QLatin1Char('}'), QLatin1String("}}")) + QLatin1Char('}');
}

// A driver's message may quote the connection string it was given.
QString withoutPassword(QString text, const QString& password) {
    if (!password.isEmpty())
        text.replace(password, QLatin1String("********"));
    return text;
}

// The device and inode of a file, or {0, 0} when it cannot be read.
std::pair<quint64, quint64> fileIdentity(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {0, 0};
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

// The SQLSTATE and text of the last failure on a handle.
std::pair<QString, QString> diagnosticsOf(SQLSMALLINT type, SQLHANDLE handle) {
    SQLCHAR state[6] = {0};
    SQLCHAR text[1024] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT len = 0;
    if (SQLGetDiagRecA(type, handle, 1, state, &native, text, sizeof text, &len) == SQL_NO_DATA)
        return {QString(), QStringLiteral("The statement failed")};
    return {QString::fromLatin1(reinterpret_cast<const char*>(state)),
            QString::fromUtf8(reinterpret_cast<const char*>(text))};
}

}  // namespace

// A statement on the driver's own handle, prepared once, its one result column bound to a
// buffer of text: what stays is only the execution. Qt's own path re-describes the result and
// re-binds every value through copies on each run, which costs more than a small indexed sum.
// Takes whole numbers and text; anything else goes through Qt (see Database::keptScalar).
class KeptStatement {
public:
    KeptStatement(SQLHDBC dbc, const QString& sql) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt_))) {
            stmt_ = nullptr;
            const auto [state, text] = diagnosticsOf(SQL_HANDLE_DBC, dbc);
            throw DbError(classify(state, text), text, state);
        }
        if (!SQL_SUCCEEDED(SQLPrepareW(stmt_, reinterpret_cast<SQLWCHAR*>(const_cast<ushort*>(sql.utf16())),
                                       SQLINTEGER(sql.size()))) ||
            !SQL_SUCCEEDED(SQLBindCol(stmt_, 1, SQL_C_WCHAR, result_, sizeof result_, &resultLength_)))
            throw error();
    }
    ~KeptStatement() {
        if (stmt_)
            SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
    }
    KeptStatement(const KeptStatement&) = delete;
    KeptStatement& operator=(const KeptStatement&) = delete;

    static bool takes(const QVariantList& values) {
        return std::all_of(values.begin(), values.end(), [](const QVariant& v) {
            const int t = v.typeId();
            return !v.isNull() && (t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::QString);
        });
    }

    // The first column of the first row as text; a null QVariant without a row or for NULL.
    // Values are copied into buffers bound once: a parameter is bound again only when its kind
    // changes or its text outgrows its buffer, since each binding costs the driver as much as
    // a good part of the execution.
    QVariant run(const QVariantList& values) {
        if (params_.size() != size_t(values.size())) {
            // The driver holds the buffers' addresses: a new set is bound afresh.
            params_.clear();
            params_.resize(size_t(values.size()));
        }
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QVariant& v = values.at(i);
            Param& p = params_[size_t(i)];
            const bool text = v.typeId() == QMetaType::QString;
            bool rebind = !p.bound || p.text != text;
            if (text) {
                const QString t = v.toString();
                if (p.chars.empty() || size_t(t.size()) > p.chars.size()) {
                    p.chars.resize(size_t(std::max<qsizetype>(t.size(), 16)));
                    rebind = true;
                }
                std::copy(t.utf16(), t.utf16() + t.size(), p.chars.begin());
                p.length = SQLLEN(t.size() * sizeof(SQLWCHAR));
            } else {
                p.number = v.toLongLong();
                p.length = 0;
            }
            if (rebind) {
                p.text = text;
                p.bound = false;
                const auto n = SQLUSMALLINT(i + 1);
                const SQLRETURN rc =
                    text ? SQLBindParameter(stmt_, n, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, SQLULEN(p.chars.size()),
                                            0, p.chars.data(), SQLLEN(p.chars.size() * sizeof(SQLWCHAR)), &p.length)
                         : SQLBindParameter(stmt_, n, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &p.number, 0,
                                            nullptr);
                if (!SQL_SUCCEEDED(rc))
                    throw error();
                p.bound = true;
            }
        }
        if (!SQL_SUCCEEDED(SQLExecute(stmt_)))
            throw error();
        QVariant v;
        const SQLRETURN rc = SQLFetch(stmt_);
        if (rc != SQL_NO_DATA) {
            if (!SQL_SUCCEEDED(rc)) {
                DbError e = error();
                SQLFreeStmt(stmt_, SQL_CLOSE);
                throw e;
            }
            if (resultLength_ != SQL_NULL_DATA) {
                if (resultLength_ == SQL_NO_TOTAL || resultLength_ >= SQLLEN(sizeof result_)) {
                    SQLFreeStmt(stmt_, SQL_CLOSE);
                    throw DbError(DbError::Kind::Other, QStringLiteral("A kept statement's result is too long"));
                }
                v = QString::fromUtf16(reinterpret_cast<const char16_t*>(result_),
                                       qsizetype(resultLength_ / SQLLEN(sizeof(SQLWCHAR))));
            }
        }
        SQLFreeStmt(stmt_, SQL_CLOSE);
        return v;
    }

private:
    DbError error() const {
        const auto [state, text] = diagnosticsOf(SQL_HANDLE_STMT, stmt_);
        return DbError(classify(state, text), text, state);
    }

    SQLHSTMT stmt_ = nullptr;
    SQLWCHAR result_[128] = {};
    SQLLEN resultLength_ = 0;
    // One bound parameter: its buffers stay where the driver was told they are.
    struct Param {
        bool bound = false;
        bool text = false;
        SQLBIGINT number = 0;
        std::vector<char16_t> chars;
        SQLLEN length = 0;
    };
    std::vector<Param> params_;
};

ConnectionString ConnectionString::parse(const QString& text) {
    ConnectionString cs;
    for (const QString& item : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = item.left(eq).trimmed().toUpper();
        const QString value = item.mid(eq + 1).trimmed();
        if (key == QLatin1String("DSN"))
            cs.dsn = value;
        else if (key == QLatin1String("USER ID") || key == QLatin1String("UID") || key == QLatin1String("USER"))
            cs.user = value;
        else if (key == QLatin1String("PWD") || key == QLatin1String("PASSWORD"))
            cs.password = value;
    }
    return cs;
}

ConnectionString ConnectionString::withDataSourceLogin() const {
    ConnectionString cs = *this;
    const auto first = [this](const char* key, const char* alias) {
        const QString v = dataSourceValue(dsn, key);
        return v.isEmpty() ? dataSourceValue(dsn, alias) : v;
    };
    const QString ownUser = first("Username", "UID");
    const QString ownPassword = first("Password", "PWD");
    if (!ownUser.isEmpty()) {
        cs.user = ownUser;
        cs.password = ownPassword;
    } else if (!ownPassword.isEmpty()) {
        cs.password = ownPassword;
    }
    return cs;
}

QString ConnectionString::attribute(const char* key) const {
    const QString wanted = QString::fromLatin1(key);
    for (const QString& item : overrides.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (eq > 0 && item.left(eq).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return item.mid(eq + 1).trimmed();
    }
    return dataSourceValue(dsn, key);
}

DbError::DbError(Kind kind, const QString& message, const QString& sqlState)
    : std::runtime_error(message.toStdString()), kind_(kind), message_(message), sqlState_(sqlState) {}

Database::Database(const ConnectionString& given, const QString& connectionName) : name_(connectionName) {
    const ConnectionString cs = given.withDataSourceLogin();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
    QString target = cs.overrides.isEmpty() ? cs.dsn : cs.dsn + QLatin1Char(';') + cs.overrides;
    // The embedded database keeps a rollback journal whatever its data source says. SQLite's
    // file locks belong to the process, and any other code of this process that opens and
    // closes the database's files (a file dialog listing its folder) silently drops them; with
    // a write-ahead log, the next program to disconnect then takes itself for the last one and
    // deletes the log this connection is still writing to. A rollback journal holds no lock
    // between transactions, so a dropped lock cannot outlive the transaction it was taken for.
    // Said in the connection string, it overrides the data source before the driver applies it.
    // On the server, psqlODBC's communication and debug logs stay off whatever the data source
    // says: they copy statements and rows into a file in /tmp that every user may read. These
    // keywords overrule the data source's own switches; the driver entry's (Debian turns the
    // communication log on for every process) are read before any connection string is seen,
    // and keepDriverLogsOff() deals with them. Its rollback on errors is the whole transaction's:
    // at the statement level it would wrap every statement of a transaction in a savepoint of
    // its own, a round trip or two more per statement, for nothing, since transact() undoes the
    // whole transaction on any error anyway.
    target += servedBySqlite(cs.dsn) ? QStringLiteral(";JournalMode=DELETE")
                                     : QStringLiteral(";CommLog=0;Debug=0;Protocol=7.4-1");
    // User and password are items of the connection string, as Qt would add them, but escaped.
    if (!cs.user.isEmpty())
        target += item(QStringLiteral("UID"), cs.user);
    if (!cs.password.isEmpty())
        target += item(QStringLiteral("PWD"), cs.password);
    db.setDatabaseName(target);
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!db.open()) {
        const QString text = errorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        const bool missing = text.contains(QLatin1String("IM002")) ||
                             text.contains(QLatin1String("Data source name not found"), Qt::CaseInsensitive);
        throw DbError(missing ? DbError::Kind::NoDataSource : DbError::Kind::Connection,
                      withoutPassword(text, cs.password));
    }
    // Qt does not say which engine stands behind the data source: ask it.
    {
        QSqlQuery probe(db);
        const bool pg = probe.exec(QStringLiteral("SELECT version()")) && probe.next() &&
                        probe.value(0).toString().contains(QLatin1String("PostgreSQL"));
        dialect_ = Dialect(pg ? Engine::PostgreSQL : Engine::SQLite);
    }
    if (dialect_.isSqlite()) {
        // Durable by default whatever the data source says: a rollback journal (see above), full
        // fsync, a short lock wait. The lock wait first, so that the settings below wait for a
        // busy file too. A file left in write-ahead mode by an earlier version is converted here;
        // while another program still holds it in that mode, this one refuses to work on it.
        exec(QStringLiteral("PRAGMA busy_timeout=5000"));
        const auto journal = [this] { return scalar(QStringLiteral("PRAGMA journal_mode")).toString().toLower(); };
        if (journal() != QLatin1String("delete"))
            exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        if (const QString mode = journal(); mode != QLatin1String("delete")) {
            const QString text = QStringLiteral(
                                     "The database is held in journal mode %1 by another program; "
                                     "close it and start again.")
                                     .arg(mode);
            disconnect();
            throw DbError(DbError::Kind::Connection, text);
        }
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        exec(QStringLiteral("PRAGMA foreign_keys=ON"));
        // 64 MiB of pages kept between statements: the default 2 MiB holds a few hundred, and
        // the TODAY board or a listing over a big office's million postings read them from the
        // file again at every refresh. Another connection's write empties it, as ever.
        exec(QStringLiteral("PRAGMA cache_size=-65536"));
        if (auto main = firstRow(QStringLiteral("SELECT file FROM pragma_database_list WHERE name='main'")))
            file_ = main->value(0).toString();
        fileId_ = fileIdentity(file_);
    } else {
        exec(QStringLiteral("SET synchronous_commit TO on"));
        // The planner's guess at a big office's grouped sums makes the server compile them first,
        // which cost more than the statements (the TODAY board's instalments: 0.8 s of 1.9 s).
        exec(QStringLiteral("SET jit TO off"));
    }
    statements_ = 0;
}

Database::~Database() {
    disconnect();
}

void Database::disconnect() {
    kept_.clear();  // before the connection they belong to goes
    cache_.clear();
    scratch_ = QSqlQuery();
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase Database::handle() const {
    return QSqlDatabase::database(name_, false);
}

DbError Database::failure(const QSqlQuery& q) const {
    QString text = errorText(q.lastError());
    // PostgreSQL quotes the whole refused row in its detail: a password or its hash would reach
    // the message box. What was refused and why stays; the row's values go.
    if (const qsizetype at = text.indexOf(QLatin1String("Failing row contains")); at >= 0) {
        const qsizetype end = text.indexOf(QLatin1String("\nError while executing"), at);
        text.replace(at, (end < 0 ? text.size() : end) - at, QStringLiteral("Failing row not shown."));
    }
    const QString state = sqlStateOf(q);
    // A text longer than its column is refused before it is written, naming its field; one that
    // still reaches the server is reported in the same words, never as the driver's text.
    if (state == QLatin1String("22001") || text.contains(QLatin1String("value too long for type"))) {
        qWarning("%s", qPrintable(text));
        return DbError(DbError::Kind::Refused,
                       QStringLiteral("A TEXT IS LONGER THAN ITS COLUMN ALLOWS, NOTHING WAS SAVED ...."), state);
    }
    return DbError(classify(state, text), text, state);
}

QSqlQuery Database::exec(const QString& sql, const QVariantList& values) {
    return outsideTransactionRetried([&] { return execOnce(sql, values); });
}

QSqlQuery Database::execOnce(const QString& sql, const QVariantList& values) {
    ++statements_;
    statements::ran(sql, values);
    if (failAt_ > 0 && --failAt_ == 0)
        throw DbError(DbError::Kind::Injected, QStringLiteral("Statement refused (injected failure)"));
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    bool ok = q.prepare(sql);
    if (ok) {
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values.at(i));
        ok = q.exec();
    }
    if (!ok)
        throw failure(q);
    return q;
}

QSqlQuery& Database::prepared(const QString& sql, bool keep) {
    if (!keep) {
        // SQLite's ODBC driver keeps the column types of a statement's first run: a sum that
        // was once a whole 0 would come back whole ever after. Prepare it afresh each time.
        scratch_ = QSqlQuery(handle());
        scratch_.setForwardOnly(true);
        if (!scratch_.prepare(sql))
            throw failure(scratch_);
        return scratch_;
    }
    auto it = cache_.find(sql);
    if (it != cache_.end())
        return *it;
    if (cache_.size() >= 256)
        cache_.clear();
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw failure(q);
    return *cache_.insert(sql, q);
}

QSqlQuery& Database::runPrepared(const QString& sql, const QVariantList& values, bool keep) {
    return outsideTransactionRetried([&]() -> QSqlQuery& { return runPreparedOnce(sql, values, keep); });
}

QSqlQuery& Database::runPreparedOnce(const QString& sql, const QVariantList& values, bool keep) {
    ++statements_;
    statements::ran(sql, values);
    if (failAt_ > 0 && --failAt_ == 0)
        throw DbError(DbError::Kind::Injected, QStringLiteral("Statement refused (injected failure)"));
    QSqlQuery& q = prepared(sql, keep);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec()) {
        DbError e = failure(q);
        q.finish();
        cache_.remove(sql);  // prepared afresh next time, whatever state the failure left
        throw e;
    }
    return q;
}

int Database::execAffected(const QString& sql, const QVariantList& values) {
    if (depth_ == 0)
        checkFile();
    // A statement that returns no rows has no column types to keep: prepared once on both engines.
    QSqlQuery& q = runPrepared(sql, values, true);
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}

QVariant Database::scalar(const QString& sql, const QVariantList& values) {
    return scalar(sql, values, ResultTypes::MayVary);
}

QVariant Database::scalar(const QString& sql, const QVariantList& values, ResultTypes types) {
    if (types == ResultTypes::Fixed && KeptStatement::takes(values))
        return keptScalar(sql, values);
    QSqlQuery& q = runPrepared(sql, values, keeps(types));
    QVariant v = q.next() ? q.value(0) : QVariant();
    q.finish();
    return v;
}

QVariant Database::keptScalar(const QString& sql, const QVariantList& values) {
    return outsideTransactionRetried([&] {
        ++statements_;
        statements::ran(sql, values);
        if (failAt_ > 0 && --failAt_ == 0)
            throw DbError(DbError::Kind::Injected, QStringLiteral("Statement refused (injected failure)"));
        auto it = kept_.find(sql);
        if (it == kept_.end()) {
            const QVariant h = handle().driver()->handle();
            if (!h.isValid() || (qstrcmp(h.typeName(), "SQLHANDLE") != 0 && qstrcmp(h.typeName(), "void*") != 0))
                throw DbError(DbError::Kind::Other, QStringLiteral("The connection has no driver handle"));
            if (kept_.size() >= 64)
                kept_.clear();
            it = kept_.insert(sql, std::make_shared<KeptStatement>(*static_cast<const SQLHANDLE*>(h.constData()), sql));
        }
        try {
            return (*it)->run(values);
        } catch (const DbError&) {
            kept_.remove(sql);  // prepared afresh next time, whatever state the failure left
            throw;
        }
    });
}

std::optional<QSqlRecord> Database::firstRow(const QString& sql, const QVariantList& values) {
    return firstRow(sql, values, ResultTypes::MayVary);
}

std::optional<QSqlRecord> Database::firstRow(const QString& sql, const QVariantList& values, ResultTypes types) {
    QSqlQuery& q = runPrepared(sql, values, keeps(types));
    std::optional<QSqlRecord> row;
    if (q.next())
        row = q.record();
    q.finish();
    return row;
}

bool Database::tableExists(const QString& table) {
    const QString sql =
        dialect_.isSqlite()
            ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND UPPER(name)=UPPER(?)")
            : QStringLiteral(
                  "SELECT COUNT(*) FROM information_schema.tables WHERE table_schema=current_schema() "
                  "AND UPPER(table_name)=UPPER(?)");
    return scalar(sql, {table}).toInt() > 0;
}

void Database::checkFile() const {
    if (file_.isEmpty() || fileIdentity(file_) == fileId_)
        return;
    // The file was removed or another put in its place (a restore copied over a running
    // program): rows written now would go to a file nobody will ever read again.
    throw DbError(DbError::Kind::Connection,
                  QStringLiteral("The database file %1 was removed or replaced while the program was running; "
                                 "nothing was saved. Close the program and start it again.")
                      .arg(file_));
}

void Database::begin() {
    checkFile();
    ++depth_;
    try {
        if (dialect_.isSqlite()) {
            // IMMEDIATE takes the write lock at once, so the busy timeout applies here and a
            // transaction that has already read never fails later on a lock upgrade.
            exec(QStringLiteral("BEGIN IMMEDIATE"));
        } else if (!handle().transaction()) {
            const QString text = errorText(handle().lastError());
            throw DbError(classify({}, text), text);
        }
    } catch (...) {
        --depth_;
        throw;
    }
}

void Database::commit() {
    if (dialect_.isSqlite()) {
        exec(QStringLiteral("COMMIT"));
    } else if (!handle().commit()) {
        const QString text = errorText(handle().lastError());
        throw DbError(classify({}, text), text);
    }
    --depth_;
}

void Database::rollback() {
    if (depth_ == 0)
        return;
    --depth_;
    if (dialect_.isSqlite()) {
        QSqlQuery q(handle());
        q.exec(QStringLiteral("ROLLBACK"));
    } else {
        handle().rollback();
    }
}

bool Database::shouldRetry(const DbError& e, int attempt, qint64 elapsedMs) {
    if (e.kind() != DbError::Kind::Locked || elapsedMs > kRetryDeadlineMs)
        return false;
    // Back off a little, more each time and by a random amount, so that waiting writers do not
    // collide again at once.
    QThread::msleep(std::min(2 * attempt, 50) + QRandomGenerator::global()->bounded(10));
    return true;
}

}  // namespace tarvic

namespace tarvic::statements {

namespace {
std::atomic<qint64> counted{0};
Listener listener;
}  // namespace

qint64 runSoFar() {
    return counted.load(std::memory_order_relaxed);
}

Listener listen(Listener l) {
    std::swap(listener, l);
    return l;
}

void ran(const QString& sql, const QVariantList& values) {
    counted.fetch_add(1, std::memory_order_relaxed);
    if (listener)
        listener(sql, values);
}

}  // namespace tarvic::statements
