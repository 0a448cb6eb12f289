#pragma once
// An exact amount of money in paise. Amounts are never held in floating point: text from
// the user or the database is parsed digit by digit, and a REAL handed back by SQLite is
// rounded to the paisa it stands for.
//
// The books hold no amount beyond largest() (9999999999999.99): SQLite keeps a NUMERIC as a
// REAL and its driver hands it back with 15 significant digits, so that is the widest amount
// both engines give back exactly. Every amount typed, every line amount, total and tax stays
// within it; the checked arithmetic below says when a result would not.
#include <QString>
#include <QVariant>

#include <compare>
#include <optional>

namespace tarvic {

struct MoneyReading;

class Money {
public:
    static constexpr qint64 kLargestPaise = 999'999'999'999'999;

    constexpr Money() = default;
    static constexpr Money fromPaise(qint64 paise) { Money m; m.paise_ = paise; return m; }
    static constexpr Money fromRupees(qint64 rupees) { return fromPaise(rupees * 100); }
    static constexpr Money largest() { return fromPaise(kLargestPaise); }
    // One paisa more: stands for an amount known only to lie beyond the largest.
    static constexpr Money beyondLargest() { return fromPaise(kLargestPaise + 1); }

    using Reading = MoneyReading;
    // "1234", "1234.5", "-0.75", " 12.345 " (a third decimal rounds half to even).
    static Reading read(const QString& text);
    // A database value: exact decimal text (PostgreSQL), a number (SQLite) or NULL (Empty).
    static Reading read(const QVariant& v);
    // An amount within the limit; nullopt for empty, malformed or too large text.
    static std::optional<Money> parse(const QString& text);
    // Text as typed on a form that bounds its amounts: empty, malformed and too large all
    // read as zero. Where the text may be too large, use fromInput.
    static Money fromText(const QString& text);
    // Text of an amount field: empty or malformed reads as zero; too large stays beyond the
    // limit, for the save to refuse (see withinLimit).
    static Money fromInput(const QString& text);
    // A database value: exact decimal text (PostgreSQL), a number (SQLite) or NULL (zero). A
    // stored amount beyond the limit stays beyond it.
    static Money fromVariant(const QVariant& v);

    constexpr qint64 paise() const { return paise_; }
    constexpr bool isZero() const { return paise_ == 0; }
    constexpr bool withinLimit() const { return paise_ >= -kLargestPaise && paise_ <= kLargestPaise; }
    // Two decimals, no digit grouping: "1234.50", "-0.75".
    QString toString() const;
    // The value to bind into a NUMERIC(18,2) column: exact decimal text.
    QVariant toVariant() const { return toString(); }
    // Nearest whole rupee, halves to the even rupee (1234.50 -> 1234, 1235.50 -> 1236).
    qint64 roundedRupees() const;
    // The amount rounded to whole rupees (one beyond the limit stays as it is).
    Money wholeRupees() const { return withinLimit() ? fromRupees(roundedRupees()) : *this; }

    // Checked arithmetic: the exact result, or nullopt when it (or an operand) lies beyond
    // the largest amount. Never wraps.
    std::optional<Money> plus(Money o) const;
    std::optional<Money> minus(Money o) const;
    // This amount times a whole quantity.
    std::optional<Money> times(qint64 quantity) const;
    // percentage % of this amount (the percentage held as two decimals: 2.50 is 2.5 %), to
    // the nearest step paise (1: the paisa, 100: the rupee), halves to the even step.
    std::optional<Money> percent(Money percentage, qint64 stepPaise = 1) const;
    // The sum of amounts; nullopt when it, or any of them, lies beyond the largest amount.
    template <class Amounts>
    static std::optional<Money> sum(const Amounts& amounts) {
        __int128 total = 0;
        for (const Money& m : amounts) {
            if (!m.withinLimit())
                return std::nullopt;
            total += m.paise_;
        }
        return checked(total);
    }

    constexpr Money operator+(Money o) const { return fromPaise(paise_ + o.paise_); }
    constexpr Money operator-(Money o) const { return fromPaise(paise_ - o.paise_); }
    constexpr Money operator-() const { return fromPaise(-paise_); }
    Money& operator+=(Money o) { paise_ += o.paise_; return *this; }
    Money& operator-=(Money o) { paise_ -= o.paise_; return *this; }
    constexpr auto operator<=>(const Money&) const = default;

    // An exact value in paise as a Money within the limit, or nullopt.
    static std::optional<Money> checked(__int128 paise);

private:
    qint64 paise_ = 0;
};

// What a text or a stored value holds. A text beyond the largest amount is TooLarge, never
// an empty or a malformed one; its value is then beyond the limit too (exact while it fits,
// else the farthest amount of its sign), never zero.
struct MoneyReading {
    enum class Kind { Amount, Empty, Malformed, TooLarge };
    Kind kind = Kind::Empty;
    Money value;
    bool ok() const { return kind == Kind::Amount; }
};

inline Money Money::fromText(const QString& text) {
    return parse(text).value_or(Money());
}
inline Money Money::fromInput(const QString& text) {
    return read(text).value;
}
inline Money Money::fromVariant(const QVariant& v) {
    return read(v).value;
}

// Figures computed one after another, each checked: the first beyond the largest amount is
// named (by its caption) and the figures after it are left as they are.
//
//     FigureSteps steps;
//     if (!steps.take(total, "TOTAL AMOUNT", Money::sum(lines)) || !steps.take(tax, "TAX", total.percent(rate)))
//         return refuse(exceedsLimitMessage(steps.exceeded));
struct FigureSteps {
    QString exceeded;  // empty while every figure is within the limit
    bool take(Money& figure, const char* caption, const std::optional<Money>& value);
};

// Shown in place of a figure that lies beyond the largest amount: never a wrong figure.
QString exceedsText();
// An amount as shown, or exceedsText() for one beyond the largest amount (or none computed).
QString shownAmount(const std::optional<Money>& amount);
// "<WHAT> CANNOT EXCEED 9999999999999.99 ....", the message of every refused amount (or of
// another limit, given as shown).
QString exceedsLimitMessage(const QString& what, const QString& limit = Money::largest().toString());

}  // namespace tarvic
