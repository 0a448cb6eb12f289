#pragma once
// The read-only model behind every listing and search grid: the rows of one statement, read a
// page at a time as the view shows them, so that memory follows the rows on screen and not
// the rows of the result.
//
//     QueryModel m(db(), {ListColumn::serial("SLNO", 800), ListColumn::text("PARTY NAME", "PARTY_NAME", 4000),
//                         ListColumn::money("AMOUNT", "GRAND_TOTAL", 1400)});
//     m.setSelect("a.*, b.PARTY_NAME");
//     m.setOrder("b.PARTY_NAME, a.PARTY_CODE");      // a total order: it ends in a unique key
//     m.load({"SELECT {columns} FROM M_TBL_TRANSACTION a, M_TBL_PARTY b WHERE a.DOC_CODE=? AND ...", {code}});
//
// load() reads the first page; only when it is full does a COUNT(*) over the same statement
// size the grid. Further pages are read when the view asks for their rows: a page next to one
// held is read by key (the rows after that page's last row, or before its first, in the
// order), so that scrolling costs what the first page did wherever it goes, and rows added
// meanwhile neither repeat nor vanish from the pages still to come; any other page by its
// position (LIMIT/OFFSET from the nearer end, ROW_NUMBER() in the middle of a long list). The
// pages least recently used are dropped. The order may use ASC and DESC, not NULLS FIRST/LAST. A listing's totals come
// from their own aggregate statement (a grid of their own), never from summing rows held here. forEachRow() streams
// every row in order through one forward-only pass (the export).
#include "data/Database.h"
#include "engine/listings/ListQuery.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QList>
#include <QSqlRecord>
#include <QStringList>
#include <QVector>

#include <functional>

namespace tarvic {

// One column of a list: its heading, width in twips (15 to a pixel), alignment, and where
// its text comes from.
struct ListColumn {
    enum class Kind {
        Text,      // the field, trimmed
        Number,    // a whole number (SQLite may hand back "100.0")
        Money,     // two decimals, exact
        Date,      // dd/mm/yyyy
        Moment,    // dd/mm/yyyy hh:mm:ss
        Serial,    // 1, 2, 3 ... in list order (SLNO)
        Computed,  // compute(record)
        ByOn,      // "USER - dd/mm/yyyy hh:mm:ss" from field (who) and onField (when)
        OnBy,      // "dd/mm/yyyy hh:mm:ss - USER", the same the other way round, " - " always
    };
    QString heading;
    QString field;
    int widthTwips = 1500;
    Qt::Alignment alignment = Qt::AlignLeft;
    Kind kind = Kind::Text;
    std::function<QString(const QSqlRecord&)> compute;
    bool hidden = false;  // kept in the model and its export, not shown
    QString onField;      // ByOn: the moment column

    static ListColumn text(const QString& heading, const QString& field, int widthTwips,
                           Qt::Alignment alignment = Qt::AlignLeft);
    static ListColumn number(const QString& heading, const QString& field, int widthTwips);
    static ListColumn money(const QString& heading, const QString& field, int widthTwips);
    static ListColumn date(const QString& heading, const QString& field, int widthTwips);
    static ListColumn moment(const QString& heading, const QString& field, int widthTwips);
    static ListColumn serial(const QString& heading, int widthTwips);
    // "USER - dd/MM/yyyy hh:mm:ss" from a who column and a when column.
    static ListColumn byOn(const QString& heading, const char* byField, const char* onField, int widthTwips);
    static ListColumn onBy(const QString& heading, const char* onField, const char* byField, int widthTwips);
    static ListColumn computed(const QString& heading, int widthTwips,
                               std::function<QString(const QSqlRecord&)> compute,
                               Qt::Alignment alignment = Qt::AlignLeft);
    ListColumn hiddenColumn() const {
        ListColumn c = *this;
        c.hidden = true;
        return c;
    }
};

// Back and text colour of a row; an invalid colour keeps the grid's own.
struct RowColours {
    QColor back;
    QColor fore;
};
using RowColourHook = std::function<RowColours(const QSqlRecord&)>;

class QueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    QueryModel(Database& db, QList<ListColumn> columns, QObject* parent = nullptr);

    const QList<ListColumn>& columns() const { return columns_; }
    // The select list of the rows, and GROUP BY text for a summary.
    void setSelect(const QString& columns, const QString& groupBy = {});
    // The order (without "ORDER BY"). Pages are read separately: it must be a total order,
    // ending in a unique key, or a row could show on two pages.
    void setOrder(const QString& orderBy) { orderBy_ = orderBy; }
    void setRowColours(RowColourHook hook) { colours_ = std::move(hook); }
    void setPageSize(int rows) { pageSize_ = qMax(1, rows); }
    void setPagesHeld(int pages) { maxPages_ = qMax(2, pages); }
    int pageSize() const { return pageSize_; }

    // Runs the statement and shows its first page; throws DbError (the grid is then empty).
    void load(const ListQuery& query);
    void clear();
    bool isLoaded() const { return loaded_; }

    // Every row's cells in order, through one pass; the callback returns false to stop.
    // Throws DbError.
    void forEachRow(const std::function<bool(const QStringList& cells)>& row) const;

    // Text of a cell, empty outside the rows.
    QString text(int row, int column) const;
    // Pages held in memory now (at most setPagesHeld()).
    int pagesHeld() const { return int(pages_.size()); }
    // Statements run since the last load(), the first page included.
    int statementsSinceLoad() const { return statements_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A page could not be read while the grid was shown (the grid shows blank rows there), or
    // a figure lies beyond the largest amount (its cell shows exceedsText()). Once per load.
    void pageFailed(const QString& message) const;

private:
    struct Row {
        QStringList cells;
        QColor back;
        QColor fore;
        QVariantList keys;  // the order's values, for reading the next page by key
    };
    struct OrderTerm {
        QString expression;
        bool descending = false;
    };
    using Page = QVector<Row>;

    // Pages this close to either end are read with LIMIT/OFFSET from that end.
    static constexpr int kDirectPages = 8;
    QString rowsSql() const;
    QList<OrderTerm> orderTerms() const;
    // The order's terms; empty when pages cannot be read by key (a grouped list, or an order
    // by a name of the select list).
    QList<OrderTerm> keyTerms() const;
    QString pageSelect() const;
    // The page read by key from a neighbour held in memory; false when none is held.
    bool readByKey(int page, Page& rows) const;
    QString reversedOrder() const;
    Row makeRow(const QSqlRecord& rec, int rowNo) const;
    const Row* rowAt(int row) const;
    Page readPage(int page) const;
    void keep(int page, Page rows) const;
    // An amount beyond the largest was met: pageFailed says so once per load.
    void sayBeyond() const;

    Database& db_;
    QList<ListColumn> columns_;
    QString select_;
    QString groupBy_;
    QString orderBy_;
    RowColourHook colours_;
    ListQuery query_;
    int pageSize_ = 200;
    int maxPages_ = 6;
    int rows_ = 0;
    bool loaded_ = false;
    mutable int statements_ = 0;
    mutable bool failed_ = false;
    mutable bool beyondSaid_ = false;
    QList<OrderTerm> keys_;            // set by load()
    mutable bool keysFailed_ = false;  // the engine refused a read by key: by position from then on
    mutable QHash<int, Page> pages_;
    mutable QList<int> recent_;  // pages, most recently used last
};

}  // namespace tarvic
