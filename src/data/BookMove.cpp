#include "BookMove.h"

#include "BooksCheck.h"
#include "Migrations.h"
#include "SchemaTables.h"

#include <QFile>
#include <QHash>

#include <sqlite3.h>

#include <algorithm>

namespace tarvic {

namespace {

// Values bound per INSERT: many rows a statement, without one statement growing unwieldy.
constexpr int kValuesPerStatement = 4000;
constexpr int kMaxRowsPerStatement = 500;

[[noreturn]] void refuse(const QString& text) {
    throw DbError(DbError::Kind::Refused, text);
}

QString quoted(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// How a value bound as text reaches its column: text as it is, anything else cast to the
// column's own type, so the server reads the canonical text, never a double.
QString placeholder(const ColumnInfo& c) {
    return c.kind == ValueKind::Text ? QStringLiteral("?") : QStringLiteral("CAST(? AS %1)").arg(c.type);
}

// The embedded database's rows read straight from its file, read-only, beside the connection
// that holds its lock: the same text of each value as through the data source, without the
// driver's conversions of every value (the larger part of a move's time).
class FileReader {
public:
    explicit FileReader(Database& source) {
        const auto row = source.firstRow(QStringLiteral("SELECT file FROM pragma_database_list WHERE name='main'"));
        const QString path = row ? row->value(0).toString() : QString();
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw DbError(DbError::Kind::Other, QStringLiteral("%1 cannot be read: %2").arg(path, error()));
        sqlite3_busy_timeout(db_, 5000);
    }
    ~FileReader() { sqlite3_close_v2(db_); }
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    void read(const TableInfo& table, const std::function<void(const QStringList&)>& row) {
        const QByteArray sql =
            QStringLiteral("SELECT %1 FROM %2").arg(columnsAsText(table), quoted(table.name)).toUtf8();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
            throw DbError(DbError::Kind::Other, error());
        const int n = int(table.columns.size());
        QStringList values(n);
        qint64 read = 0;
        int rc = SQLITE_ROW;
        try {
            while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
                for (int i = 0; i < n; ++i)
                    values[i] = sqlite3_column_type(st, i) == SQLITE_NULL
                                    ? QString()
                                    : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                                        sqlite3_column_bytes(st, i));
                canonicalRow(table, values, ++read);
                row(values);
            }
        } catch (...) {
            sqlite3_finalize(st);
            throw;
        }
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            throw DbError(DbError::Kind::Other, QStringLiteral("%1: %2").arg(table.label(), error()));
    }

private:
    QString error() const { return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory"); }
    sqlite3* db_ = nullptr;
};

struct Copied {
    const TableInfo* server = nullptr;
    TableFingerprint read;
};

// Copies one table: its rows read from the embedded database in the server's column order,
// written a batch of rows per prepared statement. Returns the fingerprint of what was read.
TableFingerprint copyTable(FileReader& source, const TableInfo& from, Database& target, const TableInfo& to) {
    QHash<QString, int> at;
    for (int i = 0; i < int(from.columns.size()); ++i)
        at.insert(from.columns[i].name.toUpper(), i);
    std::vector<int> order;
    QStringList names, one;
    for (const ColumnInfo& c : to.columns) {
        order.push_back(at.value(c.name.toUpper()));
        names << quoted(c.name);
        one << placeholder(c);
    }
    const int width = int(to.columns.size());
    const int perStatement = std::clamp(kValuesPerStatement / std::max(width, 1), 1, kMaxRowsPerStatement);
    const QString head =
        QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(quoted(to.name), names.join(QStringLiteral(", ")));
    const QString row = QLatin1Char('(') + one.join(QStringLiteral(", ")) + QLatin1Char(')');
    const auto statement = [&](int rows) {
        QStringList all;
        for (int i = 0; i < rows; ++i)
            all << row;
        return head + all.join(QStringLiteral(", "));
    };
    const QString full = statement(perStatement);
    const QVariant null{QMetaType::fromType<QString>()};

    TableFingerprint read;
    QVariantList batch;
    batch.reserve(perStatement * width);
    int inBatch = 0;
    QStringList ordered(width);
    source.read(from, [&](const QStringList& values) {
        for (int i = 0; i < width; ++i) {
            ordered[i] = values.at(order[i]);
            batch << (ordered[i].isNull() ? null : QVariant(ordered[i]));
        }
        read.add(ordered);
        if (++inBatch == perStatement) {
            target.execAffected(full, batch);
            batch.clear();
            inBatch = 0;
        }
    });
    if (inBatch > 0)
        target.execAffected(statement(inBatch), batch);
    read.finish();
    return read;
}

// Serial and identity columns continue past the highest value copied.
void advanceSequences(Database& target) {
    QSqlQuery q = target.exec(
        QStringLiteral("SELECT table_name, column_name, pg_get_serial_sequence(quote_ident(table_name), column_name) "
                       "FROM information_schema.columns WHERE table_schema=current_schema() "
                       "AND pg_get_serial_sequence(quote_ident(table_name), column_name) IS NOT NULL"));
    std::vector<QStringList> sequences;
    while (q.next())
        sequences.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
    q = QSqlQuery();
    for (const QStringList& s : sequences)
        target.exec(
            QStringLiteral("SELECT setval(CAST(? AS regclass), COALESCE((SELECT MAX(%1) FROM %2), 0) + 1, false)")
                .arg(quoted(s[1]), quoted(s[0])),
            {s[2]});
}

}  // namespace

MoveReport moveToServer(Database& source, Database& target, const std::function<void(const QString&)>& progress) {
    if (!source.dialect().isSqlite())
        refuse(QStringLiteral("the source is not an embedded database"));
    if (target.dialect().isSqlite())
        refuse(QStringLiteral("the target is not a PostgreSQL server database"));
    const int version = Migrations(source).currentVersion();
    if (version == 0)
        refuse(QStringLiteral("the embedded database has no schema: there is nothing to move"));
    if (version != Migrations::latestVersion())
        refuse(QStringLiteral("the embedded database is at schema version %1, this tool at %2: bring them to one "
                              "version first (tarvic-admin upgrade)")
                   .arg(version)
                   .arg(Migrations::latestVersion()));

    // The embedded database's write lock is held throughout: what is checked is what is copied.
    return source.transact([&] {
        const BooksReport books = checkBooks(source);
        if (!books.ok())
            refuse(QStringLiteral("the books of the embedded database are not consistent; nothing was moved:\n") +
                   books.problems.join(QLatin1Char('\n')));
        const std::vector<TableInfo> from = schemaTables(source);
        FileReader file(source);
        return target.transact([&] {
            const qint64 present = target
                                       .scalar(QStringLiteral("SELECT COUNT(*) FROM information_schema.tables "
                                                              "WHERE table_schema=current_schema()"))
                                       .toLongLong();
            if (present > 0)
                refuse(QStringLiteral("the server database is not empty (%1 table(s)): the move needs a freshly "
                                      "created, empty database")
                           .arg(present));
            // The schema is created here, in the same transaction, and its seed rows make way
            // for the embedded database's own.
            Migrations(target).apply();
            const std::vector<TableInfo> to = schemaTables(target);
            QHash<QString, const TableInfo*> onServer;
            for (const TableInfo& t : to)
                onServer.insert(t.label(), &t);
            QStringList mismatched;
            for (const TableInfo& t : from) {
                const TableInfo* s = onServer.value(t.label());
                QStringList a, b;
                for (const ColumnInfo& c : t.columns)
                    a << c.name.toUpper();
                if (s)
                    for (const ColumnInfo& c : s->columns)
                        b << c.name.toUpper();
                a.sort();
                b.sort();
                if (!s)
                    mismatched << QStringLiteral("table %1 is not in the server's schema").arg(t.label());
                else if (a != b)
                    mismatched << QStringLiteral("table %1 has other columns on the server").arg(t.label());
            }
            if (from.size() != to.size())
                mismatched << QStringLiteral("the server's schema has %1 table(s), the embedded database %2")
                                  .arg(to.size())
                                  .arg(from.size());
            if (!mismatched.isEmpty())
                refuse(QStringLiteral("the schemas differ; nothing was moved:\n") + mismatched.join(QLatin1Char('\n')));
            for (const TableInfo& t : to)
                target.exec(QStringLiteral("DELETE FROM %1").arg(quoted(t.name)));

            MoveReport report;
            std::vector<Copied> copied;
            for (const TableInfo& t : from) {
                Copied c;
                c.server = onServer.value(t.label());
                c.read = copyTable(file, t, target, *c.server);
                progress(QStringLiteral("%1: %2 row(s) copied").arg(t.label()).arg(c.read.rows));
                report.rows += c.read.rows;
                ++report.tables;
                copied.push_back(std::move(c));
            }
            advanceSequences(target);

            const BooksReport served = checkBooks(target);
            if (!served.ok())
                refuse(QStringLiteral("the books on the server are not consistent after the copy; nothing was "
                                      "moved:\n") +
                       served.problems.join(QLatin1Char('\n')));
            QStringList differences;
            for (const Copied& c : copied) {
                const QString d = fingerprint(target, *c.server)
                                      .differenceFrom(c.read, QStringLiteral("on the server"),
                                                      QStringLiteral("in the embedded database"));
                if (!d.isEmpty())
                    differences << c.server->label() + QStringLiteral(": ") + d;
            }
            if (!differences.isEmpty())
                refuse(QStringLiteral("the copy on the server differs; nothing was moved:\n") +
                       differences.join(QLatin1Char('\n')));
            progress(QStringLiteral("books are consistent on the server; row counts and checksums agree"));
            return report;
        });
    });
}

}  // namespace tarvic
