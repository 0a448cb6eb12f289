#include "BoardBench.h"

#include "OfficeData.h"
#include "Replay.h"
#include "engine/dues/DueBoard.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace tarvic::bench {

namespace {

constexpr int kAdmin = 1;  // the demo's ADMIN consultant; the generated leads are his and the OPERATOR's
constexpr double kTargetMs = 1000;
constexpr double kTargetRatio = 1.3;

struct Figures {
    std::vector<double> program, native;  // ms per board
    size_t rows = 0;
    size_t statements = 0;
    std::vector<std::pair<double, QString>> slowest;  // native ms of each statement, slowest first
} figures;

// What the board must hold, counted apart from it: every lead whose follow-up date has come
// (none is closed, cancelled or locked in the office), and both consultants' rows.
void check(Database& db, const DueBoard& board, const QDate& today) {
    const int leads = db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE='BLFC01' "
                                               "AND FOLLOWUP_DT < ?"),
                                {today.addDays(1)})
                          .toInt();
    if (board.count(DueSection::LeadFollowUp) != leads)
        throw BenchFailure("the board shows " + std::to_string(board.count(DueSection::LeadFollowUp)) +
                           " leads to follow up of " + std::to_string(leads));
    if (board.rows.empty())
        throw BenchFailure("the board of the office is empty");
    if (smokeRun())
        return;
    for (DueSection s :
         {DueSection::Instalment, DueSection::SupplierDue, DueSection::TourStarting, DueSection::LeadFollowUp})
        if (board.count(s) == 0)
            throw BenchFailure("the board of the office shows no " + sectionName(s).toStdString());
    bool operatorRows = false;
    for (const DueRow& r : board.rows)
        operatorRows = operatorRows || r.consultant != kAdmin;
    if (!operatorRows)
        throw BenchFailure("the ADMIN board lacks the OPERATOR's rows");
}

void board(benchmark::State& state) {
    const int rounds = std::max(1, qEnvironmentVariableIntValue("TARVIC_BENCH_ROUNDS") ?: 5);
    try {
        const Office& office = bigOffice();
        auto db = office.target.connect(QStringLiteral("board"));
        const DueBoardQuery query{QDate::currentDate(), -1, kAdmin};
        std::vector<Statement> statements;
        {
            Recording recording;
            const DueBoard first = dueBoard(*db, query);
            statements = recording.statements();
            check(*db, first, query.today);
            figures.rows = first.rows.size();
        }
        figures.statements = statements.size();
        NativeReplay native(office.target);
        std::vector<double> each;
        const qint64 nativeRows = native.run(statements, &each);
        for (size_t i = 0; i < statements.size(); ++i)
            figures.slowest.emplace_back(each[i], statements[i].sql.simplified());
        std::sort(figures.slowest.rbegin(), figures.slowest.rend());
        if (nativeRows < qint64(figures.rows))
            throw BenchFailure("the board's statements read natively " + std::to_string(nativeRows) +
                               " rows, fewer than the board's " + std::to_string(figures.rows));
        for (auto _ : state) {
            for (int r = 0; r < rounds; ++r) {
                // Each round started by the other side in turn: neither always finds the pages warm.
                for (int k = 0; k < 2; ++k) {
                    QElapsedTimer t;
                    t.start();
                    if ((r + k) % 2 == 0) {
                        const DueBoard b = dueBoard(*db, query);
                        const double ms = t.nsecsElapsed() / 1e6;
                        if (b.rows.size() != figures.rows)
                            throw BenchFailure("the board changed between rounds");
                        requirePlausible("the TODAY board", ms, 0.5);
                        figures.program.push_back(ms);
                    } else {
                        if (native.run(statements) != nativeRows)
                            throw BenchFailure("the board's statements read other rows natively between rounds");
                        figures.native.push_back(t.nsecsElapsed() / 1e6);
                    }
                }
            }
        }
        state.counters["rows"] = double(figures.rows);
        state.counters["statements"] = double(figures.statements);
    } catch (const std::exception& e) {
        figures.program.clear();
        reportError(state, e);
    }
}

}  // namespace

void registerBoardBenchmarks() {
    benchmark::RegisterBenchmark("board/today/admin", board)->Iterations(1)->Unit(benchmark::kMillisecond);
}

void printBoardSummary() {
    if (figures.program.empty())
        return;
    const double program = median(figures.program), ratio = medianRatio(figures.program, figures.native);
    std::printf("\n== TODAY board of an ADMIN consultant, %d bookings, engine %s ==\n", bigOffice().units,
                usePostgres() ? "PostgreSQL" : "SQLite");
    std::printf(
        "%zu rows from %zu statements; median of %zu alternated rounds: program %.1f ms, native %.1f ms "
        "(%.2fx; targets < %.0f ms and <= %.2fx)\n",
        figures.rows, figures.statements, figures.program.size(), program, median(figures.native), ratio, kTargetMs,
        kTargetRatio);
    // Every statement, slowest first: where a board over its target spends its time.
    std::printf("where the native time goes (first run), statement by statement:\n");
    for (size_t i = 0; i < figures.slowest.size(); ++i)
        std::printf("  %9.1f ms  %s\n", figures.slowest[i].first, qPrintable(figures.slowest[i].second.left(150)));
    headline("TODAY board, ADMIN, all sections", program, 0, kTargetMs);
    headline("TODAY board, ADMIN, against native", program, median(figures.native), kTargetRatio, ratio);
}

}  // namespace tarvic::bench
