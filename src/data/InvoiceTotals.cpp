#include "InvoiceTotals.h"

#include "AmountInWords.h"

namespace tarvic {

namespace {

std::optional<qint64> wholeNumber(const QString& text) {
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

}  // namespace

std::optional<TaxKind> taxKindOf(const QString& homeCode, const QString& partyCode) {
    const auto home = wholeNumber(homeCode);
    const auto party = wholeNumber(partyCode);
    if (!home || !party)
        return std::nullopt;
    return *home == *party ? TaxKind::SameState : TaxKind::OtherState;
}

GstRates appliedRates(const GstRates& row, TaxKind kind) {
    if (kind == TaxKind::SameState)
        return {row.cgst, row.sgst, Money()};
    return {Money(), Money(), row.igst};
}

QString shownRate(Money rate, bool applied) {
    return applied ? rate.toString() : QStringLiteral("0");
}

QString gstDescription(const GstRates& r, TaxKind kind) {
    const bool same = kind == TaxKind::SameState;
    return QStringLiteral("CGST : ") + shownRate(r.cgst, same) + QStringLiteral("% | ") + QStringLiteral("SGST : ") +
           shownRate(r.sgst, same) + QStringLiteral("% | ") + QStringLiteral("IGST : ") + shownRate(r.igst, !same) +
           QStringLiteral("% ");
}

std::optional<Money> lineAmount(Money rate, Money quantity) {
    return rate.wholeRupees().times(quantity.roundedRupees());
}

InvoiceFigures calcTotal(const QList<Money>& lineAmounts, Money discount, const GstRates& applied, Money advance) {
    InvoiceFigures f;
    FigureSteps steps;
    QList<Money> wholeLines;
    for (Money line : lineAmounts)
        wholeLines << line.wholeRupees();
    const bool within = steps.take(f.total, "TOTAL AMOUNT", Money::sum(wholeLines)) &&
                        steps.take(f.taxable, "TAXABLE AMOUNT", f.total.wholeRupees().minus(discount.wholeRupees())) &&
                        steps.take(f.cgst, "CGST", f.taxable.wholeRupees().percent(applied.cgst)) &&
                        steps.take(f.sgst, "SGST", f.taxable.wholeRupees().percent(applied.sgst)) &&
                        steps.take(f.igst, "IGST", f.taxable.wholeRupees().percent(applied.igst)) &&
                        steps.take(f.tax, "TAX AMOUNT", Money::sum(QList<Money>{f.cgst, f.sgst, f.igst})) &&
                        steps.take(f.grand, "GRAND TOTAL", f.taxable.wholeRupees().plus(f.tax)) &&
                        steps.take(f.balance, "BALANCE AMOUNT", f.grand.wholeRupees().minus(advance.wholeRupees()));
    f.exceeded = steps.exceeded;
    if (within)
        f.words = QStringLiteral(" ") + amountInWordsPhrase(f.grand);
    return f;
}

}  // namespace tarvic
