#pragma once
// What the benchmarks run on: a fresh database for the writing benchmarks, a cached database
// of a million transaction rows for the balances, and thin wrappers over the engines' own
// client libraries (sqlite3, libpq) that give the native figures to compare against.
#include "data/Database.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvic::bench {

bool usePostgres();

// The size of the data, as a fraction of a big office's (TARVIC_BENCH_SCALE, default 1): the
// smoke test runs every benchmark once on a sliver of it. Never below `least`.
int scaled(int full, int least = 10);
bool smokeRun();

// A benchmark that errors, reads fewer rows than it wrote, or times less than any real work
// could take has measured nothing: it is named here and the whole run fails, and its figures
// are left out of the summaries.
void failRun(const std::string& benchmark, const std::string& why);
// Every failure of the run so far ("name: why"), in order.
const std::vector<std::string>& failures();
class BenchFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// Ends the benchmark's run with the error; the reporter then fails the whole run with it.
void reportError(benchmark::State& state, const std::exception& e);
// Throws BenchFailure when `ms` is below `floorMs`: a figure no real read or paint can reach.
void requirePlausible(const char* what, double ms, double floorMs);

// One database, reachable both through the program's layer and natively.
struct Target {
    ConnectionString cs;     // the TARVIC data source, pointed at this file or database
    std::string sqlitePath;  // SQLite: the file
    std::string pgConninfo;  // PostgreSQL: libpq connection string
    std::unique_ptr<Database> connect(const QString& name) const { return std::make_unique<Database>(cs, name); }
};

// The TARVIC data source pointed at another file or database, and the schema applied to it.
ConnectionString pointedAt(const QString& database);
void applySchema(const ConnectionString& cs);

// A database built once per engine and kept between runs, keyed by the schema (every migration
// script), the generator's version and the size: a SQLite file in TARVIC_BENCH_DIR, renamed into
// place when complete, or a PostgreSQL database marked ready when complete. `build` fills it (the
// schema is already applied) when no complete one is there; *generated tells which happened.
Target cachedDatabase(const std::string& prefix, const char* generatorVersion, qint64 size,
                      const std::function<void(const Target&)>& build, bool* generated);

// The cached million-row database: created (schema through Migrations, rows through the
// native library) when missing, otherwise reused. Keys to query are sampled from it.
struct BigData {
    Target target;
    std::vector<qint64> parties;                      // in a scattered order
    std::vector<std::pair<qint64, qint64>> bookings;  // (booking, its customer)
    QStringList ldop, ptbal;                          // the code lists, read once
    bool generated = false;
    double generateSeconds = 0;
};
BigData prepareBigData();

// ---- sqlite3 ----
// The lock stayed taken beyond the busy timeout: the transaction may be run again.
struct SqliteBusy : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class SqliteStmt {
public:
    SqliteStmt(sqlite3* db, const std::string& sql);
    ~SqliteStmt();
    SqliteStmt(const SqliteStmt&) = delete;
    SqliteStmt& operator=(const SqliteStmt&) = delete;
    sqlite3_stmt* get() const { return s_; }
    void reset();
    // Steps once: true when a row is there.
    bool step();
    void bind(int i, qint64 v) { sqlite3_bind_int64(s_, i, v); }
    void bind(int i, const std::string& v) { sqlite3_bind_text(s_, i, v.data(), int(v.size()), SQLITE_TRANSIENT); }
    void bind(int i, const char* v) { sqlite3_bind_text(s_, i, v, -1, SQLITE_STATIC); }
    void bindNull(int i) { sqlite3_bind_null(s_, i); }

private:
    sqlite3* db_;
    sqlite3_stmt* s_ = nullptr;
};

class NativeSqlite {
public:
    explicit NativeSqlite(const std::string& path);
    ~NativeSqlite();
    NativeSqlite(const NativeSqlite&) = delete;
    NativeSqlite& operator=(const NativeSqlite&) = delete;
    sqlite3* get() const { return db_; }
    void exec(const std::string& sql);

private:
    sqlite3* db_ = nullptr;
};

// ---- libpq ----
class PgResult {
public:
    explicit PgResult(PGresult* r) : r_(r) {}
    ~PgResult() { PQclear(r_); }
    PgResult(const PgResult&) = delete;
    PgResult& operator=(const PgResult&) = delete;
    PGresult* get() const { return r_; }
    int rows() const { return PQntuples(r_); }
    const char* at(int row, int col) const { return PQgetvalue(r_, row, col); }

private:
    PGresult* r_;
};

class NativePg {
public:
    explicit NativePg(const std::string& conninfo);
    ~NativePg();
    NativePg(const NativePg&) = delete;
    NativePg& operator=(const NativePg&) = delete;
    PGconn* get() const { return c_; }
    PgResult exec(const std::string& sql);
    void prepare(const char* name, const std::string& sql);
    PgResult execPrepared(const char* name, const std::vector<const char*>& values);
    PgResult execParams(const std::string& sql, const std::vector<const char*>& values);

private:
    PgResult check(PGresult* r, const std::string& what);
    PGconn* c_ = nullptr;
};

// The libpq connection string of the test server (TARVIC_TEST_PG) for one database.
std::string pgConninfo(const std::string& database);

// "yyyy-MM-dd HH:mm:ss.zzz", as Qt binds a QDateTime.
std::string nowText();

// The middle figure (-1 when there is none): alternated rounds report the median of their ratios.
double median(std::vector<double> v);
// The median over rounds of side[i] / native[i]: each round's ratio, so that a busy moment slows
// both sides of it alike.
double medianRatio(const std::vector<double>& side, const std::vector<double>& native);

// The run's headline figures, printed last as one table: figure, program, native, ratio, target,
// met or missed. A ratio target compares with native; a native of 0 makes the target a time.
// The ratio judged is program / native unless the figure's own (a median of rounds' ratios) is given.
void headline(const std::string& figure, double programMs, double nativeMs, double target, double ratio = 0);
// The table; true when every target was met.
bool printHeadlines();

// The best (lowest) figure of each measure over the repetitions, and its line in a summary.
class BestFigures {
public:
    // Kept only once a run's checks have passed: a failed run adds nothing to a summary.
    void keep(const std::string& key, double value) {
        auto it = figures_.find(key);
        if (it == figures_.end() || value < it->second)
            figures_[key] = value;
    }
    // The figure, or -1 when it was not measured.
    double get(const std::string& key) const {
        const auto it = figures_.find(key);
        return it == figures_.end() ? -1.0 : it->second;
    }
    bool empty() const { return figures_.empty(); }
    // "what   12.3 ms   1.10 x native" (no ratio without a native figure, nothing when unmeasured).
    void printTime(const char* what, double ms, double native) const {
        if (ms < 0)
            return;
        if (native > 0)
            std::printf("%-52s %10.1f ms %8.2f x native\n", what, ms, ms / native);
        else
            std::printf("%-52s %10.1f ms\n", what, ms);
    }

private:
    std::map<std::string, double> figures_;
};

}  // namespace tarvic::bench
