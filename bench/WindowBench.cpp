#include "WindowBench.h"

#include "OfficeData.h"
#include "Replay.h"
#include "app/AllWindows.h"
#include "data/StatementCount.h"
#include "shell/MainWindow.h"
#include "shell/Prompter.h"
#include "shell/Session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>

namespace tarvic::bench {

namespace {

constexpr double kTargetMs = 200;
constexpr double kTargetRatio = 2.0;
// Below this the statements are a small part of what a window does (building its widgets):
// the ratio to native is shown, not judged.
constexpr double kJudgedNativeMs = 10;

struct WindowFigure {
    std::vector<double> program, native;  // ms per opening
    qint64 statements = 0;                // per opening
    qint64 writes = 0;                    // statements that do not read
    qint64 nativeRows = 0;
    QString note;  // the first message it showed, a modal dialog it opened
    double ms() const { return median(program); }
    double nativeMs() const { return median(native); }
    bool judgedByRatio() const { return nativeMs() >= kJudgedNativeMs; }
    bool met() const { return ms() <= kTargetMs && (!judgedByRatio() || medianRatio(program, native) <= kTargetRatio); }
};
std::map<QString, WindowFigure> figures;
// Made once for every repetition of the run, dropped at its end.
std::unique_ptr<OfficeCopy> copy;

// Lets the deferred deletions and the window's own queued work run.
void settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// Opens the window, presses its SHOW, closes it: the statements it ran, and the time to its
// first screen.
double openOnce(const WindowRegistry& registry, Session& session, QWidget* main, const QString& name,
                std::vector<Statement>& statements, qint64& count) {
    Recording recording;
    const qint64 before = statements::runSoFar();
    QElapsedTimer t;
    t.start();
    QPointer<QWidget> w = registry.create(name, session, main);
    if (!w)
        throw BenchFailure("window " + name.toStdString() + " was not made");
    w->show();
    QApplication::processEvents();
    if (auto* show = w->findChild<QAbstractButton*>(QStringLiteral("Cmd_Show"));
        show && show->isVisible() && show->isEnabled())
        show->click();
    QApplication::processEvents();
    const double ms = t.nsecsElapsed() / 1e6;
    count = statements::runSoFar() - before;
    statements = recording.statements();
    w->close();
    settle();
    delete w.data();  // one that is not deleted on close
    settle();
    requirePlausible(qPrintable(QStringLiteral("window ") + name), ms, 0.05);
    return ms;
}

void everyWindow(benchmark::State& state) {
    const int rounds = std::max(1, qEnvironmentVariableIntValue("TARVIC_BENCH_ROUNDS") ?: 3);
    try {
        if (!copy)
            copy = std::make_unique<OfficeCopy>("windows");
        Database db(copy->target().cs, QStringLiteral("windows"));
        ScriptedPrompter prompter;
        WindowRegistry registry;
        registerAllWindows(registry);
        Session session;
        session.db = &db;
        session.prompter = &prompter;
        session.userFullName = QStringLiteral("ADMINISTRATOR");
        session.loginId = 1;
        session.consultantCode = 1;  // the office's ADMIN consultant
        session.companyName = QStringLiteral("TARVIC HOLIDAYS");
        session.windows = &registry;
        MainWindow main(session, registry);
        main.show();
        settle();
        // A real modal dialog would wait for a user who is not there: closed at once, and named.
        QString opening;
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                figures[opening].note = QStringLiteral("opened a modal dialog: ") + d->windowTitle();
                d->reject();
            }
        });
        guard.start(50);
        NativeReplay native(copy->target());
        // TARVIC_BENCH_WINDOWS (a pattern) opens only the windows whose names it matches.
        const QRegularExpression only(qEnvironmentVariable("TARVIC_BENCH_WINDOWS", QStringLiteral(".")));
        if (!only.isValid())
            throw BenchFailure("TARVIC_BENCH_WINDOWS is not a valid pattern");
        for (auto _ : state) {
            for (const QString& name : registry.windows()) {
                if (!only.match(name).hasMatch())
                    continue;
                opening = name;
                WindowFigure& f = figures[name];
                for (int r = 0; r < rounds; ++r) {
                    prompter.clear();
                    std::vector<Statement> statements;
                    const double ms = openOnce(registry, session, &main, name, statements, f.statements);
                    if (f.note.isEmpty() && !prompter.messages.isEmpty())
                        f.note = prompter.messages.first().text;
                    f.writes = std::count_if(statements.begin(), statements.end(),
                                             [](const Statement& s) { return !s.reads(); });
                    QElapsedTimer t;
                    t.start();
                    std::vector<double> each;
                    f.nativeRows = native.run(statements, &each);
                    f.native.push_back(t.nsecsElapsed() / 1e6);
                    // TARVIC_BENCH_STATEMENTS=1: where a window's time goes, statement by statement.
                    if (r == 0 && qEnvironmentVariableIntValue("TARVIC_BENCH_STATEMENTS"))
                        for (size_t i = 0; i < statements.size(); ++i)
                            std::printf("  %s %9.1f ms  %s\n", qPrintable(name), i < each.size() ? each[i] : 0.0,
                                        qPrintable(statements[i].sql.simplified().left(400)));
                    f.program.push_back(ms);
                }
            }
        }
        state.counters["windows"] = double(figures.size());
    } catch (const std::exception& e) {
        figures.clear();
        reportError(state, e);
    }
}

}  // namespace

