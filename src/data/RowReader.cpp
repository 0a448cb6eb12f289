#include "RowReader.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>
#include <QSqlResult>

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace tarvic {

namespace {

// Rows per call, and the most the buffers of one block may take.
constexpr SQLULEN kBlockRows = 256;
constexpr size_t kBlockBytes = 8u << 20;
// Text wider than this is read in one piece only by the row-by-row path (see Block::truncatedAt).
constexpr SQLULEN kMaxTextChars = 2000;

enum class As { Int, BigInt, Decimal, Date, Time, Moment, Text };

As kindOf(SQLSMALLINT type) {
    switch (type) {
        case SQL_BIT:
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
            return As::Int;
        case SQL_BIGINT:
            return As::BigInt;
        case SQL_NUMERIC:
        case SQL_DECIMAL:
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return As::Decimal;
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return As::Date;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return As::Time;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return As::Moment;
        default:
            return As::Text;
    }
}

QMetaType metaOf(As as) {
    switch (as) {
        case As::Int:
            return QMetaType::fromType<int>();
        case As::BigInt:
            return QMetaType::fromType<qlonglong>();
        case As::Date:
            return QMetaType::fromType<QDate>();
        case As::Time:
            return QMetaType::fromType<QTime>();
        case As::Moment:
            return QMetaType::fromType<QDateTime>();
        default:
            return QMetaType::fromType<QString>();
    }
}

SQLHSTMT statementOf(const QSqlQuery& q) {
    const QSqlResult* r = q.result();
    if (!r)
        return nullptr;
    QVariant h = r->handle();
    if (!h.isValid() || (qstrcmp(h.typeName(), "SQLHANDLE") != 0 && qstrcmp(h.typeName(), "void*") != 0))
        return nullptr;
    return *static_cast<SQLHANDLE*>(h.data());
}

QString diagnostics(SQLHSTMT stmt) {
    SQLCHAR state[6] = {0};
    SQLCHAR text[512] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT len = 0;
    if (SQLGetDiagRecA(SQL_HANDLE_STMT, stmt, 1, state, &native, text, sizeof text, &len) == SQL_NO_DATA)
        return QStringLiteral("The rows could not be read");
    return QString::fromUtf8(reinterpret_cast<const char*>(text)) + QStringLiteral(" (") +
           QString::fromLatin1(reinterpret_cast<const char*>(state)) + QLatin1Char(')');
}

}  // namespace

// A statement's result columns bound to arrays of kBlockRows (or fewer) values each.
struct RowReader::Block {
    struct Column {
        As as = As::Text;
        SQLSMALLINT cType = SQL_C_WCHAR;
        SQLLEN width = 0;  // bytes of one value
        std::vector<char> data;
        std::vector<SQLLEN> length;
    };
    SQLHSTMT stmt = nullptr;
    SQLULEN rows = 0;     // rows per block
    SQLULEN fetched = 0;  // rows in the current block
    SQLULEN at = 0;       // the current row within it
    bool done = false;
    qint64 delivered = 0;  // rows handed out so far
    std::vector<Column> columns;

    ~Block() {
        if (!stmt)
            return;
        // The statement goes back to Qt as it was handed over: nothing bound, one row a call.
        SQLFreeStmt(stmt, SQL_UNBIND);
        SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN(1)), 0);
        SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
    }

    // Binds every column; false when the driver refuses any part (the caller reads row by row).
    bool bind(SQLHSTMT s) {
        SQLSMALLINT count = 0;
        if (!SQL_SUCCEEDED(SQLNumResultCols(s, &count)) || count <= 0)
            return false;
        columns.resize(size_t(count));
        size_t rowBytes = 0;
        for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(count); ++i) {
            SQLCHAR name[256];
            SQLSMALLINT nameLen = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            if (!SQL_SUCCEEDED(SQLDescribeColA(s, i, name, sizeof name, &nameLen, &type, &size, &digits, &nullable)))
                return false;
            Column& c = columns[i - 1];
            c.as = kindOf(type);
            switch (c.as) {
                case As::Int:
                case As::BigInt:
                    c.cType = SQL_C_SBIGINT;
                    c.width = sizeof(SQLBIGINT);
                    break;
                case As::Decimal:
                    c.cType = SQL_C_CHAR;
                    c.width = SQLLEN(std::clamp<SQLULEN>(size + 3, 64, 512));
                    break;
                case As::Date:
                    c.cType = SQL_C_TYPE_DATE;
                    c.width = sizeof(SQL_DATE_STRUCT);
                    break;
                case As::Time:
                    c.cType = SQL_C_TYPE_TIME;
                    c.width = sizeof(SQL_TIME_STRUCT);
                    break;
                case As::Moment:
                    c.cType = SQL_C_TYPE_TIMESTAMP;
                    c.width = sizeof(SQL_TIMESTAMP_STRUCT);
                    break;
                case As::Text:
                    c.cType = SQL_C_WCHAR;
                    c.width = SQLLEN((std::clamp<SQLULEN>(size, 1, kMaxTextChars) + 1) * sizeof(SQLWCHAR));
                    break;
            }
            rowBytes += size_t(c.width) + sizeof(SQLLEN);
        }
        rows = std::clamp<SQLULEN>(SQLULEN(kBlockBytes / std::max<size_t>(rowBytes, 1)), 1, kBlockRows);
        if (!SQL_SUCCEEDED(SQLSetStmtAttr(s, SQL_ATTR_ROW_BIND_TYPE, SQL_BIND_BY_COLUMN, 0)) ||
            !SQL_SUCCEEDED(SQLSetStmtAttr(s, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(rows), 0)))
            return false;
        stmt = s;  // from here the destructor puts the statement back
        SQLULEN granted = 0;
        if (!SQL_SUCCEEDED(SQLGetStmtAttr(s, SQL_ATTR_ROW_ARRAY_SIZE, &granted, 0, nullptr)) || granted < 1)
            return false;
        rows = granted;
        if (!SQL_SUCCEEDED(SQLSetStmtAttr(s, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0)))
            return false;
        for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(count); ++i) {
            Column& c = columns[i - 1];
            c.data.resize(size_t(c.width) * rows);
            c.length.resize(rows);
            if (!SQL_SUCCEEDED(SQLBindCol(s, i, c.cType, c.data.data(), c.width, c.length.data())))
                return false;
        }
        return true;
    }

    // Stops fetching a column: its values read as NULL.
    bool unbind(size_t column) {
        Column& c = columns[column];
        if (!SQL_SUCCEEDED(SQLBindCol(stmt, SQLUSMALLINT(column + 1), c.cType, nullptr, 0, nullptr)))
            return false;
        std::fill(c.length.begin(), c.length.end(), SQLLEN(SQL_NULL_DATA));
        c.data.clear();
        c.data.shrink_to_fit();
        return true;
    }

    // Whether a text or decimal value of the row is wider than its buffer.
    bool truncatedAt(SQLULEN row) const {
        for (const Column& c : columns) {
            if (c.as != As::Text && c.as != As::Decimal)
                continue;
            const SQLLEN len = c.length[row];
            if (len != SQL_NULL_DATA && (len == SQL_NO_TOTAL || len >= c.width))
                return true;
        }
        return false;
    }

    Cell cell(size_t column, SQLULEN row) const {
        const Column& c = columns[column];
        Cell out;
        const SQLLEN len = c.length[row];
        if (len == SQL_NULL_DATA) {
            out.kind = Cell::Kind::Null;
            return out;
        }
        const char* p = c.data.data() + size_t(c.width) * row;
        switch (c.as) {
            case As::Int:
            case As::BigInt: {
                SQLBIGINT v;
                std::memcpy(&v, p, sizeof v);
                out.kind = Cell::Kind::Integer;
                out.integer = qint64(v);
                break;
            }
            case As::Decimal:
                out.kind = Cell::Kind::Decimal;
                out.decimal = QLatin1String(p, qsizetype(std::min<SQLLEN>(len, c.width - 1)));
                break;
            case As::Date: {
                SQL_DATE_STRUCT d;
                std::memcpy(&d, p, sizeof d);
                out.kind = Cell::Kind::Date;
                out.date = QDate(d.year, d.month, d.day);
                break;
            }
            case As::Time: {
                SQL_TIME_STRUCT t;
                std::memcpy(&t, p, sizeof t);
                out.kind = Cell::Kind::Time;
                out.time = QTime(t.hour, t.minute, t.second);
                break;
            }
            case As::Moment: {
                SQL_TIMESTAMP_STRUCT t;
                std::memcpy(&t, p, sizeof t);
                out.kind = Cell::Kind::Moment;
                out.date = QDate(t.year, t.month, t.day);
                out.time = QTime(t.hour, t.minute, t.second, int(t.fraction / 1000000));
                break;
            }
            case As::Text:
            default: {
                const SQLLEN bytes = std::min<SQLLEN>(len, c.width - SQLLEN(sizeof(SQLWCHAR)));
                out.kind = Cell::Kind::Text;
                out.text = QStringView(reinterpret_cast<const char16_t*>(p), qsizetype(bytes / SQLLEN(sizeof(SQLWCHAR))));
                break;
            }
        }
        return out;
    }

    QVariant value(size_t column, SQLULEN row) const {
        const As as = columns[column].as;
        const Cell c = cell(column, row);
        switch (c.kind) {
            case Cell::Kind::Null:  // as Qt's driver gives it: text without a type, the rest typed
                return as == As::Text || as == As::Decimal ? QVariant() : QVariant(metaOf(as));
            case Cell::Kind::Integer:
                if (as == As::Int && c.integer >= INT_MIN && c.integer <= INT_MAX)
                    return QVariant(int(c.integer));
                return QVariant(qlonglong(c.integer));
            case Cell::Kind::Decimal:
                return QVariant(QString(c.decimal));
            case Cell::Kind::Date:
                return QVariant(c.date);
            case Cell::Kind::Time:
                return QVariant(c.time);
            case Cell::Kind::Moment:
                return QVariant(QDateTime(c.date, c.time));
            default:
                return QVariant(c.text.toString());
        }
    }
};

