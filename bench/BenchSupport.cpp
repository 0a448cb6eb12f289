#include "BenchSupport.h"

#include "TestDb.h"
#include "data/DueBalances.h"
#include "data/Migrations.h"
#include "data/TransactionRecords.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <random>
#include <stdexcept>

namespace tarvic::bench {

namespace {

// Bump when the generated rows change, so that an older cached database is not reused.
constexpr const char* kGeneratorVersion = "trn1m-v1";
constexpr int kParties = 2000;
constexpr int kCustomers = 1600;  // parties 1..1600 book tours; the rest are suppliers
const int kBookings = scaled(100000, 200);
constexpr const char* kUser = "BENCH GENERATOR";

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

}  // namespace

bool usePostgres() {
    return test::TestDb::usePostgres();
}

namespace {
double scale() {
    static const double s = [] {
        bool ok = false;
        const double v = qEnvironmentVariable("TARVIC_BENCH_SCALE").toDouble(&ok);
        return ok && v > 0 && v <= 1 ? v : 1.0;
    }();
    return s;
}
std::vector<std::string> failed;
}  // namespace

int scaled(int full, int least) {
    return std::max(least, int(std::lround(full * scale())));
}

bool smokeRun() {
    return scale() < 1.0;
}

void failRun(const std::string& benchmark, const std::string& why) {
    const std::string line = benchmark + ": " + why;
    if (std::find(failed.begin(), failed.end(), line) == failed.end())
        failed.push_back(line);
    std::fprintf(stderr, "[bench] FAILED %s\n", line.c_str());
}

const std::vector<std::string>& failures() {
    return failed;
}

void reportError(benchmark::State& state, const std::exception& e) {
    state.SkipWithError(e.what());
    std::fprintf(stderr, "[bench] %s\n", e.what());
}

namespace {
struct Headline {
    std::string figure;
    double program, native, target, ratio;
};
std::vector<Headline> headlines;
}  // namespace

void headline(const std::string& figure, double programMs, double nativeMs, double target, double ratio) {
    if (programMs > 0)
        headlines.push_back({figure, programMs, nativeMs, target, ratio > 0 ? ratio : programMs / nativeMs});
}

bool printHeadlines() {
    std::printf("\n== SUMMARY, engine %s%s ==\n", usePostgres() ? "PostgreSQL" : "SQLite",
                smokeRun() ? " (smoke run on a sliver of the data: the figures compare nothing)" : "");
    std::printf("%-58s %11s %11s %7s %9s %s\n", "figure", "program ms", "native ms", "ratio", "target", "");
    bool allMet = true;
    for (const Headline& h : headlines) {
        const bool byRatio = h.native > 0;
        const double value = byRatio ? h.ratio : h.program;
        const bool met = value <= h.target;
        allMet = allMet && met;
        char native[16] = "-", ratio[16] = "-", target[16];
        if (byRatio) {
            std::snprintf(native, sizeof native, "%.2f", h.native);
            std::snprintf(ratio, sizeof ratio, "%.2fx", value);
            std::snprintf(target, sizeof target, "<=%.2fx", h.target);
        } else {
            std::snprintf(target, sizeof target, "<%.0f ms", h.target);
        }
        std::printf("%-58s %11.2f %11s %7s %9s %s\n", h.figure.c_str(), h.program, native, ratio, target,
                    met ? "met" : "MISSED");
    }
    return allMet;
}

void requirePlausible(const char* what, double ms, double floorMs) {
    if (ms < floorMs)
        throw BenchFailure(std::string(what) + " took " + std::to_string(ms) + " ms, under the " +
                           std::to_string(floorMs) + " ms any real work takes: nothing was measured");
}

// ---------------------------------------------------------------- sqlite3

NativeSqlite::NativeSqlite(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        fail("sqlite3_open " + path + ": " + sqlite3_errmsg(db_));
    // The same settings the program's connection applies, so that a commit or a read costs the
    // same.
    sqlite3_busy_timeout(db_, 5000);
    exec("PRAGMA journal_mode=DELETE");
    exec("PRAGMA synchronous=FULL");
    exec("PRAGMA foreign_keys=ON");
    exec("PRAGMA cache_size=-65536");
}

NativeSqlite::~NativeSqlite() {
    sqlite3_close_v2(db_);
}

void NativeSqlite::exec(const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string text = err ? err : "?";
        sqlite3_free(err);
        fail("sqlite3: " + text + " in " + sql);
    }
}

