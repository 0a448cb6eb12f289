// Throughput of the data foundation on the engine named by TARVIC_TEST_ENGINE (sqlite or pg):
// numbers taken, paired documents saved, and the two balance queries over a million rows,
// each beside the same work done through the engine's own client library.
// Targets are printed, never enforced: the figures depend on the machine.
#include "BenchSupport.h"
#include "LedgerBench.h"
#ifndef TARVIC_BENCH_DATA_ONLY
#include "BoardBench.h"
#include "GstBench.h"
#include "LeadBench.h"
#include "ListingBench.h"
#include "WindowBench.h"
#endif

#include "TestDb.h"
#include "data/Numbering.h"
#include "data/TransactionRecords.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>

#include <vector>

#include <unistd.h>

using namespace tarvic;
using namespace tarvic::bench;

namespace {

constexpr const char* kUser = "BENCH USER";
constexpr qint64 kBooking = 4711;
constexpr qint64 kParty = 42;
constexpr qint64 kReceiptPaise = 1234550;

// ---------------------------------------------------------------- the databases

std::unique_ptr<test::TestDb> workDb;
Target work;
std::once_flag workOnce;

// A fresh database for the writing benchmarks, shared by all their connections.
const Target& workTarget() {
    std::call_once(workOnce, [] {
        workDb = std::make_unique<test::TestDb>();
        work.cs = workDb->connectionString();
        if (usePostgres())
            work.pgConninfo = pgConninfo(work.cs.overrides.section(QLatin1Char('='), 1).toStdString());
        else
            work.sqlitePath = workDb->sqlitePath().toStdString();
    });
    return work;
}

BigData big;
std::once_flag bigOnce;

std::string pgPlaceholders(std::string sql) {
    int n = 0;
    std::string out;
    for (char c : sql) {
        if (c == '?') {
            out += '$';
            out += std::to_string(++n);
        } else
            out += c;
    }
    return out;
}

BalanceFilter partyFilter(qint64 party) {
    BalanceFilter f;
    f.party = party;
    return f;
}
BalanceFilter bookingFilter(const std::pair<qint64, qint64>& b) {
    BalanceFilter f;
    f.booking = b.first;
    f.party = b.second;
    return f;
}

// The balance statements exactly as TransactionRecords::balanceOf writes them (whole paise).
std::string balanceSql(const QStringList& codes, const BalanceFilter& keys) {
    const Dialect dialect(usePostgres() ? Engine::PostgreSQL : Engine::SQLite);
    return TransactionRecords::balanceStatement(dialect, codes, keys).first.toStdString();
}
std::string partyBalanceSql(const QStringList& codes) {
    return balanceSql(codes, partyFilter(0));
}
std::string bookingBalanceSql(const QStringList& codes) {
    return balanceSql(codes, bookingFilter({0, 0}));
}
// What the booking statement binds as text before its keys: the codes, then the booking's code.
QStringList bookingCodes(const QStringList& codes) {
    return codes + QStringList{QStringLiteral("CBPT01")};
}
// The form they had before, summing rupees (a REAL sum on SQLite, whose result type varies):
// its native figures show what the exact form costs the engine.
std::string formerPartyBalanceSql(qsizetype codes) {
    return "SELECT COALESCE(SUM(DB_AMT),0) - COALESCE(SUM(CR_AMT),0) FROM M_TBL_TRANSACTION WHERE DOC_CODE IN (" +
           TransactionRecords::placeholders(codes).toStdString() + ") AND PARTY_CODE=? AND DOC_STATUS IN ('APPRV')";
}
std::string formerBookingBalanceSql(qsizetype codes) {
    return "SELECT COALESCE(SUM(DB_AMT),0) - COALESCE(SUM(CR_AMT),0) FROM M_TBL_TRANSACTION WHERE DOC_CODE IN (" +
           TransactionRecords::placeholders(codes).toStdString() +
           ") AND IN_DOCCODE='CBPT01' AND IN_DOCNO=? AND PARTY_CODE=? AND DOC_STATUS IN ('APPRV')";
}

// The native side of one balance query: prepared once, bound and stepped per call.
class NativeBalance {
public:
    NativeBalance(const Target& t, const std::string& sql, const QStringList& codes, bool paise = true)
        : codes_(codes), sql_(sql), paise_(paise) {
        for (const QString& c : codes)
            codeText_.push_back(c.toStdString());
        if (usePostgres()) {
            pg_ = std::make_unique<NativePg>(t.pgConninfo);
            sql_ = pgPlaceholders(sql);
            pg_->prepare("bal", sql_);
        } else {
            lite_ = std::make_unique<NativeSqlite>(t.sqlitePath);
            stmt_ = std::make_unique<SqliteStmt>(lite_->get(), sql);
        }
    }
    // Paise of DB_AMT - CR_AMT for the trailing keys; reprepare: parse the statement each call.
    // The program's statement gives whole paise (as text on SQLite); the former one rupees.
    qint64 run(const std::vector<qint64>& keys, bool reprepare = false) {
        if (lite_) {
            std::unique_ptr<SqliteStmt> once;
            SqliteStmt* s = stmt_.get();
            if (reprepare) {
                once = std::make_unique<SqliteStmt>(lite_->get(), sql_);
                s = once.get();
            } else {
                s->reset();
            }
            int i = 0;
            for (const auto& c : codeText_)
                s->bind(++i, c.c_str());
            for (qint64 k : keys)
                s->bind(++i, k);
            if (!s->step())
                return 0;
            if (paise_)
                return sqlite3_column_int64(s->get(), 0);
            return std::llround(sqlite3_column_double(s->get(), 0) * 100.0);
        }
        std::vector<std::string> text;
        for (qint64 k : keys)
            text.push_back(std::to_string(k));
        std::vector<const char*> values;
        for (const auto& c : codeText_)
            values.push_back(c.c_str());
        for (const auto& k : text)
            values.push_back(k.c_str());
        PgResult r = reprepare ? pg_->execParams(sql_, values) : pg_->execPrepared("bal", values);
        return paise_ ? std::strtoll(r.at(0, 0), nullptr, 10) : std::llround(std::strtod(r.at(0, 0), nullptr) * 100.0);
    }
    // The engine's plan for the statement with these keys, one line per step.
    std::string plan(const std::vector<qint64>& keys) {
        std::string out;
        if (lite_) {
            SqliteStmt s(lite_->get(), "EXPLAIN QUERY PLAN " + sql_);
            int i = 0;
            for (const auto& c : codeText_)
                s.bind(++i, c.c_str());
            for (qint64 k : keys)
                s.bind(++i, k);
            while (s.step())
                out += std::string("    ") + reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 3)) + "\n";
            return out;
        }
        std::string sql = "EXPLAIN (ANALYZE, COSTS OFF, TIMING OFF) EXECUTE bal (";
        for (size_t j = 0; j < codeText_.size(); ++j)
            sql += "'" + codeText_[j] + "',";
        for (size_t j = 0; j < keys.size(); ++j)
            sql += std::to_string(keys[j]) + (j + 1 < keys.size() ? "," : ")");
        PgResult r = pg_->exec(sql);
        for (int row = 0; row < r.rows(); ++row)
            out += std::string("    ") + r.at(row, 0) + "\n";
        return out;
    }

