#pragma once
// The GST returns of a month or a quarter, built from the books: GSTR-1 (outward supplies by
// section) and the GSTR-3B summary, from the approved tax invoices of the period (INV001;
// proformas are no supply). Every approved invoice lands either in exactly one section or in
// the exceptions with its reasons, never nowhere; cancelled invoices count only in the
// documents issued. Amounts are the invoices' own, summed exactly: nothing is recomputed or
// rounded again.
//
// The books hold no credit or debit notes (an invoice is cancelled, never credited), so the
// notes sections stay empty.
#include "data/Database.h"
#include "data/Money.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>

namespace tarvic::gst {

// The offline tool's JSON structure the GSTR-1 file follows.
inline constexpr const char* kJsonVersion = "GST3.2.1";

struct Period {
    QDate from;  // first day
    QDate to;    // last day
    bool quarter = false;

    static Period month(int year, int month);
    // The quarter holding the month (April-June, July-September, October-December,
    // January-March: the financial year's quarters are the calendar's).
    static Period quarterOf(int year, int month);
    // "2026-11"; nullopt for anything else.
    static std::optional<Period> parse(const QString& yearMonth, bool quarter);
    bool isValid() const { return from.isValid() && to.isValid(); }
    // The return period MMYYYY: a quarter's is that of its last month.
    QString fp() const;
    // "NOVEMBER 2026", "OCTOBER - DECEMBER 2026".
    QString caption() const;
};

// The invoice value above which an inter-state supply to an unregistered person is reported
// invoice by invoice (B2C large): 2,50,000 until July 2024, 1,00,000 from August 2024.
Money b2cLargeLimit(const QDate& invoiceDate);

struct Amounts {
    Money taxable, igst, cgst, sgst, cess;
    Money value;  // invoice value (taxable plus tax)
    Amounts& operator+=(const Amounts& o);
    bool operator==(const Amounts&) const = default;
};

// One tax invoice of the period as the books hold it.
struct ReturnInvoice {
    qint64 docNo = 0;
    QString number;  // GST_INVNO, the tax invoice number printed
    QDate date;
    bool cancelled = false;
    qint64 party = 0;
    QString partyName;
    QString gstin;      // trimmed, as typed
    QString relation;   // BUSINESS_RELTYPE: B2B / B2C
    QString stateCode;  // the party's state's tax code as the books hold it
    QString pos;        // the same as the portal writes it ("29"); empty when none
    QString sac;
    QString gstFor;
    Money cgstRate, sgstRate, igstRate;
    Amounts amounts;
    bool interState = false;  // the party's state is not the home state (when both are known)

    // The rate of the supply in percent: IGST across states, CGST plus SGST within one.
    Money rate() const { return interState ? igstRate : cgstRate + sgstRate; }
};

enum class Reason {
    GstinMissing,      // a B2B party without a GSTIN
    GstinMalformed,    // a GSTIN that fails its own rules
    StateCodeMissing,  // the party's (or the home) state has no published tax state code
    SacMissing,        // no services accounting code, or not one
    TaxKindMismatch,   // CGST/SGST across states, IGST within one, or halves that differ
    UnknownRate,       // a rate no GST row of the books holds, or no GST rate at all
    InvoiceNumber,     // a tax invoice number the portal does not take (over 16 characters, or others
                       // than letters, digits, "/" and "-")
};

struct Exception {
    ReturnInvoice invoice;
    QList<Reason> reasons;
    QString text;  // every reason, as the window lists them
};

// B2C small: summed by place of supply and rate.
struct B2csRow {
    bool interState = false;
    QString pos;
    Money rate;
    Amounts amounts;
    int invoices = 0;
};

// HSN/SAC summary, registered and unregistered recipients apart.
struct HsnRow {
    bool registered = false;
    QString sac;
    QString description;
    Money rate;
    Amounts amounts;
    int invoices = 0;
};

// The tax invoices issued in the period, cancelled ones included, first to last number.
struct DocumentSeries {
    QString from;
    QString to;
    int issued = 0;
    int cancelled = 0;
    int net() const { return issued - cancelled; }
};

// GSTR-3B 3.2: inter-state supplies to unregistered persons, by place of supply.
struct UnregisteredSupply {
    QString pos;
    Money taxable;
    Money igst;
};

struct GstReturn {
    Period period;
    QString gstin;          // the company's, trimmed
    QString homeStateCode;  // the default state's, as the portal writes it
    // What keeps the files from being written: the company's GSTIN, the home state.
    QStringList problems;

    QList<ReturnInvoice> b2b;   // by recipient GSTIN, date and number
    QList<ReturnInvoice> b2cl;  // by place of supply, date and number
    QList<B2csRow> b2cs;        // by supply type, place of supply and rate
    QList<HsnRow> hsn;          // registered first, then by code and rate
    DocumentSeries documents;
    QList<Exception> exceptions;  // by date and number

    Amounts outward;                              // GSTR-3B 3.1 (a)
    QList<UnregisteredSupply> interUnregistered;  // GSTR-3B 3.2, by place of supply

    int approvedRead = 0;  // approved tax invoices of the period read from the books

    bool canWrite() const { return problems.isEmpty(); }
    // Invoices placed in a section; with the exceptions they make up every approved one.
    int invoicesInReturn() const;
};

Amounts totalOf(const QList<ReturnInvoice>& invoices);
Amounts totalOf(const QList<B2csRow>& rows);
Amounts totalOf(const QList<Exception>& exceptions);

// "29-KARNATAKA".
QString placeName(const QString& pos);
// A rate in percent as the portal writes it: 5, 2.5, 0.25, 18.
QString rateText(Money rate);

// Reads the period's tax invoices (one statement) and builds both returns. Throws DbError.
GstReturn buildReturn(Database& db, const Period& period);

}  // namespace tarvic::gst
