#pragma once
// The session's one connection to the TARVIC data source, and the only door to SQL.
// Every value travels as a bound parameter; statements are written once and the few
// engine differences are rendered by Dialect.
#include "Dialect.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tarvic {

class ColumnLengths;
class KeptStatement;

// The system's own connection string. Qt's ODBC driver cannot take it whole (it would
// prefix a second "DSN="), so it is parsed into data source, user and password. Its user and
// password are only the fallback: a data source that names its own takes precedence.
inline constexpr const char* kConnectionString = "DSN=TARVIC;User Id=tarvicuser;PWD=pass987;";

struct ConnectionString {
    QString dsn;
    QString user;
    QString password;
    // Further attributes that override the data source's own ("Database=..."), for tests
    // and tools that point one data source at another file or database.
    QString overrides;
    static ConnectionString parse(const QString& text);
    // The same, with the user and password the data source defines for itself (Username and
    // Password as psqlODBC reads them, or UID and PWD) in place of these. A data source that
    // names its own user never gets the built-in password: without a password of its own the
    // driver is left to find one (~/.pgpass).
    ConnectionString withDataSourceLogin() const;
    // One attribute of the connection: the override's value when it names the key, else the
    // data source's own (the user's odbc.ini, else the system's); empty when neither has it.
    QString attribute(const char* key) const;
};

// Column name and value, in the order they are written. Names are the table's own.
using Columns = std::vector<std::pair<QString, QVariant>>;

// What a save reports when the row it was aimed at is gone or no longer what was read.
inline constexpr const char* kChangedByAnotherUser =
    "THE RECORD NO LONGER EXISTS, IT WAS CHANGED OR DELETED BY ANOTHER USER ....";

class DbError : public std::runtime_error {
public:
    // Changed: an update found no row (or not the rows it expected) under its key.
    // Cancelled: a save was aimed at a cancelled document, which is never rewritten.
    // Refused: a save's own check refused it; the message is the window's.
    enum class Kind { Other, NoDataSource, Connection, Locked, Duplicate, Injected, Changed, Cancelled, Refused };
    DbError(Kind kind, const QString& message, const QString& sqlState = {});
    Kind kind() const { return kind_; }
    QString message() const { return message_; }
    QString sqlState() const { return sqlState_; }
    bool isConflict() const { return kind_ == Kind::Locked; }

private:
    Kind kind_;
    QString message_;
    QString sqlState_;
};

// Whether the columns a statement returns keep one type whatever rows it meets: a table's own
// columns, COUNT(*), a CAST. SQLite's ODBC driver keeps the column types of a statement's first
// run, so on SQLite only a statement marked Fixed (or one that returns no rows) stays prepared.
enum class ResultTypes { MayVary, Fixed };

class Database {
public:
    // Opens the data source with the login it defines, else the one in cs; throws DbError
    // (NoDataSource when the data source is not defined, Connection for any other refusal).
    // The password never appears in the error's text.
    explicit Database(const ConnectionString& cs = ConnectionString::parse(kConnectionString),
                      const QString& connectionName = QStringLiteral("tarvic"));
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    Engine engine() const { return dialect_.engine(); }
    const Dialect& dialect() const { return dialect_; }
    QSqlDatabase handle() const;
    QString connectionName() const { return name_; }

    // One statement, values bound in order. Throws DbError on failure. The query is the
    // caller's to step through.
    QSqlQuery exec(const QString& sql, const QVariantList& values = {});
    // Number of rows changed by an INSERT, UPDATE or DELETE. Kept prepared on both engines.
    int execAffected(const QString& sql, const QVariantList& values = {});
    // First column of the first row, or a null QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    QVariant scalar(const QString& sql, const QVariantList& values, ResultTypes types);
    // The first row, if any.
    std::optional<QSqlRecord> firstRow(const QString& sql, const QVariantList& values = {});
    std::optional<QSqlRecord> firstRow(const QString& sql, const QVariantList& values, ResultTypes types);
    bool tableExists(const QString& table);
    // How long a value each column of the schema takes (ColumnLengths.h): read at the first
    // call and kept for the connection, read again when asked about a table created since.
    const ColumnLengths& columnLengths(const QString& table = {});

