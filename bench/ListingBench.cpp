#include "ListingBench.h"

#include "BenchSupport.h"
#include "Replay.h"
#include "TestSession.h"
#include "masters/PartyWindows.h"
#include "masters/frm_LstPartyRegd.h"
#include "masters/frm_Search_Party.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <string>

namespace tarvic::bench {

namespace {

const int kParties = scaled(100000, 100);
const QDate kFrom(2000, 1, 1);
const QDate kTo(2030, 12, 31);

std::unique_ptr<test::TestSession> listing;
std::once_flag listingOnce;
BestFigures figures;  // best (lowest) of each measure

double rssMiB() {
    malloc_trim(0);
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The detail statement of the list exactly as the window runs it, without its paging.
QString detailSql() {
    return party::joinSelect(kPartyListColumns, QStringLiteral("(a.CREATED_ON >= ? AND a.CREATED_ON < ?)")) +
           QStringLiteral(" ORDER BY b.PARTY_TYPE, c.COUNTRY_NAME, d.STATE_NAME, e.PLACE_NAME, a.PARTY_CODE");
}

const char* const kTypes[] = {"AGENT",     "HOTEL",        "TRANSPORTER", "GUIDE",
                              "CORPORATE", "B2C CUSTOMER", "AIRLINE",     "RESTAURANT"};

// 100,000 parties over 8 types, 5 countries, 40 states and 400 places, registered over five
// years; written through the engine's own library.
void populate(test::TestSession& ts) {
    Database& db = ts.db();
    db.transact([&] {
        for (int t = 0; t < 8; ++t)
            db.exec(QStringLiteral("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (?, ?)"),
                    {t + 1, QString::fromLatin1(kTypes[t])});
        for (int c = 1; c <= 5; ++c) {
            db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (?, ?)"),
                    {c, QStringLiteral("COUNTRY %1").arg(c)});
            for (int s = 1; s <= 8; ++s) {
                db.exec(QStringLiteral(
                            "INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (?, ?, ?)"),
                        {c, s, QStringLiteral("STATE %1-%2").arg(c).arg(s)});
                for (int p = 1; p <= 10; ++p)
                    db.exec(
                        QStringLiteral("INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) "
                                       "VALUES (?, ?, ?, ?)"),
                        {c, s, p, QStringLiteral("PLACE %1-%2-%3").arg(c).arg(s).arg(p)});
            }
        }
    });
    const bool pg = usePostgres();
    auto row = [](int i, std::string* line, const char* nullText, const char* sep) {
        const int type = i % 8 + 1, country = i % 5 + 1, state = (i / 5) % 8 + 1, place = (i / 40) % 10 + 1;
        const QDateTime on = QDateTime(QDate(2020, 1, 1), QTime(9, 0)).addSecs(qint64(i) * 1571);
        const std::string moment = on.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString();
        char buf[1024];
        std::snprintf(buf, sizeof buf,
                      "%d%sPARTY NUMBER %d TRAVELS%sCONTACT %d%s98470%05d%sparty%d@example.in%s%d%s%d%s%d%s%d%s"
                      "secret%s%s%sBENCH USER%s%s%s%s%s%s",
                      i, sep, i, sep, i, sep, i, sep, i, sep, type, sep, country, sep, state, sep, place, sep, sep,
                      nullText, sep, sep, moment.c_str(), sep, nullText, sep, nullText);
        *line = buf;
    };
    const char* columns =
        "PARTY_CODE, PARTY_NAME, PERSON_NAME, MOBILE_NOS, EMAIL_ADD, PARTYTYPE_CODE, COUNTRY_CODE, "
        "STATE_CODE, PLACE_CODE, PARTY_PASSWORD, CFA, CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON";
    if (!pg) {
        NativeSqlite s(ts.t.sqlitePath().toStdString());
        s.exec("BEGIN");
        {
            SqliteStmt ins(s.get(), std::string("INSERT INTO M_TBL_PARTY (") + columns +
                                        ") VALUES (?,?,?,?,?,?,?,?,?,?,NULL,?,?,NULL,NULL)");
            for (int i = 1; i <= kParties; ++i) {
                const int type = i % 8 + 1, country = i % 5 + 1, state = (i / 5) % 8 + 1, place = (i / 40) % 10 + 1;
                const std::string moment = QDateTime(QDate(2020, 1, 1), QTime(9, 0))
                                               .addSecs(qint64(i) * 1571)
                                               .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
                                               .toStdString();
                ins.reset();
                ins.bind(1, qint64(i));
                ins.bind(2, "PARTY NUMBER " + std::to_string(i) + " TRAVELS");
                ins.bind(3, "CONTACT " + std::to_string(i));
                ins.bind(4, "98470" + std::to_string(10000 + i));
                ins.bind(5, "party" + std::to_string(i) + "@example.in");
                ins.bind(6, qint64(type));
                ins.bind(7, qint64(country));
                ins.bind(8, qint64(state));
                ins.bind(9, qint64(place));
                ins.bind(10, "secret");
                ins.bind(11, "BENCH USER");
                ins.bind(12, moment);
                ins.step();
            }
        }
        s.exec("COMMIT");
        s.exec("ANALYZE");
    } else {
        const QString dbName = ts.t.connectionString().overrides.section(QLatin1Char('='), 1);
        NativePg c(pgConninfo(dbName.toStdString()));
        c.exec(std::string("COPY M_TBL_PARTY (") + columns + ") FROM STDIN");
        std::string buf, line;
        for (int i = 1; i <= kParties; ++i) {
            row(i, &line, "\\N", "\t");
            buf += line + "\n";
            if (buf.size() > (1 << 20) || i == kParties) {
                if (PQputCopyData(c.get(), buf.data(), int(buf.size())) != 1)
                    throw std::runtime_error(PQerrorMessage(c.get()));
                buf.clear();
            }
        }
        if (PQputCopyEnd(c.get(), nullptr) != 1)
            throw std::runtime_error(PQerrorMessage(c.get()));
        while (PGresult* r = PQgetResult(c.get())) {
            const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
            const std::string text = PQresultErrorMessage(r);
            PQclear(r);
            if (!ok)
                throw std::runtime_error("COPY: " + text);
        }
        c.exec("VACUUM ANALYZE M_TBL_PARTY");
    }
}

test::TestSession& data() {
    std::call_once(listingOnce, [] {
        QElapsedTimer t;
        t.start();
        listing = std::make_unique<test::TestSession>();
        populate(*listing);
        std::fprintf(stderr, "[bench] %d parties written in %.1f s\n", kParties, t.elapsed() / 1000.0);
    });
    return *listing;
}

// A read that came back with fewer rows than were written measured nothing.
void requireAll(int64_t rows, const char* what) {
    if (rows != kParties)
        throw BenchFailure(std::string(what) + " read " + std::to_string(rows) + " of " + std::to_string(kParties) +
                           " parties");
}

// The same rows with their join, every value read as text, through the engine's library.
void nativeFetch(benchmark::State& state) {
    try {
        test::TestSession& ts = data();
        const std::string from = kFrom.startOfDay().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString();
        const std::string to =
            kTo.addDays(1).startOfDay().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString();
        int64_t rows = 0;
        if (!usePostgres()) {
            NativeSqlite s(ts.t.sqlitePath().toStdString());
            for (auto _ : state) {
                QElapsedTimer t;
                t.start();
                SqliteStmt q(s.get(), detailSql().toStdString());
                q.bind(1, from);
                q.bind(2, to);
                size_t bytes = 0;
                rows = 0;
                while (q.step()) {
                    for (int c = 0, n = sqlite3_column_count(q.get()); c < n; ++c)
                        if (const unsigned char* v = sqlite3_column_text(q.get(), c))
                            bytes += std::strlen(reinterpret_cast<const char*>(v));
                    ++rows;
                }
                benchmark::DoNotOptimize(bytes);
                requireAll(rows, "the native fetch");
                figures.keep("native", t.nsecsElapsed() / 1e6);
            }
        } else {
            NativePg c(pgConninfo(ts.t.connectionString().overrides.section(QLatin1Char('='), 1).toStdString()));
            for (auto _ : state) {
                QElapsedTimer t;
                t.start();
                PgResult r = c.execParams(pgPlaceholderText(detailSql()), {from.c_str(), to.c_str()});
                size_t bytes = 0;
                for (int i = 0; i < r.rows(); ++i)
                    for (int col = 0, n = PQnfields(r.get()); col < n; ++col)
                        bytes += std::strlen(r.at(i, col));
                rows = r.rows();
                benchmark::DoNotOptimize(bytes);
                requireAll(rows, "the native fetch");
                figures.keep("native", t.nsecsElapsed() / 1e6);
            }
        }
        state.counters["rows"] = double(rows);
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

// The floor under the listing: the same statement through Qt's ODBC driver, every value read
// as text, nothing kept.
void qtFetch(benchmark::State& state) {
    try {
        test::TestSession& ts = data();
        for (auto _ : state) {
            QElapsedTimer t;
            t.start();
            QSqlQuery q = ts.db().exec(detailSql(), {kFrom.startOfDay(), kTo.addDays(1).startOfDay()});
            qsizetype bytes = 0;
            int64_t rows = 0;
            const int columns = q.record().count();
            for (; q.next(); ++rows)
                for (int c = 0; c < columns; ++c)
                    bytes += q.value(c).toString().size();
            benchmark::DoNotOptimize(bytes);
            requireAll(rows, "the Qt fetch");
            figures.keep("qt fetch", t.nsecsElapsed() / 1e6);
        }
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

// Show pressed until both grids have painted their first screen; then the list exported whole
// as its export button writes it (the file read back); then a jump to the last screen.
void listingWindow(benchmark::State& state) {
    try {
        test::TestSession& ts = data();
        const double base = rssMiB();
        frm_LstPartyRegd w(ts.session);
        w.show();
        w.txt_FromDate->setDate(kFrom);
        w.txt_ToDate->setDate(kTo);
        QApplication::processEvents();
        double first = 0, all = 0, last = 0, rssFirst = 0, rssAll = 0;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("parties.xls"));
        for (auto _ : state) {
            QElapsedTimer t;
            t.start();
            w.Load_Grid();
            w.Grid1->viewport()->repaint();
            w.Grid2->viewport()->repaint();
            first = t.nsecsElapsed() / 1e6;
            rssFirst = rssMiB() - base;

            t.restart();
            exportModel(*w.detailModel(), path, false);
            all = t.nsecsElapsed() / 1e6;
            rssAll = rssMiB() - base;
            QFile written(path);
            if (!written.open(QIODevice::ReadOnly))
                throw BenchFailure("the list's export wrote no file");
            requireAll(written.readAll().count("\r\n") - 1, "the list's export");
            requireAll(w.Grid1->rowCount(), "the list's grid");

            t.restart();
            const QString lastCode = w.detailModel()->text(kParties - 1, 0);
            const double lastPage = t.nsecsElapsed() / 1e6;
            if (lastCode.isEmpty())
                throw BenchFailure("the list's last row read empty");
            // Paging on by key: the eleventh page, then one read on from the middle of
            // the list (after a jump there, which is read by position) must cost about the same.
            w.Load_Grid();
            QueryModel* m = w.detailModel();
            const int size = m->pageSize();
            if (m->rowCount() >= 24 * size) {  // a sliver of the list has no middle to read on from
                m->text(9 * size, 0);          // past what the first screen reads ahead to fit its columns
                t.restart();
                const QString second = m->text(10 * size, 0);
                const double nearPage = t.nsecsElapsed() / 1e6;
                const int middle = (m->rowCount() / size / 2) * size;
                m->text(middle, 0);
                t.restart();
                const QString onward = m->text(middle + size, 0);
                const double middlePage = t.nsecsElapsed() / 1e6;
                if (second.isEmpty() || onward.isEmpty())
                    throw BenchFailure("a page read by key came back empty");
                requirePlausible("the eleventh page read by key", nearPage, 0.01);
                requirePlausible("a middle page read by key", middlePage, 0.01);
                figures.keep("eleventh page by key", nearPage);
                figures.keep("middle page by key", middlePage);
            }
            w.Load_Grid();
            t.restart();
            w.Grid1->scrollToBottom();
            w.Grid1->viewport()->repaint();
            last = t.nsecsElapsed() / 1e6;
            w.Grid1->scrollToTop();
            requirePlausible("the list's first screen", first, smokeRun() ? 0.01 : 1.0);
            figures.keep("first screen", first);
            figures.keep("every row", all);
            figures.keep("last page", lastPage);
            figures.keep("last screen", last);
        }
        figures.keep("rss first screen", rssFirst);
        figures.keep("rss every row", rssAll);
        state.counters["first_ms"] = first;
        state.counters["every_row_ms"] = all;
        state.counters["rss_mib"] = rssFirst;
        state.counters["pages_held"] = w.detailModel()->pagesHeld();
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

// The grid this list had before: one widget item per cell, every row read at Show.
void widgetItems(benchmark::State& state) {
    try {
        test::TestSession& ts = data();
        const double base = rssMiB();
        for (auto _ : state) {
            QElapsedTimer t;
            t.start();
            QTableWidget grid;
            QList<GridColumn> columns;
            for (int c = 0; c < 11; ++c)
                columns << GridColumn{QStringLiteral("C%1").arg(c), 1500};
            Load_EmptyGrid(&grid, columns);
            QSqlQuery q = ts.db().exec(detailSql(), {kFrom.startOfDay(), kTo.addDays(1).startOfDay()});
            auto text = [&q](const char* c) { return q.value(QLatin1String(c)).toString().trimmed(); };
            while (q.next())
                addGridRow(&grid,
                           {text("PARTY_CODE"), text("PARTY_TYPE"), text("PARTY_NAME"), text("PERSON_NAME"),
                            text("MOBILE_NOS"), text("EMAIL_ADD"), text("PLACE_NAME"), text("STATE_NAME"),
                            text("COUNTRY_NAME"),
                            byOnText(q.value(QStringLiteral("CREATED_BY")), q.value(QStringLiteral("CREATED_ON"))),
                            byOnText(q.value(QStringLiteral("UPDATE_BY")), q.value(QStringLiteral("UPDATE_ON")))});
            figures.keep("widget items", t.nsecsElapsed() / 1e6);
            figures.keep("rss widget items", rssMiB() - base);
        }
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

}  // namespace

void registerListingBenchmarks() {
    benchmark::RegisterBenchmark("listing/party/native", nativeFetch)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("listing/party/qt-fetch", qtFetch)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("listing/party/window", listingWindow)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("listing/party/widget-items", widgetItems)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
}

void printListingSummary() {
    if (figures.empty())
        return;
    auto get = [](const char* k) { return figures.get(k); };
    const double native = get("native");
    std::printf("\n== Party registration list, %d parties, engine %s (best run) ==\n", kParties,
                usePostgres() ? "PostgreSQL" : "SQLite");
    auto line = [&](const char* what, double ms) { figures.printTime(what, ms, native); };
    line("native fetch of the rows with their join", native);
    line("Qt ODBC fetch of the same statement, values as text", get("qt fetch"));
    line("listing: Show to first screen of both grids", get("first screen"));
    line("listing: exported whole to its sheet file", get("every row"));
    line("listing: the last page read alone", get("last page"));
    headline("party list: Show to first screen of both grids", get("first screen"), native, 2.0);
    headline("party list: exported whole to a sheet", get("every row"), native, 1.5);
    line("listing: jump to the last screen", get("last screen"));
    figures.printTime("listing: the eleventh page, read by key", get("eleventh page by key"), 0);
    figures.printTime("listing: a middle page read on by key", get("middle page by key"), 0);
    headline("party list: middle page by key, x the eleventh", get("middle page by key"), get("eleventh page by key"),
             2.0);
    line("old grid: one widget item per cell", get("widget items"));
    auto mem = [&](const char* what, const char* key) {
        if (get(key) >= 0)
            std::printf("%-52s %10.1f MiB\n", what, get(key));
    };
    mem("memory grown: listing at its first screen", "rss first screen");
    mem("memory grown: listing after exporting every row", "rss every row");
    mem("memory grown: old grid of widget items", "rss widget items");
    std::printf("target: first screen within 2x of the native fetch\n");
}

void releaseListingData() {
    listing.reset();
}

}  // namespace tarvic::bench
