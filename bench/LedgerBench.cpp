#include "LedgerBench.h"

#include "BenchSupport.h"
#include "Replay.h"
#include "data/Moments.h"
#include "data/RowReader.h"
#include "engine/accounts/LedgerQueries.h"
#ifndef TARVIC_BENCH_DATA_ONLY
#include "accounts/PartyLedger.h"
#include "shell/Prompter.h"
#include "shell/Session.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#endif

#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace tarvic::bench {

namespace {

// A party of its own beside the generated ones (whose ledgers hold a few hundred rows each),
// so that the balance benchmarks' keys keep their rows.
constexpr qint64 kLedgerParty = 2001;
const int kLedgerRows = scaled(10000, 50);
constexpr qint64 kFirstNo = 90000001;
const QDate kFrom(2020, 1, 1);
const QDate kTo(2027, 12, 31);

BigData data;
std::once_flag once;
BestFigures figures;

// Names and types for every party, and the ledger party's 10,000 adjustments, once.
void topUp(const BigData& b) {
    auto db = b.target.connect(QStringLiteral("ledger-setup"));
    if (db->scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE PARTY_CODE=?"), {kLedgerParty})
            .toLongLong() >= kLedgerRows)
        return;
    QElapsedTimer t;
    t.start();
    db->transact([&] {
        db->exec(QStringLiteral("DELETE FROM M_TBL_TRANSACTION WHERE PARTY_CODE=?"), {kLedgerParty});
        if (db->scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_PARTY")).toLongLong() == 0) {
            for (int type = 1; type <= 2; ++type)
                db->exec(QStringLiteral("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (?, ?)"),
                         {type, type == 1 ? QStringLiteral("CUSTOMER") : QStringLiteral("SUPPLIER")});
            for (qint64 p = 1; p <= kLedgerParty; ++p)
                db->exec(
                    QStringLiteral("INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, PARTYTYPE_CODE) VALUES (?, ?, ?)"),
                    {p, QStringLiteral("PARTY NUMBER %1").arg(p), p <= 1600 ? 1 : 2});
        }
        for (int i = 0; i < kLedgerRows; ++i) {
            const bool debit = i % 3 != 0;
            const QString amount = Money::fromPaise(100000 + i * 37).toString();
            db->exec(QStringLiteral("INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_DATE, DOC_DESC, IN_DOCCODE, "
                                    "IN_DOCNO, PARTY_CODE, DB_AMT, CR_AMT, DOC_STATUS, CREATED_BY, CREATED_ON) "
                                    "VALUES ('FAAN01', ?, ?, 'LEDGER BENCH ADJUSTMENT', 'CBPT01', ?, ?, ?, ?, 'APPRV', "
                                    "'BENCH', ?)"),
                     {kFirstNo + i, dateToDb(QDate(2020, 1, 1).addDays(i / 5)), qint64(1 + i % 1000), kLedgerParty,
                      debit ? amount : QStringLiteral("0"), debit ? QStringLiteral("0") : amount,
                      QDateTime(QDate(2024, 1, 1), QTime(9, 0))});
        }
    });
    if (usePostgres())
        db->exec(QStringLiteral("ANALYZE M_TBL_TRANSACTION"));
    else
        db->exec(QStringLiteral("ANALYZE"));
    std::fprintf(stderr, "[bench] ledger party written in %.1f s\n", t.elapsed() / 1000.0);
}

const BigData& big() {
    std::call_once(once, [] {
        data = prepareBigData();
        topUp(data);
    });
    return data;
}

// The two statements exactly as the windows run them, whole (no paging).
ListQuery ledgerQuery(const BigData& b) {
    ListQuery q = ledger::entries({b.ldop, kLedgerParty, kFrom, kTo});
    q.statement = q.with(ledger::kEntrySelect) + QStringLiteral(" ORDER BY ") + ledger::kEntryOrder;
    return q;
}
ListQuery outstandingQuery(const BigData& b) {
    const ledger::Outstanding o =
        ledger::outstanding(Dialect(), QStringLiteral("LDOP"), b.ldop, QStringLiteral("DB"), false);
    return {o.query.with(o.select) + (o.groupBy.isEmpty() ? QString() : QStringLiteral(" GROUP BY ") + o.groupBy) +
                QStringLiteral(" ORDER BY ") + o.orderBy,
            o.query.values};
}

// Every value of every row, as text: what a grid needs of each cell.
qint64 programRead(Database& db, const ListQuery& q) {
    QSqlQuery r = db.exec(q.statement, q.values);
    qint64 rows = 0;
    const int columns = r.record().count();
    while (r.next()) {
        for (int c = 0; c < columns; ++c)
            benchmark::DoNotOptimize(r.value(c).toString());
        ++rows;
    }
    return rows;
}

// The same through the block reader: what the windows' grids and the export use.
qint64 blockRead(Database& db, const ListQuery& q) {
    RowReader r(db, q.statement, q.values);
    qint64 rows = 0;
    const int columns = r.columnCount();
    while (r.next()) {
        for (int c = 0; c < columns; ++c)
            benchmark::DoNotOptimize(r.value(c).toString());
        ++rows;
    }
    return rows;
}

// Every value of every row as text, through the engine's own client library.
qint64 nativeRead(const BigData& b, const ListQuery& q) {
    static NativeReplay native(b.target);
    return native.run({{q.statement, q.values}});
}

void timed(benchmark::State& state, const char* key, const std::function<qint64()>& run) {
    try {
        for (auto _ : state) {
            QElapsedTimer t;
            t.start();
            const qint64 rows = run();
            const double ms = t.nsecsElapsed() / 1e6;
            if (rows <= 0)
                throw BenchFailure(std::string(key) + " read no rows");
            state.counters["rows"] = double(rows);
            figures.keep(key, ms);
        }
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

void ledgerProgram(benchmark::State& state) {
    const BigData& b = big();
    auto db = b.target.connect(QStringLiteral("ledger"));
    timed(state, "ledger program", [&] { return programRead(*db, ledgerQuery(b)); });
}
// What the export reads through: the block reader.
void ledgerBlocks(benchmark::State& state) {
    const BigData& b = big();
    auto db = b.target.connect(QStringLiteral("ledger-blocks"));
    timed(state, "ledger blocks", [&] { return blockRead(*db, ledgerQuery(b)); });
}
void ledgerNative(benchmark::State& state) {
    const BigData& b = big();
    timed(state, "ledger native", [&] { return nativeRead(b, ledgerQuery(b)); });
}
void outstandingProgram(benchmark::State& state) {
    const BigData& b = big();
    auto db = b.target.connect(QStringLiteral("outstanding"));
    timed(state, "outstanding program", [&] { return programRead(*db, outstandingQuery(b)); });
}
void outstandingNative(benchmark::State& state) {
    const BigData& b = big();
    timed(state, "outstanding native", [&] { return nativeRead(b, outstandingQuery(b)); });
}

// Native, row by row and in blocks, one after the other in the same process, round after round:
// a busy moment of the shared machine then slows all three alike, and the median of each
// round's ratio is what is reported.
struct Alternated {
    std::vector<double> native, rowByRow, blocks;
};
std::map<std::string, Alternated> alternated;

void alternate(benchmark::State& state, const std::string& key, const std::function<ListQuery(const BigData&)>& make) {
    const int rounds = std::max(1, qEnvironmentVariableIntValue("TARVIC_BENCH_ROUNDS") ?: 7);
    try {
        const BigData& b = big();
        const ListQuery q = make(b);
        auto db = b.target.connect(QStringLiteral("alternate"));
        const auto ms = [](const std::function<qint64()>& run) {
            QElapsedTimer t;
            t.start();
            run();
            return t.nsecsElapsed() / 1e6;
        };
        // The three ways must read the same rows, and some, or the figures compare nothing.
        const qint64 rows = nativeRead(b, q);
        if (rows <= 0 || programRead(*db, q) != rows || blockRead(*db, q) != rows)
            throw BenchFailure(key + ": the program and the native read differ in rows, or read none");
        Alternated& a = alternated[key];
        for (auto _ : state) {
            for (int i = 0; i < rounds; ++i) {
                // Each round starts with another of the three, so that none always meets the
                // pages the one before it warmed.
                for (int k = 0; k < 3; ++k) {
                    switch ((i + k) % 3) {
                        case 0:
                            a.native.push_back(ms([&] { return nativeRead(b, q); }));
                            break;
                        case 1:
                            a.rowByRow.push_back(ms([&] { return programRead(*db, q); }));
                            break;
                        default:
                            a.blocks.push_back(ms([&] { return blockRead(*db, q); }));
                    }
                }
            }
        }
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

#ifndef TARVIC_BENCH_DATA_ONLY
// The party ledger window with the ledger party and its whole period typed, as its user leaves it
// before pressing SHOW.
struct LedgerWindow {
    ScriptedPrompter prompter;
    Session session;
    std::unique_ptr<PartyLedger> w;
    explicit LedgerWindow(Database& db) {
        session.db = &db;
        session.prompter = &prompter;
        session.userFullName = QStringLiteral("BENCH");
        session.loginId = 1;
        w = std::make_unique<PartyLedger>(PartyLedgerConfig::party(), session);
        w->txt_PartyCode->setText(QString::number(kLedgerParty));
        w->txt_FromDate->setDate(kFrom);
        w->txt_ToDate->setDate(kTo);
    }
};

// The ledger exported whole as its window's export button writes it (the tab-separated sheet),
// the file read back: a header line and one line per entry, or the figure measured nothing.
void ledgerExport(benchmark::State& state) {
    try {
        const BigData& b = big();
        auto db = b.target.connect(QStringLiteral("ledger-export"));
        LedgerWindow window(*db);
        PartyLedger& w = *window.w;
        w.Load_Grid();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ledger.xls"));
        for (auto _ : state) {
            QElapsedTimer t;
            t.start();
            exportModel(*w.Grid1->queryModel(), path, false);
            const double ms = t.nsecsElapsed() / 1e6;
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                throw BenchFailure("the ledger export wrote no file");
            const qint64 lines = f.readAll().count("\r\n");
            if (lines != kLedgerRows + 1)
                throw BenchFailure("the ledger export wrote " + std::to_string(lines - 1) + " of " +
                                   std::to_string(kLedgerRows) + " entries");
            state.counters["rows"] = double(lines - 1);
            figures.keep("ledger export", ms);
        }
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}
#endif

// The ledger window filled, alternated with the native side (see windowFill).
struct WindowFill {
    std::vector<double> native, program;
} filled;

#ifndef TARVIC_BENCH_DATA_ONLY
// The window as its user fills it: the party and the dates given, SHOW pressed. Load_Grid runs
// the first page of entries, their count (the grid's size without reading them) and the two
// totals, and lays the page out; the native side runs the same four statements and reads every
// row they return.
std::vector<ListQuery> windowStatements(const BigData& b, int pageSize) {
    const ledger::LedgerRange range{b.ldop, kLedgerParty, kFrom, kTo};
    const ListQuery e = ledger::entries(range);
    const ListQuery all = ledger::ledgerTotals(range, false), period = ledger::ledgerTotals(range, true);
    return {{e.with(ledger::kEntrySelect) + QStringLiteral(" ORDER BY ") + ledger::kEntryOrder +
                 QStringLiteral(" LIMIT %1 OFFSET 0").arg(pageSize),
             e.values},
            {e.with(QStringLiteral("COUNT(*)")), e.values},
            {all.with(ledger::kTotalsSelect), all.values},
            {period.with(ledger::kTotalsSelect), period.values}};
}

void windowFill(benchmark::State& state) {
    const int rounds = std::max(1, qEnvironmentVariableIntValue("TARVIC_BENCH_ROUNDS") ?: 7);
    try {
        const BigData& b = big();
        auto db = b.target.connect(QStringLiteral("ledger-window"));
        LedgerWindow window(*db);
        PartyLedger& w = *window.w;
        ScriptedPrompter& prompter = window.prompter;
        const std::vector<ListQuery> statements = windowStatements(b, w.Grid1->queryModel()->pageSize());
        const auto ms = [](const std::function<void()>& run) {
            QElapsedTimer t;
            t.start();
            run();
            return t.nsecsElapsed() / 1e6;
        };
        const auto program = [&] {
            const int before = db->statementsRun();
            w.Load_Grid();
            QApplication::processEvents();
            if (w.Grid1->rowCount() != kLedgerRows || !prompter.messages.isEmpty())
                throw BenchFailure("the ledger window showed " + std::to_string(w.Grid1->rowCount()) + " of " +
                                   std::to_string(kLedgerRows) + " rows");
            state.counters["statements"] = db->statementsRun() - before;
        };
        program();  // the party's name looked up once, as after the user's Enter
        for (auto _ : state) {
            for (int i = 0; i < rounds; ++i) {
                for (int k = 0; k < 2; ++k) {
                    if ((i + k) % 2 == 0)
                        filled.native.push_back(ms([&] {
                            for (const ListQuery& q : statements)
                                nativeRead(b, q);
                        }));
                    else
                        filled.program.push_back(ms(program));
                }
            }
        }
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}
#endif

}  // namespace

void registerLedgerBenchmarks() {
#ifndef TARVIC_BENCH_DATA_ONLY
    benchmark::RegisterBenchmark("ledger/window/party", windowFill)->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ledger/party/export", ledgerExport)->Iterations(5)->Unit(benchmark::kMillisecond);
#endif
    benchmark::RegisterBenchmark("ledger/alternate/party",
                                 [](benchmark::State& s) { alternate(s, "party", ledgerQuery); })
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ledger/alternate/outstanding",
                                 [](benchmark::State& s) { alternate(s, "outstanding", outstandingQuery); })
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    for (auto [name, fn] : {std::pair{"ledger/party/native", &ledgerNative},
                            {"ledger/party/program", &ledgerProgram},
                            {"ledger/party/blocks", &ledgerBlocks},
                            {"ledger/outstanding/native", &outstandingNative},
                            {"ledger/outstanding/program", &outstandingProgram}})
        benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond)->Iterations(5);
}

void printLedgerSummary() {
    if (figures.empty() && alternated.empty() && filled.native.empty())
        return;
    std::printf("\n== Ledgers over a million rows, engine %s (best run; target within 1.3x native) ==\n",
                usePostgres() ? "PostgreSQL" : "SQLite");
    figures.printTime("party ledger, 10,000 rows read whole, Qt row by row", figures.get("ledger program"),
                      figures.get("ledger native"));
    figures.printTime("  the same in blocks (the export's reader)", figures.get("ledger blocks"),
                      figures.get("ledger native"));
    figures.printTime("  the same exported by the window to its sheet file", figures.get("ledger export"),
                      figures.get("ledger native"));
    // What the user waits for: every entry read, formatted and written to the file.
    headline("ledger exported whole to a sheet, best run", figures.get("ledger export"), figures.get("ledger native"),
             1.5);
    // The windows and the export read a list through the block reader, not row by row.
    if (const auto a = alternated.find("outstanding"); a != alternated.end())
        headline("outstanding list read whole in blocks, median of rounds", median(a->second.blocks),
                 median(a->second.native), 1.3, medianRatio(a->second.blocks, a->second.native));
    figures.printTime("  native", figures.get("ledger native"), 0);
    figures.printTime("outstanding list over 2,000 parties, Qt row by row", figures.get("outstanding program"),
                      figures.get("outstanding native"));
    figures.printTime("  native", figures.get("outstanding native"), 0);
    if (!filled.native.empty()) {
        const double bestNative = *std::min_element(filled.native.begin(), filled.native.end());
        const double bestProgram = *std::min_element(filled.program.begin(), filled.program.end());
        std::printf(
            "party ledger window filled (first page, its count, both totals), alternated over %zu "
            "rounds: medians native %.1f ms, program %.1f ms (%.2fx, target 1.3x); best %.1f / %.1f ms "
            "(%.2fx)\n",
            filled.native.size(), median(filled.native), median(filled.program),
            medianRatio(filled.program, filled.native), bestNative, bestProgram, bestProgram / bestNative);
        headline("party ledger window filled, median of alternated rounds", median(filled.program),
                 median(filled.native), 1.3, medianRatio(filled.program, filled.native));
    }
    for (const auto& [what, a] : alternated)
        std::printf(
            "%s, alternated over %zu rounds (medians): native %.1f ms, row by row %.1f ms (%.2fx), "
            "in blocks %.1f ms (%.2fx)\n",
            what.c_str(), a.native.size(), median(a.native), median(a.rowByRow), medianRatio(a.rowByRow, a.native),
            median(a.blocks), medianRatio(a.blocks, a.native));
}

}  // namespace tarvic::bench
