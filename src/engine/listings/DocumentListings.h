#pragma once
// The statements of the document listings: the documents of some codes between two dates
// with their party, whatever lookups the shown fields need (each outer-joined, so a document
// whose party, bank, lead or account is missing is still listed and counted), a balance per
// row against its booking, and the summaries by party, by bank and of the whole.
#include "data/Database.h"
#include "engine/listings/ListQuery.h"

namespace tarvic::listings {

struct DocumentSource {
    QStringList codes;           // the codes listed
    QStringList fields;          // the fields the detail shows: each names the lookup it needs
    bool balance = false;        // each row's balance against its booking (BALANCE) ...
    QStringList balanceCodes;    // ... over these codes (none: no row has one)
    bool creditBalance = false;  // credit minus debit (what is owed to a supplier)
};

// "SELECT {columns} FROM <the documents and their lookups> WHERE {filter}".
QString documentStatement(const DocumentSource& source);
// The detail grid: the document's row, its party's name and every looked-up field; its order
// is total (a bulk posting shares its number over several bookings, a transfer over both legs).
GridQuery documentDetail(const DocumentSource& source);
// Grouped by party (and status), by bank (and status), and by status alone, each summing
// GRAND_TOTAL; the bank summary needs the bank fields shown.
GridQuery partySummary();
GridQuery bankSummary();
GridQuery statusTotal();
// By status, each of these amount columns summed under its own name.
GridQuery statusTotals(const QStringList& amounts);

// "<alias>.DOC_CODE IN (?, ...)" (no alias: the bare column) with the codes as its values.
ListQuery codesCondition(const QStringList& codes, const QString& alias = QStringLiteral("a"));
// The accounts a code's documents may post to: (ACC_CODE, ACCOUNT_DESC), by description.
QList<std::pair<QString, QString>> accountsOf(Database& db, const QString& code);

}  // namespace tarvic::listings