RowReader::RowReader(Database& db, const QString& sql, const QVariantList& values) : query_(db.exec(sql, values)) {
    const QSqlRecord names = query_.record();
    values_.resize(size_t(names.count()));
    have_.assign(size_t(names.count()), 0);
    record_ = names;
    static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager's wide characters are UTF-16");
    if (SQLHSTMT stmt = statementOf(query_)) {
        auto block = std::make_unique<Block>();
        const bool bound = block->bind(stmt);
        if (bound && block->columns.size() == values_.size())
            block_ = std::move(block);
    }
}

RowReader::~RowReader() {
    block_.reset();
    query_.finish();
}

void RowReader::fetchBlock() {
    Block& b = *block_;
    b.fetched = 0;
    b.at = 0;
    const SQLRETURN rc = SQLFetch(b.stmt);
    if (rc == SQL_NO_DATA) {
        b.done = true;
        return;
    }
    if (!SQL_SUCCEEDED(rc))
        throw DbError(DbError::Kind::Other, diagnostics(b.stmt));
    if (b.fetched == 0)
        b.done = true;
}

void RowReader::takeRow() {
    std::fill(have_.begin(), have_.end(), 0);
}

const QVariant& RowReader::value(int column) const {
    const auto i = size_t(column);
    if (block_ && !have_[i]) {
        values_[i] = block_->value(i, block_->at);
        have_[i] = 1;
    }
    return values_[i];
}

