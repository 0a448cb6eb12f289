#include "Money.h"

#include <cmath>

namespace tarvic {

std::optional<Money> Money::parse(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    qint64 whole = 0;
    int digits = 0;
    for (; i < t.size() && t[i].isDigit(); ++i, ++digits) {
        whole = whole * 10 + t[i].digitValue();
        if (whole > 90'000'000'000'000'000LL / 100)
            return std::nullopt;
    }
    qint64 frac = 0;   // paise
    int fracDigits = 0;
    int rest = -1;     // the first digit beyond the paise, for rounding
    bool restNonZero = false;
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        for (++i; i < t.size() && t[i].isDigit(); ++i, ++fracDigits) {
            if (fracDigits < 2)
                frac = frac * 10 + t[i].digitValue();
            else if (fracDigits == 2)
                rest = t[i].digitValue();
            else if (t[i].digitValue() != 0)
                restNonZero = true;
        }
    }
    if (i != t.size() || (digits == 0 && fracDigits == 0))
        return std::nullopt;
    if (fracDigits == 1)
        frac *= 10;
    qint64 paise = whole * 100 + frac;
    if (rest > 5 || (rest == 5 && (restNonZero || (paise % 2) != 0)))
        ++paise;
    return fromPaise(negative ? -paise : paise);
}

Money Money::fromVariant(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        // SQLite keeps NUMERIC as REAL: the nearest paisa is the stored amount.
        return fromPaise(std::llround(v.toDouble() * 100.0));
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return fromRupees(v.toLongLong());
    default:
        return fromText(v.toString());
    }
}

QString Money::toString() const {
    const qint64 a = paise_ < 0 ? -paise_ : paise_;
    return QStringLiteral("%1%2.%3")
        .arg(paise_ < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

qint64 Money::roundedRupees() const {
    const qint64 a = paise_ < 0 ? -paise_ : paise_;
    qint64 r = a / 100;
    const qint64 p = a % 100;
    if (p > 50 || (p == 50 && (r % 2) != 0))
        ++r;
    return paise_ < 0 ? -r : r;
}

}  // namespace tarvic
