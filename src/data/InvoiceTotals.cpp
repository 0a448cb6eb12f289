#include "InvoiceTotals.h"

#include "AmountInWords.h"

namespace tarvic {

namespace {

Money whole(Money m) {
    return Money::fromRupees(m.roundedRupees());
}

// rate % of a whole-rupee amount, to the paisa, halves to the even paisa. rate holds
// hundredths of a percent, so rate x rupees / 100 is paise.
Money percentOf(Money rate, qint64 rupees) {
    const qint64 num = rate.paise() * rupees;
    const qint64 a = num < 0 ? -num : num;
    qint64 q = a / 100;
    const qint64 r = a % 100;
    if (r > 50 || (r == 50 && q % 2 != 0))
        ++q;
    return Money::fromPaise(num < 0 ? -q : q);
}

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

Money lineAmount(Money rate, Money quantity) {
    return Money::fromRupees(rate.roundedRupees() * quantity.roundedRupees());
}

InvoiceFigures calcTotal(const QList<Money>& lineAmounts, Money discount, const GstRates& applied, Money advance) {
    InvoiceFigures f;
    for (Money line : lineAmounts)
        f.total += whole(line);
    f.taxable = whole(f.total) - whole(discount);
    const qint64 base = f.taxable.roundedRupees();
    f.cgst = percentOf(applied.cgst, base);
    f.sgst = percentOf(applied.sgst, base);
    f.igst = percentOf(applied.igst, base);
    f.tax = f.cgst + f.sgst + f.igst;
    f.grand = Money::fromRupees(base) + f.tax;
    f.balance = whole(f.grand) - whole(advance);
    f.words = QStringLiteral(" ") + amountInWordsPhrase(f.grand);
    return f;
}

}  // namespace tarvic
