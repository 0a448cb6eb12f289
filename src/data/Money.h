#pragma once
// An exact amount of money in paise. Amounts are never held in floating point: text from
// the user or the database is parsed digit by digit, and a REAL handed back by SQLite is
// rounded to the paisa it stands for.
#include <QString>
#include <QVariant>

#include <compare>
#include <optional>

namespace tarvic {

class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromPaise(qint64 paise) { Money m; m.paise_ = paise; return m; }
    static constexpr Money fromRupees(qint64 rupees) { return fromPaise(rupees * 100); }
    // "1234", "1234.5", "-0.75", " 12.345 " (a third decimal rounds half to even).
    // Empty or malformed text gives nullopt.
    static std::optional<Money> parse(const QString& text);
    // Text as typed on a form: empty or malformed reads as zero.
    static Money fromText(const QString& text) { return parse(text).value_or(Money()); }
    // A database value: exact decimal text (PostgreSQL), a number (SQLite) or NULL (zero).
    static Money fromVariant(const QVariant& v);

    constexpr qint64 paise() const { return paise_; }
    constexpr bool isZero() const { return paise_ == 0; }
    // Two decimals, no digit grouping: "1234.50", "-0.75".
    QString toString() const;
    // The value to bind into a NUMERIC(18,2) column: exact decimal text.
    QVariant toVariant() const { return toString(); }
    // Nearest whole rupee, halves to the even rupee (1234.50 -> 1234, 1235.50 -> 1236).
    qint64 roundedRupees() const;

    constexpr Money operator+(Money o) const { return fromPaise(paise_ + o.paise_); }
    constexpr Money operator-(Money o) const { return fromPaise(paise_ - o.paise_); }
    constexpr Money operator-() const { return fromPaise(-paise_); }
    Money& operator+=(Money o) { paise_ += o.paise_; return *this; }
    Money& operator-=(Money o) { paise_ -= o.paise_; return *this; }
    constexpr auto operator<=>(const Money&) const = default;

private:
    qint64 paise_ = 0;
};

}  // namespace tarvic
