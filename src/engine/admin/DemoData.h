#pragma once
// A small demonstration data set for a new installation: geography with a default state,
// party types and parties (customers, an agent, hotels, transporters), two tour consultants
// with their logins and menu rights (every entry but the administration ones), the lookup
// lists and lead statuses, and a sales pipeline (itineraries, leads of both consultants,
// a priced quotation). Parties, consultants and logins carry "DEMO" in their names; every row added is listed in
// DEMO_DATA (table and key).
//
// Added once: the set is skipped when DEMO_DATA already lists rows. Rows that already exist
// (a country or list value of the same name) are used, not doubled. Codes come from the
// counters, so counters and codes agree afterwards. All of it runs in one transaction.
#include "data/Database.h"

#include <QList>
#include <QString>

namespace tarvic {

struct DemoLogin {
    QString userName;
    QString password;
    QString fullName;
    QString role;  // TC_ROLE of the login's consultant
};

struct DemoDataResult {
    bool added = false;  // false when the set was already there
    int rows = 0;        // rows added
    QList<DemoLogin> logins;
};

// The demo logins (as listed in the README).
QList<DemoLogin> demoLogins();

// Adds the set unless it is there already. Throws DbError; nothing is kept on failure.
DemoDataResult addDemoData(Database& db);

// The documents only the printed vouchers need beside the demo set (a miscellaneous receipt and
// payment, a bank transfer), through the records layer; kept apart from addDemoData so the
// counts and numbers other tests read of the demo stay as they are. Returns the rows added.
int addReportDemo(Database& db);

// Last month billed, for the GST returns: the company's GSTIN, three more customers (one whose
// GSTIN was mistyped) and five tours booked and billed with tax invoices (a registered agent in
// the home state and one elsewhere, travellers above and below the B2C-large limit, one invoice
// cancelled and reissued as a proforma), saved as the invoice window saves them. Kept apart
// from addDemoData, as the vouchers are. Returns the rows added (0 when there already).
int addGstDemo(Database& db);

}  // namespace tarvic
