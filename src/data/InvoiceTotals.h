#pragma once
// The figures of an invoice, from its lines, discount, rates and the advance received. Every
// step rounds exactly as the invoice window always has: rates and quantities to whole
// numbers, amounts to whole rupees (halves to the even rupee) before the next step, each tax
// to the paisa. Pure: the window, the save and the books check all compute with this.
#include "Money.h"

#include <QList>
#include <QString>

#include <optional>

namespace tarvic {

// Rates in percent with two decimals, held exactly as Money (2.50 % is 250 hundredths).
struct GstRates {
    Money cgst, sgst, igst;
};

enum class TaxKind {
    SameState,   // the party is in the home state: CGST and SGST
    OtherState,  // anywhere else: IGST
};

// Compares the tax state codes of the home state and the party's state as whole numbers
// (" 07" and "7" are one state). nullopt when either is blank or no whole number: such a
// code cannot decide the tax and must be refused, never read as 0.
std::optional<TaxKind> taxKindOf(const QString& homeCode, const QString& partyCode);

// The rates of a GST row as applied to the kind: the other kind's rates become 0.
GstRates appliedRates(const GstRates& row, TaxKind kind);

// A rate as shown: two decimals when applied, "0" when not.
QString shownRate(Money rate, bool applied);
// GST_DESC: "CGST : 2.50% | SGST : 2.50% | IGST : 0% ".
QString gstDescription(const GstRates& applied, TaxKind kind);

// One line: whole rate times whole quantity; nullopt beyond the largest amount.
std::optional<Money> lineAmount(Money rate, Money quantity);

struct InvoiceFigures {
    Money total;    // sum of the whole-rupee line amounts
    Money taxable;  // whole total less whole discount
    Money cgst, sgst, igst;
    Money tax;      // cgst + sgst + igst
    Money grand;    // whole taxable plus the taxes
    Money balance;  // whole grand total less whole advance (may be negative)
    QString words;  // AMT_INWORDS
    // The caption of the first figure beyond the largest amount ("TOTAL AMOUNT", ...), empty
    // when every figure is within it; the figures from that one on are then left at 0.
    QString exceeded;
};

// Calc_Total over the grid's line amounts.
InvoiceFigures calcTotal(const QList<Money>& lineAmounts, Money discount, const GstRates& applied, Money advance);

}  // namespace tarvic
