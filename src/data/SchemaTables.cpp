#include "SchemaTables.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace tarvic {

namespace {

// Rows read per statement: a bounded amount of memory whatever the table's size.
constexpr int kChunk = 2000;

ValueKind sqliteKind(const QString& declared, int& scale) {
    const QString t = declared.trimmed().toUpper();
    scale = -1;
    if (t.contains(QLatin1String("INT")))
        return ValueKind::Integer;
    if (t.startsWith(QLatin1String("NUMERIC")) || t.startsWith(QLatin1String("DECIMAL"))) {
        static const QRegularExpression ps(QStringLiteral("\\(\\s*\\d+\\s*,\\s*(\\d+)\\s*\\)"));
        if (const auto m = ps.match(t); m.hasMatch())
            scale = m.captured(1).toInt();
        return ValueKind::Decimal;
    }
    if (t.startsWith(QLatin1String("TIMESTAMP")) || t.startsWith(QLatin1String("DATETIME")))
        return ValueKind::Moment;
    if (t.startsWith(QLatin1String("DATE")))
        return ValueKind::Date;
    if (t.startsWith(QLatin1String("TIME")))
        return ValueKind::Time;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return ValueKind::Float;
    return ValueKind::Text;
}

ValueKind serverKind(const QString& type) {
    if (type == QLatin1String("integer") || type == QLatin1String("bigint") || type == QLatin1String("smallint"))
        return ValueKind::Integer;
    if (type == QLatin1String("numeric"))
        return ValueKind::Decimal;
    if (type == QLatin1String("real") || type == QLatin1String("double precision"))
        return ValueKind::Float;
    if (type.startsWith(QLatin1String("timestamp")))
        return ValueKind::Moment;
    if (type == QLatin1String("date"))
        return ValueKind::Date;
    if (type.startsWith(QLatin1String("time")))
        return ValueKind::Time;
    return ValueKind::Text;
}

QString quoted(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

[[noreturn]] void unreadable(const QString& text, const char* what) {
    throw DbError(DbError::Kind::Refused,
                  QStringLiteral("\"%1\" is not %2").arg(text.left(60), QString::fromLatin1(what)));
}

// Decimal text (with an exponent, as SQLite writes large reals) to plain digits with exactly
// `scale` decimals, or with no trailing zeros when the column fixes none. Never through a double.
QString canonicalDecimal(const QString& text, int scale) {
    // The common shape ("-1500.50", as both engines write amounts) without a regular
    // expression: a move reads millions of values.
    {
        const qsizetype n = text.size();
        qsizetype i = n > 0 && text.at(0) == QLatin1Char('-') ? 1 : 0;
        const qsizetype digitsFrom = i;
        while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128)
            ++i;
        const qsizetype point = i;
        qsizetype fractionDigits = -1;
        if (i < n && text.at(i) == QLatin1Char('.')) {
            ++i;
            while (i < n && text.at(i).unicode() >= '0' && text.at(i).unicode() <= '9')
                ++i;
            fractionDigits = i - point - 1;
        }
        // Fewer decimals than the column's ("5.0", "0", as SQLite writes reals) are padded.
        const bool plain = i == n && point - digitsFrom > 0 && point - digitsFrom < 19 &&
                           (point - digitsFrom == 1 || text.at(digitsFrom) != QLatin1Char('0')) &&
                           fractionDigits != 0 && scale >= 0 && fractionDigits <= scale &&
                           (scale > 0 || fractionDigits < 0);
        if (plain) {
            bool zero = true;
            for (qsizetype k = digitsFrom; k < n && zero; ++k)
                zero = text.at(k) == QLatin1Char('0') || text.at(k) == QLatin1Char('.');
            QString out = zero && digitsFrom == 1 ? text.mid(1) : text;
            if (scale > 0) {
                if (fractionDigits < 0)
                    out += QLatin1Char('.');
                out += QString(scale - std::max<qsizetype>(fractionDigits, 0), QLatin1Char('0'));
            }
            return out;
        }
    }
    static const QRegularExpression re(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?(?:[eE]([+-]?\\d+))?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        unreadable(text, "a number");
    QString digits = m.captured(2) + m.captured(3);
    qsizetype point = m.captured(2).size() + m.captured(4).toInt();
    if (point < 0) {
        digits.prepend(QString(-point, QLatin1Char('0')));
        point = 0;
    }
    if (point > digits.size())
        digits.append(QString(point - digits.size(), QLatin1Char('0')));
    QString whole = digits.left(point);
    QString fraction = digits.mid(point);
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    const qsizetype keep = scale < 0 ? 0 : scale;
    while (fraction.size() > keep && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (scale >= 0 && fraction.size() > scale)
        unreadable(text, "an amount of the column's decimals");
    fraction = fraction.leftJustified(keep, QLatin1Char('0'));
    static const QRegularExpression nonZero(QStringLiteral("[1-9]"));
    const bool zero = !whole.contains(nonZero) && !fraction.contains(nonZero);
    const QString sign = m.captured(1) == QLatin1String("-") && !zero ? QStringLiteral("-") : QString();
    return sign + whole + (fraction.isEmpty() ? QString() : QLatin1Char('.') + fraction);
}

// "yyyy-MM-dd HH:mm:ss" and its fraction without trailing zeros; a Julian day number (which
// SQLite may hold) read as its moment.
struct Moment {
    QDate date;
    QTime time;
    QString fraction;
};

// Two ASCII digits at i, or -1.
int twoDigits(const QString& t, qsizetype i) {
    if (i + 1 >= t.size())
        return -1;
    const char16_t a = t.at(i).unicode(), b = t.at(i + 1).unicode();
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return -1;
    return (a - '0') * 10 + (b - '0');
}

Moment parseMoment(const QString& text, bool timeOnly) {
    // The common shape, "yyyy-MM-dd HH:mm:ss.zzz" or its date alone, read by position.
    if (!timeOnly && (text.size() == 10 || text.size() >= 19) && text.at(4) == QLatin1Char('-') &&
        text.at(7) == QLatin1Char('-')) {
        const int y1 = twoDigits(text, 0), y2 = twoDigits(text, 2), mo = twoDigits(text, 5), d = twoDigits(text, 8);
        Moment out;
        out.date = y1 < 0 || y2 < 0 || mo < 0 || d < 0 ? QDate() : QDate(y1 * 100 + y2, mo, d);
        bool whole = out.date.isValid();
        if (whole && text.size() >= 19) {
            const QChar sep = text.at(10);
            const int h = twoDigits(text, 11), mi = twoDigits(text, 14), sec = twoDigits(text, 17);
            whole = (sep == QLatin1Char(' ') || sep == QLatin1Char('T')) && text.at(13) == QLatin1Char(':') &&
                    text.at(16) == QLatin1Char(':') && h >= 0 && mi >= 0 && sec >= 0;
            if (whole)
                out.time = QTime(h, mi, sec);
            whole = whole && out.time.isValid();
            if (whole && text.size() > 19) {
                whole = text.at(19) == QLatin1Char('.') && text.size() > 20;
                for (qsizetype k = 20; whole && k < text.size(); ++k)
                    whole = text.at(k).unicode() >= '0' && text.at(k).unicode() <= '9';
                if (whole)
                    out.fraction = text.mid(20);
            }
        } else {
            out.time = QTime(0, 0);
        }
        if (whole) {
            while (out.fraction.endsWith(QLatin1Char('0')))
                out.fraction.chop(1);
            return out;
        }
    }
    static const QRegularExpression re(QStringLiteral(
        "^(?:(\\d{4})-(\\d{2})-(\\d{2}))?(?:(?:^|[ T])(\\d{2}):(\\d{2})(?::(\\d{2})(?:\\.(\\d+))?)?)?$"));
    static const QRegularExpression julian(QStringLiteral("^\\d+(?:\\.\\d+)?$"));
    const QString t = text.trimmed();
    Moment out;
    if (!timeOnly && julian.match(t).hasMatch() && !t.contains(QLatin1Char('-'))) {
        const qint64 ms = std::llround((t.toDouble() - 2440587.5) * 86400000.0);
        const QDateTime at = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
        out.date = at.date();
        out.time = QTime(at.time().hour(), at.time().minute(), at.time().second());
        out.fraction = QString::number(at.time().msec()).rightJustified(3, QLatin1Char('0'));
    } else {
        const auto m = re.match(t);
        if (!m.hasMatch() || t.isEmpty())
            unreadable(text, timeOnly ? "a time" : "a date");
        if (!m.captured(1).isEmpty())
            out.date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        out.time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        out.fraction = m.captured(7);
        if ((!m.captured(1).isEmpty() && !out.date.isValid()) || !out.time.isValid() ||
            (m.captured(1).isEmpty() && !timeOnly))
            unreadable(text, timeOnly ? "a time" : "a date");
    }
    while (out.fraction.endsWith(QLatin1Char('0')))
        out.fraction.chop(1);
    return out;
}

QString timeText(const Moment& m) {
    return m.time.toString(QStringLiteral("HH:mm:ss")) +
           (m.fraction.isEmpty() ? QString() : QLatin1Char('.') + m.fraction);
}

}  // namespace

std::vector<TableInfo> schemaTables(Database& db) {
    std::vector<TableInfo> tables;
    const bool lite = db.dialect().isSqlite();
    // Every column of every table in one statement: a connection reads the schema at its first
    // save.
    QSqlQuery q = db.exec(
        lite ? QStringLiteral("SELECT m.name, p.name, p.type, p.pk, NULL, NULL, NULL FROM sqlite_master m, "
                              "pragma_table_info(m.name) p WHERE m.type='table' AND m.name NOT LIKE 'sqlite\\_%' "
                              "ESCAPE '\\' ORDER BY m.name, p.cid")
             // The server's catalogue itself, with the sizes worked out as information_schema does: its
             // views cost 0.2 s at each connection's first save, the catalogue 20 ms.
             : QStringLiteral("SELECT c.relname, a.attname, format_type(a.atttypid, NULL), NULL, "
                              "information_schema._pg_numeric_scale(a.atttypid, a.atttypmod), "
                              "information_schema._pg_char_max_length(a.atttypid, a.atttypmod), "
                              "information_schema._pg_numeric_precision(a.atttypid, a.atttypmod) "
                              "FROM pg_catalog.pg_attribute a JOIN pg_catalog.pg_class c ON c.oid=a.attrelid "
                              "WHERE c.relnamespace=current_schema()::regnamespace AND c.relkind IN ('r','p') "
                              "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY c.relname, a.attnum"));
    // The server's primary keys, by table and column.
    QHash<QString, int> serverKey;
    if (!lite) {
        QSqlQuery k = db.exec(QStringLiteral(
            "SELECT c.relname, a.attname, k.n FROM pg_catalog.pg_constraint p JOIN pg_catalog.pg_class c "
            "ON c.oid=p.conrelid CROSS JOIN LATERAL unnest(p.conkey) WITH ORDINALITY AS k(attnum, n) "
            "JOIN pg_catalog.pg_attribute a ON a.attrelid=p.conrelid AND a.attnum=k.attnum "
            "WHERE p.contype='p' AND c.relnamespace=current_schema()::regnamespace"));
        while (k.next())
            serverKey.insert(k.value(0).toString() + QLatin1Char('.') + k.value(1).toString(), k.value(2).toInt());
    }
    while (q.next()) {
        const QString table = q.value(0).toString();
        if (tables.empty() || tables.back().name != table)
            tables.push_back({table, {}});
        ColumnInfo col;
        col.name = q.value(1).toString();
        col.type = q.value(2).toString();
        col.keyPosition = lite ? q.value(3).toInt() : serverKey.value(table + QLatin1Char('.') + col.name);
        if (lite) {
            col.kind = sqliteKind(col.type, col.scale);
            // The declared size: VARCHAR(n) of a text column, NUMERIC(p,s) of a decimal one.
            static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)"));
            const int declared = size.match(col.type).captured(1).toInt();
            if (col.kind == ValueKind::Text)
                col.length = declared;
            else if (col.kind == ValueKind::Decimal)
                col.precision = declared;
        } else {
            col.kind = serverKind(col.type);
            col.scale = col.kind == ValueKind::Decimal && !q.isNull(4) ? q.value(4).toInt() : -1;
            if (col.kind == ValueKind::Text)
                col.length = q.value(5).toInt();
            else if (col.kind == ValueKind::Decimal)
                col.precision = q.value(6).toInt();
        }
        tables.back().columns.push_back(col);
    }
    q = QSqlQuery();
    // One order on both engines, whatever their collations.
    std::sort(tables.begin(), tables.end(),
              [](const TableInfo& a, const TableInfo& b) { return a.label() < b.label(); });
    return tables;
}

QString rowKeyText(const QStringList& names, const QStringList& values) {
    QStringList parts;
    for (qsizetype i = 0; i < names.size(); ++i)
        parts << names.at(i).toUpper() + QLatin1Char('=') + (values.value(i).isNull() ? QStringLiteral("NULL") : values.value(i).left(40));
    return parts.join(QStringLiteral(", "));
}

QStringList TableInfo::keyColumns() const {
    std::vector<std::pair<int, QString>> key;
    for (const ColumnInfo& c : columns)
        if (c.keyPosition > 0)
            key.emplace_back(c.keyPosition, c.name);
    std::sort(key.begin(), key.end());
    QStringList names;
    for (const auto& k : key)
        names << k.second;
    if (names.isEmpty())
        for (qsizetype i = 0; i < qsizetype(columns.size()) && i < 2; ++i)
            names << columns[i].name;
    return names;
}

QString canonicalValue(const QString& text, const ColumnInfo& column) {
    if (text.isNull())
        return text;
    switch (column.kind) {
        case ValueKind::Integer: {
            bool ok = false;
            const qlonglong v = text.trimmed().toLongLong(&ok);
            if (ok)
                return QString::number(v);
            // A whole number written with decimals ("5.0") is still whole.
            const QString d = canonicalDecimal(text, -1);
            const qlonglong w = d.toLongLong(&ok);
            if (!ok)
                unreadable(text, "a whole number");
            return QString::number(w);
        }
        case ValueKind::Decimal:
            return canonicalDecimal(text, column.scale);
        case ValueKind::Float: {
            bool ok = false;
            const double v = text.trimmed().toDouble(&ok);
            if (!ok)
                unreadable(text, "a number");
            return QString::number(v, 'g', 15);
        }
        case ValueKind::Moment: {
            const Moment m = parseMoment(text, false);
            return m.date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + timeText(m);
        }
        case ValueKind::Date:
            return parseMoment(text, false).date.toString(QStringLiteral("yyyy-MM-dd"));
        case ValueKind::Time:
            return timeText(parseMoment(text, true));
        case ValueKind::Text:
            break;
    }
    return text;
}

void canonicalRow(const TableInfo& table, QStringList& values, qint64 rowNumber) {
    for (qsizetype i = 0; i < values.size(); ++i) {
        try {
            values[i] = canonicalValue(values[i], table.columns[i]);
        } catch (const DbError& e) {
            throw DbError(DbError::Kind::Refused, QStringLiteral("%1.%2, row %3: %4")
                                                      .arg(table.label(), table.columns[i].name.toUpper())
                                                      .arg(rowNumber)
                                                      .arg(e.message()));
        }
    }
}

QString columnsAsText(const TableInfo& table) {
    QStringList casts;
    for (const ColumnInfo& c : table.columns)
        casts << QStringLiteral("CAST(%1 AS TEXT)").arg(quoted(c.name));
    return casts.join(QStringLiteral(", "));
}

void readRows(Database& db, const TableInfo& table, const std::function<void(const QStringList&)>& row) {
    const QString casts = columnsAsText(table);
    const qsizetype n = table.columns.size();
    qint64 read = 0;
    QStringList values(n);
    const auto take = [&](QSqlQuery& q, int first) {
        for (qsizetype i = 0; i < n; ++i)
            values[i] = q.isNull(first + int(i)) ? QString() : q.value(first + int(i)).toString();
        canonicalRow(table, values, ++read);
        row(values);
    };
    if (db.dialect().isSqlite()) {
        // By rowid, a chunk at a time: the driver would otherwise hold the whole table in memory.
        const QString sql = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid > ? ORDER BY rowid LIMIT %3")
                                .arg(casts, quoted(table.name))
                                .arg(kChunk);
        qint64 last = std::numeric_limits<qint64>::min();
        for (;;) {
            QSqlQuery q = db.exec(sql, {last});
            int got = 0;
            while (q.next()) {
                ++got;
                last = q.value(0).toLongLong();
                take(q, 1);
            }
            if (got < kChunk)
                return;
        }
    }
    // On the server a cursor hands the rows over a chunk at a time, inside one transaction.
    db.transact([&] {
        db.exec(QStringLiteral("DECLARE tarvic_rows NO SCROLL CURSOR FOR SELECT %1 FROM %2")
                    .arg(casts, quoted(table.name)));
        for (;;) {
            QSqlQuery q = db.exec(QStringLiteral("FETCH FORWARD %1 FROM tarvic_rows").arg(kChunk));
            int got = 0;
            while (q.next()) {
                ++got;
                take(q, 0);
            }
            if (got < kChunk)
                break;
        }
        db.exec(QStringLiteral("CLOSE tarvic_rows"));
    });
}

QByteArray rowDigest(const QStringList& values) {
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const QString& v : values) {
        if (v.isNull()) {
            h.addData(QByteArrayView("\0", 1));
            continue;
        }
        const QByteArray bytes = v.toUtf8();
        const quint32 size = quint32(bytes.size());
        h.addData(QByteArrayView("\1", 1));
        h.addData(QByteArrayView(reinterpret_cast<const char*>(&size), sizeof size));
        h.addData(bytes);
    }
    return h.result();
}

