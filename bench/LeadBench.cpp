#include "LeadBench.h"

#include "BenchSupport.h"
#include "Replay.h"
#include "TestSession.h"
#include "sales/LeadQuery.h"
#include "sales/frm_BusinessLead_Add.h"
#include "sales/frm_BusinessLeads.h"
#include "shell/kit/ListGrid.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace tarvic::bench {

namespace {

const int kLeads = scaled(10000, 50);
const QDate kFrom(2000, 1, 1);
const QDate kTo(2030, 12, 31);

std::map<int, std::unique_ptr<test::TestSession>> sets;  // by number of leads
BestFigures figures;                                     // best (lowest) of each measure

// Leads over two years for 10 consultants in 5 statuses, with the masters they name; the
// session is an ADMIN's, who sees them all.
test::TestSession& data(int leads) {
    auto& ts = sets[leads];
    if (ts)
        return *ts;
    QElapsedTimer t;
    t.start();
    ts = std::make_unique<test::TestSession>();
    Database& db = ts->db();
    db.transact([&] {
        db.exec(QStringLiteral("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (1, 'CUSTOMER')"));
        db.exec(
            QStringLiteral("INSERT INTO M_TBL_LEADTYPE (LEADTYPE_CODE, LEAD_TYPE) VALUES (1, 'FIT'), (2, 'GROUP')"));
        db.exec(QStringLiteral(
            "INSERT INTO M_TBL_LEADNATURE (LEADREQ_CODE, LEADREQ_TYPE) VALUES (1, 'HOTEL'), (2, 'PACKAGE')"));
        for (int s = 1; s <= 5; ++s)
            db.exec(
                QStringLiteral(
                    "INSERT INTO M_TBL_LEADSTATUS (LEADSTATUS_CODE, LEAD_STATUS, LEAD_SLNO, LEAD_LOCK, L_RED, "
                    "L_GREEN, L_BLUE, L_F_RED, L_F_GREEN, L_F_BLUE) VALUES (?, ?, ?, ?, 200, 220, ?, 0, 0, 0)"),
                {s, QStringLiteral("STATUS %1").arg(s), s, s == 5 ? QStringLiteral("Y") : QStringLiteral("N"), s * 40});
        for (int c = 1; c <= 10; ++c)
            db.exec(QStringLiteral(
                        "INSERT INTO M_TBL_CONSULTANT (CONSULTANT_CODE, CONSULTANT_NAME, TC_ROLE) VALUES (?, ?, ?)"),
                    {c, QStringLiteral("CONSULTANT %1").arg(c),
                     c == 1 ? QStringLiteral("ADMIN") : QStringLiteral("OPERATOR")});
        for (int p = 1; p <= 200; ++p)
            db.exec(
                QStringLiteral("INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, BUSINESS_RELTYPE, PARTYTYPE_CODE) "
                               "VALUES (?, ?, ?, 1)"),
                {p, QStringLiteral("PARTY %1 TRAVELS").arg(p), p % 3 ? QStringLiteral("B2B") : QStringLiteral("B2C")});
        for (int i = 1; i <= leads; ++i)
            db.exec(
                QStringLiteral(
                    "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_DATE, PARTY_CODE, LEADTYPE_CODE, "
                    "LEADREQ_CODE, DOC_DESC, NOOF_PAX, NOOF_CHILD, START_DT, TOUR_DAYS, END_DT, TOURIST_NAME, "
                    "TOURIST_MOBNO, TOURIST_EMAIL, CONSULTANT_CODE, LEADSTATUS_CODE, FILENO, "
                    "CONSUTLTANT_RESPONSETXT, CREATED_BY, CREATED_ON) "
                    "VALUES ('BLFC01', ?, ?, ?, ?, ?, ?, 2, 0, ?, 5, ?, ?, '98470 12345', ?, ?, ?, ?, "
                    "'CALLED BACK', 'BENCH', ?)"),
                {i, QDate(2024, 1, 1).addDays(i % 730).startOfDay(), i % 200 + 1, i % 2 + 1, i % 2 + 1,
                 QStringLiteral("ENQUIRY %1 FOR A KERALA TOUR").arg(i), QDate(2024, 3, 1).addDays(i % 700).startOfDay(),
                 QDate(2024, 3, 5).addDays(i % 700).startOfDay(), QStringLiteral("TOURIST %1").arg(i),
                 QStringLiteral("tourist%1@example.in").arg(i), i % 10 + 1, i % 5 + 1, QStringLiteral("F%1").arg(i),
                 QDateTime(QDate(2024, 1, 1), QTime(9, 0)).addSecs(i * 60)});
    });
    ts->session.consultantCode = 1;
    std::fprintf(stderr, "[bench] %d leads written in %.1f s\n", leads, t.elapsed() / 1000.0);
    return *ts;
}

// The register's statement exactly as its grid runs it, all rows, without its paging.
ListQuery registerSql(test::TestSession& ts) {
    ListQuery q = lead::registerQuery(kFrom, kTo, QStringLiteral("%"), Chk_TCRole(ts.session));
    q.statement = q.with(lead::kSelect) + QStringLiteral(" ORDER BY ") + lead::kOrder;
    return q;
}

// The values as the native libraries take them: text.
std::vector<std::string> nativeValues(const QVariantList& values) {
    std::vector<std::string> out;
    for (const QVariant& v : values)
        out.push_back(v.metaType().id() == QMetaType::QDateTime
                          ? v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString()
                          : v.toString().toStdString());
    return out;
}

// The same rows, every value read as text, through the engine's own library.
void nativeFetch(benchmark::State& state) {
    try {
        test::TestSession& ts = data(kLeads);
        const ListQuery q = registerSql(ts);
        const std::vector<std::string> values = nativeValues(q.values);
        int64_t rows = 0;
        for (auto _ : state) {
            QElapsedTimer t;
            t.start();
            size_t bytes = 0;
            rows = 0;
            if (!usePostgres()) {
                NativeSqlite s(ts.t.sqlitePath().toStdString());
                SqliteStmt st(s.get(), q.statement.toStdString());
                for (size_t i = 0; i < values.size(); ++i)
                    st.bind(int(i + 1), values[i]);
                while (st.step()) {
                    for (int c = 0, n = sqlite3_column_count(st.get()); c < n; ++c)
                        if (const unsigned char* v = sqlite3_column_text(st.get(), c))
                            bytes += std::strlen(reinterpret_cast<const char*>(v));
                    ++rows;
                }
            } else {
                NativePg c(pgConninfo(ts.t.connectionString().overrides.section(QLatin1Char('='), 1).toStdString()));
                std::vector<const char*> v;
                for (const std::string& s : values)
                    v.push_back(s.c_str());
                PgResult r = c.execParams(pgPlaceholderText(q.statement), v);
                for (int i = 0; i < r.rows(); ++i)
                    for (int col = 0, n = PQnfields(r.get()); col < n; ++col)
                        bytes += std::strlen(r.at(i, col));
                rows = r.rows();
            }
            benchmark::DoNotOptimize(bytes);
            if (rows != kLeads)
                throw BenchFailure("the native fetch read " + std::to_string(rows) + " of " + std::to_string(kLeads) +
                                   " leads");
            figures.keep("native", t.nsecsElapsed() / 1e6);
        }
        state.counters["rows"] = double(rows);
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

// Show pressed until the grid has painted its first screen; then every row through the model.
void registerWindow(benchmark::State& state) {
    try {
        test::TestSession& ts = data(kLeads);
        frm_BusinessLeads w(ts.session);
        w.show();
        w.txt_FromDate->setDate(kFrom);
        w.txt_ToDate->setDate(kTo);
        QApplication::processEvents();
        for (auto _ : state) {
            QElapsedTimer t;
            t.start();
            w.Load_Grid1();
            w.Grid1->viewport()->repaint();
            const double first = t.nsecsElapsed() / 1e6;
            int64_t rows = 0;
            w.detailModel()->forEachRow([&rows](const QStringList&) {
                ++rows;
                return true;
            });
            const double all = t.nsecsElapsed() / 1e6;
            if (rows != kLeads || w.Grid1->rowCount() != kLeads)
                throw BenchFailure("the register showed " + std::to_string(w.Grid1->rowCount()) + " and read " +
                                   std::to_string(rows) + " of " + std::to_string(kLeads) + " leads");
            requirePlausible("the register's first screen", first, smokeRun() ? 0.01 : 1.0);
            figures.keep("first screen", first);
            figures.keep("every row", all);
        }
    } catch (const std::exception& e) {
        reportError(state, e);
    }
}

// Statements of one register load (first screen painted) and of one Show_Record.
std::pair<int, int> statements(int leads) {
    test::TestSession& ts = data(leads);
    frm_BusinessLeads w(ts.session);
    w.show();
    w.txt_FromDate->setDate(kFrom);
    w.txt_ToDate->setDate(kTo);
    QApplication::processEvents();
    int before = ts.db().statementsRun();
    w.Load_Grid1();
    w.Grid1->viewport()->repaint();
    const int load = ts.db().statementsRun() - before;
    frm_BusinessLead_Add entry(ts.session);
    before = ts.db().statementsRun();
    if (!entry.Show_Record(leads / 2))
        throw std::runtime_error("the lead was not shown: " + ts.prompter.texts().join(QLatin1Char('/')).toStdString());
    return {load, ts.db().statementsRun() - before};
}

}  // namespace

void registerLeadBenchmarks() {
    benchmark::RegisterBenchmark("leads/register/native", nativeFetch)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("leads/register/window", registerWindow)->Unit(benchmark::kMillisecond)->Iterations(3);
}

void printLeadSummary() {
    if (figures.empty())
        return;
    auto get = [](const char* k) { return figures.get(k); };
    const double native = get("native");
    std::printf("\n== Lead register, %d leads, engine %s (best of 3) ==\n", kLeads,
                usePostgres() ? "PostgreSQL" : "SQLite");
    auto line = [&](const char* what, double ms) { figures.printTime(what, ms, native); };
    line("native fetch of the register's rows", native);
    line("register: Show to first screen", get("first screen"));
    line("register: Show, then every row through the model", get("every row"));
    headline("lead register: Show to first screen", get("first screen"), native, 2.0);
    try {
        for (int n : {kLeads, 100}) {
            const auto [load, show] = statements(n);
            std::printf("statements at %5d leads: register load %d, Show_Record %d\n", n, load, show);
        }
    } catch (const std::exception& e) {
        failRun("leads/statements", e.what());
    }
    std::printf("target: filling the grid within 2x of the native fetch; statements independent of the leads\n");
}

void releaseLeadData() {
    sets.clear();
}

}  // namespace tarvic::bench
