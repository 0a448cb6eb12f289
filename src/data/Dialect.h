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
    // Trailing clause that holds the rows read until the transaction ends (a row re-checked
    // inside a save stays as checked). SQLite's write transaction already holds the database.
    QString forUpdate() const;
    // Renders the engine-specific placeholders of a migration script.
    QString renderSchema(QString sql) const;

private:
    Engine engine_;
};

}  // namespace tarvic
