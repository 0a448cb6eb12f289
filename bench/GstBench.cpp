#include "GstBench.h"

#include "BenchSupport.h"
#include "GstMonth.h"
#include "TestDb.h"
#include "engine/gst/GstReturn.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace tarvic::bench {

namespace {

const int kInvoices = scaled(5000, 40);
constexpr double kTargetMs = 2000;

std::unique_ptr<test::TestDb> monthDb;
test::GstMonth written;
BestFigures figures;

test::TestDb& month() {
    if (!monthDb) {
        QElapsedTimer t;
        t.start();
        monthDb = std::make_unique<test::TestDb>();
        test::setUpGstBooks(monthDb->db());
        written = test::writeGstMonth(monthDb->db(), QDate(2026, 11, 1), kInvoices);
        std::printf("GST month of %d invoices written in %.1f s\n", kInvoices, t.elapsed() / 1000.0);
    }
    return *monthDb;
}

// The whole return: one statement over the month, every invoice placed. A return that lost an
// invoice, or placed one it should not have, fails the run: its time means nothing.
void buildMonth(benchmark::State& state) {
    try {
        Database& db = month().db();
        const gst::Period period = gst::Period::month(2026, 11);
        for (auto _ : state) {
            QElapsedTimer t;
            t.start();
            const gst::GstReturn r = gst::buildReturn(db, period);
            const double ms = t.nsecsElapsed() / 1e6;
            if (r.approvedRead != written.approved || r.invoicesInReturn() != written.approved ||
                !r.exceptions.isEmpty() || r.documents.issued != written.approved + written.cancelled)
                throw std::runtime_error("the return did not place every invoice it was given");
            figures.keep("build", ms);
            state.counters["invoices"] = double(r.approvedRead);
        }
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

}  // namespace

void registerGstBenchmarks() {
    benchmark::RegisterBenchmark("gst/return/month", buildMonth)->Unit(benchmark::kMillisecond)->Iterations(3);
}

void printGstSummary() {
    const double ms = figures.get("build");
    if (ms < 0)
        return;
    std::printf("\n== GST return of a month, %d invoices (%d approved), engine %s (best of 3) ==\n", kInvoices,
                written.approved, usePostgres() ? "PostgreSQL" : "SQLite");
    std::printf("%-52s %10.1f ms   target < %.0f ms: %s\n", "GSTR-1 and GSTR-3B built from the books", ms, kTargetMs,
                ms < kTargetMs ? "met" : "MISSED");
    headline("GST return of a month built", ms, 0, kTargetMs);
}

void releaseGstData() {
    monthDb.reset();
}

}  // namespace tarvic::bench