private:
    QStringList codes_;
    std::vector<std::string> codeText_;
    std::string sql_;
    bool paise_;
    std::unique_ptr<NativeSqlite> lite_;
    std::unique_ptr<SqliteStmt> stmt_;
    std::unique_ptr<NativePg> pg_;
};

// The cached million rows; on first use also prints the plans and checks that the program
// and the native statement agree on a sample of balances.
const BigData& bigData() {
    std::call_once(bigOnce, [] {
        big = prepareBigData();
        std::fprintf(stderr, "[bench] million-row database %s in %.1f s\n", big.generated ? "generated" : "reused",
                     big.generateSeconds);
        auto db = big.target.connect(QStringLiteral("bench-check"));
        TransactionRecords tr(*db, QString::fromLatin1(kUser));
        NativeBalance party(big.target, partyBalanceSql(big.ldop), big.ldop);
        NativeBalance booking(big.target, bookingBalanceSql(big.ptbal), bookingCodes(big.ptbal));
        std::fprintf(stderr, "[bench] plan of the party balance (LDOP):\n%s", party.plan({big.parties[0]}).c_str());
        std::fprintf(stderr, "[bench] plan of the booking balance (PTBAL):\n%s",
                     booking.plan({big.bookings[0].first, big.bookings[0].second}).c_str());
        int mismatches = 0;
        for (size_t i = 0; i < 50; ++i) {
            const qint64 p = big.parties[i];
            const auto& b = big.bookings[i];
            if (tr.balance(QStringLiteral("LDOP"), partyFilter(p)).paise() != party.run({p}))
                ++mismatches;
            if (tr.balance(QStringLiteral("PTBAL"), bookingFilter(b)).paise() != booking.run({b.first, b.second}))
                ++mismatches;
        }
        if (mismatches)
            std::fprintf(stderr, "[bench] WARNING: %d balances differ between the program and the native query\n",
                         mismatches);
        // Warm the caches once for every key, so that no side pays for reading the file cold.
        for (qint64 p : big.parties)
            party.run({p});
        for (const auto& b : big.bookings)
            booking.run({b.first, b.second});
    });
    return big;
}

