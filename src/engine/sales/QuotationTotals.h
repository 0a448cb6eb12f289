#pragma once
// A quotation's price, from the sum of its lines to the grand total, computed in one place for
// the quotation window, the re-pricing of a stored quotation and the tests. Every step rounds exactly as the price list
// always has: the commission to whole rupees, the tax to the paisa, the grand total to whole rupees, halves to even.
#include "data/Money.h"

#include <optional>

namespace tarvic {

// Percentages are two-decimal values (12.50), held exactly as money is.
using Percent = Money;

enum class MarkUp {
    Percent,  // "%": the commission percentage is given, the amount follows
    Amount,   // "A": the commission amount is given, the percentage follows
};
MarkUp markUpFromText(const QString& text);  // "A" is Amount, anything else Percent
QString markUpText(MarkUp kind);

struct TotalsInput {
    Money total;  // sum of the line totals
    MarkUp markUp = MarkUp::Percent;
    Percent commPer;               // given with "%"; kept when the total is 0 with "A"
    Money commAmount;              // given with "A"
    std::optional<Money> taxable;  // as typed; nullopt when the field is empty
    Money previousTotal2;          // total amount 2 before this computation
    Percent taxPer;
};

struct Totals {
    Percent commPer;
    Money commAmount;
    Money total2;
    Money taxable;
    Money tax;
    Money grandTotal;
    // The caption of the first figure beyond the largest amount ("TAX AMOUNT", ...), empty
    // when all are within it; the figures from that one on are then left at 0.
    QString exceeded;
};

// The quotation's totals. The taxable amount follows total amount 2 when it is empty, 0 as a
// whole number, or still equal to the previous total amount 2; a different amount typed by the
// user stays, so tax can be charged on part of the price but never on a stale total.
Totals computeTotals(const TotalsInput& in);

}  // namespace tarvic
