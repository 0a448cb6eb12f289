#include "BookMove.h"

#include "BooksCheck.h"
#include "ColumnLengths.h"
#include "Migrations.h"
#include "SchemaTables.h"
#include "SqliteFile.h"

#include <QFile>
#include <QHash>

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
        try {
            file_.open(path, SqliteFile::Mode::ReadOnly);
        } catch (const SqliteError& e) {
            throw DbError(DbError::Kind::Other, QStringLiteral("%1 cannot be read: %2").arg(path, e.message));
        }
    }

    void read(const TableInfo& table, const std::function<void(const QStringList&)>& row) {
        const int n = int(table.columns.size());
        QStringList values(n);
        qint64 read = 0;
        try {
            file_.run(QStringLiteral("SELECT %1 FROM %2").arg(columnsAsText(table), quoted(table.name)), {},
                      [&](const SqliteFile::Row& r) {
                          for (int i = 0; i < n; ++i)
                              values[i] = r.string(i);
                          canonicalRow(table, values, ++read);
                          row(values);
                      });
        } catch (const SqliteError& e) {
            throw DbError(DbError::Kind::Other, QStringLiteral("%1: %2").arg(table.label(), e.message));
        }
    }

private:
    SqliteFile file_;
};

struct Copied {
    const TableInfo* server = nullptr;
    TableFingerprint read;
};

// The type a value is cast to in the server's column, precision and all, so that a probe
// refuses what the column would.
QString serverType(const ColumnInfo& c) {
    if (c.kind == ValueKind::Text)
        return QStringLiteral("text");
    if (c.kind == ValueKind::Decimal && c.precision > 0)
        return QStringLiteral("numeric(%1,%2)").arg(c.precision).arg(std::max(c.scale, 0));
    return c.type;
}

// One table's rows as the server takes them: its columns in the server's order, each row
// checked against the server's text lengths before it is sent, named by its key when refused.
class TableCopy {
public:
    TableCopy(const TableInfo& from, Database& target, const TableInfo& to) : from_(from), target_(target), to_(to) {
        QHash<QString, int> at;
        for (int i = 0; i < int(from.columns.size()); ++i)
            at.insert(from.columns[i].name.toUpper(), i);
        QStringList names, one;
        for (const ColumnInfo& c : to.columns) {
            order_.push_back(at.value(c.name.toUpper()));
            names << quoted(c.name);
            one << placeholder(c);
        }
        for (const QString& k : from.keyColumns())
            for (int i = 0; i < int(to.columns.size()); ++i)
                if (to.columns[i].name.compare(k, Qt::CaseInsensitive) == 0)
                    key_.push_back(i);
        width_ = int(to.columns.size());
        perStatement_ = std::clamp(kValuesPerStatement / std::max(width_, 1), 1, kMaxRowsPerStatement);
        head_ = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(quoted(to.name), names.join(QStringLiteral(", ")));
        row_ = QLatin1Char('(') + one.join(QStringLiteral(", ")) + QLatin1Char(')');
        full_ = statement(perStatement_);
    }

    // Copies every row; returns the fingerprint of what was read. A value the server would
    // refuse, or does, is reported by table, row and column, and nothing is moved.
    TableFingerprint copy(FileReader& source) {
        TableFingerprint read;
        QVariantList batch;
        batch.reserve(perStatement_ * width_);
        int inBatch = 0;
        QStringList ordered(width_);
        source.read(from_, [&](const QStringList& values) {
            for (int i = 0; i < width_; ++i)
                ordered[i] = values.at(order_[i]);
            checkLengths(ordered);
            for (const QString& v : ordered)
                batch << bound(v);
            read.add(ordered);
            if (++inBatch == perStatement_) {
                send(full_, batch);
                batch.clear();
                inBatch = 0;
            }
        });
        if (inBatch > 0)
            send(statement(inBatch), batch);
        read.finish();
        return read;
    }

private:
    QString statement(int rows) const {
        QStringList all;
        for (int i = 0; i < rows; ++i)
            all << row_;
        return head_ + all.join(QStringLiteral(", "));
    }

    // One batch of rows; the first of them the server refuses is named with its column.
    void send(const QString& sql, const QVariantList& values) {
        try {
            target_.execAffected(sql, values);
        } catch (const DbError& e) {
            if (e.kind() == DbError::Kind::Locked || e.kind() == DbError::Kind::Injected)
                throw;  // a lock is waited for by the caller; an injected failure is the test's
            locate(values, e);
        }
    }

