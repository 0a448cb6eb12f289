#include "QueryModel.h"

#include "data/Money.h"

#include <QDateTime>
#include <QTimer>

namespace tarvic {

namespace {

// A moment as either engine hands it back: PostgreSQL a date-time, SQLite the text it stored.
QDateTime momentOf(const QVariant& v) {
    if (v.isNull())
        return {};
    const int type = v.metaType().id();
    if (type == QMetaType::QDateTime)
        return v.toDateTime();
    if (type == QMetaType::QDate)
        return v.toDate().startOfDay();
    QString text = v.toString().trimmed();
    text.replace(QLatin1Char(' '), QLatin1Char('T'));
    QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!dt.isValid())
        dt = QDate::fromString(text.left(10), Qt::ISODate).startOfDay();
    return dt;
}

QString cellText(const ListColumn& c, const QSqlRecord& rec, int rowNo) {
    switch (c.kind) {
        case ListColumn::Kind::Serial:
            return QString::number(rowNo + 1);
        case ListColumn::Kind::Computed:
            return c.compute ? c.compute(rec) : QString();
        default:
            break;
    }
    const QVariant v = rec.value(c.field);
    if (v.isNull())
        return {};
    switch (c.kind) {
        case ListColumn::Kind::Number: {
            bool ok = false;
            const qint64 n = v.toLongLong(&ok);
            if (ok)
                return QString::number(n);
            const double d = v.toDouble(&ok);
            return ok ? QString::number(qint64(d)) : v.toString().trimmed();
        }
        case ListColumn::Kind::Money:
            return Money::fromVariant(v).toString();
        case ListColumn::Kind::Date: {
            const QDateTime dt = momentOf(v);
            return dt.isValid() ? dt.toString(QStringLiteral("dd/MM/yyyy")) : v.toString().trimmed();
        }
        case ListColumn::Kind::Moment: {
            const QDateTime dt = momentOf(v);
            return dt.isValid() ? dt.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) : v.toString().trimmed();
        }
        default:
            return v.toString().trimmed();
    }
}

}  // namespace

ListColumn ListColumn::text(const QString& heading, const QString& field, int widthTwips, Qt::Alignment alignment) {
    ListColumn c;
    c.heading = heading;
    c.field = field;
    c.widthTwips = widthTwips;
    c.alignment = alignment;
    return c;
}

ListColumn ListColumn::number(const QString& heading, const QString& field, int widthTwips) {
    ListColumn c = text(heading, field, widthTwips, Qt::AlignRight);
    c.kind = Kind::Number;
    return c;
}

ListColumn ListColumn::money(const QString& heading, const QString& field, int widthTwips) {
    ListColumn c = text(heading, field, widthTwips, Qt::AlignRight);
    c.kind = Kind::Money;
    return c;
}

ListColumn ListColumn::date(const QString& heading, const QString& field, int widthTwips) {
    ListColumn c = text(heading, field, widthTwips);
    c.kind = Kind::Date;
    return c;
}

ListColumn ListColumn::moment(const QString& heading, const QString& field, int widthTwips) {
    ListColumn c = text(heading, field, widthTwips);
    c.kind = Kind::Moment;
    return c;
}

ListColumn ListColumn::serial(const QString& heading, int widthTwips) {
    ListColumn c = text(heading, QString(), widthTwips, Qt::AlignRight);
    c.kind = Kind::Serial;
    return c;
}

ListColumn ListColumn::computed(const QString& heading, int widthTwips,
                                std::function<QString(const QSqlRecord&)> compute, Qt::Alignment alignment) {
    ListColumn c = text(heading, QString(), widthTwips, alignment);
    c.kind = Kind::Computed;
    c.compute = std::move(compute);
    return c;
}

QueryModel::QueryModel(Database& db, QList<ListColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), db_(db), columns_(std::move(columns)) {}

void QueryModel::setSelect(const QString& columns, const QString& groupBy) {
    select_ = columns;
    groupBy_ = groupBy;
}

