#pragma once
// A fresh database for each test: a temporary SQLite file behind a temporary TARVIC data
// source, or, when TARVIC_TEST_ENGINE=pg, a fresh database on the server named by
// TARVIC_TEST_PG ("host=... port=..."). The schema and seed data are applied.
#include "data/Database.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <utility>

namespace tarvic::test {

class TestDb {
public:
    explicit TestDb(bool migrate = true);
    ~TestDb();

    Database& db() { return *db_; }
    // A further connection to the same database, for another thread or workstation.
    std::unique_ptr<Database> connect(const QString& name);
    static bool usePostgres();
    // Runs sql on the PostgreSQL test server as its superuser: for roles of a test's own.
    static void serverAdmin(const QString& sql);
    static QString engineName() { return usePostgres() ? QStringLiteral("pg") : QStringLiteral("sqlite"); }
    QString sqlitePath() const { return sqlitePath_; }
    QString dir() const { return tmp_.path(); }
    // Defines the data source TARVIC for this process (once): ODBCINI and ODBCSYSINI point
    // at files of the test's own. Each TestDb then names its own file or database.
    static void defineDataSource();
    ConnectionString connectionString() const;
    // Runs write(connection, i) for i = 0 .. writers - 1 at once, each in a thread with a
    // connection of its own; returns the messages of those that ended refused.
    QStringList writersAtOnce(int writers, const std::function<void(Database&, int)>& write);

private:
    QTemporaryDir tmp_;
    QString overrides_;
    QString sqlitePath_;
    QString pgDatabase_;
    std::unique_ptr<Database> db_;
};

// The refusal a write ends in (of kind Other, "the write went through", when it was not refused).
template <class F>
DbError refusalOf(F&& write) {
    try {
        std::forward<F>(write)();
    } catch (const DbError& e) {
        return e;
    }
    return DbError(DbError::Kind::Other, QStringLiteral("the write went through"));
}
// Its message, or nothing when the write went through.
template <class F>
QString refusalText(F&& write) {
    try {
        std::forward<F>(write)();
    } catch (const DbError& e) {
        return e.message();
    }
    return {};
}

}  // namespace tarvic::test