    static QVariant bound(const QString& value) {
        return value.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value);
    }

    // A row (its values in the server's column order) named by its table and key.
    QString rowName(const QStringList& values) const {
        QStringList names, keyValues;
        for (int k : key_) {
            names << to_.columns[k].name;
            keyValues << values.at(k);
        }
        return QStringLiteral("%1, row %2").arg(to_.label(), rowKeyText(names, keyValues));
    }

    // A text longer than the server's column is refused before it is sent.
    void checkLengths(const QStringList& values) const {
        for (int i = 0; i < width_; ++i) {
            const ColumnInfo& c = to_.columns[i];
            const QString& v = values.at(i);
            if (c.length > 0 && v.size() > c.length && characterCount(v) > c.length)
                refuse(QStringLiteral("%1: %2 holds %3 characters, more than the server's %4; nothing was moved")
                           .arg(rowName(values), c.name.toUpper())
                           .arg(characterCount(v))
                           .arg(c.length));
        }
    }

    // The server refused a batch, and the driver rolled its transaction back with it (nothing
    // is moved whatever happens now). Each row of the batch is put to the server again as its
    // values cast to their columns' types; the first row it refuses is probed value by value.
    [[noreturn]] void locate(const QVariantList& batch, const DbError& refused) {
        const auto row = [&](qsizetype r) {
            QStringList values;
            for (int i = 0; i < width_; ++i)
                values << batch.at(r * width_ + i).toString();
            return values;
        };
        const qsizetype rows = batch.size() / std::max(width_, 1);
        for (qsizetype r = 0; r < rows; ++r) {
            const QStringList values = row(r);
            if (takes(values, -1))
                continue;
            for (int i = 0; i < width_; ++i)
                if (!takes(values, i))
                    refuse(QStringLiteral("%1: the server refuses the value of %2 (%3); nothing was moved")
                               .arg(rowName(values), to_.columns[i].name.toUpper(), reason_));
        }
        // Every value passes alone: a rule over whole rows (a key met twice).
        refuse(
            QStringLiteral("%1: the server refuses a row from here to %2 (%3); nothing was moved")
                .arg(rowName(row(0)), rowName(row(rows - 1)).section(QStringLiteral(", row "), 1), refused.message()));
    }

    // Whether the server takes the row's values (column < 0), or that one column's value, as
    // their columns' types; reason_ holds why not.
    bool takes(const QStringList& values, int column) {
        QStringList casts;
        QVariantList args;
        for (int i = 0; i < width_; ++i) {
            if ((column >= 0 && i != column) || values.at(i).isNull())
                continue;
            casts << QStringLiteral("CAST(CAST(? AS TEXT) AS %1)").arg(serverType(to_.columns[i]));
            args << values.at(i);
        }
        if (casts.isEmpty())
            return true;
        try {
            target_.exec(QStringLiteral("SELECT ") + casts.join(QStringLiteral(", ")), args);
            return true;
        } catch (const DbError& e) {
            if (e.kind() == DbError::Kind::Locked)
                throw;
            reason_ = e.message().section(QLatin1Char(';'), 0, 0).section(QStringLiteral("ERROR: "), -1);
            return false;
        }
    }

    const TableInfo& from_;
    Database& target_;
    const TableInfo& to_;
    std::vector<int> order_;  // per server column, its place in the embedded table's row
    std::vector<int> key_;    // the key's places in the server's row
    int width_ = 0;
    int perStatement_ = 1;
    QString head_, row_, full_;
    QString reason_;  // why the server refused the last value put to it
};

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
            // The rows are copied as they are, the sums the triggers keep among them: the
            // triggers stay off while the copy is written (or each row would be summed twice)
            // and the books check below sums them again from the documents.
            for (const TableInfo& t : to) {
                target.exec(QStringLiteral("ALTER TABLE %1 DISABLE TRIGGER USER").arg(quoted(t.name)));
                target.exec(QStringLiteral("DELETE FROM %1").arg(quoted(t.name)));
            }

            MoveReport report;
            std::vector<Copied> copied;
            for (const TableInfo& t : from) {
                Copied c;
                c.server = onServer.value(t.label());
                c.read = TableCopy(t, target, *c.server).copy(file);
                progress(QStringLiteral("%1: %2 row(s) copied").arg(t.label()).arg(c.read.rows));
                report.rows += c.read.rows;
                ++report.tables;
                copied.push_back(std::move(c));
            }
            advanceSequences(target);
            for (const TableInfo& t : to)
                target.exec(QStringLiteral("ALTER TABLE %1 ENABLE TRIGGER USER").arg(quoted(t.name)));

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
