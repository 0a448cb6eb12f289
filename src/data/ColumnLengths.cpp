#include "ColumnLengths.h"

#include "SchemaTables.h"
#include "TransactionRecords.h"

namespace tarvic {

namespace {

QString keyOf(const QString& table, const QString& column) {
    return table.toUpper() + QLatin1Char('.') + column.toUpper();
}

// The digits a whole number of the type always holds, whatever its sign.
int wholeDigits(const QString& type) {
    const QString t = type.toUpper();
    if (t.contains(QLatin1String("BIGINT")) || t.contains(QLatin1String("INT8")))
        return 18;
    if (t.contains(QLatin1String("SMALLINT")) || t.contains(QLatin1String("INT2")))
        return 4;
    return 9;
}

int fieldLengthOf(const ColumnInfo& c) {
    switch (c.kind) {
        case ValueKind::Text:
            return c.length;
        case ValueKind::Integer:
            return wholeDigits(c.type);
        case ValueKind::Decimal:
            return c.precision > 0 ? c.precision + (c.scale > 0 ? 1 : 0) : 0;
        case ValueKind::Moment:
        case ValueKind::Date:
            return 10;  // typed as dd/mm/yyyy
        case ValueKind::Time:
            return 8;  // HH:mm:ss
        case ValueKind::Float:
            break;
    }
    return 0;
}

}  // namespace

ColumnLengths::ColumnLengths(Database& db) {
    for (const TableInfo& t : schemaTables(db)) {
        tables_.insert(t.label(), true);
        for (const ColumnInfo& c : t.columns)
            columns_.insert(keyOf(t.name, c.name), {c.kind == ValueKind::Text ? c.length : 0, fieldLengthOf(c)});
    }
}

bool ColumnLengths::knows(const QString& table) const { return tables_.contains(table.toUpper()); }

ColumnLengths::Bound ColumnLengths::bound(const QString& table, const QString& column) const {
    return columns_.value(keyOf(table, column));
}

int ColumnLengths::textLength(const QString& table, const QString& column) const { return bound(table, column).text; }

int ColumnLengths::fieldLength(const QString& table, const QString& column) const {
    return bound(table, column).field;
}

const ColumnLengths& Database::columnLengths(const QString& table) {
    // A table created after the lengths were read (the schema set up on this connection) has
    // them read again.
    if (!columnLengths_ || (!table.isEmpty() && !columnLengths_->knows(table)))
        columnLengths_ = std::make_shared<const ColumnLengths>(*this);
    return *columnLengths_;
}

qsizetype characterCount(const QString& text) {
    qsizetype n = 0;
    for (const QChar c : text)
        n += c.isLowSurrogate() ? 0 : 1;
    return n;
}

QString tooLongText(const QString& caption, int limit) {
    return QStringLiteral("%1 CANNOT BE LONGER THAN %2 CHARACTERS ....").arg(caption.trimmed()).arg(limit);
}

TextTooLong::TextTooLong(const QString& table, const QString& column, int limit)
    : DbError(Kind::Refused, tooLongText(QString(column).replace(QLatin1Char('_'), QLatin1Char(' ')).toUpper(), limit)),
      table_(table.toUpper()),
      column_(column.toUpper()),
      limit_(limit) {}

void checkTextLengths(Database& db, const QString& table, const Columns& columns) {
    const ColumnLengths& lengths = db.columnLengths(table);
    for (const auto& [name, value] : columns) {
        if (value.typeId() != QMetaType::QString)
            continue;
        const int limit = lengths.textLength(table, name);
        if (limit > 0 && characterCount(value.toString()) > limit)
            throw TextTooLong(table, name, limit);
    }
}

void checkTextLengths(Database& db, const std::vector<Document>& parts) {
    const QString table = QStringLiteral("M_TBL_TRANSACTION");
    for (const Document& d : parts) {
        checkTextLengths(db, table, d.columns);
        checkTextLengths(db, table, d.pairColumns);
        for (const Columns& line : d.lines)
            checkTextLengths(db, table, line);
    }
}

}  // namespace tarvic