SqliteStmt::SqliteStmt(sqlite3* db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &s_, nullptr) != SQLITE_OK)
        fail(std::string("sqlite3_prepare: ") + sqlite3_errmsg(db) + " in " + sql);
}

SqliteStmt::~SqliteStmt() {
    sqlite3_finalize(s_);
}

void SqliteStmt::reset() {
    sqlite3_reset(s_);
    sqlite3_clear_bindings(s_);
}

bool SqliteStmt::step() {
    const int rc = sqlite3_step(s_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        throw SqliteBusy(std::string("sqlite3_step: ") + sqlite3_errmsg(db_));
    fail(std::string("sqlite3_step: ") + sqlite3_errmsg(db_));
}

// ---------------------------------------------------------------- libpq

std::string pgConninfo(const std::string& database) {
    return qEnvironmentVariable("TARVIC_TEST_PG").toStdString() +
           " user=tarvicuser password=pass987 dbname=" + database;
}

NativePg::NativePg(const std::string& conninfo) {
    c_ = PQconnectdb(conninfo.c_str());
    if (PQstatus(c_) != CONNECTION_OK)
        fail(std::string("PQconnectdb: ") + PQerrorMessage(c_));
    PQsetNoticeProcessor(
        c_, [](void*, const char*) {}, nullptr);  // "does not exist, skipping"
    exec("SET synchronous_commit TO on");
    exec("SET jit TO off");  // as the program's own connections
}

NativePg::~NativePg() {
    PQfinish(c_);
}

PgResult NativePg::check(PGresult* r, const std::string& what) {
    const auto st = PQresultStatus(r);
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK && st != PGRES_COPY_IN) {
        std::string text = PQresultErrorMessage(r);
        PQclear(r);
        fail("libpq: " + text + " in " + what);
    }
    return PgResult(r);
}

PgResult NativePg::exec(const std::string& sql) {
    return check(PQexec(c_, sql.c_str()), sql);
}

void NativePg::prepare(const char* name, const std::string& sql) {
    check(PQprepare(c_, name, sql.c_str(), 0, nullptr), sql);
}

PgResult NativePg::execPrepared(const char* name, const std::vector<const char*>& values) {
    return check(PQexecPrepared(c_, name, int(values.size()), values.data(), nullptr, nullptr, 0), name);
}

PgResult NativePg::execParams(const std::string& sql, const std::vector<const char*>& values) {
    return check(PQexecParams(c_, sql.c_str(), int(values.size()), nullptr, values.data(), nullptr, nullptr, 0), sql);
}

double median(std::vector<double> v) {
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double medianRatio(const std::vector<double>& side, const std::vector<double>& native) {
    std::vector<double> ratios;
    for (size_t i = 0; i < std::min(side.size(), native.size()); ++i)
        ratios.push_back(side[i] / native[i]);
    return median(std::move(ratios));
}

std::string nowText() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const int ms = int(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec, ms);
    return buf;
}

// ---------------------------------------------------------------- the million rows