QString QueryModel::rowsSql() const {
    QString sql = query_.with(select_);
    if (!groupBy_.isEmpty())
        sql += QStringLiteral(" GROUP BY ") + groupBy_;
    if (!orderBy_.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + orderBy_;
    return sql;
}

QueryModel::Row QueryModel::makeRow(const QSqlRecord& rec, int rowNo) const {
    Row row;
    row.cells.reserve(columns_.size());
    for (const ListColumn& c : columns_)
        row.cells << cellText(c, rec, rowNo);
    if (colours_) {
        const RowColours colours = colours_(rec);
        row.back = colours.back;
        row.fore = colours.fore;
    }
    return row;
}

void QueryModel::clear() {
    beginResetModel();
    pages_.clear();
    recent_.clear();
    rows_ = 0;
    loaded_ = false;
    endResetModel();
}

void QueryModel::load(const ListQuery& query) {
    clear();
    query_ = query;
    statements_ = 0;
    failed_ = false;
    Page first = readPage(0);
    int rows = int(first.size());
    if (rows == pageSize_) {
        // More rows than a page: count them, so that the grid and its scroll bar have their
        // whole size without reading them.
        const QString counted =
            groupBy_.isEmpty()
                ? query_.with(QStringLiteral("COUNT(*)"))
                : QStringLiteral("SELECT COUNT(*) FROM (%1 GROUP BY %2) q").arg(query_.with(select_), groupBy_);
        ++statements_;
        rows = int(db_.scalar(counted, query_.values).toLongLong());
        rows = qMax(rows, int(first.size()));
    }
    beginResetModel();
    rows_ = rows;
    loaded_ = true;
    if (!first.isEmpty())
        keep(0, std::move(first));
    endResetModel();
}

QueryModel::Page QueryModel::readPage(int page) const {
    ++statements_;
    QSqlQuery q = db_.exec(
        rowsSql() + QStringLiteral(" LIMIT %1 OFFSET %2").arg(pageSize_).arg(qint64(page) * pageSize_), query_.values);
    Page rows;
    rows.reserve(pageSize_);
    int rowNo = page * pageSize_;
    while (q.next())
        rows.append(makeRow(q.record(), rowNo++));
    q.finish();
    return rows;
}

void QueryModel::keep(int page, Page rows) const {
    pages_.insert(page, std::move(rows));
    recent_.removeAll(page);
    recent_.append(page);
    while (recent_.size() > maxPages_)
        pages_.remove(recent_.takeFirst());
}

const QueryModel::Row* QueryModel::rowAt(int row) const {
    if (row < 0 || row >= rows_)
        return nullptr;
    const int page = row / pageSize_;
    auto it = pages_.find(page);
    if (it == pages_.end()) {
        Page rows;
        try {
            rows = readPage(page);
        } catch (const DbError& e) {
            // Said once per load, after the paint that asked for the row: the page stays
            // blank until the next load.
            if (!failed_) {
                failed_ = true;
                const QString message = e.message();
                QTimer::singleShot(0, this, [this, message] { emit pageFailed(message); });
            }
        }
        keep(page, std::move(rows));
        it = pages_.find(page);
    } else if (recent_.constLast() != page) {
        recent_.removeAll(page);
        recent_.append(page);
    }
    const int at = row - page * pageSize_;
    return at < it->size() ? &it->at(at) : nullptr;
}

void QueryModel::forEachRow(const std::function<bool(const QStringList&)>& row) const {
    if (!loaded_)
        return;
    QSqlQuery q = db_.exec(rowsSql(), query_.values);
    int rowNo = 0;
    while (q.next()) {
        if (!row(makeRow(q.record(), rowNo++).cells))
            break;
    }
    q.finish();
}

QString QueryModel::text(int row, int column) const {
    const Row* r = rowAt(row);
    return r ? r->cells.value(column) : QString();
}

int QueryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int QueryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant QueryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            const Row* r = rowAt(index.row());
            return r ? r->cells.value(index.column()) : QString();
        }
        case Qt::TextAlignmentRole:
            return int((columns_.at(index.column()).alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
        case Qt::BackgroundRole:
        case Qt::ForegroundRole: {
            if (!colours_)
                return {};
            const Row* r = rowAt(index.row());
            if (!r)
                return {};
            const QColor& c = role == Qt::BackgroundRole ? r->back : r->fore;
            return c.isValid() ? QVariant(c) : QVariant();
        }
        default:
            return {};
    }
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return columns_.at(section).heading;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags QueryModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace tarvic