    // Runs work in one database transaction: every row or none. A conflict with another
    // workstation (lock timeout, deadlock, serialization) rolls back and runs work again
    // until a deadline; every other error rolls back and reaches the caller.
    // work must be safe to run again: it should compute what it writes inside itself.
    // Called inside a running transaction, it simply joins it.
    template <class F>
    auto transact(F&& work) -> decltype(work());
    bool inTransaction() const { return depth_ > 0; }

    // Test hook: the nth statement from now (1-based) fails as a refused statement would.
    void failStatement(int n) { failAt_ = n; }
    int statementsRun() const { return statements_; }

private:
    // Statements whose result is read at once (scalar, firstRow, execAffected) stay prepared
    // for the life of the connection, so that the engine parses and plans each once; on SQLite
    // only those that return nothing or whose result types are Fixed.
    QSqlQuery& prepared(const QString& sql, bool keep);
    QSqlQuery& runPrepared(const QString& sql, const QVariantList& values, bool keep);
    QSqlQuery& runPreparedOnce(const QString& sql, const QVariantList& values, bool keep);
    bool keeps(ResultTypes types) const { return types == ResultTypes::Fixed || !dialect_.isSqlite(); }
    QSqlQuery execOnce(const QString& sql, const QVariantList& values);
    // A statement of its own (no transaction running) that meets another program's lock is run
    // again until the same deadline as a transaction: on the embedded database a reader waits
    // while another program commits, and SQLite's wait is not first come, first served. A
    // refused statement changed nothing, so running it again is safe.
    template <class F>
    auto outsideTransactionRetried(F&& statement) -> decltype(statement());
    DbError failure(const QSqlQuery& q) const;
    // Throws when the embedded database's file is no longer the one this connection opened.
    void checkFile() const;
    void disconnect();
    void begin();
    void commit();
    void rollback();
    static bool shouldRetry(const DbError& e, int attempt, qint64 elapsedMs);

    QString name_;
    Dialect dialect_;
    int depth_ = 0;
    int failAt_ = 0;
    int statements_ = 0;
    QHash<QString, QSqlQuery> cache_;
    // Fixed-type scalars on the driver's own handle, prepared once with their buffers bound.
    QHash<QString, std::shared_ptr<KeptStatement>> kept_;
    QVariant keptScalar(const QString& sql, const QVariantList& values);
    QSqlQuery scratch_;
    std::shared_ptr<const ColumnLengths> columnLengths_;
    QString file_;                        // the embedded database's file; empty on a server
    std::pair<quint64, quint64> fileId_;  // its device and inode when connected
};

template <class F>
auto Database::outsideTransactionRetried(F&& statement) -> decltype(statement()) {
    if (depth_ > 0)
        return statement();
    QElapsedTimer clock;
    clock.start();
    for (int attempt = 1;; ++attempt) {
        try {
            return statement();
        } catch (const DbError& e) {
            if (!shouldRetry(e, attempt, clock.elapsed()))
                throw;
        }
    }
}

template <class F>
auto Database::transact(F&& work) -> decltype(work()) {
    if (depth_ > 0)
        return work();
    QElapsedTimer clock;
    clock.start();
    for (int attempt = 1;; ++attempt) {
        try {
            begin();
        } catch (const DbError& e) {
            // Another workstation holds the write lock past the wait: try again.
            if (!shouldRetry(e, attempt, clock.elapsed()))
                throw;
            continue;
        }
        try {
            if constexpr (std::is_void_v<decltype(work())>) {
                work();
                commit();
                return;
            } else {
                auto result = work();
                commit();
                return result;
            }
        } catch (const DbError& e) {
            rollback();
            if (!shouldRetry(e, attempt, clock.elapsed()))
                throw;
        } catch (...) {
            rollback();
            throw;
        }
    }
}

}  // namespace tarvic