namespace {

// One generated row; the other columns of the wide table stay NULL.
struct GenRow {
    const char* code;
    qint64 no;
    int day;  // days after 01/01/2020
    const char* desc;
    qint64 booking;
    qint64 party;
    const char* toAcc;  // nullptr: NULL
    qint64 amount;      // paise
    qint64 debit;
    qint64 credit;
    bool cancelled;
};

const char* const kColumns =
    "DOC_CODE, DOC_NO, DOC_DATE, DOC_DESC, IN_DOCCODE, IN_DOCNO, PARTY_CODE, TO_ACC, GRAND_TOTAL, DB_AMT, CR_AMT, "
    "DOC_STATUS, CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON";

// 100,000 bookings of 10 rows each, in three patterns of documents against the booking:
//   A: booking, 2 hotel notes, 1 vehicle note, 2 receipts (pairs), 1 payment (pair)
//   B: booking, 1 hotel note, 1 other-charge note, 3 receipts, 1 fund adjustment
//   C: booking, 3 hotel notes, 1 receipt, 2 payments
// Advice notes and payments go to suppliers, the rest to the booking's customer; about 3 %
// of documents (both rows of a pair) are cancelled.
void generateRows(const std::function<void(const GenRow&)>& sink, std::map<std::string, qint64>& counters) {
    std::mt19937_64 rng(20240601);
    auto pick = [&](qint64 lo, qint64 hi) { return lo + qint64(rng() % quint64(hi - lo + 1)); };
    auto cancelled = [&] { return rng() % 100 < 3; };
    auto next = [&](const char* code) { return ++counters[code]; };
    auto supplier = [&] { return pick(kCustomers + 1, kParties); };

    for (qint64 b = 1; b <= kBookings; ++b) {
        const qint64 customer = pick(1, kCustomers);
        const int day = int(b * 2190 / kBookings);
        const qint64 price = pick(20000, 400000) * 100 + pick(0, 99);
        const bool bookingCancelled = rng() % 100 < 2;
        next("CBPT01");
        sink({"CBPT01", b, day, "CUSTOMER BOOKED FOR PACKAGE TOUR", b, customer, nullptr, price, price, 0,
              bookingCancelled});

        auto note = [&](const char* code, const char* desc) {
            const qint64 amt = pick(2000, 80000) * 100;
            sink({code, next(code), day + int(pick(0, 20)), desc, b, supplier(), code, amt, 0, amt, cancelled()});
        };
        auto receipt = [&] {
            const qint64 no = next("FRDB01");
            const qint64 amt = pick(1000, 150000) * 100 + pick(0, 99);
            const int d = day + int(pick(0, 60));
            const bool c = cancelled();
            sink({"FRDB01", no, d, "MONEY RECEIPT", b, customer, "FRDB01", amt, amt, 0, c});
            sink({"FRCR01", no, d, "MONEY RECEIPT", b, customer, "FRCR01", amt, 0, amt, c});
        };
        auto payment = [&] {
            const qint64 no = next("FTCR01");
            const qint64 amt = pick(1000, 60000) * 100;
            const int d = day + int(pick(10, 90));
            const qint64 s = supplier();
            const bool c = cancelled();
            sink({"FTCR01", no, d, "PAYMENT TO PARTY", b, s, "FTCR01", amt, 0, amt, c});
            sink({"FTDB01", no, d, "PAYMENT TO PARTY", b, s, "FTDB01", amt, amt, 0, c});
        };
        switch (b % 3) {
            case 0:
                note("ANCP01", "HOTEL ADVICE NOTE");
                note("ANCP01", "HOTEL ADVICE NOTE");
                note("ANCP02", "VEHICLE ADVICE NOTE");
                receipt();
                receipt();
                payment();
                break;
            case 1: {
                note("ANCP01", "HOTEL ADVICE NOTE");
                note("ANCP03", "OTHER CHARGES ADVICE NOTE");
                receipt();
                receipt();
                receipt();
                const qint64 amt = pick(100, 5000) * 100;
                const bool debit = rng() % 2 == 0;
                sink({"FAAN01", next("FAAN01"), day + 30, "FUND ADJUSTMENT", b, customer, "FAAN01", amt,
                      debit ? amt : 0, debit ? 0 : amt, cancelled()});
                break;
            }
            default:
                note("ANCP01", "HOTEL ADVICE NOTE");
                note("ANCP01", "HOTEL ADVICE NOTE");
                note("ANCP01", "HOTEL ADVICE NOTE");
                receipt();
                payment();
                payment();
                break;
        }
    }
}

std::string money(qint64 paise) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld.%02lld", static_cast<long long>(paise / 100),
                  static_cast<long long>(paise % 100));
    return buf;
}

