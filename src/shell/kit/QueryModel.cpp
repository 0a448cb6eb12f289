#include "QueryModel.h"

#include "data/Moments.h"
#include "data/Money.h"
#include "data/RowReader.h"

#include <QDateTime>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <vector>

namespace tarvic {

namespace {

// A field's value as its column shows it. A figure beyond the largest amount (a sum of many) is
// never shown wrong: the cell says so, and beyond is set.
QString valueText(const ListColumn& c, const QVariant& v, bool& beyond) {
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
        case ListColumn::Kind::Money: {
            const Money::Reading m = Money::read(v);
            if (m.kind == Money::Reading::Kind::TooLarge) {
                beyond = true;
                return exceedsText();
            }
            return m.kind == Money::Reading::Kind::Malformed ? v.toString().trimmed() : m.value.toString();
        }
        case ListColumn::Kind::Date: {
            const QString text = dateText(v);
            return text.isEmpty() ? v.toString().trimmed() : text;
        }
        case ListColumn::Kind::Moment: {
            const QString text = momentText(v);
            return text.isEmpty() ? v.toString().trimmed() : text;
        }
        default:
            return v.toString().trimmed();
    }
}

QString cellText(const ListColumn& c, const QSqlRecord& rec, int rowNo, bool& beyond) {
    switch (c.kind) {
        case ListColumn::Kind::Serial:
            return QString::number(rowNo + 1);
        case ListColumn::Kind::Computed:
            return c.compute ? c.compute(rec) : QString();
        case ListColumn::Kind::ByOn:
            return byOnText(rec.value(c.field), rec.value(c.onField));
        case ListColumn::Kind::OnBy:
            return momentText(rec.value(c.onField)) + QStringLiteral(" - ") + rec.value(c.field).toString().trimmed();
        default:
            return c.field.isEmpty() ? QString() : valueText(c, rec.value(c.field), beyond);
    }
}

// Whole paise of exact decimal text of at most thirteen digits of rupees and two of paise (what
// both engines hand back for an amount); anything else is left to Money::read.
std::optional<qint64> plainPaise(QLatin1String text) {
    const char* at = text.data();
    const char* const end = at + text.size();
    const bool negative = at < end && *at == '-';
    if (negative)
        ++at;
    qint64 paise = 0;
    int digits = 0;
    for (; at < end && *at >= '0' && *at <= '9'; ++at, ++digits)
        paise = paise * 10 + (*at - '0');
    if (digits == 0 || digits > 13)
        return std::nullopt;
    paise *= 100;
    if (at < end) {
        if (*at != '.' || end - at > 3 || end - at < 2)
            return std::nullopt;
        int scale = 10;
        for (++at; at < end; ++at, scale /= 10) {
            if (*at < '0' || *at > '9')
                return std::nullopt;
            paise += (*at - '0') * scale;
        }
    }
    return negative ? -paise : paise;
}

// Money::toString() of whole paise within the largest amount, appended without a string of its own.
void appendAmount(QString& out, qint64 paise) {
    char16_t text[24];
    char16_t* at = text + 24;
    qint64 a = paise < 0 ? -paise : paise;
    *--at = char16_t(u'0' + a % 10);
    *--at = char16_t(u'0' + a / 10 % 10);
    *--at = u'.';
    a /= 100;
    do {
        *--at = char16_t(u'0' + a % 10);
        a /= 10;
    } while (a > 0);
    if (paise < 0)
        *--at = u'-';
    out += QStringView(at, text + 24 - at);
}

// A ByOn or OnBy column's text, from the reader's buffers when they hold text and a moment.
void appendByOn(QString& out, const ListColumn& c, const RowReader& r, int by, int on) {
    using K = RowReader::Cell::Kind;
    const RowReader::Cell who = by < 0 ? RowReader::Cell{K::Null} : r.cell(by);
    const RowReader::Cell when = on < 0 ? RowReader::Cell{K::Null} : r.cell(on);
    if ((who.kind == K::Text || who.kind == K::Null) &&
        (when.kind == K::Null || (when.kind == K::Moment && when.date.isValid() && when.time.isValid()))) {
        const QStringView name = who.text.trimmed();
        if (c.kind == ListColumn::Kind::OnBy) {
            if (when.kind == K::Moment)
                appendMomentText(out, when.date, when.time);
            out += QLatin1String(" - ");
            out += name;
            return;
        }
        if (name.isEmpty() && when.kind == K::Null)
            return;
        out += name;
        out += QLatin1String(" - ");
        if (when.kind == K::Moment)
            appendMomentText(out, when.date, when.time);
        return;
    }
    const QVariant whoValue = by < 0 ? QVariant() : r.value(by), whenValue = on < 0 ? QVariant() : r.value(on);
    out += c.kind == ListColumn::Kind::OnBy
               ? momentText(whenValue) + QStringLiteral(" - ") + whoValue.toString().trimmed()
               : byOnText(whoValue, whenValue);
}

// The text of one cell of a column read from a field, appended to out straight from the
// reader's buffer for the kinds a listing holds in bulk (codes and names, whole numbers,
// amounts, dates and moments); any other value goes through valueText().
void appendField(QString& out, const ListColumn& c, const RowReader& r, int field, bool& beyond) {
    if (field < 0)
        return;
    using K = RowReader::Cell::Kind;
    const RowReader::Cell cell = r.cell(field);
    switch (cell.kind) {
        case K::Null:
            return;
        case K::Variant:
            out += valueText(c, r.value(field), beyond);
            return;
        default:
            break;
    }
    switch (c.kind) {
        case ListColumn::Kind::Text:
            if (cell.kind == K::Text) {
                out += cell.text.trimmed();
                return;
            }
            if (cell.kind == K::Integer) {
                out += QString::number(cell.integer);
                return;
            }
            if (cell.kind == K::Decimal) {
                out += cell.decimal.trimmed();
                return;
            }
            break;
        case ListColumn::Kind::Number:
            if (cell.kind == K::Integer) {
                out += QString::number(cell.integer);
                return;
            }
            break;
        case ListColumn::Kind::Money:
            if (cell.kind == K::Decimal) {
                if (const std::optional<qint64> paise = plainPaise(cell.decimal)) {
                    appendAmount(out, *paise);
                    return;
                }
            }
            break;
        case ListColumn::Kind::Date:
            if ((cell.kind == K::Date || cell.kind == K::Moment) && cell.date.isValid()) {
                appendDateText(out, cell.date);
                return;
            }
            break;
        case ListColumn::Kind::Moment:
            if (cell.kind == K::Date && cell.date.isValid()) {
                appendMomentText(out, cell.date, QTime(0, 0));
                return;
            }
            if (cell.kind == K::Moment && cell.date.isValid() && cell.time.isValid()) {
                appendMomentText(out, cell.date, cell.time);
                return;
            }
            break;
        default:
            break;
    }
    out += valueText(c, r.value(field), beyond);
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

ListColumn ListColumn::onBy(const QString& heading, const char* onField, const char* byField, int widthTwips) {
    ListColumn c = byOn(heading, byField, onField, widthTwips);
    c.kind = Kind::OnBy;
    return c;
}

ListColumn ListColumn::computed(const QString& heading, int widthTwips,
                                std::function<QString(const QSqlRecord&)> compute, Qt::Alignment alignment) {
    ListColumn c = text(heading, QString(), widthTwips, alignment);
    c.kind = Kind::Computed;
    c.compute = std::move(compute);
    return c;
}

ListColumn ListColumn::byOn(const QString& heading, const char* byField, const char* onField, int widthTwips) {
    ListColumn c = text(heading, QLatin1String(byField), widthTwips);
    c.kind = Kind::ByOn;
    c.onField = QLatin1String(onField);
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

QList<QueryModel::OrderTerm> QueryModel::orderTerms() const {
    QList<OrderTerm> terms;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= orderBy_.size(); ++i) {
        const QChar c = i < orderBy_.size() ? orderBy_.at(i) : QLatin1Char(',');
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (c == QLatin1Char(',') && depth == 0) {
            OrderTerm t{orderBy_.mid(start, i - start).trimmed()};
            if (t.expression.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive)) {
                t.expression.chop(5);
                t.descending = true;
            } else if (t.expression.endsWith(QLatin1String(" ASC"), Qt::CaseInsensitive)) {
                t.expression.chop(4);
            }
            t.expression = t.expression.trimmed();
            terms << t;
            start = i + 1;
        }
    }
    return terms;
}

QList<QueryModel::OrderTerm> QueryModel::keyTerms() const {
    if (!groupBy_.isEmpty() || orderBy_.isEmpty())
        return {};
    const QList<OrderTerm> terms = orderTerms();
    // A name the select list gives cannot be selected again beside it.
    for (const OrderTerm& t : terms)
        if (select_.contains(QLatin1String(" AS ") + t.expression, Qt::CaseInsensitive))
            return {};
    return terms;
}

QString QueryModel::pageSelect() const {
    QString select = select_;
    for (qsizetype i = 0; i < keys_.size(); ++i)
        select += QStringLiteral(", %1 AS LISTING_K%2").arg(keys_[i].expression).arg(i);
    return select;
}

bool QueryModel::readByKey(int page, Page& rows) const {
    if (keys_.isEmpty() || keysFailed_)
        return false;
    const auto before = pages_.constFind(page - 1), after = pages_.constFind(page + 1);
    const bool forwards = before != pages_.cend() && before->size() == pageSize_;
    if (!forwards && (after == pages_.cend() || after->isEmpty()))
        return false;
    const QVariantList& from = forwards ? before->constLast().keys : after->constFirst().keys;
    // Rows beyond `from` in the direction of reading: the same on the terms before one, and
    // beyond it on that one. SQLite puts NULLs first in an ascending order, PostgreSQL last;
    // a DESC term turns both round, and so does reading backwards.
    const bool nullsLowest = db_.dialect().isSqlite();
    QStringList any, order;
    QVariantList values = query_.values;
    for (qsizetype i = 0; i < keys_.size(); ++i) {
        QStringList all;
        for (qsizetype j = 0; j <= i; ++j) {
            const QString k = QStringLiteral("q.LISTING_K%1").arg(j);
            const QVariant& v = from.at(j);
            if (j < i) {
                all << (v.isNull() ? k + QStringLiteral(" IS NULL") : k + QStringLiteral(" = ?"));
                if (!v.isNull())
                    values << v;
                continue;
            }
            const bool ascending = keys_[j].descending != forwards;
            const bool nullsBefore = nullsLowest == ascending;  // NULLs come before the others in this reading
            const QString beyond = k + (ascending ? QStringLiteral(" > ?") : QStringLiteral(" < ?"));
            if (v.isNull())
                all << (nullsBefore ? k + QStringLiteral(" IS NOT NULL") : QStringLiteral("1 = 0"));
            else {
                all << (nullsBefore ? beyond : QStringLiteral("(%1 OR %2 IS NULL)").arg(beyond, k));
                values << v;
            }
        }
        any << QLatin1Char('(') + all.join(QLatin1String(" AND ")) + QLatin1Char(')');
        order << QStringLiteral("LISTING_K%1%2")
                     .arg(i)
                     .arg(keys_[i].descending != forwards ? QString() : QStringLiteral(" DESC"));
    }
    const QString sql =
        QStringLiteral("SELECT * FROM (%1) q WHERE %2 ORDER BY %3 LIMIT %4")
            .arg(query_.with(pageSelect()), any.join(QLatin1String(" OR ")), order.join(QLatin1String(", ")))
            .arg(pageSize_);
    ++statements_;
    Page read;
    try {
        RowReader r(db_, sql, values);
        const qint64 first = qint64(page) * pageSize_;
        int rowNo = int(forwards ? first : first + pageSize_ - 1);
        while (r.next())
            read.append(makeRow(r.record(), forwards ? rowNo++ : rowNo--));
    } catch (const DbError&) {
        // A value the engine would not compare as bound: pages by position from now on.
        keysFailed_ = true;
        return false;
    }
    if (!forwards)
        std::reverse(read.begin(), read.end());
    rows = std::move(read);
    return true;
}

QueryModel::Row QueryModel::makeRow(const QSqlRecord& rec, int rowNo) const {
    Row row;
    for (qsizetype i = 0; i < keys_.size(); ++i)
        row.keys << rec.value(QStringLiteral("LISTING_K%1").arg(i));
    row.cells.reserve(columns_.size());
    bool beyond = false;
    for (const ListColumn& c : columns_)
        row.cells << cellText(c, rec, rowNo, beyond);
    if (beyond)
        sayBeyond();
    if (colours_) {
        const RowColours colours = colours_(rec);
        row.back = colours.back;
        row.fore = colours.fore;
    }
    return row;
}

void QueryModel::sayBeyond() const {
    if (beyondSaid_)
        return;
    // Said once per load, after the paint, the load or the export that met it.
    beyondSaid_ = true;
    QTimer::singleShot(0, this, [this] {
        emit pageFailed(
            QStringLiteral("AN AMOUNT EXCEEDS %1 AND CANNOT BE SHOWN EXACTLY ....").arg(Money::largest().toString()));
    });
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
    keys_ = keyTerms();
    keysFailed_ = false;
    beyondSaid_ = false;
    Page first = readPage(0);
    int rows = int(first.size());
    if (rows == pageSize_) {
        // More rows than a page: count them, so that the grid and its scroll bar have their
        // whole size without reading them.
        const bool own = !query_.countStatement.isEmpty();
        const QString counted =
            own ? query_.countStatement
            : groupBy_.isEmpty()
                ? query_.with(QStringLiteral("COUNT(*)"))
                : QStringLiteral("SELECT COUNT(*) FROM (%1 GROUP BY %2) q").arg(query_.with(select_), groupBy_);
        ++statements_;
        rows = int(db_.scalar(counted, own ? query_.countValues : query_.values).toLongLong());
        rows = qMax(rows, int(first.size()));
    }
    beginResetModel();
    rows_ = rows;
    loaded_ = true;
    if (!first.isEmpty())
        keep(0, std::move(first));
    endResetModel();
}

QString QueryModel::reversedOrder() const {
    // Each term of the order turned round; NULLs keep their place in the reversed order on
    // both engines (SQLite sorts them first, PostgreSQL last, each side mirrored by DESC).
    QStringList terms;
    for (const OrderTerm& t : orderTerms())
        terms << (t.descending ? t.expression : t.expression + QLatin1String(" DESC"));
    return terms.join(QLatin1String(", "));
}

QueryModel::Page QueryModel::readPage(int page) const {
    // SQLite keeps the first OFFSET + LIMIT rows of a sort in a b-tree, which grows slow deep
    // into a long list. A page near the top is read forwards, one near the bottom backwards
    // from the end, and one in the middle by its row numbers over one full sort.
    const qint64 offset = qint64(page) * pageSize_;
    const qint64 reach = qint64(pageSize_) * kDirectPages;
    const qint64 onPage = loaded_ ? qMin<qint64>(pageSize_, rows_ - offset) : pageSize_;
    const qint64 after = loaded_ ? rows_ - offset - onPage : -1;
    Page keyed;
    if (page > 0 && readByKey(page, keyed))
        return keyed;
    const QString grouped = groupBy_.isEmpty() ? QString() : QStringLiteral(" GROUP BY ") + groupBy_;
    const QString ordered = orderBy_.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + orderBy_;
    QString sql;
    bool backwards = false;
    if (offset < reach || orderBy_.isEmpty() || onPage <= 0) {
        sql = query_.with(pageSelect()) + grouped + ordered +
              QStringLiteral(" LIMIT %1 OFFSET %2").arg(pageSize_).arg(offset);
    } else if (after >= 0 && after < reach) {
        backwards = true;
        sql = query_.with(pageSelect()) + grouped + QStringLiteral(" ORDER BY ") + reversedOrder() +
              QStringLiteral(" LIMIT %1 OFFSET %2").arg(onPage).arg(after);
    } else {
        QString inner = query_.with(pageSelect() + QStringLiteral(", ROW_NUMBER() OVER (ORDER BY ") + orderBy_ +
                                    QStringLiteral(") AS LISTING_ROW"));
        if (!groupBy_.isEmpty())
            inner += QStringLiteral(" GROUP BY ") + groupBy_;
        sql = QStringLiteral("SELECT * FROM (%1) q WHERE LISTING_ROW > %2 AND LISTING_ROW <= %3 ORDER BY LISTING_ROW")
                  .arg(inner)
                  .arg(offset)
                  .arg(offset + pageSize_);
    }
    ++statements_;
    RowReader r(db_, sql, query_.values);
    Page rows;
    rows.reserve(pageSize_);
    int rowNo = int(backwards ? offset + onPage - 1 : offset);
    while (r.next())
        rows.append(makeRow(r.record(), backwards ? rowNo-- : rowNo++));
    if (backwards)
        std::reverse(rows.begin(), rows.end());
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
    RowReader r(db_, rowsSql(), query_.values);
    // Each column's field is found once, and its cells are formatted from the reader's buffers
    // into strings that keep their room from row to row; only a computed column needs a record.
    std::vector<int> fields, onFields;
    bool computed = false;
    for (const ListColumn& c : columns_) {
        fields.push_back(c.field.isEmpty() ? -1 : r.indexOf(c.field));
        onFields.push_back(c.onField.isEmpty() ? -1 : r.indexOf(c.onField));
        computed = computed || c.kind == ListColumn::Kind::Computed;
    }
    // Without a computed column (which may read any field) only the columns shown are fetched.
    if (!computed) {
        std::vector<int> used = fields;
        used.insert(used.end(), onFields.begin(), onFields.end());
        r.onlyColumns(used);
    }
    QStringList cells(columns_.size());
    bool beyond = false;
    for (int rowNo = 0; r.next(); ++rowNo) {
        for (qsizetype i = 0; i < columns_.size(); ++i) {
            const ListColumn& c = columns_.at(i);
            QString& out = cells[i];
            out.resize(0);
            switch (c.kind) {
                case ListColumn::Kind::Serial:
                    out += QString::number(rowNo + 1);
                    break;
                case ListColumn::Kind::Computed:
                    out = c.compute ? c.compute(r.record()) : QString();
                    break;
                case ListColumn::Kind::ByOn:
                case ListColumn::Kind::OnBy:
                    appendByOn(out, c, r, fields[size_t(i)], onFields[size_t(i)]);
                    break;
                default:
                    appendField(out, c, r, fields[size_t(i)], beyond);
            }
        }
        if (!row(cells))
            break;
    }
    if (beyond)
        sayBeyond();
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
