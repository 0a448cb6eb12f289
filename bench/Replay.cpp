#include "Replay.h"

#include "data/StatementCount.h"

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QScopeGuard>

#include <benchmark/benchmark.h>

namespace tarvic::bench {

bool Statement::reads() const {
    const QString head = sql.trimmed().left(6).toUpper();
    return head == QLatin1String("SELECT") || head.startsWith(QLatin1String("WITH"));
}

Recording::Recording() {
    statements::listen([this](const QString& sql, const QVariantList& values) {
        statements_.push_back({sql, values});
    });
}

Recording::~Recording() {
    statements::listen({});
}

NativeReplay::NativeReplay(const Target& target) {
    if (usePostgres())
        pg_ = std::make_unique<NativePg>(target.pgConninfo);
    else
        lite_ = std::make_unique<NativeSqlite>(target.sqlitePath);
}

NativeReplay::~NativeReplay() = default;

std::string pgPlaceholderText(const QString& sql) {
    std::string out;
    int n = 0;
    bool quoted = false;
    for (const QChar c : sql) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (c == QLatin1Char('?') && !quoted)
            out += "$" + std::to_string(++n);
        else
            out += QString(c).toStdString();
    }
    return out;
}

namespace {

// A value as the drivers hand it to the engine in text: dates as yyyy-MM-dd, moments to the
// millisecond.
std::string text(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::QDate:
            return v.toDate().toString(Qt::ISODate).toStdString();
        case QMetaType::QDateTime:
            return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString();
        case QMetaType::Bool:
            return v.toBool() ? "1" : "0";
        default:
            return v.toString().toStdString();
    }
}

bool whole(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            return true;
        default:
            return false;
    }
}

}  // namespace

const std::string& NativeReplay::textOf(const QString& sql) {
    auto it = texts_.find(sql);
    if (it == texts_.end())
        it = texts_.emplace(sql, pg_ ? pgPlaceholderText(sql) : sql.toStdString()).first;
    return it->second;
}

qint64 NativeReplay::run(const std::vector<Statement>& statements, std::vector<double>* msEach) {
    qint64 rows = 0;
    if (msEach)
        msEach->assign(statements.size(), 0.0);
    QElapsedTimer clock;
    for (size_t i = 0; i < statements.size(); ++i) {
        const Statement& s = statements[i];
        if (!s.reads())
            continue;
        clock.start();
        const auto done = qScopeGuard([&] {
            if (msEach)
                (*msEach)[i] = clock.nsecsElapsed() / 1e6;
        });
        if (pg_) {
            std::vector<std::string> values;
            for (const QVariant& v : s.values)
                values.push_back(text(v));
            std::vector<const char*> pointers;
            for (int j = 0; j < s.values.size(); ++j)
                pointers.push_back(s.values[j].isNull() ? nullptr : values[size_t(j)].c_str());
            PgResult r = pg_->execParams(textOf(s.sql), pointers);
            for (int row = 0; row < r.rows(); ++row)
                for (int col = 0, n = PQnfields(r.get()); col < n; ++col)
                    benchmark::DoNotOptimize(std::string(r.at(row, col)));
            rows += r.rows();
            continue;
        }
        SqliteStmt st(lite_->get(), textOf(s.sql));
        for (int j = 0; j < s.values.size(); ++j) {
            const QVariant& v = s.values[j];
            if (v.isNull())
                st.bindNull(j + 1);
            else if (whole(v))
                st.bind(j + 1, qint64(v.toLongLong()));
            else if (v.typeId() == QMetaType::Double)
                sqlite3_bind_double(st.get(), j + 1, v.toDouble());
            else
                st.bind(j + 1, text(v));
        }
        while (st.step()) {
            for (int col = 0, n = sqlite3_column_count(st.get()); col < n; ++col) {
                const unsigned char* t = sqlite3_column_text(st.get(), col);
                benchmark::DoNotOptimize(std::string(t ? reinterpret_cast<const char*>(t) : ""));
            }
            ++rows;
        }
    }
    return rows;
}

}  // namespace tarvic::bench