std::vector<std::string> dayTexts(const char* time) {
    std::vector<std::string> out;
    const QDate start(2020, 1, 1);
    for (int d = 0; d < 2400; ++d)
        out.push_back(start.addDays(d).toString(QStringLiteral("yyyy-MM-dd")).toStdString() + time);
    return out;
}

void generateSqlite(const std::string& path) {
    NativeSqlite s(path);
    s.exec("PRAGMA synchronous=OFF");
    // Building the indexes once after the load is much faster than keeping them up to date
    // row by row; they are rebuilt from the very statements the migrations created.
    std::vector<std::string> indexes;
    {
        SqliteStmt q(s.get(),
                     "SELECT name, sql FROM sqlite_master WHERE type='index' AND "
                     "UPPER(tbl_name)='M_TBL_TRANSACTION' AND sql IS NOT NULL");
        std::vector<std::string> names;
        while (q.step()) {
            names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(q.get(), 0)));
            indexes.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(q.get(), 1)));
        }
        q.reset();
        for (const auto& n : names)
            s.exec("DROP INDEX " + n);
    }
    const auto days = dayTexts(" 00:00:00.000");
    const std::string stamp = nowText();
    std::map<std::string, qint64> counters;
    s.exec("BEGIN");
    {
        SqliteStmt ins(s.get(), std::string("INSERT INTO M_TBL_TRANSACTION (") + kColumns +
                                    ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        generateRows(
            [&](const GenRow& r) {
                ins.reset();
                ins.bind(1, r.code);
                ins.bind(2, r.no);
                ins.bind(3, days[r.day].c_str());
                ins.bind(4, r.desc);
                ins.bind(5, "CBPT01");
                ins.bind(6, r.booking);
                ins.bind(7, r.party);
                if (r.toAcc)
                    ins.bind(8, r.toAcc);
                ins.bind(9, money(r.amount));
                ins.bind(10, money(r.debit));
                ins.bind(11, money(r.credit));
                ins.bind(12, r.cancelled ? "CNCL" : "APPRV");
                ins.bind(13, kUser);
                ins.bind(14, stamp.c_str());
                ins.bind(15, kUser);
                ins.bind(16, stamp.c_str());
                ins.step();
            },
            counters);
        SqliteStmt counter(s.get(),
                           "INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES (?, ?) "
                           "ON CONFLICT (CODE) DO UPDATE SET COUNTER = excluded.COUNTER");
        for (const auto& [code, n] : counters) {
            counter.reset();
            counter.bind(1, code);
            counter.bind(2, n);
            counter.step();
        }
    }
    s.exec("COMMIT");
    s.exec("BEGIN");
    for (const auto& sql : indexes)
        s.exec(sql);
    s.exec("COMMIT");
    s.exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

void generatePg(const std::string& conninfo) {
    NativePg c(conninfo);
    std::vector<std::string> indexes;
    {
        PgResult r = c.exec("SELECT indexname, indexdef FROM pg_indexes WHERE tablename='m_tbl_transaction'");
        for (int i = 0; i < r.rows(); ++i) {
            indexes.emplace_back(r.at(i, 1));
            c.exec(std::string("DROP INDEX ") + r.at(i, 0));
        }
    }
    const auto days = dayTexts(" 00:00:00");
    const std::string stamp = nowText();
    std::map<std::string, qint64> counters;
    // The kept sums are summed once after the load: added to row by row in one transaction,
    // a party's sums leave a version of their row for each of its thousands of rows, which
    // every later one walks.
    c.exec("ALTER TABLE M_TBL_TRANSACTION DISABLE TRIGGER USER");
    c.exec(std::string("COPY M_TBL_TRANSACTION (") + kColumns + ") FROM STDIN");
    std::string buf;
    buf.reserve(2 << 20);
    auto flush = [&] {
        if (PQputCopyData(c.get(), buf.data(), int(buf.size())) != 1)
            fail(std::string("PQputCopyData: ") + PQerrorMessage(c.get()));
        buf.clear();
    };
    char line[512];
    generateRows(
        [&](const GenRow& r) {
            const int n = std::snprintf(
                line, sizeof line, "%s\t%lld\t%s\t%s\tCBPT01\t%lld\t%lld\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", r.code,
                static_cast<long long>(r.no), days[r.day].c_str(), r.desc, static_cast<long long>(r.booking),
                static_cast<long long>(r.party), r.toAcc ? r.toAcc : "\\N", money(r.amount).c_str(),
                money(r.debit).c_str(), money(r.credit).c_str(), r.cancelled ? "CNCL" : "APPRV", kUser, stamp.c_str(),
                kUser, stamp.c_str());
            buf.append(line, size_t(n));
            if (buf.size() > (1 << 20))
                flush();
        },
        counters);
    flush();
    if (PQputCopyEnd(c.get(), nullptr) != 1)
        fail(std::string("PQputCopyEnd: ") + PQerrorMessage(c.get()));
    while (PGresult* r = PQgetResult(c.get())) {
        if (PQresultStatus(r) != PGRES_COMMAND_OK) {
            std::string text = PQresultErrorMessage(r);
            PQclear(r);
            fail("COPY: " + text);
        }
        PQclear(r);
    }
    for (const auto& [code, n] : counters) {
        const std::string no = std::to_string(n);
        c.execParams(
            "INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ($1, $2) "
            "ON CONFLICT (CODE) DO UPDATE SET COUNTER = excluded.COUNTER",
            {code.c_str(), no.c_str()});
    }
    c.exec("SET maintenance_work_mem = '256MB'");
    for (const auto& sql : indexes)
        c.exec(sql);
    c.exec("ALTER TABLE M_TBL_TRANSACTION ENABLE TRIGGER USER");
    for (const QString& sql : sumKeptBalancesStatements())
        c.exec(sql.toStdString());
    // A loaded table is vacuumed and analysed by the server's own autovacuum soon after;
    // doing it now gives every run the same settled state (visibility map for index-only scans).
    c.exec("VACUUM ANALYZE M_TBL_TRANSACTION");
}

// Changes whenever a migration script or the generator changes.
QString fingerprint(const char* generatorVersion, qint64 size) {
    Migrations::latestVersion();  // registers the scripts' resources
    QCryptographicHash h(QCryptographicHash::Sha1);
    const QDir dir(QStringLiteral(":/migrations"));
    for (const QString& name : dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::ReadOnly);
        h.addData(name.toUtf8());
        h.addData(f.readAll());
    }
    h.addData(generatorVersion);
    h.addData(QByteArray::number(size));  // a smoke run's sliver is cached apart
    return QString::fromLatin1(h.result().toHex().left(10));
}

}  // namespace

