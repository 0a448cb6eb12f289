#include "QuotationTotals.h"

namespace tarvic {

namespace {

// a * b / divisor, rounded to the nearest integer, halves to even; nullopt beyond the largest
// amount. Wide enough for any price.
std::optional<Money> mulDivEven(qint64 a, qint64 b, qint64 divisor) {
    __int128 n = static_cast<__int128>(a) * b;
    const bool negative = (n < 0) != (divisor < 0);
    if (n < 0)
        n = -n;
    const __int128 d = divisor < 0 ? -static_cast<__int128>(divisor) : divisor;
    __int128 q = n / d;
    const __int128 r = n % d;
    if (r * 2 > d || (r * 2 == d && (q % 2) != 0))
        ++q;
    return Money::checked(negative ? -q : q);
}

}  // namespace

MarkUp markUpFromText(const QString& text) {
    return text.trimmed() == QLatin1String("A") ? MarkUp::Amount : MarkUp::Percent;
}

QString markUpText(MarkUp kind) {
    return kind == MarkUp::Amount ? QStringLiteral("A") : QStringLiteral("%");
}

Totals computeTotals(const TotalsInput& in) {
    Totals t;
    FigureSteps steps;
    Money total;
    bool within = steps.take(total, "TOTAL AMOUNT", in.total);
    if (in.markUp == MarkUp::Percent) {
        t.commPer = in.commPer;
        within = within && steps.take(t.commAmount, "COMM. AMOUNT", in.total.percent(in.commPer, 100));
    } else {
        // There is no percentage of nothing: with no lines the percentage stays as it was.
        within =
            within && steps.take(t.commAmount, "COMM. AMOUNT", in.commAmount) &&
            steps.take(t.commPer, "COMMISSION (%)",
                       in.total.isZero() ? in.commPer : mulDivEven(in.commAmount.paise(), 10000, in.total.paise()));
    }
    const bool follow = !in.taxable || in.taxable->paise() / 100 == 0 || *in.taxable == in.previousTotal2;
    within = within && steps.take(t.total2, "TOTAL AMOUNT -2", in.total.plus(t.commAmount)) &&
             steps.take(t.taxable, "TAXIBLE AMOUNT", follow ? t.total2 : *in.taxable) &&
             steps.take(t.tax, "TAX AMOUNT", t.taxable.percent(in.taxPer));
    const std::optional<Money> grand = t.total2.plus(t.tax);
    if (within)
        steps.take(t.grandTotal, "GRAND TOTAL", grand ? std::optional<Money>(grand->wholeRupees()) : std::nullopt);
    t.exceeded = steps.exceeded;
    return t;
}

}  // namespace tarvic
