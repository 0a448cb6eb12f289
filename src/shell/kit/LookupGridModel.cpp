#include "LookupGridModel.h"

#include "data/ColumnLengths.h"
#include "data/Money.h"
#include "engine/masters/LookupRows.h"
#include "shell/kit/Guard.h"
#include "shell/kit/KeyFilters.h"

namespace tarvic {

LookupGridModel::LookupGridModel(Database& db, LookupGridConfig config, QObject* parent)
    : QAbstractTableModel(parent), db_(db), config_(std::move(config)) {
    setObjectName(config_.sourceName);
}

void LookupGridModel::load() {
    QVector<Row> rows;
    QSqlQuery q = db_.exec(config_.selectSql());
    const int key = config_.keyIndex();
    while (q.next()) {
        const QSqlRecord rec = q.record();
        Row row;
        for (int c = 0; c < config_.columns.size(); ++c)
            row.values << display(c, rec.value(config_.columns.at(c).name));
        if (key >= 0)
            row.key = rec.value(config_.keyColumn);
        rows.append(row);
    }
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QString LookupGridModel::display(int column, const QVariant& v) const {
    if (v.isNull())
        return {};
    switch (config_.columns.at(column).kind) {
    case LookupColumn::Kind::Decimal:
        return Money::fromVariant(v).toString();
    case LookupColumn::Kind::Integer: {
        // SQLite may hand back a whole number stored as REAL ("100.0").
        bool ok = false;
        const qint64 n = v.toLongLong(&ok);
        return ok ? QString::number(n) : v.toString();
    }
    case LookupColumn::Kind::Text:
        break;
    }
    return v.toString();
}

int LookupGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size()) + (config_.allowAdd ? 1 : 0);
}

int LookupGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(config_.columns.size());
}

QVariant LookupGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool number = config_.columns.at(index.column()).kind != LookupColumn::Kind::Text;
        return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (index.row() >= rows_.size())
        return QString();
    return rows_.at(index.row()).values.value(index.column());
}

QVariant LookupGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < config_.columns.size() ? config_.columns.at(section).heading : QString();
    return isNewLine(section) ? QStringLiteral("*") : QString();
}

Qt::ItemFlags LookupGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // On the new-row line every cell takes a value: the row does not exist yet. Once stored,
    // its key stays: rows elsewhere point at it.
    const bool fixed = config_.columns.at(index.column()).readOnly || index.column() == config_.keyIndex();
    if (fixed && !isNewLine(index.row()) && !rows_.at(index.row()).isNew)
        return base;
    return base | Qt::ItemIsEditable;
}

bool LookupGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int r = index.row();
    const int c = index.column();
    QString text = value.toString();
    if (config_.upperCase && config_.columns.at(c).kind == LookupColumn::Kind::Text)
        text = upperText(text);
    if (isNewLine(r)) {
        if (text.isEmpty())
            return false;  // nothing typed on the new line: no row yet
        // The new line becomes a row and a fresh new line follows it.
        beginInsertRows({}, r + 1, r + 1);
        Row row;
        row.isNew = true;
        for (int i = 0; i < config_.columns.size(); ++i)
            row.values << QString();
        rows_.append(row);
        endInsertRows();
        emit headerDataChanged(Qt::Vertical, r, r + 1);
    }
    Row& row = rows_[r];
    if (row.values.at(c) == text)
        return true;
    row.values[c] = text;
    row.dirty = true;
    emit dataChanged(index, index);
    return true;
}

QList<int> LookupGridModel::dirtyRows() const {
    QList<int> out;
    for (int r = 0; r < rows_.size(); ++r)
        if (rows_.at(r).dirty)
            out << r;
    return out;
}

bool LookupGridModel::bindable(int column, const QString& text, QVariant* out, QString* error) const {
    const LookupColumn& col = config_.columns.at(column);
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *out = QVariant();
        return true;
    }
    switch (col.kind) {
    case LookupColumn::Kind::Integer: {
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        if (!ok) {
            *error = QStringLiteral("INVALID NUMBER FOR %1 : %2 ....").arg(col.heading, t);
            return false;
        }
        *out = n;
        return true;
    }
    case LookupColumn::Kind::Decimal: {
        const Money::Reading m = Money::read(t);
        if (!m.ok()) {
            *error = m.kind == Money::Reading::Kind::TooLarge
                         ? exceedsLimitMessage(col.heading)
                         : QStringLiteral("INVALID NUMBER FOR %1 : %2 ....").arg(col.heading, t);
            return false;
        }
        *out = m.value.toVariant();
        return true;
    }
    case LookupColumn::Kind::Text:
        break;
    }
    *out = text;
    return true;
}

