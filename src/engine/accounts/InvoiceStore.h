#pragma once
// Tax and proforma invoices of a booking: what the invoice window reads (the booking with its
// party and state, the advance received, the quotation and what is already invoiced, the home
// state, the GST rows) and its save, header and lines in one transaction. The save re-reads
// inside its transaction what another workstation may have changed since the window loaded:
// the booking still live, the quotation not yet invoiced in full, the tax invoice number not
// printed on another live invoice.
#include "data/Database.h"
#include "data/InvoiceTotals.h"

#include <QDate>

#include <optional>
#include <vector>

namespace tarvic {

struct InvoiceKind {
    QString code;      // INV001 / INV006
    QString lineCode;  // INV002 / INV007
    bool tax;          // a tax invoice: rates, kind of supply, alias, number required, cap
};
const InvoiceKind& taxInvoiceKind();
const InvoiceKind& proformaKind();

struct InvoiceBooking {
    qint64 number = 0;
    QDate date;
    qint64 party = 0;
    QString partyName, alias, gstin, address, stateName, stateCode2;
    qint64 lead = 0, quotation = 0;
    QString bookedBy;
    Money advance;         // approved money receipts of the booking
    Money quotationTotal;  // taxable amount plus tax of its quotation
    Money invoiced;        // live tax invoices of the booking
    Money invoiceable() const { return quotationTotal - invoiced; }
};

struct HomeState {
    QString name;
    QString code2;
};

struct GstRow {
    QString gstFor;
    QString sacCode;
    GstRates rates;
};

struct InvoiceLine {
    QString description;
    Money rate, quantity, amount;
};

struct InvoiceDraft {
    const InvoiceKind* kind = nullptr;
    QDate date;
    QString gstInvNo;
    QString alias;
    QString gstFor;
    QString sacCode;
    InvoiceBooking booking;
    Money discount;
    GstRates rates;  // as applied to the tax kind
    TaxKind taxKind = TaxKind::SameState;
    std::vector<InvoiceLine> lines;

    QList<Money> lineAmounts() const;
    InvoiceFigures figures() const;
};

// What the invoice messages say, used by the save's own checks.
QString invoiceCapMessage(Money invoiceable);
QString invoiceNumberTakenMessage(const QString& gstInvNo);
// The message for a line, the discount or a figure beyond the largest amount; empty when all
// are within it.
QString beyondLimit(const InvoiceDraft& draft, const InvoiceFigures& figures);

class InvoiceStore {
public:
    InvoiceStore(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    // An approved booking with its bill party and the party's state; nullopt otherwise. The
    // party's state is outer-joined: a party without one loads with a blank tax code.
    std::optional<InvoiceBooking> booking(qint64 number, qint64 exceptInvoice = 0);
    std::optional<HomeState> homeState();
    QList<GstRow> gstRows();
    std::optional<GstRow> gstRow(const QString& gstFor);
    // A live tax invoice other than exceptInvoice already carries this number.
    bool gstInvNoTaken(const QString& gstInvNo, qint64 exceptInvoice = 0);

    // A saved invoice of the kind: its header row as stored and its lines in order.
    struct Saved {
        QSqlRecord head;
        std::vector<InvoiceLine> lines;
    };
    std::optional<Saved> saved(const InvoiceKind& kind, qint64 number);

    // Saves a new invoice and returns its number; DbError Refused with the window's message
    // when the booking is no longer approved, the cap is passed or the number taken.
    qint64 save(const InvoiceDraft& draft);

private:
    Money invoicedSoFar(qint64 booking, qint64 exceptInvoice);
    Database& db_;
    QString user_;
};

// The figures an invoice reprint stores before printing.
struct InvoiceAdvance {
    bool stored = false;  // false: no such invoice, or a cancelled one (printed as it is)
    QString status;
    qint64 booking = 0;
};

// Stores on INV001 number `invoice` ADV_AMOUNT = the live receipts of its booking and
// BALANCE_AMT = its grand total minus them, in one transaction; a cancelled invoice is left
// as it is. Throws DbError.
InvoiceAdvance refreshInvoiceAdvance(Database& db, qint64 invoice);

}  // namespace tarvic
