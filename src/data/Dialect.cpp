#include "Dialect.h"

namespace tarvic {

QString Dialect::now() const {
    return isSqlite() ? QStringLiteral("datetime('now','localtime')")
                      : QStringLiteral("LOCALTIMESTAMP(0)");
}

QString Dialect::concat(const QString& a, const QString& b) const {
    return QStringLiteral("(%1 || %2)").arg(a, b);
}

QString Dialect::amongRows(const QString& expr, const QString& subquery) const {
    return isSqlite() ? QStringLiteral("%1 IN (%2)").arg(expr, subquery)
                      : QStringLiteral("%1 = ANY (ARRAY(%2))").arg(expr, subquery);
}

QString Dialect::unindexed(const QString& expr) const {
    return isSqlite() ? QStringLiteral("+%1").arg(expr) : expr;
}

QString Dialect::firstRows(int n) const { return QStringLiteral(" LIMIT %1").arg(n); }

QString Dialect::textLength(const QString& expr) const {
    return QStringLiteral("LENGTH(%1)").arg(expr);
}

QString Dialect::addDays(const QString& expr, const QString& days) const {
    return isSqlite() ? QStringLiteral("datetime(%1, '+' || (%2) || ' days')").arg(expr, days)
                      : QStringLiteral("(%1 + (%2) * INTERVAL '1 day')").arg(expr, days);
}

QString Dialect::dateOf(const QString& expr) const {
    return isSqlite() ? QStringLiteral("date(%1)").arg(expr)
                      : QStringLiteral("CAST(%1 AS DATE)").arg(expr);
}

QString Dialect::amount(const QString& placeholder) const {
    return isSqlite() ? QStringLiteral("CAST(%1 AS NUMERIC)").arg(placeholder)
                      : QStringLiteral("CAST(%1 AS NUMERIC(18,2))").arg(placeholder);
}

QString Dialect::balanceInPaise(const QString& debit, const QString& credit) const {
    if (isSqlite())
        return QStringLiteral(
                   "CAST(COALESCE(SUM(CAST(ROUND(%1 * 100) AS INTEGER)),0) - "
                   "COALESCE(SUM(CAST(ROUND(%2 * 100) AS INTEGER)),0) AS TEXT)")
            .arg(debit, credit);
    return QStringLiteral("CAST((COALESCE(SUM(%1),0) - COALESCE(SUM(%2),0)) * 100 AS BIGINT)").arg(debit, credit);
}

QString paiseSum(const QString& amount) {
    return QStringLiteral("COALESCE(SUM(ROUND((%1) * 100)), 0)").arg(amount);
}

QString paiseSumOver(const QString& amount, const QString& over) {
    return QStringLiteral("COALESCE(SUM(ROUND((%1) * 100)) OVER (%2), 0)").arg(amount, over);
}

QString rupeesOf(const QString& paise) {
    return QStringLiteral("((%1) / 100.0)").arg(paise);
}

QString exactSum(const QString& amount, const QString& less) {
    return rupeesOf(less.isEmpty() ? paiseSum(amount) : paiseSum(amount) + QStringLiteral(" - ") + paiseSum(less));
}

QString Dialect::forUpdate() const {
    return isSqlite() ? QString() : QStringLiteral(" FOR UPDATE");
}

QString Dialect::renderSchema(QString sql) const {
    // {{MOMENT}}: date and time; {{BIGINT}}: whole numbers that may exceed 32 bits.
    sql.replace(QLatin1String("{{MOMENT}}"), isSqlite() ? QLatin1String("TIMESTAMP")
                                                        : QLatin1String("TIMESTAMP(3)"));
    sql.replace(QLatin1String("{{NOW}}"), now());
    return sql;
}

}  // namespace tarvic