bool LookupGridModel::writeRow(int r, QString* error) {
    if (!isDirty(r))
        return true;
    Row& row = rows_[r];
    Columns columns;
    for (int c = 0; c < config_.columns.size(); ++c) {
        QVariant v;
        if (!bindable(c, row.values.at(c), &v, error))
            return false;
        columns.emplace_back(config_.columns.at(c).name, v);
    }
    const int key = config_.keyIndex();
    const bool numbered = row.isNew && key >= 0 && columns.at(key).second.isNull();
    if (numbered && config_.columns.at(key).kind != LookupColumn::Kind::Integer) {
        *error = QStringLiteral("PLEASE ENTER %1 PROPERLY ....").arg(config_.columns.at(key).heading);
        return false;
    }
    QVariant stored;
    try {
        stored = saveLookupRow(db_, {config_.table, config_.keyColumn, row.key, row.isNew, columns, key,
                                     config_.rowCheck});
    } catch (const DbError& e) {
        *error = refusal(e, r, "SAVED");
        return false;
    }
    row.key = stored;
    row.isNew = false;
    row.dirty = false;
    reread(r);
    return true;
}

void LookupGridModel::reread(int r) {
    Row& row = rows_[r];
    std::optional<QSqlRecord> rec;
    try {
        rec = db_.firstRow(QStringLiteral("SELECT * FROM %1 WHERE %2=?").arg(config_.table, config_.keyColumn),
                           {row.key});
    } catch (const DbError&) {
        // Stored all the same: the grid keeps what was typed until the next load.
    }
    if (rec)
        for (int c = 0; c < config_.columns.size(); ++c)
            row.values[c] = display(c, rec->value(config_.columns.at(c).name));
    emit dataChanged(index(r, 0), index(r, int(config_.columns.size()) - 1));
}

QString LookupGridModel::refusal(const DbError& e, int r, const char* verb) const {
    if (e.kind() == DbError::Kind::Refused)
        return e.message();  // the member's own rule, in its own words
    // The driver's own text helps whoever looks after the database, not the user.
    qWarning("%s: %s", qPrintable(config_.table), qPrintable(e.message()));
    const int key = std::max(config_.keyIndex(), 0);
    FailureMessages own;
    own.duplicate = QStringLiteral("%1 : %2 ALREADY EXISTS, CANNOT PROCEED .....")
                        .arg(config_.columns.at(key).heading, rows_.at(r).values.at(key).trimmed());
    own.changed = QString::fromLatin1(kChangedByAnotherUser);
    own.locked = QStringLiteral("THE RECORD IS IN USE ON ANOTHER WORKSTATION, PLEASE TRY AGAIN ....");
    if (const auto* tooLong = dynamic_cast<const TextTooLong*>(&e)) {
        for (const LookupColumn& c : config_.columns)
            if (c.name.compare(tooLong->column(), Qt::CaseInsensitive) == 0)
                return tooLongText(c.heading, tooLong->limit());
        return e.message();
    }
    if (failureOf(e) == Failure::Other)
        return QStringLiteral("THE RECORD COULD NOT BE %1 ....").arg(QLatin1String(verb));
    return failureText(e, own);
}

bool LookupGridModel::deleteRow(int r, QString* error) {
    if (r < 0 || r >= rows_.size())
        return true;
    if (!rows_.at(r).isNew) {
        try {
            deleteLookupRow(db_, config_.table, config_.keyColumn, rows_.at(r).key);
        } catch (const DbError& e) {
            *error = refusal(e, r, "DELETED");
            return false;
        }
    }
    beginRemoveRows({}, r, r);
    rows_.removeAt(r);
    endRemoveRows();
    return true;
}

}  // namespace tarvic