QString connName(const char* what, const benchmark::State& state) {
    return QStringLiteral("%1-%2").arg(QLatin1String(what)).arg(state.thread_index());
}

// ---------------------------------------------------------------- numbering

// Runs once() per iteration and adds "wall_items_per_second": all threads' items over the wall
// clock from the first thread's start to the last thread's end. Benchmark's own rate divides by
// the threads' average time, which flatters an unfair lock (most threads done early, one starved).
template <class F>
void timedLoop(benchmark::State& state, F&& once) {
    static std::atomic<int64_t> first, last;
    static std::atomic<int> done;
    const auto nowNs = [] {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    if (state.thread_index() == 0) {  // before the start barrier of the loop: no other thread is past it
        first = INT64_MAX;
        last = 0;
        done = 0;
    }
    bool started = false;
    for (auto _ : state) {
        if (!started) {
            started = true;
            int64_t t = nowNs(), seen = first.load();
            while (t < seen && !first.compare_exchange_weak(seen, t)) {
            }
        }
        once();
    }
    int64_t t = nowNs(), seen = last.load();
    while (t > seen && !last.compare_exchange_weak(seen, t)) {
    }
    state.SetItemsProcessed(state.iterations());
    if (done.fetch_add(1) + 1 == state.threads() && last > first)
        state.counters["wall_items_per_second"] =
            double(state.iterations()) * state.threads() / (double(last - first) / 1e9);
}

// Every number taken and every save updates the same few rows of the work database (the
// counters, the booking's and the party's kept sums). The test server runs without autovacuum,
// so their dead versions piled up through a run and whichever benchmark ran later paid for the
// earlier ones (a save 2.4 ms alone, 17 ms at the end of a run): each starts from its tables
// vacuumed, by its first thread before the others pass the loop's start barrier.
void settleWork(const benchmark::State& state) {
    if (state.thread_index() != 0 || !usePostgres())
        return;
    NativePg c(workTarget().pgConninfo);
    const std::string tables =
        c.exec("SELECT string_agg(quote_ident(tablename), ', ') FROM pg_tables WHERE schemaname = current_schema()")
            .at(0, 0);
    c.exec("VACUUM " + tables);
}

void numbering(benchmark::State& state) {
    settleWork(state);
    try {
        auto db = workTarget().connect(connName("num", state));
        Numbering n(*db);
        timedLoop(state, [&] { benchmark::DoNotOptimize(n.next(QStringLiteral("BENCHNO"))); });
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

// ---------------------------------------------------------------- paired save

Document receipt() {
    Document d;
    d.code = QStringLiteral("FRDB01");
    d.booking = kBooking;
    d.amount = Money::fromPaise(kReceiptPaise);
    d.columns = {
        {QStringLiteral("DOC_DATE"), QDateTime(QDate::currentDate(), QTime(0, 0))},
        {QStringLiteral("DOC_DESC"), QStringLiteral("RECEIPT AGAINST BOOKING")},
        {QStringLiteral("PARTY_CODE"), kParty},
        {QStringLiteral("TO_ACC"), QStringLiteral("FRDB01")},
        {QStringLiteral("PAY_MODEID"), 2},
        {QStringLiteral("TO_BANKID"), 3},
        {QStringLiteral("BANK_ID"), 4},
        {QStringLiteral("INSTR_NO"), QStringLiteral("004711")},
        {QStringLiteral("GRAND_TOTAL"), Money::fromPaise(kReceiptPaise).toVariant()},
        {QStringLiteral("AMT_INWORDS"), QStringLiteral("TWELVE THOUSAND THREE HUNDRED FORTY SIX Rupees Only /-")},
        {QStringLiteral("REMARKS"), QStringLiteral("BENCH")},
    };
    d.pairColumns = {{QStringLiteral("TO_ACC"), QStringLiteral("FRCR01")}};
    return d;
}

void saveProgram(benchmark::State& state) {
    settleWork(state);
    try {
        auto db = workTarget().connect(connName("save", state));
        TransactionRecords tr(*db, QString::fromLatin1(kUser));
        const Document d = receipt();
        const QString count =
            QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE IN ('FRDB01','FRCR01')");
        const qint64 rowsBefore = db->scalar(count).toLongLong();
        const int before = db->statementsRun();
        timedLoop(state, [&] { benchmark::DoNotOptimize(tr.save(d)); });
        // Statements through Database::exec per save; above the single-connection figure when
        // transactions were retried.
        state.counters["stmts_per_save"] =
            benchmark::Counter(double(db->statementsRun() - before) / double(std::max<int64_t>(1, state.iterations())),
                               benchmark::Counter::kAvgThreads);
        // Every save must have written both rows (the other threads add theirs meanwhile).
        const qint64 added = db->scalar(count).toLongLong() - rowsBefore;
        if (added < 2 * qint64(state.iterations()))
            throw std::runtime_error("saves lost rows: " + std::to_string(added) + " rows for " +
                                     std::to_string(state.iterations()) + " saves");
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

// The same rows as TransactionRecords::save writes for the receipt above, in its column order.
const char* const kCounterUpsert =
    "INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES (?, 1) ON CONFLICT (CODE) DO UPDATE SET COUNTER = "
    "MST_COUNTER.COUNTER + 1";
const char* const kCounterRead = "SELECT COUNTER FROM MST_COUNTER WHERE CODE=?";
const char* const kReceiptInsert =
    "INSERT INTO M_TBL_TRANSACTION (DOC_CODE,DOC_NO,CREATED_BY,CREATED_ON,DOC_DATE,DOC_DESC,PARTY_CODE,TO_ACC,"
    "PAY_MODEID,TO_BANKID,BANK_ID,INSTR_NO,GRAND_TOTAL,AMT_INWORDS,REMARKS,DB_AMT,CR_AMT,DOC_STATUS,UPDATE_BY,"
    "UPDATE_ON,IN_DOCCODE,IN_DOCNO) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

struct ReceiptRow {
    const char* code;
    const char* debit;
    const char* credit;
};
const ReceiptRow kRows[2] = {{"FRDB01", "12345.50", "0.00"}, {"FRCR01", "0.00", "12345.50"}};

void saveNativeSqlite(benchmark::State& state) {
    settleWork(state);
    NativeSqlite s(workTarget().sqlitePath);
    SqliteStmt begin(s.get(), "BEGIN IMMEDIATE"), commit(s.get(), "COMMIT");
    SqliteStmt upsert(s.get(), kCounterUpsert), read(s.get(), kCounterRead), insert(s.get(), kReceiptInsert);
    const std::string date =
        QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString() + " 00:00:00.000";
    int64_t retries = 0;
    const auto save = [&] {
        begin.reset();
        begin.step();
        upsert.reset();
        upsert.bind(1, "FRDB01");
        upsert.step();
        read.reset();
        read.bind(1, "FRDB01");
        read.step();
        const qint64 no = sqlite3_column_int64(read.get(), 0);
        read.reset();
        const std::string now = nowText();
        for (const ReceiptRow& r : kRows) {
            insert.reset();
            insert.bind(1, r.code);
            insert.bind(2, no);
            insert.bind(3, kUser);
            insert.bind(4, now);
            insert.bind(5, date);
            insert.bind(6, "RECEIPT AGAINST BOOKING");
            insert.bind(7, kParty);
            insert.bind(8, r.code);
            insert.bind(9, qint64(2));
            insert.bind(10, qint64(3));
            insert.bind(11, qint64(4));
            insert.bind(12, "004711");
            insert.bind(13, "12345.50");
            insert.bind(14, "TWELVE THOUSAND THREE HUNDRED FORTY SIX Rupees Only /-");
            insert.bind(15, "BENCH");
            insert.bind(16, r.debit);
            insert.bind(17, r.credit);
            insert.bind(18, "APPRV");
            insert.bind(19, kUser);
            insert.bind(20, now);
            insert.bind(21, "CBPT01");
            insert.bind(22, kBooking);
            insert.step();
        }
        commit.reset();
        commit.step();
    };
    bool failed = false;
    timedLoop(state, [&] {
        if (failed)
            return;
        try {
            // Like Database::transact: a lock held past the busy timeout rolls back and retries.
            for (;;) {
                try {
                    save();
                    break;
                } catch (const SqliteBusy&) {
                    for (SqliteStmt* st : {&begin, &upsert, &read, &insert, &commit})
                        st->reset();
                    sqlite3_exec(s.get(), "ROLLBACK", nullptr, nullptr, nullptr);
                    ++retries;
                }
            }
        } catch (const std::exception& e) {
            sqlite3_exec(s.get(), "ROLLBACK", nullptr, nullptr, nullptr);
            reportError(state, e);
            failed = true;
        }
    });
    state.counters["retries"] = benchmark::Counter(double(retries));
}

void saveNativePg(benchmark::State& state) {
    settleWork(state);
    NativePg c(workTarget().pgConninfo);
    c.prepare("upsert", pgPlaceholders(kCounterUpsert));
    c.prepare("read", pgPlaceholders(kCounterRead));
    c.prepare("insert", pgPlaceholders(kReceiptInsert));
    const std::string date = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString() + " 00:00:00";
    const std::string party = std::to_string(kParty), booking = std::to_string(kBooking);
    bool failed = false;
    timedLoop(state, [&] {
        if (failed)
            return;
        try {
            c.exec("BEGIN");
            c.execPrepared("upsert", {"FRDB01"});
            const std::string no = c.execPrepared("read", {"FRDB01"}).at(0, 0);
            const std::string now = nowText();
            for (const ReceiptRow& r : kRows) {
                c.execPrepared("insert", {r.code,        no.c_str(),
                                          kUser,         now.c_str(),
                                          date.c_str(),  "RECEIPT AGAINST BOOKING",
                                          party.c_str(), r.code,
                                          "2",           "3",
                                          "4",           "004711",
                                          "12345.50",    "TWELVE THOUSAND THREE HUNDRED FORTY SIX Rupees Only /-",
                                          "BENCH",       r.debit,
                                          r.credit,      "APPRV",
                                          kUser,         now.c_str(),
                                          "CBPT01",      booking.c_str()});
            }
            c.exec("COMMIT");
        } catch (const std::exception& e) {
            PQclear(PQexec(c.get(), "ROLLBACK"));
            reportError(state, e);
            failed = true;
        }
    });
}

// ---------------------------------------------------------------- balances

template <class Query>
void balanceLoop(benchmark::State& state, size_t keys, Query&& query) {
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(query(i));
        i = (i + 1) % keys;
    }
    state.SetItemsProcessed(state.iterations());
}

void partyProgram(benchmark::State& state, bool listKnown) {
    try {
        const BigData& b = bigData();
        auto db = b.target.connect(QStringLiteral("bal"));
        TransactionRecords tr(*db, QString::fromLatin1(kUser));
        balanceLoop(state, b.parties.size(), [&](size_t i) {
            return listKnown ? tr.balanceOf(b.ldop, partyFilter(b.parties[i])).paise()
                             : tr.balance(QStringLiteral("LDOP"), partyFilter(b.parties[i])).paise();
        });
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

// One balance through a statement prepared once through Qt's ODBC driver: codes, then keys.
qint64 qtBalance(QSqlQuery& q, const QStringList& codes, const std::vector<qint64>& keys) {
    int n = 0;
    for (const QString& c : codes)
        q.bindValue(n++, c);
    for (qint64 k : keys)
        q.bindValue(n++, k);
    if (!q.exec() || !q.next())
        throw std::runtime_error(q.lastError().text().toStdString());
    const qint64 paise = q.value(0).toLongLong();
    q.finish();
    return paise;
}

// What a per-connection statement cache in Database would give: the balance statement
// prepared once through Qt's ODBC driver and executed again with new values.
void reusedQuery(benchmark::State& state, const std::string& sql, const QStringList& codes, size_t keys,
                 const std::function<std::vector<qint64>(size_t)>& keyAt) {
    try {
        const BigData& b = bigData();
        auto db = b.target.connect(QStringLiteral("bal"));
        QSqlQuery q(db->handle());
        q.setForwardOnly(true);
        if (!q.prepare(QString::fromStdString(sql)))
            throw std::runtime_error(q.lastError().text().toStdString());
        balanceLoop(state, keys, [&](size_t i) { return qtBalance(q, codes, keyAt(i)); });
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

void partyReused(benchmark::State& state, bool) {
    const BigData& b = bigData();
    reusedQuery(state, partyBalanceSql(b.ldop), b.ldop, b.parties.size(),
                [&](size_t i) { return std::vector<qint64>{b.parties[i]}; });
}

void bookingReused(benchmark::State& state, bool) {
    const BigData& b = bigData();
    reusedQuery(state, bookingBalanceSql(b.ptbal), bookingCodes(b.ptbal), b.bookings.size(), [&](size_t i) {
        return std::vector<qint64>{b.bookings[i].first, b.bookings[i].second};
    });
}

void partyNative(benchmark::State& state, bool reprepare) {
    try {
        const BigData& b = bigData();
        NativeBalance q(b.target, partyBalanceSql(b.ldop), b.ldop);
        balanceLoop(state, b.parties.size(), [&](size_t i) { return q.run({b.parties[i]}, reprepare); });
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

void partyNativeFormer(benchmark::State& state, bool) {
    try {
        const BigData& b = bigData();
        NativeBalance q(b.target, formerPartyBalanceSql(b.ldop.size()), b.ldop, false);
        balanceLoop(state, b.parties.size(), [&](size_t i) { return q.run({b.parties[i]}); });
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

void bookingNativeFormer(benchmark::State& state, bool) {
    try {
        const BigData& b = bigData();
        NativeBalance q(b.target, formerBookingBalanceSql(b.ptbal.size()), b.ptbal, false);
        balanceLoop(state, b.bookings.size(), [&](size_t i) {
            return q.run({b.bookings[i].first, b.bookings[i].second});
        });
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

void bookingProgram(benchmark::State& state, bool listKnown) {
    try {
        const BigData& b = bigData();
        auto db = b.target.connect(QStringLiteral("bal"));
        TransactionRecords tr(*db, QString::fromLatin1(kUser));
        balanceLoop(state, b.bookings.size(), [&](size_t i) {
            return listKnown ? tr.balanceOf(b.ptbal, bookingFilter(b.bookings[i])).paise()
                             : tr.balance(QStringLiteral("PTBAL"), bookingFilter(b.bookings[i])).paise();
        });
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

void bookingNative(benchmark::State& state, bool reprepare) {
    try {
        const BigData& b = bigData();
        NativeBalance q(b.target, bookingBalanceSql(b.ptbal), bookingCodes(b.ptbal));
        balanceLoop(state, b.bookings.size(), [&](size_t i) {
            return q.run({b.bookings[i].first, b.bookings[i].second}, reprepare);
        });
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

// Native, the program and Qt's own prepared query one after the other in the same process, a
// block of calls each, round after round; the median of the rounds' ratios is reported.
struct AlternatedBalance {
    std::vector<double> native, program, qt;  // microseconds per call
};
std::map<std::string, AlternatedBalance> alternatedBalances;

void alternateBalance(benchmark::State& state, bool booking) {
    const int rounds = std::max(1, qEnvironmentVariableIntValue("TARVIC_BENCH_ROUNDS") ?: 7);
    const int kCalls = scaled(2000, 20);
    try {
        const BigData& b = bigData();
        const QStringList& codes = booking ? b.ptbal : b.ldop;
        const std::string sql = booking ? bookingBalanceSql(codes) : partyBalanceSql(codes);
        const QStringList bound = booking ? bookingCodes(codes) : codes;
        const size_t keys = booking ? b.bookings.size() : b.parties.size();
        const auto keyAt = [&](size_t i) {
            return booking ? std::vector<qint64>{b.bookings[i].first, b.bookings[i].second}
                           : std::vector<qint64>{b.parties[i]};
        };
        const auto filterAt = [&](size_t i) {
            return booking ? bookingFilter(b.bookings[i]) : partyFilter(b.parties[i]);
        };
        NativeBalance native(b.target, sql, bound);
        auto db = b.target.connect(QStringLiteral("bal-alt"));
        TransactionRecords tr(*db, QString::fromLatin1(kUser));
        QSqlQuery q(db->handle());
        q.setForwardOnly(true);
        if (!q.prepare(QString::fromStdString(sql)))
            throw std::runtime_error(q.lastError().text().toStdString());
        size_t key = 0;
        const auto us = [&](const std::function<qint64(size_t)>& call) {
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < kCalls; ++i) {
                benchmark::DoNotOptimize(call(key));
                key = (key + 1) % keys;
            }
            return t.nsecsElapsed() / 1e3 / kCalls;
        };
        AlternatedBalance& a = alternatedBalances[booking ? "booking balance PTBAL" : "party balance LDOP"];
        for (auto _ : state) {
            for (int r = 0; r < rounds; ++r) {
                // The same keys for all three, each round started by another of them, so that
                // none always meets the pages the one before it warmed.
                const size_t start = key;
                for (int k = 0; k < 3; ++k) {
                    key = start;
                    const int which = (r + k) % 3;
                    if (which == 0)
                        a.native.push_back(us([&](size_t i) { return native.run(keyAt(i)); }));
                    else if (which == 1)
                        a.program.push_back(us([&](size_t i) { return tr.balanceOf(codes, filterAt(i)).paise(); }));
                    else
                        a.qt.push_back(us([&](size_t i) { return qtBalance(q, bound, keyAt(i)); }));
                }
            }
        }
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

void printAlternatedBalances() {
    for (const auto& [what, a] : alternatedBalances)
        headline(what + ", median of alternated rounds", median(a.program) / 1e3, median(a.native) / 1e3, 1.15,
                 medianRatio(a.program, a.native));
    for (const auto& [what, a] : alternatedBalances)
        std::printf(
            "%s, alternated over %zu rounds (medians): native %.1f us, program %.1f us (%.2fx, target "
            "1.15x), Qt query prepared once %.1f us (%.2fx)\n",
            what.c_str(), a.native.size(), median(a.native), median(a.program), medianRatio(a.program, a.native),
            median(a.qt), medianRatio(a.qt, a.native));
}

// ---------------------------------------------------------------- summary

// Keeps every run's rate for the table printed at the end: with repetitions, the best one,
// since a machine shared with other work only ever makes a run slower.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;
    std::map<std::string, double> rate;  // "name/threads" -> items per second
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.error_occurred)
                failRun(r.benchmark_name(), r.error_message);
            if (r.error_occurred || r.run_type != Run::RT_Iteration)
                continue;
            auto it = r.counters.find("wall_items_per_second");
            if (it == r.counters.end())
                it = r.counters.find("items_per_second");
            if (it != r.counters.end()) {
                double& best = rate[r.run_name.function_name + "/" + std::to_string(r.threads)];
                best = std::max(best, double(it->second.value));
            }
        }
        // With repetitions, the console shows the median of each benchmark only.
        std::vector<Run> shown;
        const bool repeated =
            std::any_of(runs.begin(), runs.end(), [](const Run& r) { return r.run_type == Run::RT_Aggregate; });
        for (const Run& r : runs) {
            if (!repeated || r.error_occurred || r.aggregate_name == "median")
                shown.push_back(r);
        }
        if (!shown.empty())
            ConsoleReporter::ReportRuns(shown);
    }
    double get(const std::string& key) const {
        const auto it = rate.find(key);
        return it == rate.end() ? 0.0 : it->second;
    }
};

void printSummary(const SummaryReporter& rep) {
    std::printf("\n== TARVIC data foundation, engine %s ==\n", usePostgres() ? "PostgreSQL" : "SQLite");
    std::printf("%-44s %12s %12s %10s %10s %7s %7s\n", "measure", "program/s", "native/s", "program us", "native us",
                "ratio", "target");
    auto line = [&](const char* what, const std::string& program, const std::string& native, double target) {
        const double p = rep.get(program), n = rep.get(native);
        if (p <= 0) {
            std::printf("%-44s %12s\n", what, "not run");
            return;
        }
        if (native.empty() || n <= 0) {
            std::printf("%-44s %12.0f %12s %10.1f\n", what, p, "-", 1e6 / p);
            return;
        }
        const double ratio = n / p;  // program time over native time
        if (target > 0)
            headline(what, 1e3 / p, 1e3 / n, target);
        std::printf("%-44s %12.0f %12.0f %10.1f %10.1f %7.2f %7s %s\n", what, p, n, 1e6 / p, 1e6 / n, ratio,
                    target > 0 ? ("<=" + std::to_string(target).substr(0, 4)).c_str() : "",
                    target > 0 ? (ratio <= target ? "met" : "MISSED") : "");
    };
    line("numbers taken, 1 connection", "numbering/next/1", "", 0);
    line("numbers taken, 8 connections", "numbering/next/8", "", 0);
    line("paired saves FRDB01/FRCR01, 1 connection", "save/program/1", "save/native/1", 1.3);
    line("paired saves FRDB01/FRCR01, 8 connections", "save/program/8", "save/native/8", 1.3);
    line("party balance LDOP, balance()", "balance/party/program/1", "balance/party/native/1", 1.15);
    line("  same, balanceOf() with the list known", "balance/party/program-list-known/1", "balance/party/native/1", 0);
    line("  native, statement parsed every call", "balance/party/native-reprepare/1", "balance/party/native/1", 0);
    line("  Qt/ODBC query prepared once (no list read)", "balance/party/qt-prepared-once/1", "balance/party/native/1",
         0);
    line("  native, the former rupee SUM statement", "balance/party/native-former/1", "balance/party/native/1", 0);
    line("booking balance PTBAL, balance()", "balance/booking/program/1", "balance/booking/native/1", 1.15);
    line("  same, balanceOf() with the list known", "balance/booking/program-list-known/1", "balance/booking/native/1",
         0);
    line("  native, statement parsed every call", "balance/booking/native-reprepare/1", "balance/booking/native/1", 0);
    line("  Qt/ODBC query prepared once (no list read)", "balance/booking/qt-prepared-once/1",
         "balance/booking/native/1", 0);
    line("  native, the former rupee SUM statement", "balance/booking/native-former/1", "balance/booking/native/1", 0);
    std::printf(
        "ratio = program time / native time per item, best repetition of each; with several connections the\n"
        "rate is over the wall clock of all of them. Targets are reported, not enforced.\n");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // As the program does at its start (src/app/main.cpp): the time zone read once, not per moment.
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
    // The listing benchmark shows a real window, on no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool pg = usePostgres();
    if (pg && qEnvironmentVariable("TARVIC_TEST_PG").isEmpty()) {
        std::fprintf(stderr, "TARVIC_TEST_ENGINE=pg needs TARVIC_TEST_PG=\"host=... port=...\"\n");
        return 2;
    }
    std::fprintf(stderr, "[bench] engine %s\n", pg ? "PostgreSQL" : "SQLite");

    // A smoke run only proves that every benchmark runs and reads what it wrote.
    const double minTime = smokeRun() ? 0.01 : 1.0;
    for (int threads : {1, 8}) {
        benchmark::RegisterBenchmark("numbering/next", numbering)->Threads(threads)->UseRealTime()->MinTime(minTime);
        benchmark::RegisterBenchmark("save/program", saveProgram)
            ->Threads(threads)
            ->UseRealTime()
            ->MinTime(2 * minTime);
        benchmark::RegisterBenchmark("save/native", pg ? saveNativePg : saveNativeSqlite)
            ->Threads(threads)
            ->UseRealTime()
            ->MinTime(2 * minTime);
    }
    auto balance = [minTime](const char* name, auto fn, bool flag) {
        benchmark::RegisterBenchmark(name, [fn, flag](benchmark::State& s) { fn(s, flag); })
            ->UseRealTime()
            ->MinTime(minTime)
            ->Unit(benchmark::kMicrosecond);
    };
    balance("balance/party/native", partyNative, false);
    balance("balance/party/program", partyProgram, false);
    balance("balance/party/program-list-known", partyProgram, true);
    balance("balance/party/native-reprepare", partyNative, true);
    balance("balance/party/qt-prepared-once", partyReused, false);
    balance("balance/party/native-former", partyNativeFormer, false);
    balance("balance/booking/native", bookingNative, false);
    balance("balance/booking/program", bookingProgram, false);
    balance("balance/booking/program-list-known", bookingProgram, true);
    balance("balance/booking/native-reprepare", bookingNative, true);
    balance("balance/booking/qt-prepared-once", bookingReused, false);
    balance("balance/booking/native-former", bookingNativeFormer, false);
    for (bool booking : {false, true})
        benchmark::RegisterBenchmark(booking ? "balance/alternate/booking" : "balance/alternate/party",
                                     [booking](benchmark::State& s) { alternateBalance(s, booking); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    registerLedgerBenchmarks();
#ifndef TARVIC_BENCH_DATA_ONLY
    registerListingBenchmarks();
    registerLeadBenchmarks();
    registerGstBenchmarks();
    registerBoardBenchmarks();
    registerWindowBenchmarks();
#endif

    SummaryReporter reporter(isatty(fileno(stdout)) ? benchmark::ConsoleReporter::OO_ColorTabular
                                                    : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter);
    printAlternatedBalances();
    printLedgerSummary();
#ifndef TARVIC_BENCH_DATA_ONLY
    printListingSummary();
    printLeadSummary();
    printGstSummary();
    printBoardSummary();
    printWindowSummary();
#endif
    printHeadlines();
    std::fflush(stdout);
#ifndef TARVIC_BENCH_DATA_ONLY
    releaseListingData();
    releaseLeadData();
    releaseGstData();
    releaseWindowData();
#endif
    workDb.reset();  // drops the fresh PostgreSQL database while Qt is still up
    if (!failures().empty()) {
        std::printf("\n== FAILED: %zu benchmark(s) measured nothing; no figure above stands for them ==\n",
                    failures().size());
        for (const std::string& f : failures())
            std::printf("  %s\n", f.c_str());
        return 1;
    }
    return 0;
}