void TableFingerprint::add(const QStringList& values) {
    ++rows;
    QString label = values.value(0).left(40);
    if (values.size() > 1)
        label += QLatin1Char(' ') + values.at(1).left(40);
    digests.emplace_back(rowDigest(values), label);
}

void TableFingerprint::finish() {
    std::sort(digests.begin(), digests.end());
}

QByteArray TableFingerprint::checksum() const {
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const auto& d : digests)
        h.addData(d.first);
    return h.result().toHex();
}

QString TableFingerprint::differenceFrom(const TableFingerprint& other, const QString& thisSide,
                                         const QString& otherSide) const {
    if (rows == other.rows && checksum() == other.checksum())
        return {};
    // Walk both sorted lists for the first row found on one side only.
    QString onlyHere, onlyThere;
    auto a = digests.begin();
    auto b = other.digests.begin();
    while ((a != digests.end() || b != other.digests.end()) && (onlyHere.isNull() || onlyThere.isNull())) {
        if (b == other.digests.end() || (a != digests.end() && a->first < b->first)) {
            if (onlyHere.isNull())
                onlyHere = a->second;
            ++a;
        } else if (a == digests.end() || b->first < a->first) {
            if (onlyThere.isNull())
                onlyThere = b->second;
            ++b;
        } else {
            ++a;
            ++b;
        }
    }
    QString text = QStringLiteral("%1 row(s) %2, %3 %4").arg(rows).arg(thisSide).arg(other.rows).arg(otherSide);
    if (!onlyHere.isNull())
        text += QStringLiteral("; row \"%1\" %2 differs").arg(onlyHere, thisSide);
    if (!onlyThere.isNull())
        text += QStringLiteral("; row \"%1\" %2 differs").arg(onlyThere, otherSide);
    return text;
}

TableFingerprint fingerprint(Database& db, const TableInfo& table) {
    TableFingerprint f;
    readRows(db, table, [&](const QStringList& values) { f.add(values); });
    f.finish();
    return f;
}

}  // namespace tarvic
