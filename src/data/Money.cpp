#include "Money.h"

#include <cmath>
#include <limits>

namespace tarvic {

namespace {

using Kind = Money::Reading::Kind;

// Beyond the limit but still a number of paise: what a too large text or value reads as when
// its exact paise do not fit.
constexpr qint64 kFarthest = std::numeric_limits<qint64>::max();

Money::Reading tooLarge(bool negative, __int128 paise) {
    const qint64 p = paise > kFarthest ? kFarthest : qint64(paise);
    return {Kind::TooLarge, Money::fromPaise(negative ? -p : p)};
}

// Exactly halves of the divisor round to the even quotient; n and d are not negative.
__int128 divideEven(__int128 n, __int128 d) {
    __int128 q = n / d;
    const __int128 r = n % d;
    if (r * 2 > d || (r * 2 == d && (q % 2) != 0))
        ++q;
    return q;
}

}  // namespace

Money::Reading Money::read(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {Kind::Empty, {}};
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    // Whole rupees are counted in 128 bits, and only up to a point beyond any qint64 of paise:
    // past it the text is too large whatever follows.
    constexpr __int128 kCap = __int128(kFarthest) * 10;
    __int128 whole = 0;
    int digits = 0;
    for (; i < t.size() && t[i].isDigit(); ++i, ++digits)
        if (whole < kCap)
            whole = whole * 10 + t[i].digitValue();
    qint64 frac = 0;  // paise
    int fracDigits = 0;
    int rest = -1;  // the first digit beyond the paise, for rounding
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
        return {Kind::Malformed, {}};
    if (fracDigits == 1)
        frac *= 10;
    __int128 paise = whole * 100 + frac;
    if (rest > 5 || (rest == 5 && (restNonZero || (paise % 2) != 0)))
        ++paise;
    if (paise > kLargestPaise)
        return tooLarge(negative, paise);
    return {Kind::Amount, fromPaise(negative ? -qint64(paise) : qint64(paise))};
}

Money::Reading Money::read(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return {Kind::Empty, {}};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        // SQLite keeps NUMERIC as REAL: the nearest paisa is the stored amount.
        const double d = v.toDouble();
        if (!std::isfinite(d))
            return {Kind::Malformed, {}};
        const double paise = std::nearbyint(d * 100.0);
        if (std::fabs(paise) > double(kLargestPaise))
            return tooLarge(d < 0, std::fabs(paise) >= 9.2e18 ? __int128(kFarthest) : __int128(std::fabs(paise)));
        return {Kind::Amount, fromPaise(qint64(std::llround(d * 100.0)))};
    }
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
        const __int128 paise = __int128(v.toLongLong()) * 100;
        const bool negative = paise < 0;
        if ((negative ? -paise : paise) > kLargestPaise)
            return tooLarge(negative, negative ? -paise : paise);
        return {Kind::Amount, fromPaise(qint64(paise))};
    }
    default: {
        const QString text = v.toString();
        Reading r = read(text);
        // SQLite's driver writes a REAL beyond 15 digits with an exponent ("1.5e+20").
        bool isNumber = false;
        const double d = r.kind == Kind::Malformed ? text.trimmed().toDouble(&isNumber) : 0.0;
        return isNumber ? read(QVariant(d)) : r;
    }
    }
}

std::optional<Money> Money::parse(const QString& text) {
    const Reading r = read(text);
    return r.ok() ? std::optional<Money>(r.value) : std::nullopt;
}

std::optional<Money> Money::checked(__int128 paise) {
    if (paise > kLargestPaise || paise < -kLargestPaise)
        return std::nullopt;
    return fromPaise(qint64(paise));
}

std::optional<Money> Money::plus(Money o) const {
    if (!withinLimit() || !o.withinLimit())
        return std::nullopt;
    return checked(__int128(paise_) + o.paise_);
}

std::optional<Money> Money::minus(Money o) const {
    if (!withinLimit() || !o.withinLimit())
        return std::nullopt;
    return checked(__int128(paise_) - o.paise_);
}

std::optional<Money> Money::times(qint64 quantity) const {
    if (!withinLimit())
        return std::nullopt;
    return checked(__int128(paise_) * quantity);
}

std::optional<Money> Money::percent(Money percentage, qint64 stepPaise) const {
    if (!withinLimit() || !percentage.withinLimit() || stepPaise <= 0)
        return std::nullopt;
    // paise x hundredths of a percent / 10000 is paise; divided once more by the step.
    __int128 n = __int128(paise_) * percentage.paise_;
    const bool negative = n < 0;
    const __int128 q = divideEven(negative ? -n : n, __int128(10000) * stepPaise) * stepPaise;
    return checked(negative ? -q : q);
}

QString Money::toString() const {
    // Written from the end, digit by digit: a listing or an export formats every amount it shows.
    const quint64 a = paise_ < 0 ? quint64(0) - quint64(paise_) : quint64(paise_);
    char16_t text[32];
    char16_t* at = text + 32;
    quint64 rupees = a / 100;
    *--at = char16_t(u'0' + a % 10);
    *--at = char16_t(u'0' + a / 10 % 10);
    *--at = u'.';
    do {
        *--at = char16_t(u'0' + rupees % 10);
        rupees /= 10;
    } while (rupees > 0);
    if (paise_ < 0)
        *--at = u'-';
    return QString::fromUtf16(at, text + 32 - at);
}

qint64 Money::roundedRupees() const {
    const qint64 a = paise_ < 0 ? -paise_ : paise_;
    qint64 r = a / 100;
    const qint64 p = a % 100;
    if (p > 50 || (p == 50 && (r % 2) != 0))
        ++r;
    return paise_ < 0 ? -r : r;
}

bool FigureSteps::take(Money& figure, const char* caption, const std::optional<Money>& value) {
    if (!exceeded.isEmpty())
        return false;
    if (!value || !value->withinLimit()) {
        exceeded = QLatin1String(caption);
        return false;
    }
    figure = *value;
    return true;
}

QString exceedsText() {
    return QStringLiteral("EXCEEDS ") + Money::largest().toString();
}

QString shownAmount(const std::optional<Money>& amount) {
    return amount && amount->withinLimit() ? amount->toString() : exceedsText();
}

QString exceedsLimitMessage(const QString& what, const QString& limit) {
    return QStringLiteral("%1 CANNOT EXCEED %2 ....").arg(what, limit);
}

}  // namespace tarvic