ConnectionString pointedAt(const QString& database) {
    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.overrides = QStringLiteral("Database=") + database;
    return cs;
}

void applySchema(const ConnectionString& cs) {
    Database db(cs, QStringLiteral("bench-schema"));
    Migrations(db).apply();
}

Target cachedDatabase(const std::string& prefix, const char* generatorVersion, qint64 size,
                      const std::function<void(const Target&)>& build, bool* generated) {
    test::TestDb::defineDataSource();
    const QString fp = fingerprint(generatorVersion, size);
    Target t;
    *generated = false;
    if (!usePostgres()) {
        const QString dir = qEnvironmentVariable("TARVIC_BENCH_DIR", QStringLiteral("/tmp/tarvic-bench"));
        QDir().mkpath(dir);
        const QString path =
            dir + QLatin1Char('/') + QString::fromStdString(prefix) + QLatin1Char('-') + fp + QStringLiteral(".db");
        if (!QFile::exists(path)) {
            // Built under another name and renamed when complete: an interrupted run leaves
            // no half-filled database behind to be reused.
            const QString part = path + QStringLiteral(".part");
            for (const char* suffix : {"", "-wal", "-shm", "-journal"})
                QFile::remove(part + QLatin1String(suffix));
            Target building;
            building.cs = pointedAt(part);
            building.sqlitePath = part.toStdString();
            applySchema(building.cs);
            build(building);
            if (!QFile::rename(part, path))
                fail("cannot rename " + part.toStdString());
            *generated = true;
        }
        t.cs = pointedAt(path);
        t.sqlitePath = path.toStdString();
        return t;
    }
    const std::string name = "tarvic_bench_" + prefix + "_" + fp.toStdString();
    t.cs = pointedAt(QString::fromStdString(name));
    t.pgConninfo = pgConninfo(name);
    bool ready = false;
    {
        NativePg admin(pgConninfo("postgres"));
        if (admin.execParams("SELECT 1 FROM pg_database WHERE datname=$1", {name.c_str()}).rows() > 0) {
            NativePg c(pgConninfo(name));
            ready = std::string(c.exec("SELECT to_regclass('bench_ready') IS NOT NULL").at(0, 0)) == "t";
        }
        if (!ready) {
            // Identifiers cannot be bound; the name is made of our own letters and hex digits.
            admin.exec("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
            admin.exec("CREATE DATABASE " + name + " TEMPLATE template0");
        }
    }
    if (!ready) {
        applySchema(t.cs);
        build(t);
        NativePg(t.pgConninfo).exec("CREATE TABLE BENCH_READY (GENERATED_ON VARCHAR(30))");
        *generated = true;
    }
    return t;
}

BigData prepareBigData() {
    BigData big;
    QElapsedTimer clock;
    clock.start();
    big.target = cachedDatabase(
        "trn1m", kGeneratorVersion, kBookings,
        [](const Target& t) {
            if (usePostgres())
                generatePg(t.pgConninfo);
            else
                generateSqlite(t.sqlitePath);
        },
        &big.generated);
    big.generateSeconds = clock.elapsed() / 1000.0;

    // Keys: every party in a scattered order, and a spread sample of bookings with their
    // customers, read back from the data itself.
    for (qint64 p = 1; p <= kParties; ++p)
        big.parties.push_back(p);
    std::shuffle(big.parties.begin(), big.parties.end(), std::mt19937_64(7));
    const char* bookingsSql =
        "SELECT IN_DOCNO, PARTY_CODE FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' "
        "AND IN_DOCNO % 37 = 5 ORDER BY IN_DOCNO";
    if (!usePostgres()) {
        NativeSqlite s(big.target.sqlitePath);
        SqliteStmt q(s.get(), bookingsSql);
        while (q.step())
            big.bookings.emplace_back(sqlite3_column_int64(q.get(), 0), sqlite3_column_int64(q.get(), 1));
    } else {
        NativePg c(big.target.pgConninfo);
        PgResult r = c.exec(bookingsSql);
        for (int i = 0; i < r.rows(); ++i)
            big.bookings.emplace_back(std::stoll(r.at(i, 0)), std::stoll(r.at(i, 1)));
    }
    std::shuffle(big.bookings.begin(), big.bookings.end(), std::mt19937_64(11));
    {
        auto db = big.target.connect(QStringLiteral("bench-lists"));
        TransactionRecords tr(*db, QStringLiteral("BENCH"));
        big.ldop = tr.codeList(QStringLiteral("LDOP"));
        big.ptbal = tr.codeList(QStringLiteral("PTBAL"));
    }
    return big;
}

}  // namespace tarvic::bench
