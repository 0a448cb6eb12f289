#pragma once
// The few places where SQLite and PostgreSQL need different SQL text.
#include <QString>

namespace tarvic {

enum class Engine { SQLite, PostgreSQL };

class Dialect {
public:
    explicit Dialect(Engine engine = Engine::SQLite) : engine_(engine) {}
    Engine engine() const { return engine_; }
    bool isSqlite() const { return engine_ == Engine::SQLite; }

    // The server's clock, as a local timestamp (the original's GETDATE()).
    QString now() const;
    // Text concatenation of two expressions.
    QString concat(const QString& a, const QString& b) const;
    // Trailing clause that keeps the first n rows.
    QString firstRows(int n) const;
    QString textLength(const QString& expr) const;
    // expr plus a number of days (days may be a bound "?").
    QString addDays(const QString& expr, const QString& days) const;
    // The date part of a moment column.
    QString dateOf(const QString& expr) const;
    // A bound amount (passed as exact decimal text) read as a number.
    QString amount(const QString& placeholder = QStringLiteral("?")) const;
    // DB_AMT - CR_AMT (or any two amount columns) summed over the rows read, in whole paise, 0
    // over no rows. Exact: SQLite keeps amounts as REAL, so each is rounded to its paisa before
    // it is added. Of one type whatever the rows, so that its statement can stay prepared: text
    // on SQLite, whose ODBC driver would read a whole number as 32 bits.
    QString balanceInPaise(const QString& debit, const QString& credit) const;
    // Trailing clause that holds the rows read until the transaction ends (a row re-checked
    // inside a save stays as checked). SQLite's write transaction already holds the database.
    QString forUpdate() const;
    // expr is among the rows of a one-column subquery. On PostgreSQL the rows are read first as
    // an array, whose size the planner does not guess from what it is joined to: of a few
    // thousand parties it guessed a skewed table's average rows each, and read every row.
    QString amongRows(const QString& expr, const QString& subquery) const;
    // expr, never the reason SQLite picks an index: without statistics it takes a code's
    // equality over a better index's, and walks every document of that code (a unary +).
    QString unindexed(const QString& expr) const;
    // Renders the engine-specific placeholders of a migration script.
    QString renderSchema(QString sql) const;

private:
    Engine engine_;
};

// Exact sums of amounts, the same text on both engines. SQLite keeps amounts as REAL, and a
// sum of REALs drifts off the paisa as amounts grow: each amount is added in whole paise, and
// only the total is turned back into rupees. A total within Money's largest amount reads back
// exactly (SQLite's driver gives 15 significant digits); one beyond it reads as beyond it.
//
// SUM over an amount column or expression, less the SUM of another (optional), 0 over no rows.
QString exactSum(const QString& amount, const QString& less = {});
// The sum in whole paise, 0 over no rows; with over, as a window function SUM(...) OVER (over).
QString paiseSum(const QString& amount);
QString paiseSumOver(const QString& amount, const QString& over);
// A number of paise back in rupees.
QString rupeesOf(const QString& paise);

}  // namespace tarvic