void registerWindowBenchmarks() {
    benchmark::RegisterBenchmark("windows/every/first-screen", everyWindow)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
}

void releaseWindowData() {
    copy.reset();
}

void printWindowSummary() {
    if (figures.empty())
        return;
    std::printf("\n== Every window over the office of %d bookings, engine %s (medians) ==\n", bigOffice().units,
                usePostgres() ? "PostgreSQL" : "SQLite");
    std::printf("%-34s %6s %6s %10s %10s %7s %s\n", "window", "stmts", "writes", "ms", "native ms", "ratio", "");
    std::vector<std::pair<QString, const WindowFigure*>> missed;
    for (const auto& [name, f] : figures) {
        const double ratio = medianRatio(f.program, f.native);
        char ratioText[16] = "-";
        if (f.nativeMs() > 0.005)
            std::snprintf(ratioText, sizeof ratioText, "%.1fx%s", ratio, f.judgedByRatio() ? "" : "*");
        std::printf("%-34s %6lld %6lld %10.1f %10.2f %7s %s%s\n", qPrintable(name),
                    static_cast<long long>(f.statements), static_cast<long long>(f.writes), f.ms(), f.nativeMs(),
                    ratioText, f.met() ? "met" : "MISSED", f.note.isEmpty() ? "" : qPrintable("  " + f.note.left(60)));
        if (!f.met())
            missed.emplace_back(name, &f);
    }
    std::printf(
        "targets: %.0f ms each, and %.1fx native where the native statements take %.0f ms or more\n"
        "(* not judged: the statements are a small part of what the window does)\n",
        kTargetMs, kTargetRatio, kJudgedNativeMs);
    const auto slowest = std::max_element(figures.begin(), figures.end(),
                                          [](const auto& a, const auto& b) { return a.second.ms() < b.second.ms(); });
    headline("every window, slowest first screen (" + slowest->first.toStdString() + ")", slowest->second.ms(), 0,
             kTargetMs);
    for (const auto& [name, f] : missed) {
        if (f->ms() > kTargetMs)
            headline("  window " + name.toStdString() + " missed", f->ms(), 0, kTargetMs);
        else
            headline("  window " + name.toStdString() + " missed", f->ms(), f->nativeMs(), kTargetRatio,
                     medianRatio(f->program, f->native));
    }
}

}  // namespace tarvic::bench