void RowReader::onlyColumns(const std::vector<int>& columns) {
    if (!block_ || block_->fetched != 0)
        return;
    for (size_t i = 0; i < block_->columns.size(); ++i)
        if (std::find(columns.begin(), columns.end(), int(i)) == columns.end() && !block_->unbind(i))
            return;
}

RowReader::Cell RowReader::cell(int column) const {
    if (!block_)
        return {};
    return block_->cell(size_t(column), block_->at);
}

bool RowReader::next() {
    recordStale_ = true;
    if (!block_) {
        if (!query_.next())
            return false;
        for (size_t i = 0; i < values_.size(); ++i)
            values_[i] = query_.value(int(i));
        return true;
    }
    Block& b = *block_;
    if (b.done)
        return false;
    if (b.fetched == 0 || ++b.at >= b.fetched) {
        fetchBlock();
        if (b.done)
            return false;
    }
    takeRow();
    if (b.truncatedAt(b.at)) {
        // A value longer than its buffer (text the schema does not bound): the statement runs
        // again and the rows from this one on are read whole, one by one.
        // (Its values are still bound: the prepared statement is simply executed again.)
        const qint64 skip = b.delivered;
        block_.reset();
        query_.finish();
        if (!query_.exec())
            throw DbError(DbError::Kind::Other, query_.lastError().text());
        for (qint64 i = 0; i < skip; ++i)
            if (!query_.next())
                return false;
        return next();
    }
    ++b.delivered;
    return true;
}

const QSqlRecord& RowReader::record() const {
    if (recordStale_) {
        for (size_t i = 0; i < values_.size(); ++i)
            record_.setValue(int(i), value(int(i)));
        recordStale_ = false;
    }
    return record_;
}

}  // namespace tarvic
